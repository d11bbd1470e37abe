// liftwise-cli ribs: a tapered wing's ribs at true size, laid out on sheets, as DXF, SVG or PDF;
// and the rib options export shares.

#include "command.h"
#include "contourtemplate.h"
#include "format.h"
#include "ribfeatures.h"
#include "ribset.h"
#include "study.h"

#include <memory>

namespace Cli {

namespace {

// The decimals a length in millimetres is given with, and the least a slot or hole may be.
constexpr int LengthDecimals = 2;
constexpr double MinLength = 0.1;

std::unique_ptr<Command> ribsCommand()
{
    auto command = std::make_unique<Command>(QStringLiteral("ribs"), QStringLiteral("FILE"),
        QStringLiteral("Writes the ribs of a tapered wing at true size, the section in FILE at "
                       "the root (blended with the one of --tip-file towards the tip), laid out "
                       "in rows on sheets, each labelled with its number and chord: a DXF "
                       "drawing (AutoCAD R12, millimetres; layers CUT, SHEETING, SPAR, HOLE "
                       "and MARK; further sheets to the right), an SVG drawing (further sheets "
                       "below) or a PDF document (a page a sheet), by the extension of "
                       "--output. A spar at a position in mm lies that far behind the root's "
                       "leading edge on every rib; one in % at that part of each chord. "
                       "Without --output, DXF to standard output."));
    command->addFileArgument();
    const QString chords = Format::range(ContourTemplate::MinChord, ContourTemplate::MaxChord);
    command->parser.addOptions({
        {QStringLiteral("root"), QStringLiteral("Root chord in millimetres, %1.").arg(chords),
            QStringLiteral("MM")},
        {QStringLiteral("tip"), QStringLiteral("Tip chord in millimetres, %1.").arg(chords),
            QStringLiteral("MM")},
        {QStringLiteral("span"),
            QStringLiteral("From the root rib to the tip rib in millimetres, %1.")
                .arg(Format::range(0, WingPlan::MaxSpan)),
            QStringLiteral("MM")},
        {QStringLiteral("count"),
            QStringLiteral("Number of ribs, %1.").arg(Format::range(1, WingPlan::MaxCount)),
            QStringLiteral("N")},
        {QStringLiteral("sweep"),
            QStringLiteral("Sweep of the leading edge in degrees, %1 (default 0).")
                .arg(Format::range(-WingPlan::MaxSweep, WingPlan::MaxSweep)),
            QStringLiteral("DEG")},
        {QStringLiteral("washout"),
            QStringLiteral("Twist at the tip in degrees, nose down, linear along the span, "
                           "about each chord's quarter point, %1 (default 0).")
                .arg(Format::range(-WingPlan::MaxWashout, WingPlan::MaxWashout)),
            QStringLiteral("DEG")},
        {QStringLiteral("tip-file"),
            QStringLiteral("The tip's section, blended with the root's along the span."),
            QStringLiteral("F")},
        {QStringLiteral("sheet"),
            QStringLiteral("The sheet: A4 or A3 (landscape) or WxH in millimetres, each side "
                           "%1 (default A4).")
                .arg(Format::range(SheetSize::MinSide, SheetSize::MaxSide)),
            QStringLiteral("SIZE")},
        {QStringLiteral("output"),
            QStringLiteral("Write the ribs to OUT.dxf, OUT.svg or OUT.pdf instead of DXF to "
                           "standard output (-)."),
            QStringLiteral("OUT")},
    });
    addRibFeatureOptions(command.get());
    return command;
}

// A length given with a spar or a hole, in millimetres; false when it is none.
bool readLength(const QString &text, double maximum, double *value)
{
    bool ok = false;
    *value = Format::rounded(text.trimmed().toDouble(&ok), LengthDecimals);
    return ok && *value >= MinLength && *value <= maximum;
}

} // namespace

bool isStandardOutput(const QString &output)
{
    return output.isEmpty() || output == QLatin1String("-");
}

ContourTemplate::Type outputType(const QString &output)
{
    return isStandardOutput(output) ? ContourTemplate::Type::Dxf : ContourTemplate::typeOf(output);
}

bool writesPdf(Command &command, const QStringList &args)
{
    return command.parser.parse(QStringList {QStringLiteral("liftwise-cli")} + args)
        && outputType(command.parser.value(QStringLiteral("output"))) == ContourTemplate::Type::Pdf;
}

int writeDrawing(const QString &output, const std::function<QByteArray(QString *)> &dxf,
    const std::function<QString(const QString &, ContourTemplate::Type)> &save)
{
    QString problem;
    if (isStandardOutput(output)) {
        const QByteArray bytes = dxf(&problem);
        if (problem.isEmpty())
            writeOut(bytes);
    } else {
        problem = save(output, outputType(output));
    }
    if (!problem.isEmpty()) {
        tell({Study::Refusal::Unwritable, problem},
            isStandardOutput(output) ? QStringLiteral("-") : output);
        return FileError;
    }
    return Success;
}

void addRibFeatureOptions(Command *command)
{
    const QString lengths = Format::range(MinLength, RibFeatures::MaxSize, LengthDecimals);
    command->parser.addOptions({
        {QStringLiteral("spar"),
            QStringLiteral("A slot for a spar, square to the chord, into the top or the bottom: "
                           "its middle at X from the leading edge (\"25%\" of the chord or "
                           "\"50\" mm), W wide and D deep from the surface there, each %1 mm. "
                           "Repeat for more spars.")
                .arg(lengths),
            QStringLiteral("X,W,D,top|bottom")},
        {QStringLiteral("sheeting"),
            QStringLiteral("Sheeting's thickness in millimetres, %1: the outline offset inwards "
                           "by it, on layer SHEETING.")
                .arg(Format::range(MinLength, RibFeatures::MaxSheeting, LengthDecimals)),
            QStringLiteral("MM")},
        {QStringLiteral("hole"),
            QStringLiteral("A lightening hole D mm across (%1) on the camber line at AT %% of "
                           "the chord (default 40), a slot rounded at both ends where LENGTH "
                           "mm exceeds D, on layer HOLE.")
                .arg(lengths),
            QStringLiteral("D[,AT[,LENGTH]]")},
        {QStringLiteral("web"),
            QStringLiteral("The least material round the hole in millimetres, %1 (default 3).")
                .arg(lengths),
            QStringLiteral("MM")},
        {QStringLiteral("registration"),
            QStringLiteral("A crosshair on the chord at this per cent of it, %1, on layer MARK.")
                .arg(Format::range(0, 100)),
            QStringLiteral("PCT")},
        {QStringLiteral("mirror"),
            QStringLiteral("A mirrored copy of each rib, for the left wing.")},
    });
}

bool readRibFeatures(const Command &command, RibFeatures *features)
{
    const QCommandLineParser &parser = command.parser;
    const QString lengths = Format::range(MinLength, RibFeatures::MaxSize, LengthDecimals);
    for (const QString &given : parser.values(QStringLiteral("spar"))) {
        Spar spar;
        if (!Spar::parse(given, &spar)) {
            command.usageError(QStringLiteral("--spar takes X,W,D,top or X,W,D,bottom: X %1 % "
                                              "or %2 mm, W and D %3 mm; not \"%4\"")
                                   .arg(Format::range(0, 100), Format::range(0, Spar::MaxPosition),
                                       lengths, given));
            return false;
        }
        features->spars << spar;
    }
    if (!command.readNumber(QStringLiteral("sheeting"), MinLength, RibFeatures::MaxSheeting,
            LengthDecimals, &features->sheeting)
        || !command.readNumber(
            QStringLiteral("web"), MinLength, RibFeatures::MaxSize, LengthDecimals, &features->web)
        || !command.readNumber(
            QStringLiteral("registration"), 0.0, 100.0, 1, &features->registration))
        return false;
    if (parser.isSet(QStringLiteral("hole"))) {
        const QString given = parser.value(QStringLiteral("hole"));
        const QStringList parts = given.split(QLatin1Char(','));
        bool ok = parts.size() <= 3 && readLength(parts[0], RibFeatures::MaxSize, &features->hole);
        if (ok && parts.size() > 1) {
            features->holeAt = parts[1].trimmed().toDouble(&ok);
            ok = ok && features->holeAt > 0.0 && features->holeAt < 100.0;
        }
        if (ok && parts.size() > 2)
            ok = readLength(parts[2], RibFeatures::MaxSize, &features->holeLength);
        if (!ok) {
            command.usageError(QStringLiteral("--hole takes D[,AT[,LENGTH]]: D and LENGTH %1 "
                                              "mm, AT between 0 and 100 %; not \"%2\"")
                                   .arg(lengths, given));
            return false;
        }
    }
    features->mirror = parser.isSet(QStringLiteral("mirror"));
    return true;
}

bool ribsWritesPdf(const QStringList &args) { return writesPdf(*ribsCommand(), args); }

int ribs(const QStringList &args)
{
    const std::unique_ptr<Command> command = ribsCommand();
    if (const int status = command->parse(args); status != Continue)
        return status;
    const QString path = command->singleFile();
    if (path.isEmpty())
        return UsageError;
    for (const char *required : {"root", "tip", "span", "count"})
        if (!command->parser.isSet(QLatin1String(required)))
            return command->usageError(
                QStringLiteral("--root, --tip, --span and --count give the wing's ribs"));
    WingPlan plan;
    RibFeatures features;
    QSizeF sheet(297, 210);
    if (!command->readNumber(QStringLiteral("root"), ContourTemplate::MinChord,
            ContourTemplate::MaxChord, ContourTemplate::ChordDecimals, &plan.root)
        || !command->readNumber(QStringLiteral("tip"), ContourTemplate::MinChord,
            ContourTemplate::MaxChord, ContourTemplate::ChordDecimals, &plan.tip)
        || !command->readNumber(QStringLiteral("span"), 0.0, WingPlan::MaxSpan, 1, &plan.span)
        || !command->readInt(QStringLiteral("count"), 1, WingPlan::MaxCount, &plan.count)
        || !command->readNumber(
            QStringLiteral("sweep"), -WingPlan::MaxSweep, WingPlan::MaxSweep, 1, &plan.sweep)
        || !command->readNumber(QStringLiteral("washout"), -WingPlan::MaxWashout,
            WingPlan::MaxWashout, 2, &plan.washout)
        || !readRibFeatures(*command, &features))
        return UsageError;
    if (command->parser.isSet(QStringLiteral("sheet"))
        && !SheetSize::parse(command->parser.value(QStringLiteral("sheet")), &sheet))
        return command->usageError(
            QStringLiteral("--sheet takes A4, A3 or WxH in millimetres, each side %1")
                .arg(Format::range(SheetSize::MinSide, SheetSize::MaxSide)));
    const QString output = command->parser.value(QStringLiteral("output"));
    if (outputType(output) == ContourTemplate::Type::Unknown)
        return command->usageError(
            QStringLiteral("--output takes a name ending in .dxf, .svg or .pdf"));

    Study study;
    if (!load(&study, path))
        return FileError;
    Study tip;
    const QString tipPath = command->parser.value(QStringLiteral("tip-file"));
    if (!tipPath.isEmpty() && !load(&tip, tipPath))
        return FileError;
    QString problem;
    const RibSet set
        = RibSet::make(study, tipPath.isEmpty() ? nullptr : &tip, plan, features, sheet, &problem);
    if (!problem.isEmpty())
        return command->usageError(problem);
    return writeDrawing(
        output, [&](QString *why) { return set.dxf(why); },
        [&](const QString &name, ContourTemplate::Type type) { return set.save(name, type); });
}

} // namespace Cli
