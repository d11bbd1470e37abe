#include "analysis.h"
#include "convergence.h"
#include "extrapolation.h"
#include "geometry.h"
#include "oddfiles.h"
#include "report.h"
#include "study.h"
#include "vortexmethod.h"
#include "workspace.h"

#include <QtTest>

#include <csignal>
#include <cstring>
#include <thread>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

// Everything a view could show of a study, to tell whether anything changed.
QString shown(const Study &study)
{
    if (!study.isLoaded())
        return QStringLiteral("nothing");
    return study.path() + Report::fileLines(study).join('\n')
        + Report::panelingLines(study).join('\n') + Report::panelAngleLine(*study.paneledLine());
}

// A device that gives the bytes up to a point and fails from there on, as a failing disk does.
class FailingDevice : public QIODevice
{
public:
    FailingDevice(const QByteArray &bytes, qint64 failAt)
        : bytes(bytes)
        , failAt(failAt)
    {
        open(QIODevice::ReadOnly);
    }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 size) override
    {
        if (at == failAt) {
            setErrorString(QStringLiteral("Input/output error"));
            return -1;
        }
        size = qMin(size, failAt - at);
        std::memcpy(data, bytes.constData() + at, size_t(size));
        at += size;
        return size;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray bytes;
    qint64 failAt;
    qint64 at = 0;
};

bool sameBits(const Coefficients &a, const Coefficients &b)
{
    return std::memcmp(&a, &b, sizeof(Coefficients)) == 0;
}

bool sameBits(const QMap<int, Coefficients> &a, const QMap<int, Coefficients> &b)
{
    return a.keys() == b.keys()
        && std::equal(a.cbegin(), a.cend(), b.cbegin(),
            [](const Coefficients &p, const Coefficients &q) { return sameBits(p, q); });
}

// Whether the study's convergence is done with its counts ending at last, each to the bit as a
// sweep of the study's file at its densities, reshaped by its presses, gives it.
bool isTheSweep(const Study &study, int last)
{
    const QMap<int, Coefficients> &results = study.convergence().results();
    if (!study.convergence().isDone() || results.isEmpty() || results.lastKey() != last)
        return false;
    const QList<int> counts = results.keys();
    Convergence sweep(Convergence::Priority::Foreground);
    sweep.start(study, counts, study.paneling(), study.presses());
    for (int i = 0; i < counts.size(); ++i)
        if (!sameBits(sweep.resultAt(i), results.value(counts.at(i))))
            return false;
    return true;
}

} // namespace

class tst_Study : public QObject
{
    Q_OBJECT

private slots:
    void oddFiles_data() { addOddFileRows(); }
    void oddFiles();
    void defaultPanelWidths();
    void extrapolationLines_data();
    void extrapolationLines();
    void targetsPresetAsTheFieldsTakeThem();
    void pressAfterAPanelingChange();
    void reachTargets();
    void modifyWorkedCase();
    void everyCallBeforeALoad();
    void sharedInversesAreMadeOnce();
    void sampledCounts_data();
    void sampledCounts();
    void convergenceReusesCounts();
    void convergenceDropsWhatIsDropped();
    void convergenceFollowsPressesAndUndo();
    void convergenceWaitedForWithoutEventLoop();
    void keptInversesChangeNoBits();
    void undoneStepsLeaveNoTrace_data();
    void undoneStepsLeaveNoTrace();
    void savedAfterPressesReachesTheTargets();
    void savedAsLoadedAnalysesAlike();
    void designedTitleKeepsToTheLine();
    void workspaceKeepsEachSection();
    void sectionsSharedAndTakenAsTheyStand();
    void failedSaveLeavesNothingBehind();
    void savesReadBack_data();
    void savesReadBack();
    void readErrorsRefused_data();
    void readErrorsRefused();
    void onlyRegularFilesReplaced_data();
    void onlyRegularFilesReplaced();

private:
    QString write(const QString &name, const QByteArray &bytes);
    QTemporaryDir dir;
};

QString tst_Study::write(const QString &name, const QByteArray &bytes)
{
    return writeFile(dir, name, bytes);
}

void tst_Study::oddFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, isDirectory);
    QFETCH(bool, loads);
    QFETCH(QString, told);
    QFETCH(QByteArray, same);

    const QString path = isDirectory ? dir.path() : write(QStringLiteral("odd.dat"), bytes);
    // Before and after an earlier load: a refused file changes nothing and says nothing.
    for (const bool earlier : {false, true}) {
        Study study;
        if (earlier)
            QVERIFY(!study.loadFile(write(QStringLiteral("kept.dat"), nacaFile(0.04, 0.3, 0.1))));
        const QString before = shown(study);
        QSignalSpy changes(&study, &Study::fileChanged);
        const Study::Refusal refusal = study.loadFile(path);
        if (!loads) {
            QCOMPARE(
                refusal.kind, isDirectory ? Study::Refusal::Unreadable : Study::Refusal::Refused);
            QVERIFY2(refusal.reason.startsWith(told), qPrintable(refusal.reason));
            QCOMPARE(shown(study), before);
            QCOMPARE(changes.count(), 0);
            continue;
        }
        QVERIFY2(!refusal, qPrintable(refusal.reason));
        QCOMPARE(changes.count(), 1);
        // Above the blank line what the user is told and the reference paneling, below it the
        // coefficients, which are those of the file it must analyse as.
        const QStringList lines = Report::fileLines(study);
        const int blank = int(lines.indexOf(QString()));
        QStringList above = lines.mid(0, blank);
        QCOMPARE(above.takeAt(2), QStringLiteral("reference paneling: 200 panels"));
        QCOMPARE(above.join('\n'), told);
        Study alike;
        QVERIFY(!alike.loadFile(
            write(QStringLiteral("alike.dat"), same.isEmpty() ? plainFile("plain", 21) : same)));
        const QStringList expected = Report::fileLines(alike);
        QCOMPARE(lines.mid(blank), expected.mid(expected.indexOf(QString())));
        QCOMPARE(Report::panelingLines(study), Report::panelingLines(alike));
    }
}

