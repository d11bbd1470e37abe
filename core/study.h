#ifndef LIFTWISE_STUDY_H
#define LIFTWISE_STUDY_H

#include "airfoil.h"
#include "airfoilfile.h"
#include "camberline.h"
#include "coefficients.h"
#include "convergencemodel.h"
#include "geometry.h"
#include "modification.h"
#include "paneling.h"
#include "sectionoperation.h"
#include "vortexmethod.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

#include <memory>
#include <optional>
#include <vector>

QT_BEGIN_NAMESPACE
class QIODevice;
QT_END_NAMESPACE

// One airfoil under study, as every front end shows it: the loaded file, its normalised
// airfoil and 200-panel reference line with its loading and coefficients, the user's paneling,
// the paneled line with its loading and coefficients, the Modify presses since that line was
// rebuilt, and what is worked out on them in the background (convergence()).
// Says by its signals what changed, so that views redraw only that.
class Study : public QObject
{
    Q_OBJECT

public:
    // Why a file was not taken: it could not be opened or read, or it was read and refused;
    // or why an airfoil was not saved: it could not be written, or an open would refuse it.
    struct Refusal
    {
        enum Kind { None, Unreadable, Refused, Unwritable, WouldBeRefused };
        Kind kind = None;
        QString reason;
        explicit operator bool() const { return kind != None; }
        // What the user is told, of the file at path: "Cannot read file PATH:\nREASON." and
        // the like, in two lines (a window's box; a terminal joins them).
        QString message(const QString &path) const;
    };

    // A section as an open reads it: its normalised airfoil, the 200-panel reference line with
    // its loading and coefficients, and its geometry. The study has two: the section as loaded,
    // and once Modify has pressed, the reshaped section, read back from the text a save writes.
    struct Section
    {
        std::shared_ptr<const Airfoil> airfoil;
        Camberline reference {Paneling::reference()};
        Loading referenceLoading;
        Coefficients referenceCoefficients;
        SectionGeometry geometry;
    };

    // How a Reach Targets went.
    struct Reach
    {
        int presses = 0;
        // The reshaped section's reference values are within the reach tolerances.
        bool reached = false;
        // Stopped from outside: the study is as it was before.
        bool cancelled = false;
    };
    // What Reach Targets comes within, of the section's own reference values.
    static constexpr double ReachAlpha0Degrees = 0.001;
    static constexpr double ReachCm0 = 1e-5;
    // How many presses Reach Targets makes at most.
    static constexpr int ReachPresses = 20;

    // With inverses of its own, or shared with other studies (a batch's, all at one paneling).
    explicit Study(QObject *parent = nullptr);
    explicit Study(std::shared_ptr<InverseCache> inverses, QObject *parent = nullptr);
    ~Study() override;

    // Reads and analyses the file and, when it is taken, analyses it at the paneling (or the
    // current one). A refused file changes nothing. The reader takes LF, CR LF and CR alone,
    // so the device is read as it stands, not in text mode. The path is opened by the bytes
    // FileSystem::encodeName gives, so that names that are not UTF-8 open too.
    Refusal loadFile(const QString &path);
    Refusal loadFile(const QString &path, const Paneling &paneling);
    Refusal load(QIODevice *device, const QString &path, const Paneling &paneling);

