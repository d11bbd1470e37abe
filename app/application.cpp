#include "application.h"

#include "filesystem.h"
#include "format.h"
#include "mainwindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>
#include <optional>

namespace {

// The settings files of the user that QSettings reads: the program's own and its
// organisation's.
QStringList userSettingsFiles()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return {folder + QStringLiteral("/Liftwise/Liftwise.conf"),
        folder + QStringLiteral("/Liftwise.conf")};
}

void describe(QCommandLineParser *parser)
{
    parser->setApplicationDescription(
        QObject::tr("Studies an airfoil's camber line with thin-airfoil theory."));
    parser->addHelpOption();
    parser->addVersionOption();
    parser->addOption({QStringLiteral("reset-settings"),
        QObject::tr("Start with the default settings, forgetting the saved ones.")});
    parser->addPositionalArgument(
        QStringLiteral("FILE"), QObject::tr("Airfoil file to open."), QStringLiteral("[FILE]"));
}

} // namespace

bool wantsTerminalAnswer(const QStringList &arguments)
{
    for (const QString &argument : arguments.mid(1)) {
        if (argument == QLatin1String("--"))
            return false;
        if (QStringList {"-h", "--help", "-?", "--help-all", "-v", "--version"}.contains(argument))
            return true;
    }
    return false;
}

int answerOnTerminal(const QStringList &arguments)
{
    QCommandLineParser parser;
    describe(&parser);
    parser.parse(arguments);
    QString text
        = Format::versionText(QStringLiteral("liftwise"), QStringLiteral(LIFTWISE_VERSION));
    if (!parser.isSet(QStringLiteral("version"))) {
        text = Format::helpText(parser, QStringLiteral("liftwise"));
    }
    std::fputs(qPrintable(text), stdout);
    return 0;
}

int runLiftwise(const QStringList &arguments)
{
    QCoreApplication::setOrganizationName(QStringLiteral("Liftwise"));
    QCoreApplication::setApplicationName(QStringLiteral("Liftwise"));
    QCoreApplication::setApplicationVersion(QStringLiteral(LIFTWISE_VERSION));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/io.liftwise.Liftwise.svg")));

    QCommandLineParser parser;
    describe(&parser);
    const bool parsed = parser.parse(arguments);
    if (!parsed || parser.positionalArguments().size() > 1) {
        const QString problem
            = parsed ? QObject::tr("one airfoil file at a time") : parser.errorText();
        std::fputs(
            qPrintable(QStringLiteral("liftwise: %1\nTry 'liftwise --help'.\n").arg(problem)),
            stderr);
        return 2;
    }
    // A settings file that is not a regular file is never opened (a pipe would keep every read
    // waiting): this run keeps its settings in a folder of its own, dropped at the end.
    std::optional<QTemporaryDir> passedOver;
    for (const QString &file : userSettingsFiles()) {
        const FileSystem::Kind kind = FileSystem::kind(file);
        if (passedOver || kind == FileSystem::Kind::Missing || kind == FileSystem::Kind::Regular)
            continue;
        std::fputs(qPrintable(QStringLiteral("liftwise: the settings file %1 is not a regular "
                                             "file and is passed over.\n")
                                  .arg(file)),
            stderr);
        passedOver.emplace();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, passedOver->path());
    }
    if (parser.isSet(QStringLiteral("reset-settings")))
        QSettings().clear();

    int status;
    {
        MainWindow window;
        window.show();
        if (!parser.positionalArguments().isEmpty())
            window.loadFile(parser.positionalArguments().first());
        status = QApplication::exec();
    }
    if (passedOver)
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    return status;
}
