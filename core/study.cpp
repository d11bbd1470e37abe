#include "study.h"

#include "analysis.h"
#include "filesystem.h"
#include "format.h"

#include "workerpool.h"

#include <QBuffer>
#include <QFile>
#include <QRegularExpression>

struct Study::Analysis
{
    QString path;
    AirfoilData data;
    QStringList warnings;
    // From a design operation or from no file, not from the file at path.
    bool designed = false;
    // A design operation's text, which a save writes as it stands until a press: in the frame
    // of the section it came from (a flap's in the unflapped chord's), not levelled again.
    QByteArray text;
    // Its airfoil is shared with the sweeps that still run on it.
    Section section;
};

namespace {

// Reads the stream and analyses its contour; why it is refused, in the user's words, or an
// empty string.
QString analyse(QIODevice *device, AirfoilData *data, std::unique_ptr<Airfoil> *airfoil)
{
    *data = readAirfoilData(device);
    if (!data->problem.isEmpty())
        return data->problem;
    const int n = data->count();
    double distance = 0.0;
    const int wild = wildPoint(n, data->x.constData(), data->y.constData(), &distance);
    if (wild >= 0) {
        const QString chords = !std::isfinite(distance) ? QStringLiteral("over 1e308")
            : distance < 1e6                            ? QString::number(distance, 'f', 1)
                                                        : QString::number(distance, 'g', 3);
        return QStringLiteral("the point on line %1 lies %2 chords from the chord line")
            .arg(QString::number(data->lineNumbers.at(wild)), chords);
    }
    double ahead = 0.0;
    if (const int stray = strayNose(n, data->x.constData(), &ahead); stray >= 0) {
        return QStringLiteral(
            "the point on line %1 lies %2 chords ahead of the rest of the contour")
            .arg(QString::number(data->lineNumbers.at(stray)),
                std::isfinite(ahead) && ahead < 1e6 ? QString::number(ahead, 'f', 1)
                                                    : QString::number(ahead, 'g', 3));
    }
    std::string problem;
    *airfoil = normalizedAirfoil(n, data->x.constData(), data->y.constData(), &problem);
    return QString::fromStdString(problem);
}

} // namespace

QString Study::Refusal::message(const QString &path) const
{
    switch (kind) {
    case Unreadable:
        return QStringLiteral("Cannot read file %1:\n%2.").arg(path, reason);
    case Refused:
        return QStringLiteral("Cannot analyse file %1:\n%2.").arg(path, reason);
    case Unwritable:
        return QStringLiteral("Cannot write file %1:\n%2.").arg(path, reason);
    case WouldBeRefused:
        return QStringLiteral("Cannot save %1: the reshaped airfoil would be refused: %2.")
            .arg(path, reason);
    case None:
        break;
    }
    return QString();
}

Study::Study(QObject *parent)
    : Study(std::make_shared<InverseCache>(), parent)
{
}

Study::Study(std::shared_ptr<InverseCache> inverses, QObject *parent)
    : QObject(parent)
    , inverseCache(std::move(inverses))
{
}

Study::~Study() = default;

Study::Refusal Study::loadFile(const QString &path) { return loadFile(path, now.paneling); }

Study::Refusal Study::loadFile(const QString &path, const Paneling &paneling)
{
    QFile device;
    if (const QString problem = FileSystem::openToRead(&device, path); !problem.isEmpty())
        return {Refusal::Unreadable, problem};
    return load(&device, path, paneling);
}

Study::Refusal Study::load(QIODevice *device, const QString &path, const Paneling &paneling)
{
    // 1. Everything is read and analysed aside; only a file that is taken replaces the study.
    const ForegroundWork userStep;
    auto next = std::make_shared<Analysis>();
    if (const Refusal refusal = analyseFile(device, next.get()))
        return refusal;
    next->path = path;
    next->designed = path.isEmpty();
    next->section.geometry = geometryOf(*next->section.airfoil);

    // 2. The new file at the paneling asked for.
    loadShared(next, paneling);
    return {};
}

