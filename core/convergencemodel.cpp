#include "convergencemodel.h"

#include "study.h"
#include "workerpool.h"

#include <QtConcurrent>

#include <algorithm>

namespace {

// The presses that changed the line; the others change nothing.
std::vector<CamberReshaping> appliedPresses(const std::vector<CamberReshaping> &presses)
{
    std::vector<CamberReshaping> applied;
    std::copy_if(presses.cbegin(), presses.cend(), std::back_inserter(applied),
        [](const CamberReshaping &press) { return press.applied; });
    return applied;
}

bool samePresses(const std::vector<CamberReshaping> &a, const std::vector<CamberReshaping> &b)
{
    return std::equal(a.cbegin(), a.cend(), b.cbegin(), b.cend(),
        [](const CamberReshaping &p, const CamberReshaping &q) {
            return p.a == q.a && p.b == q.b;
        });
}

} // namespace

ConvergenceModel::ConvergenceModel(Study *study)
    : QObject(study)
    , study(study)
{
    connect(&runner, &Convergence::resultReady, this, [this](int panels, const Coefficients &c) {
        if (take(panels, c)) {
            emit resultsChanged();
            tellIfDone();
        }
    });
    connect(&refinement, &QFutureWatcherBase::finished, this, [this] {
        if (refinement.future().resultCount() > 0)
            takeRefined();
    });
    connect(study, &Study::fileChanged, this, &ConvergenceModel::fileChanged);
    connect(study, &Study::lineChanged, this, &ConvergenceModel::lineChanged);
}

void ConvergenceModel::setSampling(bool on)
{
    if (on == sampling)
        return;
    sampling = on;
    if (on && study->isLoaded()) {
        restart();
    } else if (!on) {
        runner.cancel();
        counted.clear();
        contourCounts.clear();
        presses.clear();
        emit resultsChanged();
    }
    tellIfDone();
}

void ConvergenceModel::setExtrapolating(bool on)
{
    if (on == extrapolating)
        return;
    extrapolating = on;
    if (on) {
        refine();
    } else {
        refinement.setFuture(QFuture<Extrapolation>());
        refining = false;
        if (!extrapolated.empty()) {
            extrapolated.clear();
            emit extrapolationChanged();
        }
    }
    tellIfDone();
}

QList<int> ConvergenceModel::plannedCounts() const
{
    if (!sampling || !study->isLoaded())
        return {};
    return Convergence::sampledCounts(study->paneling().panels);
}

bool ConvergenceModel::isDone() const
{
    if (extrapolating && study->isLoaded() && !extrapolation())
        return false;
    const QList<int> planned = plannedCounts();
    return std::all_of(
        planned.cbegin(), planned.cend(), [this](int panels) { return counted.contains(panels); });
}

void ConvergenceModel::cancel()
{
    runner.cancel();
    refinement.setFuture(QFuture<Extrapolation>());
    refining = false;
    tellIfDone();
}

void ConvergenceModel::waitForFinished()
{
    waitForExtrapolation();
    const QList<int> planned = plannedCounts();
    if (std::all_of(planned.cbegin(), planned.cend(),
            [this](int panels) { return counted.contains(panels); }))
        return;
    // Every count missing is now in the run under way, which holds all of its results once
    // over, whether or not they were delivered.
    complete();
    runner.waitForFinished();
    bool changed = false;
    for (int i = 0; i < runner.counts().size(); ++i)
        changed = take(runner.counts().at(i), runner.resultAt(i)) || changed;
    if (changed)
        emit resultsChanged();
    tellIfDone();
}

void ConvergenceModel::waitForExtrapolation()
{
    if (!extrapolating || !study->isLoaded() || extrapolation())
        return;
    refine();
    refinement.waitForFinished();
    takeRefined();
}

void ConvergenceModel::fileChanged()
{
    // The earlier file's extrapolation goes with it, as fileChanged says.
    refinement.setFuture(QFuture<Extrapolation>());
    refining = false;
    extrapolated.clear();
    refine();
    if (sampling)
        restart();
    tellIfDone();
}

void ConvergenceModel::lineChanged()
{
    if (sampling) {
        const Paneling &p = study->paneling();
        const std::vector<CamberReshaping> pressed = appliedPresses(study->presses());
        if (p.leDensity != densities.leDensity || p.teDensity != densities.teDensity)
            restart();
        else if (!samePresses(pressed, presses))
            reshape(pressed);
        else
            complete();
    }
    refine();
    tellIfDone();
}

void ConvergenceModel::restart()
{
    runner.cancel();
    counted.clear();
    contourCounts.clear();
    presses.clear();
    densities = study->paneling();
    reshape(appliedPresses(study->presses()));
}

void ConvergenceModel::reshape(const std::vector<CamberReshaping> &pressed)
{
    // The contour's own line comes back with the next edit: its counts are kept for it.
    runner.cancel();
    if (presses.empty())
        contourCounts = counted;
    presses = pressed;
    counted = presses.empty() ? contourCounts : QMap<int, Coefficients>();
    complete();
    emit resultsChanged();
}

void ConvergenceModel::complete()
{
    // The run under way goes on when it works out every count still missing.
    QList<int> missing;
    bool underWay = runner.isRunning();
    for (int panels : plannedCounts()) {
        if (counted.contains(panels))
            continue;
        missing << panels;
        underWay = underWay && runner.counts().contains(panels);
    }
    if (!missing.isEmpty() && !underWay)
        runner.start(*study, missing, densities, presses);
}

void ConvergenceModel::refine()
{
    if (!extrapolating || !study->isLoaded())
        return;
    const Study::Section *section = study->section();
    if (knownExtrapolation(section->airfoil.get()) || (refining && refiningFor == section->airfoil))
        return;
    // A section the user has left is no longer worked out; undo brings it back, and with it the
    // work, anew.
    refining = true;
    refiningFor = section->airfoil;
    refiningReference = section->referenceCoefficients;
    refinement.setFuture(QtConcurrent::run(
        [contour = refiningFor, reference = refiningReference, inverses = study->inverses()] {
            const BackgroundWork givingWay;
            return extrapolationOf(*contour, reference, inverses.get());
        }));
}

const Extrapolation *ConvergenceModel::knownExtrapolation(const Airfoil *airfoil) const
{
    for (const auto &[section, extrapolation] : extrapolated) {
        if (section.get() == airfoil)
            return &extrapolation;
    }
    return nullptr;
}

const Extrapolation *ConvergenceModel::extrapolation() const
{
    return study->isLoaded() ? knownExtrapolation(study->section()->airfoil.get()) : nullptr;
}

const Extrapolation *ConvergenceModel::loadedExtrapolation() const
{
    return study->isLoaded() ? knownExtrapolation(study->airfoil()) : nullptr;
}

bool ConvergenceModel::take(int panels, const Coefficients &coefficients)
{
    if (counted.contains(panels))
        return false;
    counted.insert(panels, coefficients);
    return true;
}

void ConvergenceModel::takeRefined()
{
    // A dropped run is not taken: its watcher lets go of it.
    if (!refining)
        return;
    refining = false;
    // The section as loaded stays first; of the reshaped ones, the latest few.
    const size_t kept = 8;
    if (extrapolated.size() >= kept)
        extrapolated.erase(extrapolated.begin() + 1);
    extrapolated.emplace_back(refiningFor, refinement.result());
    refiningFor.reset();
    emit extrapolationChanged();
    tellIfDone();
}

void ConvergenceModel::tellIfDone()
{
    const bool done = isDone();
    if (done && !toldDone)
        emit finished();
    toldDone = done;
}
