#ifndef LIFTWISE_RIBFEATURES_H
#define LIFTWISE_RIBFEATURES_H

#include "command.h"
#include "contourtemplate.h"
#include "rib.h"

#include <functional>

// The options export and ribs share for what a rib carries besides its outline, and where
// their drawings go.
namespace Cli {

// --spar (repeatable), --sheeting, --hole, --web, --registration and --mirror.
void addRibFeatureOptions(Command *command);
// The features the options give; false after a usage error (printed).
bool readRibFeatures(const Command &command, RibFeatures *features);

// --output: no name or "-" is DXF to standard output; else the type its extension names.
bool isStandardOutput(const QString &output);
ContourTemplate::Type outputType(const QString &output);
// Whether the command's arguments ask for a PDF, which takes a platform to draw on.
bool writesPdf(Command &command, const QStringList &args);
// Writes a drawing where --output says: dxf's bytes to standard output, or save's file of the
// type. The status: FileError, said, where it could not be written.
int writeDrawing(const QString &output, const std::function<QByteArray(QString *)> &dxf,
    const std::function<QString(const QString &, ContourTemplate::Type)> &save);

} // namespace Cli

#endif // LIFTWISE_RIBFEATURES_H
