#ifndef LIFTWISE_CAMBERLINE_H
#define LIFTWISE_CAMBERLINE_H

#include "paneling.h"

#include <vector>

class Airfoil;

// Paneled mean line on the unit chord: n panels between n + 1 stations clustered towards
// both ends by an arctangent mapping.
class Camberline
{
public:
    // The stations of the paneling (at least one panel; densities > 0), every ordinate 0.
    explicit Camberline(const Paneling &paneling);
    Camberline(int n, double leDensity, double teDensity);

    const Paneling &paneling() const { return p; }
    // n + 1.
    int npoints() const;
    // Station i in chord lengths; 0.0 outside 0 <= i <= n.
    double xpoint(int i) const;
    // Ordinate i; 0.0 outside 0 <= i <= n.
    double ypoint(int i) const;
    // Sets ordinate i; ignored outside 0 <= i <= n.
    void sety(int i, double v);
    // Angle of panel i against the chord in radians, positive where the line falls towards
    // the trailing edge.
    double panelAngle(int i) const;
    const std::vector<double> &stations() const { return x; }
    const std::vector<double> &ordinates() const { return y; }
    // Ordinates as the mean of upper and lower contour at each station; 0 where the
    // contour is not crossed exactly twice.
    void computePoints(const Airfoil &airfoil);

private:
    Paneling p;
    std::vector<double> x;
    std::vector<double> y;
};

#endif // LIFTWISE_CAMBERLINE_H
