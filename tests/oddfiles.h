#ifndef LIFTWISE_TESTS_ODDFILES_H
#define LIFTWISE_TESTS_ODDFILES_H

#include "naca.h"

#include <QtTest>

#include <cmath>

// Airfoil files as they are met in the wild and as nobody would write them, for every front
// end that opens files.

// Writes the bytes to the file name in the folder and returns its path.
inline QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QFile::WriteOnly | QFile::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    file.write(bytes);
    return path;
}

// The point lines of a NACA 2412 of 2 * stations - 1 points in the plain layout; scale
// multiplies every coordinate.
inline QByteArrayList pointLines(int stations, double scale = 1.0)
{
    const NacaSection s = nacaFourDigit(0.02, 0.4, 0.12, stations, false);
    QByteArrayList lines;
    for (size_t i = 0; i < s.x.size(); ++i)
        lines << QByteArray::number(s.x[i] * scale, 'g', 8) + "  "
                + QByteArray::number(s.y[i] * scale, 'g', 8);
    return lines;
}

// A NACA four-digit section of 2 * stations - 1 points in six decimals, as coordinate files
// hold them.
inline QByteArray nacaFile(
    double m, double p, double t, int stations = 31, const QByteArray &title = "test section")
{
    const NacaSection s = nacaFourDigit(m, p, t, stations, false);
    QByteArray text = title + "\n";
    for (size_t i = 0; i < s.x.size(); ++i)
        text += QByteArray::number(s.x[i], 'f', 6) + "  " + QByteArray::number(s.y[i], 'f', 6)
            + "\n";
    return text;
}

// The file's bytes, or none when it cannot be read.
inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QFile::ReadOnly) ? file.readAll() : QByteArray();
}

inline QByteArray plainFile(
    const QByteArray &title, int stations, double scale = 1.0, const QByteArray &eol = "\n")
{
    return title + eol + pointLines(stations, scale).join(eol) + eol;
}

// The same section in the Lednicer layout: a count line, then both surfaces from the leading
// edge, each holding the leading-edge point, with blank lines between the blocks.
inline QByteArray lednicerFile(
    const QByteArray &title, int stations, const QByteArray &counts = QByteArray())
{
    const NacaSection s = nacaFourDigit(0.02, 0.4, 0.12, stations, false);
    const auto point = [&](int i) {
        return QByteArray::number(s.x[i], 'g', 8) + "  " + QByteArray::number(s.y[i], 'g', 8)
            + "\n";
    };
    const int le = stations - 1;
    QByteArray text = title + "\n"
        + (counts.isEmpty()
                ? QByteArray::number(stations) + ".  " + QByteArray::number(stations) + "."
                : counts)
        + "\n\n";
    for (int i = le; i >= 0; --i)
        text += point(i);
    text += "\n";
    for (int i = le; i < int(s.x.size()); ++i)
        text += point(i);
    return text;
}

