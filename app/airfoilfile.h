#ifndef LIFTWISE_AIRFOILFILE_H
#define LIFTWISE_AIRFOILFILE_H

#include <QString>
#include <QVector>

QT_BEGIN_NAMESPACE
class QTextStream;
QT_END_NAMESPACE

// An airfoil data file as read: the title line and the points in file order.
struct AirfoilData
{
    // Most points a file may hold.
    static constexpr int MaxPoints = 999;

    QString title;
    QVector<double> x;
    QVector<double> y;
    // More than MaxPoints point lines: x and y hold only the first MaxPoints + 1.
    bool tooManyPoints = false;

    int count() const { return int(x.size()); }
};

// Reads a title line, then one "x y" pair per line; the rest of each point line is ignored,
// an unreadable number counts as 0.0, and at least one point is always read.
// Stops reading once the file is known to hold more than MaxPoints points.
AirfoilData readAirfoilData(QTextStream &in);

#endif // LIFTWISE_AIRFOILFILE_H
