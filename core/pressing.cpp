#include "pressing.h"

#include "format.h"
#include "study.h"

namespace Pressing {

Outcome press(Study *study, const Targets &targets, int presses, const Pressed &pressed)
{
    Outcome outcome;
    if (!study->isLoaded())
        return outcome;
    // 1. Counted presses aim at the targets, as the window's Modify does, and stop at a section
    //    an open would refuse. Otherwise the study presses until the section's own values
    //    reach them, as the window's Reach Targets does.
    if (presses > 0) {
        for (int k = 1; k <= presses; ++k) {
            if (!study->modify(targets).applied) {
                outcome.unreachable = k;
                outcome.section = study->section()->referenceCoefficients;
                return outcome;
            }
            if (pressed)
                pressed(k, study->paneledCoefficients(), study->reshapedReference());
            if (!study->reshapedReference())
                break;
        }
    } else {
        study->reachTargets(targets, study->paneling(), Study::ReachPresses, pressed);
    }
    // 2. What a save writes, against the targets.
    outcome.section = study->section()->referenceCoefficients;
    outcome.missed = (study->presses().empty() || study->reshapedSection())
        && !targets.reachedBy(
            outcome.section, radians(Targets::ReachedAlpha0Degrees), Targets::ReachedCm0);
    return outcome;
}

QString values(const Coefficients &c)
{
    return QStringLiteral("alpha0 = %1 deg, cm0 = %2")
        .arg(Format::fixed(degrees(c.alpha0), 3), Format::fixed(c.cm0, 4));
}

QString unreachableText(int press)
{
    return QStringLiteral("press %1: the two shapes cannot reach these targets").arg(press);
}

QString missedText(const Coefficients &section)
{
    return QStringLiteral("target not reached: ") + values(section);
}

} // namespace Pressing