void Study::loadShared(const std::shared_ptr<const Analysis> &taken, const Paneling &paneling)
{
    if (!taken)
        return;
    const ForegroundWork userStep;
    file = taken;
    now.paneling = paneling;
    rebuildLine();
    emit fileChanged();
    emit lineChanged();
}

Study::Refusal Study::loadDesigned(
    const QByteArray &text, const QString &path, const Paneling &paneling)
{
    const ForegroundWork userStep;
    QBuffer device;
    device.setData(text);
    device.open(QIODevice::ReadOnly);
    auto next = std::make_shared<Analysis>();
    if (const Refusal refusal = analyseFile(&device, next.get()))
        return refusal;
    next->text = text;
    next->path = path;
    next->designed = true;
    next->section.geometry = geometryOf(*next->section.airfoil);
    loadShared(next, paneling);
    return {};
}

Study::Refusal Study::analyseFile(QIODevice *device, Analysis *next) const
{
    std::unique_ptr<Airfoil> airfoil;
    const QString reason = analyse(device, &next->data, &airfoil);
    if (!reason.isEmpty())
        return {next->data.readFailed ? Refusal::Unreadable : Refusal::Refused, reason};
    Section &section = next->section;
    section.airfoil = std::move(airfoil);
    section.reference.computePoints(*section.airfoil);
    section.referenceLoading = loadingOf(section.reference, inverseCache.get());
    section.referenceCoefficients = coefficientsOf(section.referenceLoading);
    // Numbers that are no numbers would reach every panel and the targets; say so instead.
    if (!section.referenceCoefficients.isFinite())
        return {Refusal::Refused,
            QStringLiteral("the analysis of this contour gives coefficients that are not finite")};
    next->warnings = next->data.warnings;
    const std::string warning = section.airfoil->normalizationWarning();
    if (!warning.empty())
        next->warnings << QString::fromStdString(warning);
    return {};
}

void Study::setPaneling(const Paneling &paneling)
{
    // A paneling as it was keeps the line and its presses: a glance at a field loses nothing.
    if (file && paneling == now.paneling)
        return;
    now.paneling = paneling;
    if (!file)
        return;
    const ForegroundWork userStep;
    rebuildLine();
    emit lineChanged();
}

void Study::rebuildLine()
{
    now.line = camberlineOf(*file->section.airfoil, now.paneling);
    solveLine();
    now.presses.clear();
    now.pressedSections.clear();
    now.section.reset();
    now.sectionRefusal.clear();
    now.targets.reset();
    now.originalLoading.reset();
}

void Study::solveLine()
{
    now.loading = loadingOf(*now.line, inverseCache.get());
    now.coefficients = coefficientsOf(now.loading);
}

bool Study::isSolved(const Paneling &paneling) const
{
    return inverseCache->has(Camberline(paneling).stations());
}

CamberReshaping Study::modify(const Targets &targets)
{
    if (!file)
        return CamberReshaping();
    const ForegroundWork userStep;
    if (now.presses.empty())
        now.originalLoading = now.loading;
    const CamberReshaping reshaping = reshapeCamberline(*now.line, targets, inverseCache.get());
    solveLine();
    now.presses.push_back(reshaping);
    now.targets = targets;
    readSection();
    emit lineChanged();
    return reshaping;
}

void Study::readSection()
{
    // What an open of the saved section gives, read from the text a save would write.
    QBuffer saved;
    saved.setData(contourText(file->data.titleBytes));
    saved.open(QIODevice::ReadOnly);
    Analysis section;
    now.section.reset();
    now.sectionRefusal.clear();
    if (const Refusal refusal = analyseFile(&saved, &section)) {
        now.sectionRefusal = refusal.reason;
        now.pressedSections.emplace_back();
        return;
    }
    section.section.geometry = geometryOf(*section.section.airfoil);
    now.section = std::make_shared<const Section>(std::move(section.section));
    now.pressedSections.emplace_back(now.section->referenceCoefficients);
}

