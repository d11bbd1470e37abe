#include "axisticks.h"

#include "format.h"

#include <algorithm>
#include <cmath>

namespace {

// The round step for a span cut into at most `steps` steps, and the decimals it needs.
double roundStep(double span, int steps, int *decimals)
{
    const double magnitude = std::pow(10.0, std::floor(std::log10(span / steps)));
    for (const double m : {1.0, 2.0, 2.5, 5.0, 10.0}) {
        const double step = m * magnitude;
        if (span / step <= steps * (1 + 1e-9) || m == 10.0) {
            *decimals = std::max(0, int(-std::floor(std::log10(step) + 1e-9)) + (m == 2.5));
            return step;
        }
    }
    return span;
}

QStringList labelsOf(const QList<double> &values, int decimals)
{
    QStringList labels;
    for (const double v : values)
        labels << Format::fixed(v, decimals);
    return labels;
}

} // namespace

QList<double> roundValues(double low, double high, int most, int *decimals)
{
    *decimals = 0;
    if (!(low < high) || most < 2)
        return {};
    const double step = roundStep(high - low, most - 1, decimals);
    QList<double> values;
    const double first = std::ceil(low / step - 1e-9);
    const double last = std::floor(high / step + 1e-9);
    for (double k = first; k <= last; ++k)
        values << k * step;
    return values;
}

AxisTicks AxisTicks::round(double low, double high, int most)
{
    int decimals = 0;
    const QList<double> values = roundValues(low, high, most, &decimals);
    return {low, high, values, labelsOf(values, decimals)};
}

AxisTicks AxisTicks::fitted(double low, double high)
{
    if (!(low <= high))
        return {};
    const double room = std::max(0.05 * (high - low), 1e-4 * std::max(1.0, std::abs(high)));
    low -= room;
    high += room;
    // About five steps, widened to whole steps at either end.
    int decimals = 0;
    const double step = roundStep(high - low, 5, &decimals);
    QList<double> values;
    for (double k = std::floor(low / step + 1e-9); k <= std::ceil(high / step - 1e-9); ++k)
        values << k * step;
    return {values.first(), values.last(), values, labelsOf(values, decimals)};
}

AxisTicks AxisTicks::counts(double low, double high)
{
    const double first = std::pow(10.0, low);
    const double last = std::pow(10.0, high);
    QList<double> counts;
    for (const QList<double> &digits :
        {QList<double> {1, 2, 5}, QList<double> {1, 2, 3, 4, 5, 6, 7, 8, 9}}) {
        counts.clear();
        for (double power = 1; power <= last; power *= 10)
            for (const double digit : digits)
                if (digit * power >= first && digit * power <= last)
                    counts << digit * power;
        if (counts.size() >= 3)
            break;
    }
    int decimals = 0;
    if (counts.size() < 3)
        counts = roundValues(first, last, 5, &decimals);
    AxisTicks ticks {low, high, {}, labelsOf(counts, decimals)};
    for (const double n : counts)
        ticks.values << std::log10(n);
    return ticks;
}