    // Rebuilds the paneled line from the contour at a new paneling, which ends any Modify
    // presses; the paneling the line has changes nothing. Before a load it only remembers the
    // paneling.
    void setPaneling(const Paneling &paneling);
    // Whether the coefficients of a line at the paneling need no new inversion.
    bool isSolved(const Paneling &paneling) const;
    // Applies the operation to the section a save writes and takes the result in its place, as
    // an open of its text would take it: the path and the paneling stay, the title is the one a
    // save writes with the operation's note after a comma, and the line is built anew from the
    // new contour (the presses are in it). A result an open would refuse, or values out of their
    // ranges, change nothing: Refused, and why. Says fileChanged and lineChanged.
    Refusal design(const SectionOperation &operation);
    // Whether the section came from a design operation or from no file (an open of a text
    // without a path) rather than from the file at path().
    bool isDesigned() const;
    // Reshapes the paneled line towards the targets by one press; nothing before a load.
    CamberReshaping modify(const Targets &targets);
    // Presses at the paneling (on a line of its own when it is not the study's) until the
    // reshaped section's reference values are within the reach tolerances of the targets, each
    // press aiming past them by what the section still misses, at most maxPresses times; the
    // paneled line then follows the presses. After each press, pressed is told the press's
    // number, the coefficients of the line pressed and the section's (null when an open would
    // refuse it); when it answers false, the study goes back to how it was. Says lineChanged
    // once, if anything changed. Nothing before a load, nor with the targets already reached.
    Reach reachTargets(const Targets &targets, const Paneling &paneling, int maxPresses,
        const std::function<bool(int, const Coefficients &, const Coefficients *)> &pressed = {});
    // The targets of the last Modify or Reach Targets since the load; null before one.
    const Targets *targets() const { return now.targets ? &*now.targets : nullptr; }
    // Whether the section a save writes misses the last targets by more than Targets's reached
    // tolerances.
    bool sectionMissesTargets() const;
    // The targets preset from the reference line, rounded and bounded as a user can give them.
    Targets presetTargets() const;
    // The airfoil as a plain airfoil file, the normalised contour with the Modify presses since
    // the line was built applied to both surfaces, and the coefficients they reached at the
    // end of the title, in place of any the title had; the title's bytes are the file's own.
    // A design operation's result before any press: its text as design() read it. Empty before
    // a load.
    QByteArray airfoilText() const;
    // How an open would take the text: the refusal it would give, or none.
    Refusal readBack(const QByteArray &text) const;
    // The text a save writes (airfoilText), or why it may not be written: WouldBeRefused when an
    // open would refuse it, Unwritable before a load. Every writer of the airfoil asks this.
    Refusal savedText(QByteArray *text) const;
    // Writes that file as FileSystem::saveFile does: replacing the one at path (or the file a
    // link there names) only once it is written whole, and never a pipe or a device. Refused
    // when an open would refuse it, Unwritable when it could not be written; nothing is
    // written in either case. Before a load: Unwritable, "no airfoil is loaded".
    Refusal save(const QString &path) const;
    bool isLoaded() const { return bool(file); }
    // What was loaded; empty or null before a load.
    QString path() const;
    const AirfoilData &data() const;
    QStringList warnings() const;
    const Airfoil *airfoil() const;
    // The same airfoil, for work that may outlive the study or its file.
    std::shared_ptr<const Airfoil> sharedAirfoil() const;
    // The inverses the study's lines are solved with.
    const std::shared_ptr<InverseCache> &inverses() const { return inverseCache; }
    const Camberline *reference() const;
    const Loading &referenceLoading() const;
    const Coefficients &referenceCoefficients() const;
    // The reference coefficients of the section a save writes (section()) extrapolated from the
    // reference and the refined paneling (see Extrapolation), as convergence() works them out
    // while extrapolating: null until it is done, and before a load.
    const Extrapolation *extrapolation() const { return convergenceModel.extrapolation(); }
    // The same for the section as loaded, whether reshaped since or not.
    const Extrapolation *loadedExtrapolation() const
    {
        return convergenceModel.loadedExtrapolation();
    }
    // What is worked out in the background on the study: the convergence of its line and the
    // extrapolation of its reference values.
    ConvergenceModel &convergence() { return convergenceModel; }
    const ConvergenceModel &convergence() const { return convergenceModel; }
    const SectionGeometry &geometry() const;