void tst_Study::extrapolationLines_data()
{
    // alpha0 and cm0 at 200, 400 and 800 panels: first order, or turning back; alpha(sf) too.
    QTest::addColumn<bool>("anglesConverge");
    QTest::addColumn<bool>("momentConverges");
    QTest::addColumn<QStringList>("lines");
    const QString angles = "alpha0 = -2.020 ± 0.009 deg";
    const QString moment = "cm0 = -0.0520 ± 0.0009";
    const QString angle = "extrapolated: alpha(sf) = 0.300 ± 0.009 deg";
    QTest::newRow("all converged")
        << true << true << QStringList {"extrapolated: " + angles + ", " + moment, angle};
    QTest::newRow("cm0 not") << true << false
                             << QStringList {"extrapolated: " + angles, angle,
                                    "cm0 not converged: -0.0508 to -0.0511 over 200–800 panels"};
    QTest::newRow("angles not")
        << false << true
        << QStringList {"extrapolated: " + moment,
               "alpha0 not converged: -2.008 to -2.011 over 200–800 panels",
               "alpha(sf) not converged: 0.288 to 0.291 over 200–800 panels"};
}

void tst_Study::extrapolationLines()
{
    QFETCH(bool, anglesConverge);
    QFETCH(bool, momentConverges);
    QFETCH(QStringList, lines);
    // Steps that halve go on to the limit, with 3 times the rest as the error; a step back does
    // not.
    const auto at = [](double limit, double step, bool converges) {
        return QList<double> {
            limit - 2 * step, limit - step, limit - (converges ? step / 2 : 1.5 * step)};
    };
    const QList<double> a0 = at(radians(-2.02), radians(-0.006), anglesConverge);
    const QList<double> sf = at(radians(0.3), radians(0.006), anglesConverge);
    const QList<double> cm = at(-0.052, -0.0006, momentConverges);
    Coefficients c[3];
    for (int k = 0; k < 3; ++k) {
        c[k].alpha0 = a0[k];
        c[k].alphaSF = sf[k];
        c[k].cm0 = cm[k];
    }
    QCOMPARE(Report::extrapolationLines(Extrapolation(c[0], c[1], c[2])), lines);
}

void tst_Study::defaultPanelWidths()
{
    // The default paneling's widths depend on the paneling alone.
    Study study;
    QVERIFY(!study.loadFile(write(QStringLiteral("wing.dat"), nacaFile(0.02, 0.4, 0.12))));
    QCOMPARE(Report::panelWidthLine(*study.paneledLine()),
        QStringLiteral("     0.0326    0.0512    0.0881    0.1615    0.2496    0.2203"
                       "    0.1267    0.0701"));
}

void tst_Study::targetsPresetAsTheFieldsTakeThem()
{
    // The reference values as the fields round them, but beyond a field's range the preset
    // stops at its bound: camber 0.6 far aft gives about -27 deg and a moment of -1.28.
    Study study;
    QVERIFY(!study.loadFile(write(QStringLiteral("big.dat"), nacaFile(0.6, 0.8, 0.10))));
    const Targets preset = study.presetTargets();
    const Coefficients &big = study.referenceCoefficients();
    QVERIFY(qAbs(degrees(preset.alpha0) - degrees(big.alpha0)) <= 0.00005);
    QVERIFY(big.cm0 < -Targets::MaxCm0);
    QCOMPARE(preset.cm0, -Targets::MaxCm0);
}

void tst_Study::pressAfterAPanelingChange()
{
    // A press reshapes at the line's own stations, whatever the paneling was before.
    Study study;
    QVERIFY(!study.loadFile(write(QStringLiteral("m.dat"), nacaFile(0.02, 0.4, 0.12))));
    study.setPaneling(Paneling {12, 2.0, 4.0});
    study.modify(Targets {radians(-4.0), -0.08});
    QCOMPARE(study.paneledLine()->npoints(), 13);
    QVERIFY(qAbs(degrees(study.paneledCoefficients().alpha0) - -4.0) < 0.05);
}

void tst_Study::reachTargets()
{
    // Reach Targets presses a 200-panel line of its own: the section a save writes reads back
    // within the reach tolerances, and the coarse paneled line follows the presses. Targets
    // the section meets press nothing; a cancelled reach leaves the study as it was.
    Study study;
    QVERIFY(!study.loadFile(write(QStringLiteral("reach.dat"), nacaFile(0.02, 0.4, 0.12))));
    const QByteArray loaded = study.airfoilText();
    const Coefficients &own = study.referenceCoefficients();
    QCOMPARE(study.reachTargets({own.alpha0, own.cm0}, Paneling::reference(), 20).presses, 0);
    const Targets targets {radians(-4.0), -0.1};
    const Study::Reach cancelled = study.reachTargets(targets, Paneling::reference(), 20,
        [](int press, const Coefficients &, const Coefficients *) { return press < 2; });
    QVERIFY(cancelled.cancelled && study.presses().empty() && !study.reshapedSection());
    QCOMPARE(study.airfoilText(), loaded);

    const Study::Reach reach = study.reachTargets(targets, Paneling::reference(), 20);
    QVERIFY(reach.reached && reach.presses > 1);
    QCOMPARE(study.paneledLine()->npoints(), 9);
    Camberline followed = camberlineOf(*study.airfoil(), study.paneling());
    applyPresses(followed, study.presses());
    QVERIFY(followed.ordinates() == study.paneledLine()->ordinates());
    QByteArray text;
    QVERIFY(!study.savedText(&text));
    Study saved;
    QVERIFY(!saved.loadFile(write(QStringLiteral("reached.dat"), text)));
    QVERIFY(targets.reachedBy(
        saved.referenceCoefficients(), radians(Study::ReachAlpha0Degrees), Study::ReachCm0));
}

