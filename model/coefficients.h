#ifndef LIFTWISE_COEFFICIENTS_H
#define LIFTWISE_COEFFICIENTS_H

#include <cmath>

// The six thin-airfoil coefficients of a camber line: chord 1, angles in radians, the slope per
// radian, the moment about the quarter chord, positive nose up.
struct Coefficients
{
    double cl0 = 0.0; // lift at zero incidence
    double alpha0 = 0.0; // zero-lift angle
    double cm0 = 0.0; // quarter-chord moment of the zero-incidence loading
    double dclda = 0.0; // lift slope
    double alphaSF = 0.0; // incidence of smooth leading-edge entry
    double clSF = 0.0; // lift at that incidence

    bool isFinite() const
    {
        return std::isfinite(cl0) && std::isfinite(alpha0) && std::isfinite(cm0)
            && std::isfinite(dclda) && std::isfinite(alphaSF) && std::isfinite(clSF);
    }
};

// Angles are radians inside the model and degrees in every text and field.
constexpr double DegreesPerRadian = 57.29577951308232;
constexpr double RadiansPerDegree = 0.017453292519943295;
constexpr double degrees(double radians) { return radians * DegreesPerRadian; }
constexpr double radians(double degrees) { return degrees * RadiansPerDegree; }

#endif // LIFTWISE_COEFFICIENTS_H