    const Paneling &paneling() const { return now.paneling; }
    const Camberline *paneledLine() const { return now.line ? &*now.line : nullptr; }
    const Loading &paneledLoading() const { return now.loading; }
    const Coefficients &paneledCoefficients() const { return now.coefficients; }
    // The Modify presses since the paneled line was built from the contour.
    const std::vector<CamberReshaping> &presses() const { return now.presses; }
    // The reshaped section's reference values after each of them; none where it was refused.
    const std::vector<std::optional<Coefficients>> &pressedSections() const
    {
        return now.pressedSections;
    }
    // The section as loaded; null before a load.
    const Section *loadedSection() const;
    // The reshaped section, as an open of its saved file reads it: what the presses did to the
    // section, not only to the paneled line. Null before a press, and when an open would refuse
    // it (sectionRefusal() says why).
    const Section *reshapedSection() const { return now.section.get(); }
    QString sectionRefusal() const { return now.sectionRefusal; }
    // What a save writes: the reshaped section once pressed, else the section as loaded.
    const Section *section() const;
    // The reshaped section's reference coefficients; null as reshapedSection() is.
    const Coefficients *reshapedReference() const
    {
        return now.section ? &now.section->referenceCoefficients : nullptr;
    }

    // The loading of the line as loaded, at this paneling, once presses have reshaped it; null
    // before the first press.
    const Loading *originalLoading() const
    {
        return now.originalLoading ? &*now.originalLoading : nullptr;
    }

    struct Analysis;
    // All that a step of the user's changes: the section under design, the paneling, the paneled
    // line with its loading and coefficients, and the presses. Taken before a step and given
    // back, it undoes the step to the bit, with nothing computed anew.
    struct LineState
    {
        std::shared_ptr<const Analysis> file;
        Paneling paneling;
        std::optional<Camberline> line;
        Loading loading;
        Coefficients coefficients;
        std::vector<CamberReshaping> presses;
        // The reshaped section's reference values after each press; none where an open would
        // refuse it. What the history of the presses shows beside the paneled line's.
        std::vector<std::optional<Coefficients>> pressedSections;
        std::shared_ptr<const Section> section;
        QString sectionRefusal;
        std::optional<Targets> targets;
        // The paneled line's loading before the first press.
        std::optional<Loading> originalLoading;
    };
    LineState lineState() const;
    // What the last load or design operation took, shared; null before a load. Another study
    // takes it with loadShared, neither read nor analysed again: for front ends that keep
    // sections apart from the studies that work on them (the Python module).
    std::shared_ptr<const Analysis> sharedFile() const { return file; }
    // Takes what another study took, as a load takes a file, at the paneling; says fileChanged
    // and lineChanged. Null changes nothing.
    void loadShared(const std::shared_ptr<const Analysis> &taken, const Paneling &paneling);
    // Reads the text as design() reads an operation's result and takes it as the section under
    // design, at the paneling: a save writes the text as it stands until a press. Refused as
    // load() refuses, changing nothing.
    Refusal loadDesigned(const QByteArray &text, const QString &path, const Paneling &paneling);
    // Gives back a state taken since the last load, and says lineChanged, after fileChanged when
    // its section is another. A state without a line (taken before a load), and any state
    // before a load, is refused: false, and nothing changes, since every view reads the paneled
    // line of a changed line.
    bool restoreLineState(const LineState &state);

signals:
    // A new file is loaded: airfoil, reference and paneled line are new (lineChanged follows).
    void fileChanged();
    // The paneled line is new or reshaped.
    void lineChanged();

private:
    // Reads and analyses the device into next, as every open does, all but the geometry, which
    // only a load shows (a press reads its section back for the coefficients alone).
    Refusal analyseFile(QIODevice *device, Analysis *next) const;
    // The normalised contour with the presses applied, as an airfoil file under the title.
    QByteArray contourText(const QByteArray &title) const;
    // The title a save writes: the file's, with the values the presses reached.
    QByteArray savedTitle() const;
    void rebuildLine();
    void solveLine();
    // Reads the text a save writes back into the reshaped section.
    void readSection();

    std::shared_ptr<InverseCache> inverseCache;
    // Shared with the undo steps that give it back.
    std::shared_ptr<const Analysis> file;
    LineState now;
    // Last: it reads the rest of the study, so it goes first.
    ConvergenceModel convergenceModel {this};
};

#endif // LIFTWISE_STUDY_H
