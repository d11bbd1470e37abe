#ifndef LIFTWISE_CHARTAXIS_H
#define LIFTWISE_CHARTAXIS_H

#include <QtGlobal>

QT_BEGIN_NAMESPACE
class QValueAxis;
QT_END_NAMESPACE

// Sets the axis to span low to high with 5 % room, at round numbers; leaves it alone when it
// spans that already, since every new range recomputes each series on the axis.
void fitValueAxis(QValueAxis *axis, double low, double high);

#endif // LIFTWISE_CHARTAXIS_H
