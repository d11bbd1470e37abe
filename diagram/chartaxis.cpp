#include "chartaxis.h"

#include "axisticks.h"

#include <QCategoryAxis>

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
