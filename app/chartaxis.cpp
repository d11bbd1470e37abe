#include "chartaxis.h"

#include <QValueAxis>

#include <algorithm>

void fitValueAxis(QValueAxis *axis, double low, double high)
{
    if (!(low <= high))
        return;
    const double room = std::max(0.05 * (high - low), 1e-4 * std::max(1.0, qAbs(high)));
    // Rounded on an axis of no chart, which redraws nothing, from its default five ticks.
    QValueAxis round;
    round.setRange(low - room, high + room);
    round.applyNiceNumbers();
    if (round.min() == axis->min() && round.max() == axis->max()
        && round.tickCount() == axis->tickCount())
        return;
    axis->setRange(round.min(), round.max());
    axis->setTickCount(round.tickCount());
}
