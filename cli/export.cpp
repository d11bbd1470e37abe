// liftwise-cli export: the cutting template at true size, as DXF, SVG or PDF.

#include "command.h"
#include "contourtemplate.h"
#include "format.h"
#include "ribfeatures.h"
#include "study.h"

#include <memory>

namespace Cli {

namespace {

// The command with its options, the same where they are read ahead of the run.
std::unique_ptr<Command> exportCommand()
{
    auto command = std::make_unique<Command>(QStringLiteral("export"), QStringLiteral("FILE"),
        QStringLiteral("Writes the normalised contour and its camber line at true size, scaled "
                       "by the chord, as a cutting template: the outline the contour's spline, "
                       "with the rib's spar slots, sheeting, hole and marks asked for; a DXF "
                       "drawing (AutoCAD R12, millimetres; the outline on layer CUT, the camber "
                       "line, chord and crosshair on MARK), an SVG drawing or a PDF page to "
                       "print at 1:1 (A4 landscape, A3 above a chord of 250 mm), by the "
                       "extension of --output. Without --output, DXF to standard output."));
    command->addFileArgument();
    command->parser.addOptions({
        {QStringLiteral("chord"),
            QStringLiteral("Chord in millimetres, %1.")
                .arg(Format::range(ContourTemplate::MinChord, ContourTemplate::MaxChord)),
            QStringLiteral("MM")},
        {QStringLiteral("output"),
            QStringLiteral("Write the template to OUT.dxf, OUT.svg or OUT.pdf instead of DXF to "
                           "standard output (-)."),
            QStringLiteral("OUT")},
    });
    addRibFeatureOptions(command.get());
    return command;
}

} // namespace

bool exportWritesPdf(const QStringList &args) { return writesPdf(*exportCommand(), args); }

int exportContour(const QStringList &args)
{
    const std::unique_ptr<Command> command = exportCommand();
    if (const int status = command->parse(args); status != Continue)
        return status;
    const QString path = command->singleFile();
    if (path.isEmpty())
        return UsageError;
    if (!command->parser.isSet(QStringLiteral("chord")))
        return command->usageError(QStringLiteral("--chord gives the chord in millimetres"));
    double chord = 0.0;
    if (!command->readNumber(QStringLiteral("chord"), ContourTemplate::MinChord,
            ContourTemplate::MaxChord, ContourTemplate::ChordDecimals, &chord))
        return UsageError;
    RibFeatures features;
    if (!readRibFeatures(*command, &features))
        return UsageError;
    const QString output = command->parser.value(QStringLiteral("output"));
    if (outputType(output) == ContourTemplate::Type::Unknown)
        return command->usageError(
            QStringLiteral("--output takes a name ending in .dxf, .svg or .pdf"));

    Study study;
    if (!load(&study, path))
        return FileError;
    ContourTemplate drawing = ContourTemplate::of(study, chord);
    drawing.features = features;
    QString problem;
    // Features that do not fit the section are the user's to change: refused, nothing written.
    drawing.drawing(&problem);
    if (!problem.isEmpty())
        return command->usageError(problem);
    return writeDrawing(
        output, [&](QString *why) { return drawing.dxf(why); },
        [&](const QString &name, ContourTemplate::Type type) { return drawing.save(name, type); });
}

} // namespace Cli
