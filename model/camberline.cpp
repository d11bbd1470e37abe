#include "camberline.h"

#include "geometry.h"
#include "workerpool.h"

#include <algorithm>
#include <cassert>
#include <cmath>

Camberline::Camberline(const Paneling &paneling)
    : p(paneling)
    , x(std::max(paneling.panels, 1) + 1, 0.0)
    , y(x.size(), 0.0)
{
    assert(paneling.leDensity > 0.0 && paneling.teDensity > 0.0);
    p.panels = int(x.size()) - 1;
    const int n = p.panels;
    x[n] = 1.0;
    if (n == 1)
        return;
    // The uniform i / n is mapped onto t from -a to b and back onto the chord through the
    // arctangent: spacing 1 / (1 + t^2), finest at both ends.
    const double phi0 = std::atan(-p.leDensity);
    const double range = std::atan(p.teDensity) - phi0;
    for (int i = 1; i < n; ++i) {
        const double t = static_cast<double>(i) / n * (p.leDensity + p.teDensity) - p.leDensity;
        x[i] = (std::atan(t) - phi0) / range;
    }
}

Camberline::Camberline(int n, double leDensity, double teDensity)
    : Camberline(Paneling {n, leDensity, teDensity})
{
}

int Camberline::npoints() const { return p.panels + 1; }

double Camberline::xpoint(int i) const { return i >= 0 && i <= p.panels ? x[i] : 0.0; }

double Camberline::ypoint(int i) const { return i >= 0 && i <= p.panels ? y[i] : 0.0; }

void Camberline::sety(int i, double v)
{
    if (i >= 0 && i <= p.panels)
        y[i] = v;
}

double Camberline::panelAngle(int i) const
{
    return std::atan(-(ypoint(i + 1) - ypoint(i)) / (xpoint(i + 1) - xpoint(i)));
}

void Camberline::computePoints(const Airfoil &airfoil)
{
    y[0] = 0.0;
    y[p.panels] = 0.0;
    // Mean of the upper and the lower surface; a station crossed other than twice (a loop,
    // a wavy nose) gets 0. Each station's crossings are searched on their own, so a fine
    // paneling shares them among the cores.
    WorkerTeam team(p.panels >= 100);
    team.run([&](int member) {
        for (int i = 1 + member; i < p.panels; i += team.size()) {
            double upper, lower;
            y[i] = surfacesAt(airfoil, x[i], &upper, &lower) ? 0.5 * (upper + lower) : 0.0;
        }
    });
}