// Rows of bytes (or a directory, when isDirectory), whether the file loads and what the user
// is told: the file panel's lines above its blank line when it loads (title, count, warnings),
// the reason otherwise. A file that loads analyses as the file same does, or as the plain
// 41-point section when same is empty. loadedOnly leaves out the files that are refused.
inline void addOddFileRows(bool loadedOnly = false)
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("isDirectory");
    QTest::addColumn<bool>("loads");
    QTest::addColumn<QString>("told");
    QTest::addColumn<QByteArray>("same");

    const auto refused
        = [loadedOnly](const char *name, const QByteArray &bytes, const char *reason) {
              if (!loadedOnly)
                  QTest::newRow(name)
                      << bytes << false << false << QString::fromUtf8(reason) << QByteArray();
          };
    const auto loaded = [](const char *name, const QByteArray &bytes, const char *lines,
                            const QByteArray &same = QByteArray()) {
        QTest::newRow(name) << bytes << false << true << QString::fromUtf8(lines) << same;
    };
    const QByteArrayList points = pointLines(21);
    const auto file = [](const QByteArray &title, const QByteArrayList &lines) {
        return title + "\n" + lines.join('\n') + "\n";
    };

    refused("empty file", QByteArray(), "the file holds no points");
    refused("title only", "only a title\n", "the file holds no points");
    refused("one point", "dot\n0.5 0.5\n", "the contour has fewer than 2 points");
    refused("two equal points", "pair\n1 0\n1 0\n", "the contour has fewer than 2 points");
    refused(
        "all points at one x", "wall\n0.5 0\n0.5 0.1\n0.5 0.2\n0.5 0.3\n", "no leading edge found");
    refused("no leading edge", "ramp\n0 0\n0.25 0.01\n0.5 0.02\n1 0.03\n", "no leading edge found");
    refused("nan", "bad\n1 0.1\nnan 0\n1 -0.1\n", "line 3 holds nan, which is not a finite number");
    refused(
        "inf", "bad\n1 0.1\n0 -inf\n1 -0.1\n", "line 3 holds -inf, which is not a finite number");
    refused(
        "overflow", "bad\n1 0.1\n0 1e999\n1 -0.1\n", "line 3 holds 1e999, a number out of range");
    refused("columns run together", "bad\n1 0.1\n  1.00000-0.00126\n",
        "line 3 holds 1.00000-0.00126, which is not a number");
    refused("two points in a number", "bad\n1 0.1\n1.2.3 0\n",
        "line 3 holds 1.2.3, which is not a number");
    refused("exponent without digits", "bad\n1 0.1\n5e+ 0\n",
        "line 3 holds 5e+, which is not a number");
    refused("two signs", "bad\n1 0.1\n0 --0.5\n", "line 3 holds --0.5, which is not a number");
    refused("unreadable line", "bad\n1.0000     0.0013\n1.0000     (0.0013)\n",
        "line 3 does not start with two numbers: \"1.0000 (0.0013)\"");
    refused(
        "single number", "bad\n1.0\n0.5 0.2\n", "line 2 does not start with two numbers: \"1.0\"");
    refused("line too long", "long\n1 0 " + QByteArray(5000, 'x') + "\n0 0\n",
        "line 2 is longer than 4096 characters");

    // A plain file from the nose: round the lower surface, then the upper one.
    refused("starts at the leading edge", file("nose first", points.mid(20) + points.mid(0, 21)),
        "the contour does not start and end at its trailing edge, behind its leading edge");
    // An interrupted download: the extension would make up the missing half of the camber.
    refused("cut short", file("cut", points.mid(0, 31)),
        "the lower surface ends at x = 0.499, too far from the trailing edge to be extended");
    QByteArrayList wild = points;
    wild[10] = "0.2  1e6";
    refused("wild point", file("wild", wild),
        "the point on line 12 lies 999916.2 chords from the chord line");
    wild[10] = "0.2  1.7e308";
    refused("wild point near the largest number", file("wild", wild),
        "the point on line 12 lies 1.7e+308 chords from the chord line");
    // A stray x ahead of the nose would be taken for it, and set the chord.
    QByteArrayList stray = points;
    stray[10] = "-50  0.0577";
    refused("point far ahead of the nose", file("stray", stray),
        "the point on line 12 lies 50.0 chords ahead of the rest of the contour");
    stray[10] = "-1e308  0.0577";
    refused("point ahead of the nose near the largest number", file("stray", stray),
        "the point on line 12 lies 1e+308 chords ahead of the rest of the contour");

    QByteArray many = "too many\n";
    for (int i = 0; i < 1000; ++i)
        many += QByteArray::number(std::cos(i * 0.00628), 'f', 6) + " "
            + QByteArray::number(0.05 * std::sin(i * 0.00628), 'f', 6) + "\n";
    refused("1000 points", many, "the file holds more than 999 points");

    QByteArray garbage = "\x7f"
                         "ELF\x02\x01\x01\n";
    for (int i = 0; i < 600; ++i)
        garbage += char((i * 37 + 11) % 256);
    refused("binary garbage", garbage, "line 2 does not start with two numbers");

    loaded("huge magnitudes", plainFile("huge", 21, 1e300), "huge\n41 points");
    loaded("tiny magnitudes", plainFile("tiny", 21, 1e-300), "tiny\n41 points");
    loaded("byte-order mark", "\xEF\xBB\xBF" + plainFile("marked", 21), "marked\n41 points");
    loaded("CRLF", plainFile("crlf", 21, 1.0, "\r\n"), "crlf\n41 points");
    loaded("CR alone", plainFile("cr", 21, 1.0, "\r"), "cr\n41 points");
    // Many downloaded files end so; an extra point there would spoil the trailing edge.
    loaded("blank lines after the points", plainFile("tail", 21) + "\n  \n\n", "tail\n41 points");
    loaded("Lednicer", lednicerFile("led", 21), "led\n41 points (Lednicer format)");
    loaded("Lednicer with wrong counts", lednicerFile("led", 21, "      66.       66."),
        "led\n41 points (Lednicer format)");
    QByteArrayList repeated = points;
    repeated.insert(20, points.at(20));
    loaded("doubled nose point", file("twice", repeated),
        "twice\n41 points (1 repeated point dropped)");
    loaded("doubled last point", file("twice", points + points.mid(40)),
        "twice\n41 points (1 repeated point dropped)");
    loaded("closed over the open trailing edge", file("closed", points + points.mid(0, 1)),
        "closed\n41 points (1 repeated point dropped)");
    const QByteArray trailingEdge = points.at(0) + "\n";
    loaded("Lednicer, trailing edge doubled",
        lednicerFile("led", 21).replace(trailingEdge, trailingEdge + trailingEdge),
        "led\n41 points (Lednicer format, 1 repeated point dropped)");
    const QByteArray shortLower = file("short", points.mid(0, 39));
    loaded("lower surface a little short", shortLower,
        "short\n39 points\nthe lower surface ends at x = 0.975 and is extended to the trailing "
        "edge",
        shortLower);
    loaded("no title line", points.join('\n') + "\n",
        points.at(0) + "\n40 points\nthe first line holds two numbers and is read as the title",
        file(points.at(0), points.mid(1)));

    if (!loadedOnly)
        QTest::newRow("directory") << QByteArray() << true << false
                                   << QStringLiteral("file to open is a directory") << QByteArray();
}

#endif // LIFTWISE_TESTS_ODDFILES_H