Study::Reach Study::reachTargets(const Targets &targets, const Paneling &paneling, int maxPresses,
    const std::function<bool(int, const Coefficients &, const Coefficients *)> &pressed)
{
    Reach reach;
    // What a save writes: the section as loaded before a press, the reshaped one after (none
    // where an open would refuse it).
    const auto reached = [&] {
        const Section *saved = now.presses.empty() ? loadedSection() : now.section.get();
        return saved
            && targets.reachedBy(
                saved->referenceCoefficients, radians(ReachAlpha0Degrees), ReachCm0);
    };
    if (!file || reached()) {
        reach.reached = bool(file);
        return reach;
    }
    const ForegroundWork userStep;
    const LineState before = now;
    // The line pressed: the paneled one when the paneling is the study's, which the presses
    // then reshape as they reshape the line built anew.
    Camberline line = camberlineOf(*file->section.airfoil, paneling);
    applyPresses(line, now.presses);
    if (now.presses.empty())
        now.originalLoading = now.loading;
    Targets aim = targets;
    while (reach.presses < maxPresses && !reached()) {
        const CamberReshaping press = reshapeCamberline(line, aim, inverseCache.get());
        if (!press.applied)
            break;
        now.presses.push_back(press);
        ++reach.presses;
        readSection();
        const Coefficients *section = reshapedReference();
        if (pressed && !pressed(reach.presses, coefficientsOf(line, inverseCache.get()), section)) {
            now = before;
            reach.cancelled = true;
            return reach;
        }
        if (!section)
            break;
        aim.alpha0 += targets.alpha0 - section->alpha0;
        aim.cm0 += targets.cm0 - section->cm0;
    }
    reach.reached = reached();
    if (reach.presses == 0)
        return reach;
    now.targets = targets;
    now.line = camberlineOf(*file->section.airfoil, now.paneling);
    applyPresses(*now.line, now.presses);
    solveLine();
    emit lineChanged();
    return reach;
}

bool Study::sectionMissesTargets() const
{
    const Section *saved = section();
    return saved && now.targets
        && !now.targets->reachedBy(saved->referenceCoefficients,
            radians(Targets::ReachedAlpha0Degrees), Targets::ReachedCm0);
}

Targets Study::presetTargets() const
{
    const Coefficients &c = referenceCoefficients();
    Targets t;
    t.alpha0 = radians(Format::fieldValue(degrees(c.alpha0), -Targets::MaxAlpha0Degrees,
        Targets::MaxAlpha0Degrees, Targets::Decimals));
    t.cm0 = Format::fieldValue(c.cm0, -Targets::MaxCm0, Targets::MaxCm0, Targets::Decimals);
    return t;
}

QByteArray Study::airfoilText() const
{
    if (!file)
        return QByteArray();
    if (!file->text.isEmpty() && now.presses.empty())
        return file->text;
    return contourText(savedTitle());
}

namespace {

// The title with the suffix after it, the title cut to leave room for it within the reader's
// limit, between characters, not inside one.
QByteArray withSuffix(QByteArray title, const QByteArray &suffix)
{
    const qsizetype room = std::max<qsizetype>(AirfoilData::MaxLineLength - suffix.size(), 0);
    if (title.size() > room) {
        qsizetype cut = room;
        while (cut > 0 && (uchar(title.at(cut)) & 0xC0) == 0x80)
            --cut;
        title.truncate(cut);
    }
    return title + suffix;
}

} // namespace

QByteArray Study::savedTitle() const
{
    // The title's bytes pass through Latin-1 unchanged, whatever their encoding; the values
    // the saved section has replace those an earlier save put there, so that titles do not
    // grow and never claim what the section does not have.
    QByteArray title = file->data.titleBytes;
    const Coefficients *reshaped = reshapedReference();
    if (!reshaped)
        return title;
    // An earlier save's values go with the white space around them.
    static const QRegularExpression reached(
        QStringLiteral("\\s*\\(alpha0 -?\\d+\\.\\d+ deg, cm0 -?\\d+\\.\\d+\\)\\s*$"));
    title = QString::fromLatin1(title).remove(reached).toLatin1();
    while (!title.isEmpty() && QChar::fromLatin1(title.back()).isSpace())
        title.chop(1);
    return withSuffix(title,
        QStringLiteral(" (alpha0 %1 deg, cm0 %2)")
            .arg(Format::fixed(degrees(reshaped->alpha0), 3), Format::fixed(reshaped->cm0, 4))
            .toLatin1());
}

