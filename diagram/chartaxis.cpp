#include "chartaxis.h"

#include "axisticks.h"

#include <QCategoryAxis>

#include <algorithm>

void setTicks(QCategoryAxis *axis, const AxisTicks &ticks)
{
    if (axis->categoriesLabels() == ticks.labels && !ticks.values.isEmpty()
        && axis->startValue() == ticks.values.first())
        return;
    for (const QString &label : axis->categoriesLabels())
        axis->remove(label);
    if (ticks.values.isEmpty())
        return;
    // The first tick ends a category of no width, so that it has a label too.
    axis->setStartValue(ticks.values.first());
    for (qsizetype i = 0; i < ticks.values.size(); ++i)
        axis->append(ticks.labels.at(i), ticks.values.at(i));
}

void labelRoundValues(QCategoryAxis *axis, int most)
{
    setTicks(axis, AxisTicks::round(axis->min(), axis->max(), most));
}

void fitValueAxis(QCategoryAxis *axis, double low, double high)
{
    const AxisTicks ticks = AxisTicks::fitted(low, high);
    if (ticks.values.isEmpty())
        return;
    if (axis->min() != ticks.min || axis->max() != ticks.max)
        axis->setRange(ticks.min, ticks.max);
    setTicks(axis, ticks);
}

void widenToShown(
    const QList<QPointF> &points, double min, double max, double *low, double *high, int from)
{
    const auto take = [&](double y) {
        *low = std::min(*low, y);
        *high = std::max(*high, y);
    };
    for (qsizetype i = from; i < points.size(); ++i) {
        const QPointF &p = points.at(i);
        if (p.x() >= min && p.x() <= max)
            take(p.y());
        if (i == from)
            continue;
        // Where the segment from the point before crosses an edge of the range.
        const QPointF &q = points.at(i - 1);
        for (const double edge : {min, max}) {
            if ((q.x() - edge) * (p.x() - edge) < 0)
                take(q.y() + (edge - q.x()) / (p.x() - q.x()) * (p.y() - q.y()));
        }
    }
}