void tst_Study::modifyWorkedCase()
{
    // A symmetric section has a flat camber line: the start values are zero, shown without the
    // sign of a rounding error. At 8 panels the targets -2 deg and -0.05 give the factors 3.2175
    // and 2.2826; a second press corrects what the first left over.
    Study study;
    QVERIFY(!study.loadFile(write(QStringLiteral("sym.dat"), nacaFile(0.0, 0.0, 0.12))));
    const QStringList file = Report::fileLines(study);
    const Targets targets {radians(-2.0), -0.05};
    study.modify(targets);
    QStringList lines = Report::panelingLines(study);
    QCOMPARE(lines.size(), 11);
    QCOMPARE(lines.at(0), QStringLiteral("modified paneling"));
    QCOMPARE(lines.at(1), QStringLiteral("start  :  alpha0=   0.000  cm0=  0.0000"));
    QCOMPARE(lines.at(2), QStringLiteral("target :  alpha0=  -2.000  cm0= -0.0500"));
    QCOMPARE(lines.at(3), QStringLiteral("coefficients :  a=  3.2175  b=  2.2826"));
    QCOMPARE(lines.at(4), QStringLiteral("paneled line (8 panels), 9 points"));
    QCOMPARE(lines.at(6), QStringLiteral("alpha0 = -2.001 deg"));
    QCOMPARE(lines.at(7), QStringLiteral("cm0 = -0.0497"));
    study.modify(targets);
    lines = Report::panelingLines(study);
    QCOMPARE(lines.at(3), QStringLiteral("coefficients :  a= -0.0226  b= -0.0430"));
    QCOMPARE(lines.at(6), QStringLiteral("alpha0 = -2.000 deg"));
    QCOMPARE(lines.at(7), QStringLiteral("cm0 = -0.0500"));
    // The file panel shows the section a save writes, named, with the values as loaded beside.
    const QStringList reshaped = Report::fileLines(study);
    QCOMPARE(reshaped.mid(0, 4), file.mid(0, 4));
    QCOMPARE(reshaped.at(4), QStringLiteral("reshaped section, after 2 Modify presses:"));
    QCOMPARE(reshaped.at(6),
        QStringLiteral("alpha0 = %1 deg")
            .arg(Format::fixed(degrees(study.reshapedReference()->alpha0), 3)));
    QVERIFY(reshaped.contains(QStringLiteral("as loaded: alpha0 = 0.000 deg, cm0 = 0.0000")));
    QVERIFY(reshaped.contains(
        QStringLiteral("camber %1 (as loaded 0.0 %)")
            .arg(QStringLiteral("%1 % at %2 % chord")
                     .arg(Format::fixed(100 * study.section()->geometry.maxCamber, 1),
                         Format::fixed(100 * study.section()->geometry.maxCamberX, 1)))));
}

void tst_Study::everyCallBeforeALoad()
{
    // Before a load every call gives its empty value or says why not, and nothing is drawn:
    // a paneling is only remembered, a press does nothing, a save writes nothing, a line state
    // is refused, nothing is worked out in the background.
    Study study;
    ConvergenceModel &model = study.convergence();
    model.setExtrapolating(true);
    model.setSampling(true);
    QSignalSpy lines(&study, &Study::lineChanged);
    study.setPaneling(Paneling {5, 1.0, 1.0});
    QVERIFY(!study.modify(Targets {radians(-2.0), -0.05}).applied);
    QVERIFY(!study.isSolved(study.paneling()));
    QCOMPARE(lines.count(), 0);
    QVERIFY(!study.isLoaded() && !study.paneledLine() && !study.reference() && !study.airfoil());
    QVERIFY(!study.sharedAirfoil() && !study.extrapolation() && study.path().isEmpty());
    QCOMPARE(study.paneling().panels, 5);
    QCOMPARE(study.presetTargets().alpha0, 0.0);
    QVERIFY(study.airfoilText().isEmpty() && study.presses().empty());
    const QString path = dir.filePath(QStringLiteral("never.dat"));
    const Study::Refusal refusal = study.save(path);
    QCOMPARE(refusal.reason, QStringLiteral("no airfoil is loaded"));
    QVERIFY(!QFile::exists(path));
    model.waitForFinished();
    QVERIFY(model.isDone() && model.results().isEmpty() && model.plannedCounts().isEmpty());
    const Study::LineState before = study.lineState();
    QVERIFY(!study.restoreLineState(before));
    QCOMPARE(lines.count(), 0);
    QVERIFY(Report::fileLines(study).isEmpty() && Report::panelingLines(study).isEmpty());
    QVERIFY(Report::analysisText(study).isEmpty() && study.warnings().isEmpty());
    QCOMPARE(study.data().count(), 0);
    Convergence convergence(Convergence::Priority::Foreground);
    convergence.start(study, {3, 4}, study.paneling());
    QVERIFY(!convergence.isRunning());
    // A state from before the load, without a line, is refused after it too.
    QVERIFY(!study.loadFile(write(QStringLiteral("b.dat"), nacaFile(0.02, 0.4, 0.12))));
    QVERIFY(!study.restoreLineState(before));
    QCOMPARE(lines.count(), 1);
    QCOMPARE(study.paneledLine()->npoints(), 6);
}

