#ifndef LIFTWISE_COMMAND_H
#define LIFTWISE_COMMAND_H

#include "modification.h"
#include "paneling.h"
#include "study.h"

#include <QCommandLineParser>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QTextStream>

// What every command of liftwise-cli shares: the parser with --help and --version, usage
// errors, values checked against the ranges the window offers, and loading a file.
namespace Cli {

enum ExitCode { Success = 0, FileError = 1, UsageError = 2, Continue = -1 };

// The commands, as typed and as the usage line lists them.
const QStringList &commandNames();
// The program's arguments after its name. File names are bytes: taken as they are, they open
// even when they are not UTF-8.
QStringList arguments(int argc, char *argv[]);
// Gives the application liftwise-cli's name and version, for --version.
void nameApplication();
// Ends a run of the command with its status: everything written must have reached standard
// output, since a full disk is no success. Says why not and returns FileError where it has not.
int finish(const QString &command, int status);

// Standard output and standard error as text. Standard output takes every byte written to it
// or keeps the reason why it could not.
QTextStream &out();
QTextStream &err();
// Bytes as they stand, after the text written to out() so far.
void writeOut(const QByteArray &bytes);
// Why standard output did not take all that out() passed on to it, in the system's words; an
// empty string while it did. Once a write has failed, nothing more is written.
QString outputProblem();

class Command
{
public:
    // name: the command as typed; arguments: the positional part of its synopsis.
    Command(const QString &name, const QString &arguments, const QString &description);

    // Parses the arguments after the command's name. Continue when the command is to run;
    // otherwise the exit status, after answering --help or --version or naming a usage error.
    int parse(const QStringList &args);
    // Prints the problem and where to read more; returns UsageError.
    int usageError(const QString &problem) const;
    // The FILE argument of a command that takes one airfoil file.
    void addFileArgument();
    // The one airfoil file the command takes; empty after a usage error.
    QString singleFile() const;

    // The --panels, --le and --te options, their help naming the start's values as defaults;
    // panels as a single count unless ranged.
    void addPanelingOptions(const Paneling &start = Paneling(), bool ranged = false);
    // The paneling the options give, starting from the default one; false after a usage error
    // (printed). readDensities leaves --panels to the caller, for a range of counts.
    bool readPaneling(Paneling *paneling) const;
    bool readDensities(Paneling *paneling) const;
    // --alpha0, --cm0 and --presses; note ends the targets' descriptions.
    void addModifyOptions(const QString &note, const QString &pressesDefault = QStringLiteral("1"));
    // The targets the options give, as typed (not rounded to the window field's decimals), over
    // those given in targets, and the presses (1 to Targets::MaxPresses); false after a usage
    // error.
    bool readModify(Targets *targets, int *presses) const;
    // A whole number from minimum to maximum; false after a usage error.
    bool readInt(const QString &option, int minimum, int maximum, int *value) const;
    // A number as the window's field takes it, rounded to its decimals, from minimum to
    // maximum; false after a usage error.
    bool readNumber(
        const QString &option, double minimum, double maximum, int decimals, double *value) const;
    // The same as typed, unrounded; decimals only say the range in the usage error.
    bool readExactNumber(
        const QString &option, double minimum, double maximum, int decimals, double *value) const;

    QCommandLineParser parser;

private:
    bool readNumber(const QString &option, double minimum, double maximum, int decimals,
        bool rounding, double *value) const;

    QString name;
    QString arguments;
};

// The usage error of a command that takes airfoil files and was given none.
inline QString noFileGiven() { return QStringLiteral("no airfoil file given"); }

// Says on standard error, in one line, why the file at path was not taken or not saved.
void tell(const Study::Refusal &refusal, const QString &path);
// Loads the file (standard input for "-") into the study, at the study's paneling; prints
// why it is refused and returns false, or prints its warnings and returns true. The refusal,
// if any, goes to refusal too when one is given.
bool load(Study *study, const QString &path, Study::Refusal *refusal = nullptr);

int analyze(const QStringList &args);
int sweep(const QStringList &args);
int batch(const QStringList &args);
int modify(const QStringList &args);
int naca(const QStringList &args);
int meanline(const QStringList &args);
int design(const QStringList &args);
int compare(const QStringList &args);
// What analyze --json prints for the study, without presses, with the entries of more.
QByteArray analysisJson(const Study &study, const QJsonObject &more = QJsonObject());
int report(const QStringList &args);
int exportContour(const QStringList &args);
// Whether export, given these arguments, writes a PDF page, which needs fonts and so a GUI
// application.
bool exportWritesPdf(const QStringList &args);
int ribs(const QStringList &args);
bool ribsWritesPdf(const QStringList &args);

} // namespace Cli

#endif // LIFTWISE_COMMAND_H
