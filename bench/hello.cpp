// The yardstick of liftwise-cli's start: a QtCore program that makes its application and prints
// a version line. Built with LIFTWISE_HELLO_GUI it links QtGui besides, without using it.

#include <QCoreApplication>
#include <QTextStream>

#ifdef LIFTWISE_HELLO_GUI
#include <QColor>
#endif

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
#ifdef LIFTWISE_HELLO_GUI
    // Never true: only the link to QtGui counts.
    if (argc > 99)
        out << QColor(Qt::black).name();
#endif
    out << "liftwise_hello 0.1\n";
    return 0;
}