void tst_Study::keptInversesChangeNoBits()
{
    // Loads, presses, edits of either density and of the count, and a sweep: with the inverses
    // kept and with every one made anew, the same bits; a sweep leaves the paneled line's
    // inverse kept.
    const QString path = write(QStringLiteral("k.dat"), nacaFile(0.04, 0.4, 0.12));
    const auto run = [&](bool keeping) {
        QList<Coefficients> seen;
        Study study(std::make_shared<InverseCache>(keeping));
        study.setPaneling(Paneling {20, 3.0, 2.0});
        study.loadFile(path);
        seen << study.referenceCoefficients() << study.paneledCoefficients();
        const Targets targets {radians(-5.0), -0.12};
        for (const Paneling &paneling : {Paneling {20, 3.5, 2.0}, Paneling {20, 3.5, 2.5},
                 Paneling {21, 3.5, 2.5}, Paneling {21, 3.5, 2.5}}) {
            study.modify(targets);
            seen << study.paneledCoefficients();
            study.setPaneling(paneling);
            seen << study.paneledCoefficients();
        }
        Convergence sweep(Convergence::Priority::Background);
        sweep.start(study, {3, 21, 200, 250}, study.paneling());
        for (int i = 0; i < sweep.counts().size(); ++i)
            seen << sweep.resultAt(i);
        study.loadFile(path);
        seen << study.referenceCoefficients() << study.paneledCoefficients();
        return std::make_pair(seen, study.isSolved(study.paneling()));
    };
    const auto [kept, solved] = run(true);
    const auto [fresh, solvedAnew] = run(false);
    QVERIFY(solved && !solvedAnew);
    QCOMPARE(kept.size(), fresh.size());
    QVERIFY(std::memcmp(kept.data(), fresh.data(), sizeof(Coefficients) * kept.size()) == 0);
}

// The bits of everything a step changes.
static QByteArray bitsOf(const Study &study)
{
    QByteArray bits;
    const auto add = [&](const auto &values) {
        bits.append(reinterpret_cast<const char *>(values.data()),
            qsizetype(values.size() * sizeof(values[0])));
    };
    const Study::LineState s = study.lineState();
    add(std::vector<double> {
        double(s.paneling.panels), s.paneling.leDensity, s.paneling.teDensity});
    add(s.line->stations());
    add(s.line->ordinates());
    for (const auto *v :
        {&s.loading.x, &s.loading.width, &s.loading.zeroIncidence, &s.loading.perRadian})
        add(*v);
    add(std::vector<Coefficients> {s.coefficients});
    for (const CamberReshaping &r : s.presses)
        add(std::vector<double> {r.a, r.b, double(r.applied)});
    return bits + Report::panelingLines(study).join('\n').toUtf8();
}

void tst_Study::undoneStepsLeaveNoTrace_data()
{
    // Steps as letters: p a press, n a new count, l and t a new density at either edge, same
    // the same paneling again (which ends the presses).
    QTest::addColumn<QString>("steps");
    QTest::newRow("press") << "p";
    QTest::newRow("paneling change after presses") << "ppn";
    QTest::newRow("mixed") << "pnplptp";
    QTest::newRow("same paneling again") << "pp=p";
}

void tst_Study::undoneStepsLeaveNoTrace()
{
    // Each step undone in turn, last first, gives back the bits before it; redone in turn, the
    // bits after it.
    QFETCH(QString, steps);
    Study study;
    QVERIFY(!study.loadFile(
        write(QStringLiteral("u.dat"), nacaFile(0.04, 0.4, 0.12)), Paneling {12, 3.0, 2.0}));
    QList<Study::LineState> states {study.lineState()};
    QList<QByteArray> bits {bitsOf(study)};
    for (const QChar step : steps) {
        Paneling p = study.paneling();
        if (step == 'p')
            study.modify(Targets {radians(-4.0 - states.size()), -0.08});
        else {
            p.panels += step == 'n' ? 7 : 0;
            p.leDensity += step == 'l' ? 0.5 : 0.0;
            p.teDensity += step == 't' ? 1.5 : 0.0;
            study.setPaneling(p);
        }
        states << study.lineState();
        bits << bitsOf(study);
    }
    for (qsizetype k = states.size() - 2; k >= 0; --k) {
        QVERIFY(study.restoreLineState(states.at(k)));
        QCOMPARE(bitsOf(study), bits.at(k));
    }
    for (qsizetype k = 1; k < states.size(); ++k) {
        QVERIFY(study.restoreLineState(states.at(k)));
        QCOMPARE(bitsOf(study), bits.at(k));
    }
}

void tst_Study::sharedInversesAreMadeOnce()
{
    // Callers that want the same stations at once, as a batch's jobs do, wait for one
    // inversion: all get the very same inverse.
    InverseCache cache;
    const std::vector<double> stations = Camberline(Paneling {300, 3.0, 2.0}).stations();
    std::vector<InverseCache::Inverse> got(4);
    std::vector<std::thread> callers;
    for (auto &inverse : got)
        callers.emplace_back([&] { inverse = cache.of(stations); });
    for (std::thread &caller : callers)
        caller.join();
    for (const auto &inverse : got)
        QCOMPARE(inverse.get(), got.front().get());
    QVERIFY(cache.has(stations));
}

void tst_Study::sampledCounts_data()
{
    QTest::addColumn<int>("panels");
    for (int panels : {3, 30, 200, 201, 450, 998, 999})
        QTest::addRow("%d panels", panels) << panels;
}

void tst_Study::sampledCounts()
{
    // Every count to 30, then about 40 log-even steps up to the larger of 200 and the count,
    // with both: a few inversions of the largest order's cost, whatever the count.
    QFETCH(int, panels);
    const QList<int> counts = Convergence::sampledCounts(panels);
    QCOMPARE(counts.indexOf(30), 27);
    QVERIFY(counts.contains(200) && counts.contains(panels));
    QCOMPARE(counts.last(), std::max(200, panels));
    QVERIFY(counts.size() - 28 >= 20 && counts.size() - 28 <= 42);
    double cubes = 0.0;
    for (int i = 28; i < counts.size(); ++i) {
        QVERIFY(counts.at(i) > counts.at(i - 1) && counts.at(i) <= 1.12 * counts.at(i - 1));
        cubes += std::pow(double(counts.at(i)) / counts.last(), 3.0);
    }
    QVERIFY(cubes < 8.0);
}

