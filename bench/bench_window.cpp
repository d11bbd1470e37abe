#include "comparisonroom.h"
#include "convergence.h"
#include "mainwindow.h"
#include "naca.h"
#include "study.h"
#include "workspace.h"

#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QThread>

#include <benchmark/benchmark.h>

#include <malloc.h>

namespace {

// A NACA 2412 of 299 points written as a user's file would be.
QString writeSection(const QTemporaryDir &dir)
{
    const NacaSection section = nacaFourDigit(0.02, 0.4, 0.12, 150, false);
    const QString path = dir.filePath(QStringLiteral("naca2412.dat"));
    QFile file(path);
    if (!file.open(QFile::WriteOnly | QFile::Text))
        return QString();
    file.write("NACA 2412\n");
    for (size_t i = 0; i < section.x.size(); ++i)
        file.write(QByteArray::number(section.x[i], 'f', 6) + " "
            + QByteArray::number(section.y[i], 'f', 6) + "\n");
    return path;
}

QSpinBox *panelsOf(MainWindow &window)
{
    for (QSpinBox *box : window.findChildren<QSpinBox *>())
        if (box->accessibleName() == QLatin1String("number of panels"))
            return box;
    return nullptr;
}

// Modify presses only towards targets the section misses: the alpha0 target goes by turns one
// and two degrees below where the field began, so that every press reshapes.
void aimAway(MainWindow &window, double from, bool further)
{
    for (QDoubleSpinBox *box : window.findChildren<QDoubleSpinBox *>())
        if (box->accessibleName() == QLatin1String("alpha0 [deg]"))
            box->setValue(from - (further ? 2.0 : 1.0));
}

double alpha0Field(MainWindow &window)
{
    for (QDoubleSpinBox *box : window.findChildren<QDoubleSpinBox *>())
        if (box->accessibleName() == QLatin1String("alpha0 [deg]"))
            return box->value();
    return 0.0;
}

// Between two edits the event loop runs and settles the scene (item polishing, updates) and
// runs the paneling step the edit asked for; a loop of slot calls without it piles that work up
// and times it in the wrong place. The study's background work (the Convergence tab's counts,
// the extrapolation) ends there too, so that it does not compete with the step timed.
void settle(MainWindow &window)
{
    QCoreApplication::processEvents();
    // Every section's, the current one's and those compared with it.
    const Workspace *workspace = window.findChild<Workspace *>();
    for (int i = 0; i < workspace->count(); ++i)
        workspace->study(i)->convergence().waitForFinished();
    QCoreApplication::processEvents();
}

void settle(benchmark::State &state, MainWindow &window)
{
    state.PauseTiming();
    settle(window);
    state.ResumeTiming();
}

// Times Modify presses, each towards targets the section misses, from a settled window; with
// the redraw the press asks for where redrawn is set.
void timePresses(benchmark::State &state, MainWindow &window, QPushButton *modify, bool redrawn)
{
    const double from = alpha0Field(window);
    bool further = false;
    for (auto _ : state) {
        settle(state, window);
        state.PauseTiming();
        aimAway(window, from, further = !further);
        state.ResumeTiming();
        emit modify->pressed();
        if (redrawn)
            QCoreApplication::processEvents();
    }
}

} // namespace

