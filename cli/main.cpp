// liftwise-cli: the window's analysis without a display, for scripts and reproducible runs.

#include "command.h"
#include "filesystem.h"
#include "format.h"

#include <QGuiApplication>

#include <memory>

int main(int argc, char *argv[])
{
    // The commands that draw need a GUI application, on a platform that needs no display unless
    // one is asked for; the others run where no platform plugin is at hand at all.
    const bool draws
        = argc > 1 && (qstrcmp(argv[1], "report") == 0 || qstrcmp(argv[1], "export") == 0);
    if (draws && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Standard error says what the tool has to say, one line a problem: not the platform's notes
    // on a desktop session it has no use for ("XDG_RUNTIME_DIR not set").
    if (draws)
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
            if (type == QtCriticalMsg || type == QtFatalMsg)
                Cli::err() << text << '\n';
        });
    const std::unique_ptr<QCoreApplication> app = draws
        ? std::make_unique<QGuiApplication>(argc, argv)
        : std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("liftwise-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(LIFTWISE_VERSION));
    // File names are bytes: taken as they are, they open even when they are not UTF-8.
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << FileSystem::decodeName(argv[i]);
    const QString command = args.isEmpty() ? QString() : args.takeFirst();
    const char usage[]
        = "Usage: liftwise-cli COMMAND [options] ...\n"
          "Commands: analyze, sweep, batch, modify, naca, export, report; 'liftwise-cli COMMAND "
          "--help' says more.\n";
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
    else if (command == QLatin1String("report"))
        status = Cli::report(args);
    else if (command == QLatin1String("export"))
        status = Cli::exportContour(args);
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
    // Everything written must have reached standard output: a full disk is no success.
    Cli::out().flush();
    if (const QString problem = Cli::outputProblem(); !problem.isEmpty()) {
        const bool known
            = QStringList {"analyze", "sweep", "batch", "modify", "naca", "export", "report"}
                  .contains(command);
        Cli::err() << QStringLiteral("liftwise-cli%1: cannot write standard output: %2\n")
                          .arg(known ? QLatin1Char(' ') + command : QString(), problem);
        status = Cli::FileError;
    }
    Cli::err().flush();
    return status;
}