void tst_Study::convergenceReusesCounts()
{
    // The counts come in one by one. A count whose plan is worked out already needs nothing
    // new; beyond it the counts known stay while the missing ones come in; new densities start
    // anew, up to 200 for fewer panels. Each time finished is said once.
    Study study;
    ConvergenceModel &model = study.convergence();
    model.setSampling(true);
    QSignalSpy changes(&model, &ConvergenceModel::resultsChanged);
    QSignalSpy finished(&model, &ConvergenceModel::finished);
    QVERIFY(!study.loadFile(write(QStringLiteral("wing.dat"), nacaFile(0.04, 0.4, 0.12, 61)),
        Paneling {230, 2.5, 3.0}));
    QVERIFY(!model.isDone());
    QTRY_VERIFY_WITH_TIMEOUT(model.isDone(), 60000);
    QVERIFY(changes.count() > 2);
    QCOMPARE(finished.count(), 1);
    QVERIFY(isTheSweep(study, 230));

    const QList<int> known = model.results().keys();
    const auto inPlan
        = std::find_if(known.cbegin(), known.cend(), [](int n) { return n > 200 && n < 230; });
    QVERIFY(inPlan != known.cend());
    study.setPaneling(Paneling {*inPlan, 2.5, 3.0});
    QVERIFY(model.isDone());
    QCOMPARE(model.results().keys(), known);
    study.setPaneling(Paneling {260, 2.5, 3.0});
    QVERIFY(!model.isDone());
    QCOMPARE(model.results().keys(), known);
    QTRY_VERIFY_WITH_TIMEOUT(model.isDone(), 60000);
    QCOMPARE(finished.count(), 2);
    QVERIFY(isTheSweep(study, 260));

    study.setPaneling(Paneling {12, 2.5, 6.0});
    QVERIFY(model.results().isEmpty() && !model.isDone());
    QTRY_VERIFY_WITH_TIMEOUT(model.isDone(), 60000);
    QCOMPARE(finished.count(), 3);
    QVERIFY(isTheSweep(study, 200));
}

void tst_Study::convergenceDropsWhatIsDropped()
{
    // A second load while the first file's run is under way, or done with its counts not yet
    // taken: none of its counts past 200 nor any of its values may come in.
    Study study;
    ConvergenceModel &model = study.convergence();
    model.setSampling(true);
    QVERIFY(!study.loadFile(write(QStringLiteral("first.dat"), nacaFile(0.06, 0.3, 0.12, 61)),
        Paneling {500, 3.0, 2.0}));
    const QString second = write(QStringLiteral("second.dat"), nacaFile(0.02, 0.4, 0.12, 61));
    QVERIFY(!study.loadFile(second, Paneling {8, 3.0, 2.0}));
    QTRY_VERIFY_WITH_TIMEOUT(model.isDone(), 60000);
    QVERIFY(isTheSweep(study, 200));

    // A cancel lets nothing more in, not even the counts that came before it, while a twin's
    // run of the same plan, started after it, comes in whole; the next edit takes the work up
    // again, and so does a wait.
    QSignalSpy finished(&model, &ConvergenceModel::finished);
    study.setPaneling(Paneling {9, 3.5, 2.0});
    model.cancel();
    Study twin;
    twin.convergence().setSampling(true);
    QVERIFY(!twin.loadFile(second, study.paneling()));
    QTRY_VERIFY_WITH_TIMEOUT(twin.convergence().isDone(), 60000);
    QVERIFY(model.results().isEmpty() && !model.isDone());
    QCOMPARE(finished.count(), 0);
    study.setPaneling(Paneling {10, 3.5, 2.0});
    QTRY_VERIFY_WITH_TIMEOUT(model.isDone(), 60000);
    QCOMPARE(finished.count(), 1);
    QVERIFY(isTheSweep(study, 200));
    study.setPaneling(Paneling {10, 3.5, 2.5});
    model.cancel();
    model.waitForFinished();
    QVERIFY(isTheSweep(study, 200));
}

void tst_Study::convergenceFollowsPressesAndUndo()
{
    // After presses the counts are the reshaped line's; the edit that ends them, or an undo to
    // before them, brings back the contour's own at once, kept from before; a redo to after
    // them works the reshaped line's out anew.
    Study study;
    ConvergenceModel &model = study.convergence();
    model.setSampling(true);
    QVERIFY(!study.loadFile(
        write(QStringLiteral("wing.dat"), nacaFile(0.04, 0.4, 0.12, 61)), Paneling {12, 3.0, 2.0}));
    const Study::LineState loaded = study.lineState();
    model.waitForFinished();
    const QMap<int, Coefficients> contour = model.results();
    study.modify(Targets {radians(-2.0), -0.05});
    study.modify(Targets {radians(-2.5), -0.06});
    const Study::LineState pressed = study.lineState();
    QVERIFY(model.results().isEmpty());
    model.waitForFinished();
    QVERIFY(isTheSweep(study, 200));
    QVERIFY(!sameBits(model.results().value(12), contour.value(12)));
    QVERIFY(sameBits(model.results().value(12), study.paneledCoefficients()));

    study.setPaneling(Paneling {13, 3.0, 2.0});
    QVERIFY(model.isDone());
    QVERIFY(sameBits(model.results(), contour));
    QVERIFY(study.restoreLineState(pressed));
    QVERIFY(!model.isDone());
    QTRY_VERIFY_WITH_TIMEOUT(model.isDone(), 60000);
    QVERIFY(isTheSweep(study, 200));
    QVERIFY(study.restoreLineState(loaded));
    QVERIFY(model.isDone());
    QVERIFY(sameBits(model.results(), contour));
}

