#include "application.h"
#include "filesystem.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // --help and --version answer on the terminal, also where there is no display.
    // File names are bytes: taken as they are, they open even when they are not UTF-8.
    const auto arguments = [&] {
        QStringList list;
        for (int i = 0; i < argc; ++i)
            list << FileSystem::decodeName(argv[i]);
        return list;
    };
    if (wantsTerminalAnswer(arguments())) {
        QCoreApplication app(argc, argv);
        return answerOnTerminal(QCoreApplication::arguments());
    }
    // The application takes its own options (-platform, -style) out of argv.
    QApplication app(argc, argv);
    return runLiftwise(arguments());
}
