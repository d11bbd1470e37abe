#include "sectionops.h"

#include "airfoil.h"
#include "geometry.h"

#include <algorithm>
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

struct Point
{
    double x;
    double y;
};

// Where the segments a0-a1 and b0-b1 meet, ends included; false for parallel ones.
bool crossing(Point a0, Point a1, Point b0, Point b1, Point *at)
{
    const double ax = a1.x - a0.x, ay = a1.y - a0.y;
    const double bx = b1.x - b0.x, by = b1.y - b0.y;
    const double det = ax * by - ay * bx;
    if (det == 0.0)
        return false;
    const double ex = b0.x - a0.x, ey = b0.y - a0.y;
    const double s = (ex * by - ey * bx) / det; // along a
    const double t = (ex * ay - ey * ax) / det; // along b
    if (s < 0.0 || s > 1.0 || t < 0.0 || t > 1.0)
        return false;
    *at = {a0.x + s * ax, a0.y + s * ay};
    return true;
}

// One surface of a flapped section from the nose to the trailing edge: fixed up to the hinge
// station and turned behind it, both including it. Where the flap opens this side an arc about
// the pivot joins them, with a point every 2.5 degrees at most; where it closes the side runs
// up to the first place the turned part, from the hinge aft, meets the fixed part, from the hinge
// forward, and on along the turned part from there. They meet at the pivot itself on a section
// without thickness there.
std::vector<Point> flapSide(std::vector<Point> fixed, const std::vector<Point> &turned, Point pivot,
    double deflection, bool opens)
{
    if (opens) {
        const Point from = fixed.back();
        const double radius = std::fabs(from.y - pivot.y);
        const double start = std::atan2(from.y - pivot.y, 0.0);
        const int steps = int(std::ceil(std::fabs(deflection) / (2.5 * Pi / 180)));
        for (int k = 1; radius > 1e-9 && k < steps; ++k) {
            const double phi = start - deflection * k / steps;
            fixed.push_back({pivot.x + radius * std::cos(phi), pivot.y + radius * std::sin(phi)});
        }
        fixed.insert(fixed.end(), turned.begin(), turned.end());
        return fixed;
    }
    for (size_t j = 0; j + 1 < turned.size(); ++j) {
        for (size_t i = fixed.size() - 1; i >= 1; --i) {
            Point at {};
            if (crossing(fixed[i - 1], fixed[i], turned[j], turned[j + 1], &at)) {
                fixed.resize(i);
                fixed.push_back(at);
                fixed.insert(fixed.end(), turned.begin() + j + 1, turned.end());
                return fixed;
            }
        }
    }
    fixed.insert(fixed.end(), turned.begin(), turned.end());
    return fixed;
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

SectionPoints flapped(const Airfoil &airfoil, double hinge, double deflection, int stations)
{
    // Cosine stations with the hinge among them, none closer to it than rounding would tell.
    std::vector<double> xs;
    for (int i = 0; i < stations; ++i) {
        const double x = cosineStation(i, stations);
        if (std::fabs(x - hinge) > 1e-4)
            xs.push_back(x);
    }
    const auto at = xs.insert(std::upper_bound(xs.begin(), xs.end(), hinge), hinge);
    const size_t h = size_t(at - xs.begin());
    std::vector<Point> upper, lower;
    for (const double x : xs) {
        double camber = 0.0;
        double thickness = 0.0;
        if (!shapeAt(airfoil, x, &camber, &thickness)) {
            SectionPoints refused;
            refused.problem
                = "the contour does not cross x = " + std::to_string(x) + " exactly twice";
            return refused;
        }
        upper.push_back({x, camber + 0.5 * thickness});
        lower.push_back({x, camber - 0.5 * thickness});
    }
    const Point pivot {hinge, 0.5 * (upper[h].y + lower[h].y)};
    const double c = std::cos(deflection);
    const double s = std::sin(deflection);
    const auto side = [&](const std::vector<Point> &surface, bool opens) {
        std::vector<Point> turned;
        for (size_t k = h; k < surface.size(); ++k) {
            const double dx = surface[k].x - pivot.x;
            const double dy = surface[k].y - pivot.y;
            turned.push_back({pivot.x + dx * c + dy * s, pivot.y - dx * s + dy * c});
        }
        return flapSide(
            {surface.begin(), surface.begin() + long(h) + 1}, turned, pivot, deflection, opens);
    };
    // Trailing edge down opens the upper side and closes the lower one.
    const std::vector<Point> top = side(upper, deflection > 0.0);
    const std::vector<Point> bottom = side(lower, deflection < 0.0);
    SectionPoints points;
    for (auto p = top.rbegin(); p != top.rend(); ++p) {
        points.x.push_back(p->x);
        points.y.push_back(p->y);
    }
    for (size_t k = 1; k < bottom.size(); ++k) {
        points.x.push_back(bottom[k].x);
        points.y.push_back(bottom[k].y);
    }
    return points;
}

ZeroLift glauertFlapChange(double hinge, double deflection)
{
    const double theta = std::acos(1.0 - 2.0 * hinge);
    return {-(Pi - theta + std::sin(theta)) / Pi * deflection,
        -0.5 * std::sin(theta) * (1.0 - std::cos(theta)) * deflection};
}

ZeroLift inFileFrame(const Airfoil &normalised, const ZeroLift &own)
{
    const double chord = normalised.chordLength();
    return {own.alpha0 + normalised.chordTilt(), own.cm0 * chord * chord};
}
