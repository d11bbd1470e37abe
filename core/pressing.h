#ifndef LIFTWISE_PRESSING_H
#define LIFTWISE_PRESSING_H

#include "coefficients.h"
#include "modification.h"

#include <QString>

#include <functional>

class Study;

// How a script presses Modify, liftwise-cli modify and the Python module alike: a count of
// presses aimed at the targets themselves, as the window's Modify presses, or presses until the
// section's own reference values reach them, as Reach Targets does; and whether the section a
// save writes reached them.
namespace Pressing {

// Told after each press: its number, the coefficients of the line pressed and the reshaped
// section's (null when an open would refuse it); answers whether to go on.
using Pressed = std::function<bool(int, const Coefficients &, const Coefficients *)>;

struct Outcome
{
    // The press whose two shapes could not reach the targets, which ends counted presses; 0
    // when there was none.
    int unreachable = 0;
    // The section a save writes misses the targets by more than Targets's reached tolerances.
    // Not said of a reshaped section an open would refuse: a save refuses that one itself.
    bool missed = false;
    // The reference values of the section a save writes, also after an unreachable press.
    Coefficients section;
};

// Presses the loaded study at its paneling towards the targets: presses times when presses > 0
// (at most Targets::MaxPresses), else until reached, at most Study::ReachPresses times.
Outcome press(Study *study, const Targets &targets, int presses, const Pressed &pressed);

// "alpha0 = -4.467 deg, cm0 = -0.0597": a section's values as the press lines give them.
QString values(const Coefficients &c);
// "press 2: the two shapes cannot reach these targets"
QString unreachableText(int press);
// "target not reached: alpha0 = -4.467 deg, cm0 = -0.0597"
QString missedText(const Coefficients &section);

} // namespace Pressing

#endif // LIFTWISE_PRESSING_H
