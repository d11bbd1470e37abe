#include "naca.h"

#include <cmath>

namespace {

const double Pi = 3.141592653589793;

// x ln x, and its limit 0 at x = 0.
double xLogX(double x) { return x > 0.0 ? x * std::log(x) : 0.0; }

} // namespace

MeanLine fourDigitMeanLine(double m, double p)
{
    if (m == 0.0 || p <= 0.0 || p >= 1.0)
        return {[](double) { return 0.0; }, [](double) { return 0.0; }};
    return {[=](double x) {
                return x < p ? m / (p * p) * (2 * p * x - x * x)
                             : m / ((1 - p) * (1 - p)) * ((1 - 2 * p) + 2 * p * x - x * x);
            },
        [=](double x) {
            return x < p ? 2 * m / (p * p) * (p - x) : 2 * m / ((1 - p) * (1 - p)) * (p - x);
        }};
}

MeanLine fiveDigitMeanLine(int l, int p, int q)
{
    // Abbott and von Doenhoff, Theory of Wing Sections, 4.3: r and k1 of the standard lines,
    // and r, k1 and k2/k1 of the reflexed ones, for a design lift of 0.3.
    struct Constants
    {
        double r, k1, k2k1;
    };
    static const Constants standard[] = {{0.0580, 361.400, 0.0}, {0.1260, 51.640, 0.0},
        {0.2025, 15.957, 0.0}, {0.2900, 6.643, 0.0}, {0.3910, 3.230, 0.0}};
    static const Constants reflexed[] = {{0.0, 0.0, 0.0}, {0.1300, 51.990, 0.000764},
        {0.2170, 15.793, 0.00677}, {0.3180, 6.520, 0.0303}, {0.4410, 3.191, 0.1355}};
    if (l < 1 || l > 9 || p < 1 || p > 5 || q < 0 || q > 1 || (q == 1 && p == 1))
        return {};
    const Constants c = q == 0 ? standard[p - 1] : reflexed[p - 1];
    const double scale = l / 2.0;
    const double r = c.r, k1 = c.k1, k = c.k2k1;
    if (q == 0) {
        return {[=](double x) {
                    return scale * k1 / 6
                        * (x < r ? x * x * x - 3 * r * x * x + r * r * (3 - r) * x
                                 : r * r * r * (1 - x));
                },
            [=](double x) {
                return scale * k1 / 6
                    * (x < r ? 3 * x * x - 6 * r * x + r * r * (3 - r) : -r * r * r);
            }};
    }
    const double tail = k * (1 - r) * (1 - r) * (1 - r) + r * r * r;
    return {[=](double x) {
                const double cube = (x - r) * (x - r) * (x - r);
                return scale * k1 / 6 * ((x < r ? cube : k * cube) - tail * x + r * r * r);
            },
        [=](double x) {
            const double square = 3 * (x - r) * (x - r);
            return scale * k1 / 6 * ((x < r ? square : k * square) - tail);
        }};
}

MeanLine aSeriesMeanLine(double a, double cl)
{
    // Abbott and von Doenhoff, 4.5; a = 1, the uniform load, as the limit of the general form.
    if (a >= 1.0) {
        const double f = -cl / (4 * Pi);
        return {[=](double x) { return f * (xLogX(1 - x) + xLogX(x)); },
            [=](double x) {
                return x <= 0.0 || x >= 1.0 ? 0.0 : f * (std::log(x) - std::log(1 - x));
            }};
    }
    const double g = -1 / (1 - a) * (a * a * (0.5 * std::log(a > 0.0 ? a : 1.0) - 0.25) + 0.25);
    const double h
        = 1 / (1 - a) * (0.5 * (1 - a) * (1 - a) * std::log(1 - a) - 0.25 * (1 - a) * (1 - a)) + g;
    const double f = cl / (2 * Pi * (a + 1));
    return {
        [=](double x) {
            const double d = a - x, e = 1 - x;
            const double dSquareLogD = d == 0.0 ? 0.0 : d * d * std::log(std::fabs(d));
            return f
                * ((0.5 * dSquareLogD - 0.5 * e * xLogX(e) + 0.25 * e * e - 0.25 * d * d) / (1 - a)
                    - xLogX(x) + g - h * x);
        },
        [=](double x) {
            if (x <= 0.0 || x >= 1.0)
                return 0.0;
            const double d = a - x, e = 1 - x;
            const double dLogD = d == 0.0 ? 0.0 : d * std::log(std::fabs(d));
            return f * ((e * std::log(e) - dLogD) / (1 - a) - std::log(x) - 1 - h);
        }};
}

NacaSection nacaSection(const MeanLine &meanLine, double t, int stations, bool closedTrailingEdge)
{
    const double a4 = closedTrailingEdge ? -0.1036 : -0.1015;
    std::vector<double> xu, yu, xl, yl;
    for (int i = 0; i < stations; ++i) {
        const double x = 0.5 * (1 - std::cos(Pi * i / (stations - 1)));
        const double yt = 5 * t
            * (0.2969 * std::sqrt(x) - 0.1260 * x - 0.3516 * x * x + 0.2843 * x * x * x
                + a4 * x * x * x * x);
        // Thickness is laid off perpendicular to the mean line.
        const double theta = std::atan(meanLine.slope(x));
        const double yc = meanLine.y(x);
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

NacaSection nacaFourDigit(double m, double p, double t, int stations, bool closedTrailingEdge)
{
    return nacaSection(fourDigitMeanLine(m, p), t, stations, closedTrailingEdge);
}
