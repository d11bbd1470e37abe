#ifndef LIFTWISE_RIBFEATURES_H
#define LIFTWISE_RIBFEATURES_H

#include "command.h"
#include "rib.h"

// The options export and ribs share for what a rib carries besides its outline.
namespace Cli {

// --spar (repeatable), --sheeting, --hole, --web, --registration and --mirror.
void addRibFeatureOptions(Command *command);
// The features the options give; false after a usage error (printed).
bool readRibFeatures(const Command &command, RibFeatures *features);

} // namespace Cli

#endif // LIFTWISE_RIBFEATURES_H
