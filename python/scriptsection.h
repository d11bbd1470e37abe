#ifndef LIFTWISE_SCRIPTSECTION_H
#define LIFTWISE_SCRIPTSECTION_H

#include "airfoilfile.h"
#include "coefficients.h"
#include "extrapolation.h"
#include "geometry.h"
#include "paneling.h"
#include "pressing.h"
#include "sectionoperation.h"
#include "study.h"
#include "vortexmethod.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// What an analysis gives a script: liftwise-cli analyze --json's values of a section at one
// paneling, the paneled line's panel by panel.
struct ScriptAnalysis
{
    QString title;
    QString path;
    Paneling paneling;
    // The paneled line's and the 200-panel reference line's.
    Coefficients coefficients;
    Coefficients reference;
    Extrapolation extrapolated;
    SectionGeometry geometry;
    QStringList warnings;
    // The paneled line: its n + 1 stations and ordinates, and each panel's width and angle
    // (radians, positive where the line falls towards the trailing edge).
    std::vector<double> stations;
    std::vector<double> ordinates;
    std::vector<double> widths;
    std::vector<double> angles;
    // Its loading: the x of each panel's vortex, and the circulations at any incidence.
    Loading loading;
    // ΔCp over each panel at zero incidence and at smooth entry.
    std::vector<double> deltaCp;
    std::vector<double> deltaCpSmoothEntry;
};

// The coefficients of a section's camber line against the panel count, as liftwise-cli sweep
// gives them.
struct ScriptSweep
{
    std::vector<int> panels;
    std::vector<Coefficients> coefficients;
    Coefficients reference;
};

// A section as a script holds it: what an open, a New Section or a design operation took, with
// the values a load shows. Never changed once made: each analysis and operation works on it in
// a study of its own, so that any number of threads may work on one section at once, all of
// them sharing one inversion of each paneling.
class ScriptSection
{
public:
    // Reads the file; a pipe or a device is refused unread, as the window and batch refuse
    // them.
    static Study::Refusal open(const QString &path, ScriptSection *section);
    // Takes the text as a section from no file, which a save writes as it stands (a NACA
    // section as liftwise-cli naca writes it, or a script's points).
    static Study::Refusal fromText(const QByteArray &text, ScriptSection *section);
    // An airfoil file's text of the points, at full precision: a title line, then one x y pair
    // a line. Of more points than a file may hold, only as many as the reader takes before it
    // refuses them.
    static QByteArray pointsText(const QString &title, const double *xy, size_t points);

    QString title() const { return data.title; }
    QString path() const { return loadedPath; }
    // The points as read, and the normalised contour (chord 1, the nose at the origin).
    const AirfoilData &file() const { return data; }
    const std::vector<double> &contourX() const { return normalisedX; }
    const std::vector<double> &contourY() const { return normalisedY; }
    const QStringList &warnings() const { return loadWarnings; }
    const Coefficients &reference() const { return referenceValues; }
    const SectionGeometry &geometry() const { return sectionGeometry; }

    // The section at the paneling, with its extrapolated reference values.
    ScriptAnalysis analyze(const Paneling &paneling) const;
    ScriptSweep sweep(const QList<int> &counts, const Paneling &densities) const;
    // The operation's result, as liftwise-cli design makes it (a blend's other section given).
    Study::Refusal design(
        SectionOperation operation, const ScriptSection *other, ScriptSection *result) const;
    // Modify pressed at the paneling as liftwise-cli modify presses it (presses 0: until
    // reached); the section a save then writes, as it stands, unless the outcome says the
    // presses failed (unreachable, or missed without a count).
    Study::Refusal modify(const Targets &targets, int presses, const Paneling &paneling,
        Pressing::Outcome *outcome, ScriptSection *result) const;
    // What a save writes, or why it may not be written; and the save itself.
    Study::Refusal savedText(QByteArray *text) const;
    Study::Refusal save(const QString &path) const;

    // Analyses of paths (path set) or sections, jobs at once, in the order given.
    struct BatchItem
    {
        QString path;
        std::shared_ptr<const ScriptSection> section;
    };
    struct BatchResult
    {
        Study::Refusal refusal;
        ScriptAnalysis analysis;
    };
    static std::vector<BatchResult> batch(
        const std::vector<BatchItem> &items, const Paneling &paneling, int jobs);

private:
    // Takes what the study holds, and the values its load shows.
    void take(const Study &study);
    // The section loaded into the study, at the paneling.
    void studyAt(Study *study, const Paneling &paneling) const;

    std::shared_ptr<const Study::Analysis> taken;
    std::shared_ptr<const Airfoil> airfoil;
    QString loadedPath;
    AirfoilData data;
    QStringList loadWarnings;
    Coefficients referenceValues;
    SectionGeometry sectionGeometry;
    std::vector<double> normalisedX;
    std::vector<double> normalisedY;
};

#endif // LIFTWISE_SCRIPTSECTION_H
