#include "sectionops.h"

#include "airfoil.h"
#include "geometry.h"

#include <cmath>
#include <functional>

namespace {

const double Pi = 3.141592653589793;

double cosineStation(int i, int stations) { return 0.5 * (1 - std::cos(Pi * i / (stations - 1))); }

// The camber and thickness at x of one or two sections, made into the new section's.
using Shape = std::function<bool(double x, double *camber, double *thickness)>;

// Camber and thickness of the airfoil at x: at the nose both zero, at the trailing edge those of
// its two ends.
bool shapeAt(const Airfoil &airfoil, double x, double *camber, double *thickness)
{
    double upper = 0.0;
    double lower = 0.0;
    if (x <= 0.0) {
        upper = lower = 0.0;
    } else if (x >= 1.0) {
        const int last = airfoil.npoints() - 1;
        upper = std::max(airfoil.py(0), airfoil.py(last));
        lower = std::min(airfoil.py(0), airfoil.py(last));
    } else if (!surfacesAt(airfoil, x, &upper, &lower)) {
        return false;
    }
    *camber = 0.5 * (upper + lower);
    *thickness = upper - lower;
    return true;
}

SectionPoints pointsOf(const Shape &shape, int upperStations, int lowerStations)
{
    SectionPoints points;
    const auto add = [&](int i, int stations, double side) {
        const double x = cosineStation(i, stations);
        double camber = 0.0;
        double thickness = 0.0;
        if (!shape(x, &camber, &thickness)) {
            points.problem
                = "the contour does not cross x = " + std::to_string(x) + " exactly twice";
            return false;
        }
        points.x.push_back(x);
        points.y.push_back(camber + side * 0.5 * thickness);
        return true;
    };
    for (int i = upperStations - 1; i >= 0; --i) {
        if (!add(i, upperStations, 1.0))
            return points;
    }
    for (int i = 1; i < lowerStations; ++i) {
        if (!add(i, lowerStations, -1.0))
            return points;
    }
    return points;
}

// The camber and the thickness each scaled by its factor.
SectionPoints scaled(
    const Airfoil &airfoil, double camberFactor, double thicknessFactor, int stations)
{
    return pointsOf(
        [&](double x, double *camber, double *thickness) {
            if (!shapeAt(airfoil, x, camber, thickness))
                return false;
            *camber *= camberFactor;
            *thickness *= thicknessFactor;
            return true;
        },
        stations, stations);
}

} // namespace

SectionPoints scaledCamber(const Airfoil &airfoil, double factor, int stations)
{
    return scaled(airfoil, factor, 1.0, stations);
}

SectionPoints scaledThickness(const Airfoil &airfoil, double factor, int stations)
{
    return scaled(airfoil, 1.0, factor, stations);
}

SectionPoints blended(const Airfoil &first, const Airfoil &second, double weight, int stations)
{
    return pointsOf(
        [&](double x, double *camber, double *thickness) {
            double c1, t1, c2, t2;
            if (!shapeAt(first, x, &c1, &t1) || !shapeAt(second, x, &c2, &t2))
                return false;
            *camber = (1 - weight) * c1 + weight * c2;
            *thickness = (1 - weight) * t1 + weight * t2;
            return true;
        },
        stations, stations);
}

SectionPoints cambersAt(const Airfoil &airfoil, double at, int stations)
{
    const double from = geometryOf(airfoil).maxCamberX;
    // x^p carries at to from: the camber found at from now stands at at.
    const double p = from > 0.0 && from < 1.0 ? std::log(from) / std::log(at) : 1.0;
    return pointsOf(
        [&](double x, double *camber, double *thickness) {
            double unused = 0.0;
            return shapeAt(airfoil, std::pow(x, p), camber, &unused)
                && shapeAt(airfoil, x, &unused, thickness);
        },
        stations, stations);
}

SectionPoints withTrailingEdgeGap(const Airfoil &airfoil, double gap, int stations)
{
    double camber = 0.0;
    double was = 0.0;
    shapeAt(airfoil, 1.0, &camber, &was);
    const double from = 0.5;
    return pointsOf(
        [&](double x, double *c, double *thickness) {
            if (!shapeAt(airfoil, x, c, thickness))
                return false;
            if (x > from) {
                const double along = (x - from) / (1 - from);
                *thickness += (gap - was) * along * along;
            }
            return true;
        },
        stations, stations);
}

SectionPoints repaneled(const Airfoil &airfoil, int points)
{
    // The nose is shared: the upper surface has half the rest and the lower the other half.
    const int upper = (points + 1) / 2;
    return pointsOf([&](double x, double *camber,
                        double *thickness) { return shapeAt(airfoil, x, camber, thickness); },
        upper, points + 1 - upper);
}