Study::Refusal Study::design(const SectionOperation &operation)
{
    if (!file)
        return {Refusal::Refused, QStringLiteral("no airfoil is loaded")};
    if (!operation.isValid())
        return {Refusal::Refused, QStringLiteral("its values lie outside their ranges")};
    const ForegroundWork userStep;
    const SectionPoints points = operation.apply(*section()->airfoil);
    if (!points.problem.empty())
        return {Refusal::Refused, QString::fromStdString(points.problem)};
    const QByteArray title = savedTitle();
    return loadDesigned(withSuffix(title,
                            (title.isEmpty() ? QString() : QStringLiteral(", ")).toUtf8()
                                + operation.note().toUtf8())
            + '\n' + coordinateLines(points.x, points.y),
        file->path, now.paneling);
}

bool Study::isDesigned() const { return file && file->designed; }

QByteArray Study::contourText(const QByteArray &title) const
{
    std::vector<double> x, y;
    reshapedContour(*file->section.airfoil, now.presses, &x, &y);
    return title + '\n' + coordinateLines(x, y);
}

Study::Refusal Study::readBack(const QByteArray &text) const
{
    QBuffer buffer;
    buffer.setData(text);
    buffer.open(QIODevice::ReadOnly);
    Analysis analysis;
    return analyseFile(&buffer, &analysis);
}

Study::Refusal Study::savedText(QByteArray *text) const
{
    if (!file)
        return {Refusal::Unwritable, QStringLiteral("no airfoil is loaded")};
    // A reshaped airfoil can lie beyond what an open takes (a point several chords from the
    // chord line): such a file is not written at all, so that the old one stays.
    *text = airfoilText();
    if (const Refusal refusal = readBack(*text))
        return {Refusal::WouldBeRefused, refusal.reason};
    return {};
}

Study::Refusal Study::save(const QString &path) const
{
    QByteArray text;
    if (const Refusal refusal = savedText(&text))
        return refusal;
    if (const QString problem = FileSystem::saveFile(path, text); !problem.isEmpty())
        return {Refusal::Unwritable, problem};
    return {};
}

QString Study::path() const { return file ? file->path : QString(); }

const AirfoilData &Study::data() const
{
    static const AirfoilData none;
    return file ? file->data : none;
}

QStringList Study::warnings() const { return file ? file->warnings : QStringList(); }

const Airfoil *Study::airfoil() const { return file ? file->section.airfoil.get() : nullptr; }

const Study::Section *Study::loadedSection() const { return file ? &file->section : nullptr; }

const Study::Section *Study::section() const
{
    return now.section ? now.section.get() : loadedSection();
}

Study::LineState Study::lineState() const
{
    LineState state = now;
    state.file = file;
    return state;
}

bool Study::restoreLineState(const LineState &state)
{
    if (!file || !state.line || !state.file)
        return false;
    now = state;
    now.file.reset();
    if (state.file != file) {
        file = state.file;
        emit fileChanged();
    }
    emit lineChanged();
    return true;
}

std::shared_ptr<const Airfoil> Study::sharedAirfoil() const
{
    return file ? file->section.airfoil : nullptr;
}

const Camberline *Study::reference() const { return file ? &file->section.reference : nullptr; }

const Loading &Study::referenceLoading() const
{
    static const Loading none;
    return file ? file->section.referenceLoading : none;
}

const Coefficients &Study::referenceCoefficients() const
{
    static const Coefficients none;
    return file ? file->section.referenceCoefficients : none;
}

const SectionGeometry &Study::geometry() const
{
    static const SectionGeometry none;
    return file ? file->section.geometry : none;
}
