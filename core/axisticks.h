#ifndef LIFTWISE_AXISTICKS_H
#define LIFTWISE_AXISTICKS_H

#include <QList>
#include <QStringList>

// The labelled ticks along an axis of the Loading and Convergence plots, the same in the
// window's charts and on the printed page: each label with the decimals its step needs, and
// zero without a sign.
struct AxisTicks
{
    // The range the axis spans, in the units the series hold.
    double min = 0.0;
    double max = 0.0;
    // Where the ticks stand, ascending, and what each one says.
    QList<double> values;
    QStringList labels;

    // Round values within low to high, at most `most` of them (most >= 2), spanning low to
    // high; none where low is not below high.
    static AxisTicks round(double low, double high, int most);
    // Spans low to high with 5 % room, widened to round values at either end, with about five
    // steps; none where low is above high or either is not a number.
    static AxisTicks fitted(double low, double high);
    // The panel counts n, held as log10 n, within 10^low to 10^high: 1, 2 and 5 times a power
    // of ten, or every digit where those are fewer than three, or else round counts.
    static AxisTicks counts(double low, double high);
};

// Round values from low to high at a step of 1, 2, 2.5 or 5 times a power of ten, as few steps
// as that allows but no more than most - 1 of them (most >= 2); the decimals the step needs go
// to decimals.
QList<double> roundValues(double low, double high, int most, int *decimals);

#endif // LIFTWISE_AXISTICKS_H
