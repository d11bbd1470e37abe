#include "naca.h"

#include <cmath>

namespace {

const double Pi = 3.141592653589793;

double meanLineSlope(double m, double p, double x)
{
    if (m == 0.0 || p <= 0.0 || p >= 1.0)
        return 0.0;
    if (x < p)
        return 2 * m / (p * p) * (p - x);
    return 2 * m / ((1 - p) * (1 - p)) * (p - x);
}

double nacaMeanLine(double m, double p, double x)
{
    if (m == 0.0 || p <= 0.0 || p >= 1.0)
        return 0.0;
    if (x < p)
        return m / (p * p) * (2 * p * x - x * x);
    return m / ((1 - p) * (1 - p)) * ((1 - 2 * p) + 2 * p * x - x * x);
}

} // namespace

NacaSection nacaFourDigit(double m, double p, double t, int stations, bool closedTrailingEdge)
{
    const double a4 = closedTrailingEdge ? -0.1036 : -0.1015;
    std::vector<double> xu, yu, xl, yl;
    for (int i = 0; i < stations; ++i) {
        const double x = 0.5 * (1 - std::cos(Pi * i / (stations - 1)));
        const double yt = 5 * t
            * (0.2969 * std::sqrt(x) - 0.1260 * x - 0.3516 * x * x + 0.2843 * x * x * x
                + a4 * x * x * x * x);
        // Thickness is laid off perpendicular to the mean line.
        const double theta = std::atan(meanLineSlope(m, p, x));
        const double yc = nacaMeanLine(m, p, x);
        xu.push_back(x - yt * std::sin(theta));
        yu.push_back(yc + yt * std::cos(theta));
        xl.push_back(x + yt * std::sin(theta));
        yl.push_back(yc - yt * std::cos(theta));
    }
    NacaSection section;
    for (int i = stations - 1; i >= 0; --i) {
        section.x.push_back(xu[i]);
        section.y.push_back(yu[i]);
    }
    for (int i = 1; i < stations; ++i) {
        section.x.push_back(xl[i]);
        section.y.push_back(yl[i]);
    }
    return section;
}
