#ifndef LIFTWISE_CHARTAXIS_H
#define LIFTWISE_CHARTAXIS_H

#include <QList>
#include <QPointF>

QT_BEGIN_NAMESPACE
class QCategoryAxis;
QT_END_NAMESPACE

struct AxisTicks;

// The plots' axes carry their labels as categories, so that each label reads as AxisTicks words
// it, as on the printed page.

// A labelled tick at each of the ticks' values, in place of those before.
void setTicks(QCategoryAxis *axis, const AxisTicks &ticks);
// Labels the axis at round values within its range, at most `most` of them.
void labelRoundValues(QCategoryAxis *axis, int most);
// Sets the axis to the range AxisTicks::fitted gives for low to high, with its ticks; leaves it
// alone when it spans that already, since every new range recomputes each series on the axis.
void fitValueAxis(QCategoryAxis *axis, double low, double high);

// Widens low and high to the values the line through the points (from the point at index `from`
// on) takes between x = min and x = max, its ends at those edges included.
void widenToShown(
    const QList<QPointF> &points, double min, double max, double *low, double *high, int from = 0);

#endif // LIFTWISE_CHARTAXIS_H