// The whole paneling step of a new panel count: new line, coefficients with a new inverse,
// texts, redraw. The count goes back and forth between N and N - 1, so that no step finds the
// inverse of its stations kept.
static void BM_PanelingStep(benchmark::State &state)
{
    QTemporaryDir dir;
    MainWindow window;
    window.loadFile(writeSection(dir));
    QSpinBox *panels = panelsOf(window);
    const int n = int(state.range(0));
    panels->setValue(n);
    for (auto _ : state) {
        settle(state, window);
        panels->setValue(panels->value() == n ? n - 1 : n);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_PanelingStep)->Arg(8)->Arg(200)->Arg(999)->Unit(benchmark::kMillisecond);

// The same step while the Convergence tab of another 999-panel line works in the background,
// as after a load or a density change: the step should hardly notice it.
static void BM_PanelingStepWhileConverging(benchmark::State &state)
{
    QTemporaryDir dir;
    MainWindow window;
    const QString path = writeSection(dir);
    window.loadFile(path);
    QSpinBox *panels = panelsOf(window);
    const int n = int(state.range(0));
    panels->setValue(n);
    Study other;
    other.loadFile(path, Paneling {999, 2.5, 2.0});
    Convergence background(Convergence::Priority::Background);
    for (auto _ : state) {
        state.PauseTiming();
        settle(window);
        if (!background.isRunning())
            background.start(other, Convergence::sampledCounts(999), other.paneling());
        // The run is under way on every core before the step starts.
        QThread::msleep(20);
        state.ResumeTiming();
        panels->setValue(panels->value() == n ? n - 1 : n);
        QCoreApplication::processEvents();
    }
    background.cancel();
}
BENCHMARK(BM_PanelingStepWhileConverging)->Arg(999)->Unit(benchmark::kMillisecond);

// One press of Modify after a load at N panels: the reshaping, the coefficients of the three
// lines on the same stations, the texts and the redraw of the paneling.
static void BM_ModifyPress(benchmark::State &state)
{
    QTemporaryDir dir;
    MainWindow window;
    QSpinBox *panels = panelsOf(window);
    panels->setValue(int(state.range(0)));
    window.loadFile(writeSection(dir));
    timePresses(state, window, window.findChild<QPushButton *>(), false);
}
BENCHMARK(BM_ModifyPress)->Arg(8)->Arg(200)->Arg(999)->Unit(benchmark::kMillisecond);

// Opening a 299-point file at the default paneling: reading, reference and paneled solutions,
// texts and drawing.
static void BM_LoadFile(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = writeSection(dir);
    MainWindow window;
    for (auto _ : state) {
        settle(state, window);
        window.loadFile(path);
    }
}
BENCHMARK(BM_LoadFile)->Unit(benchmark::kMillisecond);

namespace {

// The window holding count NACA sections of 2 to 4 % camber, all visible, at 200 panels, each
// section's background work done; the heap it took for them, in bytes.
long loadSections(QTemporaryDir &dir, MainWindow &window, int count)
{
    // The heap in use, which the sections' studies take their memory from.
    const auto resident = [] { return long(mallinfo2().uordblks); };
    panelsOf(window)->setValue(200);
    QStringList paths;
    for (int i = 0; i < count; ++i) {
        const NacaSection section
            = nacaFourDigit(0.02 + 0.02 * i / count, 0.3 + 0.02 * (i % 10), 0.12, 61, false);
        const QString path = dir.filePath(QStringLiteral("section%1.dat").arg(i));
        QFile file(path);
        if (!file.open(QFile::WriteOnly))
            return 0;
        file.write(QByteArray("NACA section ") + QByteArray::number(i) + "\n");
        for (size_t k = 0; k < section.x.size(); ++k)
            file.write(QByteArray::number(section.x[k], 'f', 6) + " "
                + QByteArray::number(section.y[k], 'f', 6) + "\n");
        paths << path;
    }
    const long before = resident();
    window.findChild<ComparisonRoom *>()->addFiles(paths);
    settle(window);
    return resident() - before;
}

} // namespace

// Choosing another of N sections in the list at 200 panels, the others drawn under it: the
// rooms, the panels, the diagram with its overlays, the plots and the comparison table. The
// heap the N sections took, in all and per section, are the counters: set against N, the first
// section's share of what is made once (the 200-panel inverse, the table's widgets) falls away.
static void BM_SwitchSection(benchmark::State &state)
{
    QTemporaryDir dir;
    MainWindow window;
    const int count = int(state.range(0));
    const long bytes = loadSections(dir, window, count);
    QListWidget *list = window.findChild<QListWidget *>();
    for (auto _ : state) {
        settle(state, window);
        list->setCurrentRow(list->currentRow() == 0 ? 1 : 0);
        QCoreApplication::processEvents();
    }
    state.counters["heapBytes"] = double(bytes);
    state.counters["heapPerSection"] = double(bytes) / count;
}
BENCHMARK(BM_SwitchSection)->Arg(2)->Arg(20)->Unit(benchmark::kMillisecond);

// A press of Modify at 200 panels with N sections drawn under the current one.
static void BM_ModifyPressWithSections(benchmark::State &state)
{
    QTemporaryDir dir;
    MainWindow window;
    loadSections(dir, window, int(state.range(0)));
    QPushButton *modify = nullptr;
    for (QPushButton *button : window.findChildren<QPushButton *>())
        if (button->text() == QLatin1String("Modify"))
            modify = button;
    timePresses(state, window, modify, true);
}
BENCHMARK(BM_ModifyPressWithSections)->Arg(20)->Unit(benchmark::kMillisecond);
