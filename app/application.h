#ifndef LIFTWISE_APPLICATION_H
#define LIFTWISE_APPLICATION_H

#include <QStringList>

// The window's command line: liftwise [--reset-settings] [FILE], --help and --version.

// Whether the arguments ask for --help or --version, which answer on the terminal without a
// display.
bool wantsTerminalAnswer(const QStringList &arguments);
// Prints the help or the version; the exit code.
int answerOnTerminal(const QStringList &arguments);
// Shows the window, opening the file the arguments name, and runs it until it closes; the exit
// code. Needs the application object.
int runLiftwise(const QStringList &arguments);

#endif // LIFTWISE_APPLICATION_H