void tst_Study::convergenceWaitedForWithoutEventLoop()
{
    // A wait takes every count and the extrapolation from the runs themselves, with no event
    // loop to deliver them; their deliveries, once the loop runs, change nothing and say
    // nothing again.
    Study study;
    ConvergenceModel &model = study.convergence();
    model.setSampling(true);
    model.setExtrapolating(true);
    QSignalSpy changes(&model, &ConvergenceModel::resultsChanged);
    QSignalSpy extrapolated(&model, &ConvergenceModel::extrapolationChanged);
    QSignalSpy finished(&model, &ConvergenceModel::finished);
    QVERIFY(!study.loadFile(
        write(QStringLiteral("wing.dat"), nacaFile(0.04, 0.4, 0.12, 61)), Paneling {40, 3.0, 2.0}));
    QVERIFY(!model.isDone() && !study.extrapolation());
    model.waitForFinished();
    QVERIFY(isTheSweep(study, 200));
    QVERIFY(study.extrapolation());
    QCOMPARE(extrapolated.count(), 1);
    QCOMPARE(finished.count(), 1);
    const int changed = changes.count();
    QCoreApplication::processEvents();
    QCOMPARE(changes.count(), changed);
    QCOMPARE(extrapolated.count(), 1);
    QCOMPARE(finished.count(), 1);
}

void tst_Study::savedAfterPressesReachesTheTargets()
{
    // Three presses at the reference paneling, saved and opened again: the file's own reference
    // line reaches the targets, and its thickness is the original's.
    Study study;
    study.setPaneling(Paneling::reference());
    QVERIFY(!study.loadFile(write(QStringLiteral("w.dat"), nacaFile(0.02, 0.4, 0.12, 61))));
    const Targets targets {radians(-4.5), -0.1};
    for (int k = 0; k < 3; ++k)
        study.modify(targets);
    const QString path = dir.filePath(QStringLiteral("w-modified.dat"));
    QVERIFY(!study.save(path));
    Study saved;
    QVERIFY(!saved.loadFile(path));
    QVERIFY(
        std::memcmp(study.reshapedReference(), &saved.referenceCoefficients(), sizeof(Coefficients))
        == 0);
    QCOMPARE(saved.data().count(), study.data().count());
    QVERIFY(qAbs(degrees(saved.referenceCoefficients().alpha0 - targets.alpha0)) < 0.01);
    QVERIFY(qAbs(saved.referenceCoefficients().cm0 - targets.cm0) < 2e-4);
    const Airfoil &before = *study.airfoil();
    const Airfoil &after = *saved.airfoil();
    for (int i = 1; i + 1 < before.npoints(); ++i) {
        double upper0, lower0, upper1, lower1;
        if (!surfacesAt(before, before.px(i), &upper0, &lower0))
            continue;
        QVERIFY(surfacesAt(after, before.px(i), &upper1, &lower1));
        QVERIFY2(
            qAbs((upper1 - lower1) - (upper0 - lower0)) < 1e-6, qPrintable(QString::number(i)));
    }
}

void tst_Study::savedAsLoadedAnalysesAlike()
{
    // Without a press the file is the normalised contour, in 7 decimals, over the upper surface
    // first even when the file listed the lower one first. Rounding the points next to the
    // nose, where y changes fast with x, moves the coefficients by a few millionths.
    QList<QByteArray> lines = nacaFile(0.04, 0.4, 0.12).split('\n');
    lines.removeLast();
    std::reverse(lines.begin() + 1, lines.end());
    Study study;
    QVERIFY(!study.loadFile(write(QStringLiteral("lower first.dat"), lines.join('\n'))));
    const QString path = dir.filePath(QStringLiteral("same.dat"));
    QVERIFY(!study.save(path));
    Study saved;
    QVERIFY(!saved.loadFile(path));
    QCOMPARE(saved.data().title, study.data().title);
    QVERIFY(saved.data().y.first() > saved.data().y.last());
    const Coefficients &a = study.referenceCoefficients();
    const Coefficients &b = saved.referenceCoefficients();
    for (const auto &[x, y] :
        {std::pair {a.cl0, b.cl0}, {a.alpha0, b.alpha0}, {a.cm0, b.cm0}, {a.clSF, b.clSF}})
        QVERIFY2(qAbs(x - y) <= 1e-5 * qAbs(x), qPrintable(QStringLiteral("%1 %2").arg(x).arg(y)));
    // The angle of smooth entry hangs on the nose alone.
    QVERIFY(qAbs(a.alphaSF - b.alphaSF) <= 1e-3 * qAbs(a.alphaSF));
}

void tst_Study::designedTitleKeepsToTheLine()
{
    // A blend with a section whose title fills the reader's line, onto a title that does too:
    // the result opens, its title within the line, the note kept whole at its end. Values out of
    // range change nothing.
    const QByteArray longTitle(AirfoilData::MaxLineLength, 'T');
    Study other;
    QVERIFY(!other.loadFile(
        write(QStringLiteral("long other.dat"), nacaFile(0.04, 0.4, 0.15, 31, longTitle))));
    Study study;
    QVERIFY(!study.loadFile(
        write(QStringLiteral("long.dat"), nacaFile(0.02, 0.4, 0.12, 31, longTitle))));
    SectionOperation blend;
    blend.kind = SectionOperation::Blend;
    blend.value = 1.5;
    blend.other = other.section()->airfoil;
    blend.otherTitle = other.data().title;
    const QByteArray before = study.airfoilText();
    QCOMPARE(study.design(blend).kind, Study::Refusal::Refused);
    QCOMPARE(study.airfoilText(), before);
    blend.value = 0.5;
    QVERIFY(!study.design(blend));
    const QByteArray title = study.airfoilText().split('\n').first();
    QCOMPARE(title.size(), qsizetype(AirfoilData::MaxLineLength));
    QVERIFY(title.endsWith(", " + blend.note().toUtf8()));
    QVERIFY(!study.readBack(study.airfoilText()));
}

