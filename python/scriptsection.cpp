#include "scriptsection.h"

#include "airfoil.h"
#include "camberline.h"
#include "convergence.h"
#include "filesystem.h"
#include "format.h"

#include <QLocale>
#include <QThreadPool>
#include <QtConcurrent>

#include <algorithm>

namespace {

// One inversion of each paneling for every section a script studies, in any thread, as
// liftwise-cli batch shares them among its files.
const std::shared_ptr<InverseCache> &inverses()
{
    static const auto cache = std::make_shared<InverseCache>();
    return cache;
}

// What analyze --json gives of the study, from the same values by the same steps.
ScriptAnalysis analysisOf(const Study &study)
{
    ScriptAnalysis analysis;
    analysis.title = study.data().title;
    analysis.path = study.path();
    analysis.paneling = study.paneling();
    analysis.coefficients = study.paneledCoefficients();
    analysis.reference = study.referenceCoefficients();
    analysis.extrapolated = *study.loadedExtrapolation();
    analysis.geometry = study.geometry();
    analysis.warnings = study.warnings();
    const Camberline &line = *study.paneledLine();
    analysis.stations = line.stations();
    analysis.ordinates = line.ordinates();
    for (int i = 0; i + 1 < line.npoints(); ++i) {
        analysis.widths.push_back(line.xpoint(i + 1) - line.xpoint(i));
        analysis.angles.push_back(line.panelAngle(i));
    }
    analysis.loading = study.paneledLoading();
    analysis.deltaCp = analysis.loading.pressureJumps(0.0);
    analysis.deltaCpSmoothEntry = analysis.loading.pressureJumps(analysis.coefficients.alphaSF);
    return analysis;
}

} // namespace

Study::Refusal ScriptSection::open(const QString &path, ScriptSection *section)
{
    // Reading a pipe or a device could wait for ever.
    if (FileSystem::kind(path) == FileSystem::Kind::Special)
        return {Study::Refusal::Unreadable, FileSystem::notRegular()};
    Study study(inverses());
    if (const Study::Refusal refusal = study.loadFile(path, Paneling()))
        return refusal;
    section->take(study);
    return {};
}

Study::Refusal ScriptSection::fromText(const QByteArray &text, ScriptSection *section)
{
    Study study(inverses());
    if (const Study::Refusal refusal = study.loadDesigned(text, QString(), Paneling()))
        return refusal;
    section->take(study);
    return {};
}

QByteArray ScriptSection::pointsText(const QString &title, const double *xy, size_t points)
{
    // The reader refuses a contour at the pair after the most it takes (the count line of a
    // Lednicer file and a leading edge listed twice among them): later pairs are never read.
    const size_t read = std::min(points, size_t(AirfoilData::MaxPoints) + 3);
    QByteArray text = title.toUtf8() + '\n';
    const auto number
        = [](double v) { return QByteArray::number(v, 'g', QLocale::FloatingPointShortest); };
    for (size_t i = 0; i < read; ++i)
        text += number(xy[2 * i]) + ' ' + number(xy[2 * i + 1]) + '\n';
    return text;
}

void ScriptSection::take(const Study &study)
{
    taken = study.sharedFile();
    airfoil = study.sharedAirfoil();
    loadedPath = study.path();
    data = study.data();
    loadWarnings = study.warnings();
    referenceValues = study.referenceCoefficients();
    sectionGeometry = study.geometry();
    normalisedX.clear();
    normalisedY.clear();
    for (int i = 0; i < airfoil->npoints(); ++i) {
        normalisedX.push_back(airfoil->px(i));
        normalisedY.push_back(airfoil->py(i));
    }
}

void ScriptSection::studyAt(Study *study, const Paneling &paneling) const
{
    study->loadShared(taken, paneling);
}

ScriptAnalysis ScriptSection::analyze(const Paneling &paneling) const
{
    Study study(inverses());
    study.convergence().setExtrapolating(true);
    studyAt(&study, paneling);
    study.convergence().waitForExtrapolation();
    return analysisOf(study);
}

ScriptSweep ScriptSection::sweep(const QList<int> &counts, const Paneling &densities) const
{
    ScriptSweep sweep;
    sweep.panels.assign(counts.cbegin(), counts.cend());
    sweep.reference = referenceValues;
    if (counts.isEmpty())
        return sweep;
    Study study(inverses());
    studyAt(&study, Paneling());
    Convergence rows(Convergence::Priority::Foreground);
    rows.start(study, counts, densities);
    for (int i = 0; i < counts.size(); ++i)
        sweep.coefficients.push_back(rows.resultAt(i));
    return sweep;
}

Study::Refusal ScriptSection::design(
    SectionOperation operation, const ScriptSection *other, ScriptSection *result) const
{
    if (other) {
        operation.other = other->airfoil;
        operation.otherTitle = Format::printable(other->data.title);
    }
    Study study(inverses());
    studyAt(&study, Paneling::reference());
    if (const Study::Refusal refusal = study.design(operation))
        return refusal;
    result->take(study);
    return {};
}

Study::Refusal ScriptSection::modify(const Targets &targets, int presses, const Paneling &paneling,
    Pressing::Outcome *outcome, ScriptSection *result) const
{
    Study study(inverses());
    studyAt(&study, paneling);
    *outcome = Pressing::press(&study, targets, presses, {});
    if (outcome->unreachable || (outcome->missed && presses == 0))
        return {};
    // The section a save writes, as liftwise-cli modify writes it, is the new section's text.
    QByteArray text;
    if (const Study::Refusal refusal = study.savedText(&text))
        return refusal;
    Study reshaped(inverses());
    if (const Study::Refusal refusal = reshaped.loadDesigned(text, study.path(), Paneling()))
        return refusal;
    result->take(reshaped);
    return {};
}

Study::Refusal ScriptSection::savedText(QByteArray *text) const
{
    Study study(inverses());
    studyAt(&study, Paneling());
    return study.savedText(text);
}

Study::Refusal ScriptSection::save(const QString &path) const
{
    Study study(inverses());
    studyAt(&study, Paneling());
    return study.save(path);
}

std::vector<ScriptSection::BatchResult> ScriptSection::batch(
    const std::vector<BatchItem> &items, const Paneling &paneling, int jobs)
{
    // As liftwise-cli batch runs its files: jobs at once on a pool of their own, all sharing
    // one inversion of each paneling.
    QThreadPool pool;
    pool.setMaxThreadCount(jobs);
    const QList<BatchItem> list(items.cbegin(), items.cend());
    QFuture<BatchResult> results
        = QtConcurrent::mapped(&pool, list, [paneling](const BatchItem &item) {
              BatchResult result;
              ScriptSection opened;
              const ScriptSection *section = item.section.get();
              if (!section) {
                  result.refusal = open(item.path, &opened);
                  if (result.refusal)
                      return result;
                  section = &opened;
              }
              result.analysis = section->analyze(paneling);
              return result;
          });
    std::vector<BatchResult> done;
    for (int i = 0; i < list.size(); ++i)
        done.push_back(results.resultAt(i));
    return done;
}
