// liftwise-cli: the window's analysis without a display, for scripts and reproducible runs.

#include "command.h"
#include "filesystem.h"
#include "format.h"

#include <QGuiApplication>

#include <memory>

namespace {

QtMessageHandler qtMessages = nullptr;

// Qt's word, as it starts on a system without a runtime folder (a root shell, CI), that it
// takes one in /tmp: nothing the user of a command needs to hear.
void startupMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (!message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        qtMessages(type, context, message);
}

} // namespace

int main(int argc, char *argv[])
{
    // export draws text into its PDF, which takes the fonts of a QGuiApplication; on the
    // offscreen platform, which needs no display. Every other command needs QtCore only.
    const bool drawing = argc > 1 && qstrcmp(argv[1], "export") == 0;
    if (drawing) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qtMessages = qInstallMessageHandler(startupMessage);
    }
    const std::unique_ptr<QCoreApplication> app(
        drawing ? new QGuiApplication(argc, argv) : new QCoreApplication(argc, argv));
    if (drawing)
        qInstallMessageHandler(qtMessages);
    QCoreApplication::setApplicationName(QStringLiteral("liftwise-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(LIFTWISE_VERSION));
    // File names are bytes: taken as they are, they open even when they are not UTF-8.
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << FileSystem::decodeName(argv[i]);
    const QString command = args.isEmpty() ? QString() : args.takeFirst();
    const char usage[]
        = "Usage: liftwise-cli COMMAND [options] ...\n"
          "Commands: analyze, sweep, batch, modify, naca, export; 'liftwise-cli COMMAND "
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
            = QStringList {"analyze", "sweep", "batch", "modify", "naca", "export"}.contains(
                command);
        Cli::err() << QStringLiteral("liftwise-cli%1: cannot write standard output: %2\n")
                          .arg(known ? QLatin1Char(' ') + command : QString(), problem);
        status = Cli::FileError;
    }
    Cli::err().flush();
    return status;
}