void tst_Study::workspaceKeepsEachSection()
{
    // Sections share one cache: a paneling one has solved, every other has. A copy with presses
    // is named for them and is what a save writes; each keeps its colour while others go, and
    // removing the current one shows its neighbour, the last one an empty section.
    Workspace workspace;
    Study *first = workspace.current();
    QVERIFY(!first->loadFile(write(QStringLiteral("w1.dat"), nacaFile(0.02, 0.4, 0.12))));
    Study *second = workspace.add(false);
    QVERIFY(!second->loadFile(write(QStringLiteral("w2.dat"), nacaFile(0.04, 0.4, 0.12))));
    QVERIFY(second->isSolved(first->paneling()));
    first->modify(Targets {radians(-3.0), -0.07});
    QByteArray saved;
    QVERIFY(!first->savedText(&saved));
    Study *copy = workspace.addCopy();
    QVERIFY(copy);
    QCOMPARE(workspace.name(2), QStringLiteral("test section (reshaped)"));
    QCOMPARE(copy->referenceCoefficients().alpha0, first->reshapedReference()->alpha0);
    QCOMPARE(workspace.colour(0), 0);
    QCOMPARE(workspace.colour(1), 1);
    QCOMPARE(workspace.colour(2), 2);
    workspace.remove(1);
    QCOMPARE(workspace.colour(workspace.indexOf(workspace.add(false))), 1);
    QSignalSpy switched(&workspace, &Workspace::currentChanged);
    workspace.remove(0);
    QCOMPARE(switched.count(), 1);
    QCOMPARE(workspace.current(), copy);
    while (workspace.count() > 1)
        workspace.remove(0);
    workspace.remove(0);
    QCOMPARE(workspace.count(), 1);
    QVERIFY(!workspace.current()->isLoaded());
}

void tst_Study::sectionsSharedAndTakenAsTheyStand()
{
    // A study that takes another's section is that section at its paneling, to the bit, and
    // its presses leave the other as it was. A text taken as designed is saved as it stands,
    // not normalised again, and analyses as its read-back does; one an open refuses changes
    // nothing.
    const QByteArray raw = nacaFile(0.04, 0.4, 0.12, 61);
    Study study;
    QVERIFY(!study.loadFile(write(QStringLiteral("shared.dat"), raw), Paneling {12, 3.0, 2.0}));
    Study other;
    other.loadShared(study.sharedFile(), study.paneling());
    QCOMPARE(shown(other), shown(study));
    QVERIFY(sameBits(other.paneledCoefficients(), study.paneledCoefficients()));
    other.modify(Targets {radians(-3.0), -0.07});
    QVERIFY(study.presses().empty() && other.reshapedReference());

    QByteArray reshaped;
    QVERIFY(!other.savedText(&reshaped));
    Study designed;
    QVERIFY(!designed.loadDesigned(reshaped, other.path(), Paneling()));
    QVERIFY(designed.isDesigned());
    QCOMPARE(designed.path(), study.path());
    QVERIFY(sameBits(designed.referenceCoefficients(), *other.reshapedReference()));
    QVERIFY(!designed.loadDesigned(raw, QString(), Paneling()));
    QByteArray saved;
    QVERIFY(!designed.savedText(&saved));
    QCOMPARE(saved, raw);
    const QString before = shown(designed);
    QVERIFY(designed.loadDesigned("one point\n1 0\n", QString(), Paneling()));
    QCOMPARE(shown(designed), before);
}

void tst_Study::failedSaveLeavesNothingBehind()
{
    Study study;
    QVERIFY(!study.loadFile(write(QStringLiteral("f.dat"), nacaFile(0.02, 0.4, 0.12))));
    // A folder nobody may write to, not even root.
    QCOMPARE(study.save(QStringLiteral("/proc/liftwise.dat")).kind, Study::Refusal::Unwritable);
    // A disk that fills up half-way: the file in place keeps what it held, and no partial file
    // is left beside it.
    QTemporaryDir full;
    const QString path = writeFile(full, QStringLiteral("kept.dat"), "kept\n");
    rlimit limit;
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit small {512, limit.rlim_max};
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    const Study::Refusal refusal = study.save(path);
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, previous);
    QCOMPARE(refusal.reason, QStringLiteral("File too large"));
    QCOMPARE(QDir(full.path()).entryList(QDir::Files), QStringList {"kept.dat"});
    QCOMPARE(readFile(path), QByteArray("kept\n"));
}

void tst_Study::savesReadBack_data()
{
    addOddFileRows(true);
    const auto loaded = [](const char *name, const QByteArray &title) {
        QTest::newRow(name) << plainFile(title, 21) << false << true << QString() << QByteArray();
    };
    loaded("long title", QByteArray(4000, 'x'));
    // Room for the title, but not for the values a press adds to it: the title gives way.
    loaded("title at the length limit", QByteArray(4090, 'x'));
    loaded("UTF-8 title at the length limit",
        QByteArray(4080, 'x') + QByteArray("\xc3\xa9").repeated(5));
    loaded("Latin-1 title", "Profil \xe9l\xe9gant");
    // An earlier save's values, and the space after them, are replaced.
    loaded("earlier values and a space", "MY FOIL (alpha0 -3.000 deg, cm0 -0.0500) ");
}

