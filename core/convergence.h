#ifndef LIFTWISE_CONVERGENCE_H
#define LIFTWISE_CONVERGENCE_H

#include "coefficients.h"
#include "modification.h"
#include "paneling.h"

#include <QFutureWatcher>
#include <QList>
#include <QObject>
#include <QThreadPool>

#include <vector>

class Study;

// The coefficients of a study's contour against the panel count at one pair of densities:
// every count of a range for liftwise-cli sweep, the counts a ConvergenceModel plans. Worked
// out on a pool of one thread a core, each count on its own thread, one run at a time. A
// background run (the window's) takes its threads below normal priority and pauses while any
// of the user's own steps runs, so that those never wait for it.
class Convergence : public QObject
{
    Q_OBJECT

public:
    enum class Priority { Foreground, Background };

    explicit Convergence(Priority priority, QObject *parent = nullptr);
    // Drops the run under way; the count in hand finishes on its own and is not delivered.
    ~Convergence() override;

    // The tab's counts for a paneling of panels: every count up to 30, then 40 counts evenly
    // spaced in log n towards the first of 200, 300, 450, 675 and 999 that reaches panels, up to
    // the larger of 200 and panels, and always 200 and panels themselves. Ascending.
    static QList<int> sampledCounts(int panels);

    // Drops the run under way and works out the coefficients at the counts, at the densities of
    // the paneling, for the file the study has loaded (nothing before a load): of the contour's
    // camber line, reshaped by the presses if any are given. The run holds on to that file's
    // contour, so the study may load another or go while it runs.
    void start(const Study &study, const QList<int> &counts, const Paneling &densities,
        const std::vector<CamberReshaping> &presses = {});
    void cancel();
    // Until the run's last result is delivered; a run that nobody delivers for (no event loop)
    // counts as running.
    bool isRunning() const { return running; }
    void waitForFinished() { watcher.waitForFinished(); }
    // How many counts are worked out at once; one a core unless set.
    void setThreads(int threads) { pool.setMaxThreadCount(threads); }
    // For the runs started from now on; the pool's threads keep the priority they started
    // with, so it is set before the first run.
    void setPriority(Priority priority);

    // The run's counts, and the coefficients at counts().at(index), waited for.
    const QList<int> &counts() const { return runCounts; }
    Coefficients resultAt(int index) const;

signals:
    // The coefficients at panels have come in (delivered in the thread the object lives in,
    // while its event loop runs).
    void resultReady(int panels, const Coefficients &coefficients);
    void finished();

private:
    Priority runPriority;
    QThreadPool pool;
    QFutureWatcher<Coefficients> watcher;
    QList<int> runCounts;
    bool running = false;
};

#endif // LIFTWISE_CONVERGENCE_H
