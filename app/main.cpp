#include "mainwindow.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/io.liftwise.Liftwise.svg")));
    MainWindow window;
    window.show();
    return app.exec();
}