void tst_Study::savesReadBack()
{
    // Whatever was opened and however hard it was pressed, a save writes a file that opens
    // again, with the title's own bytes and one set of reached values at its end, or it writes
    // nothing and keeps the old file.
    QFETCH(QByteArray, bytes);
    const QString path = write(QStringLiteral("opened.dat"), bytes);
    QTemporaryDir saves;
    const QList<Targets> targets
        = {{radians(-4.5), -0.1}, {radians(45.0), -1.0}, {radians(-45.0), 1.0}};
    const auto pressAndSave = [&](const QString &from, const Paneling &paneling, int k) {
        Study study;
        study.setPaneling(paneling);
        if (study.loadFile(from))
            qFatal("a saved file does not open");
        for (int press = 0; k > 0 && press < 2; ++press)
            study.modify(targets.at(k - 1));
        const QString saved = writeFile(saves, QStringLiteral("saved.dat"), "old\n");
        const Study::Refusal refusal = study.save(saved);
        return std::make_tuple(refusal, readFile(saved), study.data().titleBytes);
    };
    for (const Paneling &paneling : {Paneling(), Paneling::reference()}) {
        for (int k = 0; k <= targets.size(); ++k) {
            const auto [refusal, text, title] = pressAndSave(path, paneling, k);
            if (refusal) {
                // Only a contour pressed out of shape, never a title that outgrew the reader.
                QVERIFY2(!refusal.reason.startsWith("line 1 "), qPrintable(refusal.reason));
                QCOMPARE(refusal.kind, Study::Refusal::WouldBeRefused);
                QCOMPARE(text, QByteArray("old\n"));
                continue;
            }
            const QString again = write(QStringLiteral("again.dat"), text);
            Study reopened;
            const Study::Refusal reopening = reopened.loadFile(again);
            QVERIFY2(!reopening, qPrintable(reopening.reason));
            const QByteArray savedTitle = reopened.data().titleBytes;
            if (k == 0) {
                QCOMPARE(savedTitle, title);
            } else {
                // One set of values, after the title, shortened only where both would not fit.
                const qsizetype at = savedTitle.indexOf(" (alpha0 ");
                QVERIFY(at >= 0 && savedTitle.indexOf(" (alpha0 ", at + 1) < 0);
                QVERIFY(title.startsWith(savedTitle.left(at)));
                qsizetype kept = title.size();
                while (kept > 0 && QChar::fromLatin1(title.at(kept - 1)).isSpace())
                    --kept;
                QVERIFY(at == kept || title.contains("(alpha0")
                    || savedTitle.size() >= AirfoilData::MaxLineLength - 3);
                QVERIFY(QString::fromUtf8(savedTitle).size() <= AirfoilData::MaxLineLength);
            }
            // Opened and pressed again, the title keeps its length: the values are replaced.
            const auto [refusedAgain, textAgain, titleAgain] = pressAndSave(again, paneling, k);
            QCOMPARE(titleAgain, savedTitle);
            if (!refusedAgain)
                QCOMPARE(textAgain.indexOf('\n'), savedTitle.size());
        }
    }
}

void tst_Study::readErrorsRefused_data()
{
    QTest::addColumn<qint64>("failAt");
    QTest::newRow("at once") << qint64(0);
    QTest::newRow("in the title") << qint64(5);
    QTest::newRow("among the points") << qint64(700);
    QTest::newRow("after the last point") << qint64(nacaFile(0.02, 0.4, 0.12).size());
    // A folder's descriptor reads as a device whose every read fails.
    QTest::newRow("a folder") << qint64(-1);
}

void tst_Study::readErrorsRefused()
{
    // A failed read is refused with its reason, wherever it comes, and never taken for the
    // end of a shorter file.
    QFETCH(qint64, failAt);
    Study study;
    const QString kept = write(QStringLiteral("kept.dat"), nacaFile(0.04, 0.3, 0.1));
    QVERIFY(!study.loadFile(kept));
    const QString before = shown(study);
    Study::Refusal refusal;
    if (failAt >= 0) {
        FailingDevice device(nacaFile(0.02, 0.4, 0.12), failAt);
        refusal = study.load(&device, QStringLiteral("failing.dat"), study.paneling());
        QCOMPARE(refusal.reason, QStringLiteral("read error: Input/output error"));
    } else {
        QFile folder;
        QVERIFY(folder.open(::open(QFile::encodeName(dir.path()).constData(), O_RDONLY),
            QFile::ReadOnly, QFile::AutoCloseHandle));
        refusal = study.load(&folder, dir.path(), study.paneling());
        QCOMPARE(refusal.reason, QStringLiteral("read error: Is a directory"));
    }
    QCOMPARE(refusal.kind, Study::Refusal::Unreadable);
    QCOMPARE(shown(study), before);
}

void tst_Study::onlyRegularFilesReplaced_data()
{
    QTest::addColumn<QString>("target");
    for (const char *target : {"pipe", "link to a pipe", "device", "folder", "link to a file"})
        QTest::newRow(target) << QString::fromLatin1(target);
}

void tst_Study::onlyRegularFilesReplaced()
{
    // Saving is refused onto anything but a regular file, which stays as it was; through a link
    // the file it names is replaced and the link stays.
    QFETCH(QString, target);
    Study study;
    QVERIFY(!study.loadFile(write(QStringLiteral("r.dat"), nacaFile(0.02, 0.4, 0.12))));
    QTemporaryDir targets;
    const QString path = targets.filePath(QStringLiteral("target.dat"));
    const QByteArray name = QFile::encodeName(path);
    const QByteArray named = QFile::encodeName(targets.filePath(QStringLiteral("named")));
    if (target == "pipe")
        QCOMPARE(mkfifo(name.constData(), 0600), 0);
    if (target == "link to a pipe")
        QCOMPARE(mkfifo(named.constData(), 0600), 0);
    if (target == "link to a file")
        writeFile(targets, QStringLiteral("named"), "old\n");
    if (target.startsWith("link"))
        QCOMPARE(symlink("named", name.constData()), 0);
    if (target == "folder")
        QVERIFY(QDir().mkdir(path));
    // A node like /dev/null's, in the test's own folder: root may make it, others skip.
    if (target == "device" && mknod(name.constData(), S_IFCHR | 0600, makedev(1, 3)) != 0)
        QSKIP("device nodes can be made by root only");
    struct stat before, after;
    QCOMPARE(lstat(name.constData(), &before), 0);
    const QString problem = study.save(path).reason;
    QCOMPARE(lstat(name.constData(), &after), 0);
    QCOMPARE(after.st_mode, before.st_mode);
    QCOMPARE(after.st_ino, before.st_ino);
    if (target != "link to a file") {
        QCOMPARE(problem, QStringLiteral("it is not a regular file"));
        return;
    }
    QCOMPARE(problem, QString());
    QCOMPARE(readFile(QFile::decodeName(named)), study.airfoilText());
}

QTEST_GUILESS_MAIN(tst_Study)
#include "tst_study.moc"
