// liftwise-cli: the window's analysis without a display, for scripts and reproducible runs.

#include "command.h"
#include "format.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <climits>
#include <cstring>

#include <unistd.h>

namespace {

// The commands that draw (report, export, ribs) link QtGui, whose loading would double the start
// of every run; they are a program of their own, which this one becomes for them. It lies at
// LIFTWISE_PAPER_PROGRAM from this program's folder, in the build as where it is installed.
int runPaperProgram(char *argv[])
{
    char self[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    QByteArray program = length > 0 ? QByteArray(self, length) : QByteArray();
    program.truncate(program.lastIndexOf('/') + 1);
    program += LIFTWISE_PAPER_PROGRAM;
    execv(program.constData(), argv);
    Cli::err() << QStringLiteral("liftwise-cli: cannot run %1: %2\n")
                      .arg(QFile::decodeName(program), QString::fromLocal8Bit(strerror(errno)));
    Cli::err().flush();
    return Cli::FileError;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc > 1
        && (qstrcmp(argv[1], "report") == 0 || qstrcmp(argv[1], "export") == 0
            || qstrcmp(argv[1], "ribs") == 0))
        return runPaperProgram(argv);
    // The commands that only compute run where no platform plugin is at hand at all.
    QCoreApplication app(argc, argv);
    Cli::nameApplication();
    QStringList args = Cli::arguments(argc, argv);
    const QString command = args.isEmpty() ? QString() : args.takeFirst();
    const QString usage = QStringLiteral("Usage: liftwise-cli COMMAND [options] ...\n"
                                         "Commands: %1; 'liftwise-cli COMMAND --help' says more.\n")
                              .arg(Cli::commandNames().join(QStringLiteral(", ")));
    int status;
    if (command == QLatin1String("analyze"))
        status = Cli::analyze(args);
    else if (command == QLatin1String("sweep"))
        status = Cli::sweep(args);
    else if (command == QLatin1String("batch"))
        status = Cli::batch(args);
    else if (command == QLatin1String("modify"))
        status = Cli::modify(args);
    else if (command == QLatin1String("naca"))
        status = Cli::naca(args);
    else if (command == QLatin1String("meanline"))
        status = Cli::meanline(args);
    else if (command == QLatin1String("design"))
        status = Cli::design(args);
    else if (command == QLatin1String("compare"))
        status = Cli::compare(args);
    else if (command == QLatin1String("--help") || command == QLatin1String("-h")) {
        Cli::out() << usage;
        status = Cli::Success;
    } else if (command == QLatin1String("--version") || command == QLatin1String("-v")) {
        Cli::out() << Format::versionText(
            QStringLiteral("liftwise-cli"), QCoreApplication::applicationVersion());
        status = Cli::Success;
    } else {
        Cli::err() << "liftwise-cli: "
                   << (command.isEmpty() ? QStringLiteral("no command given")
                                         : QStringLiteral("unknown command '%1'").arg(command))
                   << "\nTry 'liftwise-cli --help'.\n";
        status = Cli::UsageError;
    }
    return Cli::finish(command, status);
}
