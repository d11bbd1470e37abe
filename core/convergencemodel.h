#ifndef LIFTWISE_CONVERGENCEMODEL_H
#define LIFTWISE_CONVERGENCEMODEL_H

#include "coefficients.h"
#include "convergence.h"
#include "extrapolation.h"
#include "modification.h"
#include "paneling.h"

#include <QFutureWatcher>
#include <QList>
#include <QMap>
#include <QObject>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

class Airfoil;
class Study;

// All that a study works out in the background, for the views that show how its values
// converge: the coefficients of the contour's camber line at the sampled counts of the study's
// paneling (Convergence::sampledCounts), at its densities and reshaped by its Modify presses if
// any; and the reference values extrapolated from the 200, 400 and 800-panel lines. Follows the
// study: a load or a density change drops the work under way and starts anew, a new panel
// count works out only the counts its plan lacks, presses work the counts out for the reshaped
// line, and the edit that ends them brings back the contour's own counts, kept meanwhile. The
// counts run at idle priority and give way to the user's steps, unless set otherwise. Nothing is
// worked out while both are off, as they are at first.
class ConvergenceModel : public QObject
{
    Q_OBJECT

public:
    // Owned by the study, which it follows from the start.
    explicit ConvergenceModel(Study *study);

    // Whether the counts and the extrapolation are worked out. Switched on after a load, the
    // work starts at once; switched off, it is dropped with what it found.
    void setSampling(bool on);
    void setExtrapolating(bool on);
    // The counts run in the background at first, for a window whose user goes on working; a
    // front end that only waits for them (liftwise-cli report) takes the foreground, before
    // its first load.
    void setPriority(Convergence::Priority priority) { runner.setPriority(priority); }

    // The counts of the plan for the study as it is now; none before a load or while sampling
    // is off.
    QList<int> plannedCounts() const;
    // The coefficients worked out so far, by panel count: once done, every planned count, and
    // beside them those kept from an earlier count's plan.
    const QMap<int, Coefficients> &results() const { return counted; }
    // The reference coefficients extrapolated from the reference and the two finer panelings (see
    // Extrapolation), of
    // the section a save writes (the reshaped one once pressed) and of the section as loaded;
    // null until worked out. Those of the sections the presses and undo went through are kept.
    const Extrapolation *extrapolation() const;
    const Extrapolation *loadedExtrapolation() const;
    // Whether every planned count and the extrapolation, of those switched on, are in.
    bool isDone() const;

    // Drops the work under way, keeping what is in; the study's next change, or a wait, takes
    // it up again.
    void cancel();
    // Blocks until every planned count and the extrapolation are in results() and
    // extrapolation(); takes them from the runs themselves, so that no event loop need run.
    // Not from within a user's step, which background counts give way to.
    void waitForFinished();
    // The same for the extrapolation alone, for front ends that show it at once.
    void waitForExtrapolation();

signals:
    // results() changed: a count came in, or the plan started anew or was reshaped.
    void resultsChanged();
    // The extrapolation of the file loaded came in, or was dropped with extrapolating.
    void extrapolationChanged();
    // Every planned count and the extrapolation are in, after some were missing.
    void finished();

private:
    void fileChanged();
    void lineChanged();
    // Drops the counts and their run and works out the study's counts anew.
    void restart();
    // Works out the counts for the line reshaped by the presses instead.
    void reshape(const std::vector<CamberReshaping> &pressed);
    // Works out the counts of the plan that are not yet known and not under way.
    void complete();
    // Starts the finer lines when the extrapolation is wanted, missing and not under way.
    void refine();
    // Takes a count from the run; whether it was missing.
    bool take(int panels, const Coefficients &coefficients);
    void takeRefined();
    void tellIfDone();

    const Study *study;
    bool sampling = false;
    bool extrapolating = false;
    // The paneling the runs were started at; only its densities matter to them.
    Paneling densities;
    // The presses the counts are for: those applied since the line was built.
    std::vector<CamberReshaping> presses;
    Convergence runner {Convergence::Priority::Background, this};
    QMap<int, Coefficients> counted;
    // The contour's own counts while those of presses are shown.
    QMap<int, Coefficients> contourCounts;
    // The section's extrapolation, if known.
    const Extrapolation *knownExtrapolation(const Airfoil *airfoil) const;

    QFutureWatcher<Extrapolation> refinement {this};
    bool refining = false;
    // The section the refinement under way is for, and its reference values.
    std::shared_ptr<const Airfoil> refiningFor;
    Coefficients refiningReference;
    // The sections' extrapolations, the latest last, a few at most.
    std::vector<std::pair<std::shared_ptr<const Airfoil>, Extrapolation>> extrapolated;
    // Whether finished was said for the work as it stands.
    bool toldDone = true;
};

#endif // LIFTWISE_CONVERGENCEMODEL_H
