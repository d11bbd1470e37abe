#include "chartaxis.h"

#include "report.h"

#include <QCategoryAxis>

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

void setTicks(QCategoryAxis *axis, const QList<double> &values, const QStringList &labels)
{
    if (axis->categoriesLabels() == labels && !values.isEmpty()
        && axis->startValue() == values.first())
        return;
    for (const QString &label : axis->categoriesLabels())
        axis->remove(label);
    if (values.isEmpty())
        return;
    // The first tick ends a category of no width, so that it has a label too.
    axis->setStartValue(values.first());
    for (qsizetype i = 0; i < values.size(); ++i)
        axis->append(labels.at(i), values.at(i));
}

void labelRoundValues(QCategoryAxis *axis, int most)
{
    int decimals = 0;
    const QList<double> values = roundValues(axis->min(), axis->max(), most, &decimals);
    setTicks(axis, values, labelsOf(values, decimals));
}

void fitValueAxis(QCategoryAxis *axis, double low, double high)
{
    if (!(low <= high))
        return;
    const double room = std::max(0.05 * (high - low), 1e-4 * std::max(1.0, std::abs(high)));
    low -= room;
    high += room;
    // About five steps, widened to whole steps at either end.
    int decimals = 0;
    const double step = roundStep(high - low, 5, &decimals);
    QList<double> values;
    for (double k = std::floor(low / step + 1e-9); k <= std::ceil(high / step - 1e-9); ++k)
        values << k * step;
    if (axis->min() != values.first() || axis->max() != values.last())
        axis->setRange(values.first(), values.last());
    setTicks(axis, values, labelsOf(values, decimals));
}
