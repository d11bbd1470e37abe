#ifndef LIFTWISE_CHARTAXIS_H
#define LIFTWISE_CHARTAXIS_H

#include <QList>
#include <QStringList>

QT_BEGIN_NAMESPACE
class QCategoryAxis;
QT_END_NAMESPACE

// The plots' axes carry their labels as categories, so that each label reads as the plots want
// it: with the decimals its step needs, and zero without a sign.

// Round values from low to high at a step of 1, 2, 2.5 or 5 times a power of ten, as few steps
// as that allows but no more than most - 1 of them (most >= 2); the decimals the step needs go
// to decimals.
QList<double> roundValues(double low, double high, int most, int *decimals);
// A labelled tick at each value, ascending, in place of those before.
void setTicks(QCategoryAxis *axis, const QList<double> &values, const QStringList &labels);
// Labels the axis at round values within its range, at most `most` of them.
void labelRoundValues(QCategoryAxis *axis, int most);
// Sets the axis to span low to high with 5 % room, widened to round values with a labelled
// tick at each; leaves it alone when it spans that already, since every new range recomputes
// each series on the axis.
void fitValueAxis(QCategoryAxis *axis, double low, double high);

#endif // LIFTWISE_CHARTAXIS_H
