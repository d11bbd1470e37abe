// The yardstick of liftwise-cli's start: a QtCore program that makes its application and prints
// a version line. Built with LIFTWISE_HELLO_GUI it links QtGui besides, with LIFTWISE_HELLO_HWY
// Google Highway's library, which the matrix inverse needs; it uses neither.

#include <QCoreApplication>
#include <QTextStream>

#ifdef LIFTWISE_HELLO_GUI
#include <QColor>
#endif
#ifdef LIFTWISE_HELLO_HWY
#include <hwy/targets.h>
#endif

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    // Never true: only the link counts.
#ifdef LIFTWISE_HELLO_GUI
    if (argc > 99)
        out << QColor(Qt::black).name();
#endif
#ifdef LIFTWISE_HELLO_HWY
    if (argc > 99)
        out << hwy::SupportedTargets();
#endif
    out << "liftwise_hello 0.1\n";
    return 0;
}
