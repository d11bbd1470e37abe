// liftwise-cli-paper: liftwise-cli's commands that draw, report, export and ribs, which
// liftwise-cli runs in its own place with the same arguments. Only they load QtGui.

#include "command.h"

#include <QGuiApplication>

#include <memory>

int main(int argc, char *argv[])
{
    // A PDF page needs fonts, and so a GUI application, on a platform that needs no display
    // unless one is asked for; a DXF or SVG drawing runs where no platform plugin is at hand.
    const QStringList given = Cli::arguments(argc, argv);
    const QString command = given.value(0);
    const bool draws = command == QLatin1String("report")
        || (command == QLatin1String("export") && Cli::exportWritesPdf(given.mid(1)))
        || (command == QLatin1String("ribs") && Cli::ribsWritesPdf(given.mid(1)));
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
    Cli::nameApplication();
    const QStringList args = Cli::arguments(argc, argv).mid(1);
    int status = Cli::UsageError;
    if (command == QLatin1String("report"))
        status = Cli::report(args);
    else if (command == QLatin1String("export"))
        status = Cli::exportContour(args);
    else if (command == QLatin1String("ribs"))
        status = Cli::ribs(args);
    else
        Cli::err() << "liftwise-cli-paper: liftwise-cli runs it for report, export and ribs\n";
    return Cli::finish(command, status);
}
