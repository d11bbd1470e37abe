#include "convergence.h"

#include "analysis.h"
#include "study.h"
#include "workerpool.h"

#include <QtConcurrent>

#include <algorithm>
#include <cmath>
#include <optional>

Convergence::Convergence(Priority priority, QObject *parent)
    : QObject(parent)
{
    // One count a core: each count's inversion keeps to its thread.
    pool.setMaxThreadCount(QThread::idealThreadCount());
    setPriority(priority);
    connect(&watcher, &QFutureWatcherBase::resultsReadyAt, this, [this](int begin, int end) {
        for (int i = begin; i < end; ++i)
            emit resultReady(runCounts.at(i), watcher.resultAt(i));
    });
    // Delivered after the results, unlike the future's own state.
    connect(&watcher, &QFutureWatcherBase::finished, this, [this] {
        running = false;
        emit finished();
    });
}

Convergence::~Convergence() { cancel(); }

void Convergence::setPriority(Priority priority)
{
    runPriority = priority;
    pool.setThreadPriority(
        priority == Priority::Background ? QThread::IdlePriority : QThread::InheritPriority);
}

QList<int> Convergence::sampledCounts(int panels)
{
    const int every = 30;
    const int reference = Paneling::reference().panels;
    QList<int> counts;
    for (int n = Paneling::MinPanels; n <= every; ++n)
        counts << n;
    // The spacing depends on panels only through the end of its range, so that a new count
    // within the range reuses every count worked out before.
    double end = reference;
    while (end < panels && end < Paneling::MaxPanels)
        end = std::min(1.5 * end, double(Paneling::MaxPanels));
    const int upTo = std::max(reference, panels);
    const int steps = 40;
    for (int k = 1; k <= steps; ++k) {
        const int n = int(std::lround(every * std::pow(end / every, double(k) / steps)));
        if (n <= upTo)
            counts << n;
    }
    counts << reference << panels;
    std::sort(counts.begin(), counts.end());
    counts.erase(std::unique(counts.begin(), counts.end()), counts.end());
    return counts;
}

void Convergence::start(const Study &study, const QList<int> &counts, const Paneling &densities,
    const std::vector<CamberReshaping> &presses)
{
    cancel();
    runCounts = counts;
    const std::shared_ptr<const Airfoil> contour = study.sharedAirfoil();
    if (!contour)
        return;
    const std::shared_ptr<InverseCache> inverses = study.inverses();
    const bool background = runPriority == Priority::Background;
    running = true;
    watcher.setFuture(QtConcurrent::mapped(&pool, runCounts, [=](int panels) {
        std::optional<BackgroundWork> givingWay;
        if (background)
            givingWay.emplace();
        Camberline line
            = camberlineOf(*contour, Paneling {panels, densities.leDensity, densities.teDensity});
        applyPresses(line, presses);
        // The inverses of a run pass by: they use those kept for the study's lines but keep
        // none, so as not to push those out.
        return coefficientsOf(line, inverses.get(), false);
    }));
}

void Convergence::cancel()
{
    watcher.cancel();
    watcher.setFuture(QFuture<Coefficients>());
    running = false;
}

Coefficients Convergence::resultAt(int index) const { return watcher.future().resultAt(index); }
