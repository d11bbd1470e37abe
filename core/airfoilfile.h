#ifndef LIFTWISE_AIRFOILFILE_H
#define LIFTWISE_AIRFOILFILE_H

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

#include <vector>

QT_BEGIN_NAMESPACE
class QIODevice;
QT_END_NAMESPACE

// An airfoil data file as read: the title line and the contour's points.
struct AirfoilData
{
    // Most points a contour may hold.
    static constexpr int MaxPoints = 999;
    // Longest line a file may hold, so that no file can make the reader take unbounded memory.
    static constexpr int MaxLineLength = 4096;

    enum class Layout {
        // The points in contour order, one x y pair per line.
        Plain,
        // A line of the two surfaces' point counts, then the upper and the lower surface, each
        // from the leading edge to the trailing edge.
        Lednicer,
    };

    QString title;
    // The title line's bytes as the file holds them (UTF-8 when the file was in UTF-16 or
    // UTF-32), so that a title in another encoding is written back unchanged.
    QByteArray titleBytes;
    // The contour from one trailing edge round the leading edge to the other, whatever the
    // file's layout was, and the file line each point stands on.
    QVector<double> x;
    QVector<double> y;
    QVector<qint64> lineNumbers;
    Layout layout = Layout::Plain;
    // Points dropped because they repeated the point before them, or closed the contour over
    // an open trailing edge: they carry nothing and would spoil the splines.
    int repeatsDropped = 0;
    // What the user should know about a file that is taken all the same.
    QStringList warnings;
    // Why the file cannot be taken as a contour, naming the line where that can be said;
    // empty when it can. The points are then incomplete.
    QString problem;
    // The problem is that the device failed ("read error: Input/output error"), not the file.
    bool readFailed = false;

    int count() const { return int(x.size()); }
    // The layout as the command line's tables name it: "plain" or "lednicer".
    QString layoutName() const
    {
        return layout == Layout::Lednicer ? QStringLiteral("lednicer") : QStringLiteral("plain");
    }
};

// Reads a title line, then one x y pair per line, skipping blank lines; the rest of each point
// line is ignored. The text is UTF-8 (a UTF-16 or UTF-32 file is known by its byte-order
// mark); lines may end in LF, CR LF or CR alone; the device is read until it ends, so pipes and
// other sequential devices read like files, and a device that fails is refused, never taken
// for one that ended. A Lednicer-layout file is recognised by its count line and surfaces, and
// turned into the plain contour order; repeated points are dropped.
// Stops reading at the first line that cannot be taken, or once the file is known to hold
// more than MaxPoints points.
AirfoilData readAirfoilData(QIODevice *device);

// The points as an airfoil file's lines, "x  y" to seven decimals, each ended by LF, as every
// writer of an airfoil gives them.
QByteArray coordinateLines(const std::vector<double> &x, const std::vector<double> &y);

#endif // LIFTWISE_AIRFOILFILE_H
