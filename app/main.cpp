#include "application.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // --help and --version answer on the terminal, also where there is no display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (wantsTerminalAnswer(arguments)) {
        QCoreApplication app(argc, argv);
        return answerOnTerminal(QCoreApplication::arguments());
    }
    QApplication app(argc, argv);
    return runLiftwise(QApplication::arguments());
}
