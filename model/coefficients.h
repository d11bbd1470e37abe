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

// Coefficients at ever more panels, estimated from two panelings, the second twice as fine: they
// converge in first order, so the limit is 2 fine - coarse (Richardson), and |fine - coarse| is
// how far the finer values may still be from it. The lift slope is 2 pi at any paneling.
struct Extrapolation
{
    Coefficients value;
    Coefficients error;

    Extrapolation(const Coefficients &coarse, const Coefficients &fine)
    {
        const auto limit = [](double c, double f) { return 2.0 * f - c; };
        const auto error = [](double c, double f) { return std::fabs(f - c); };
        value = {limit(coarse.cl0, fine.cl0), limit(coarse.alpha0, fine.alpha0),
            limit(coarse.cm0, fine.cm0), fine.dclda, limit(coarse.alphaSF, fine.alphaSF),
            limit(coarse.clSF, fine.clSF)};
        this->error = {error(coarse.cl0, fine.cl0), error(coarse.alpha0, fine.alpha0),
            error(coarse.cm0, fine.cm0), 0.0, error(coarse.alphaSF, fine.alphaSF),
            error(coarse.clSF, fine.clSF)};
    }
};

// Angles are radians inside the model and degrees in every text and field.
constexpr double DegreesPerRadian = 57.29577951308232;
constexpr double RadiansPerDegree = 0.017453292519943295;
constexpr double degrees(double radians) { return radians * DegreesPerRadian; }
constexpr double radians(double degrees) { return degrees * RadiansPerDegree; }

#endif // LIFTWISE_COEFFICIENTS_H
