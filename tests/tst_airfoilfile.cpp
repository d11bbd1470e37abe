#include "airfoilfile.h"
#include "oddfiles.h"

#include <QtTest>

using Points = QVector<QPointF>;
Q_DECLARE_METATYPE(Points)

namespace {

AirfoilData read(const QByteArray &text)
{
    QTemporaryFile file;
    if (!file.open())
        qFatal("cannot write a temporary file");
    file.write(text);
    file.close();
    QFile textFile(file.fileName());
    if (!textFile.open(QFile::ReadOnly))
        qFatal("cannot read a temporary file");
    return readAirfoilData(&textFile);
}

Points points(const AirfoilData &data)
{
    Points p;
    for (int i = 0; i < data.count(); ++i)
        p.append({data.x.at(i), data.y.at(i)});
    return p;
}

} // namespace

class tst_AirfoilFile : public QObject
{
    Q_OBJECT

private slots:
    void plain_data();
    void plain();
    void lednicer_data();
    void lednicer();
    void lednicerMatchesPlain();
    void lineEnds_data();
    void lineEnds();
    void pointLimit_data();
    void pointLimit();
};

void tst_AirfoilFile::plain_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("title");
    QTest::addColumn<Points>("points");

    const Points two = {{1.0, 0.1}, {0.0, 0.0}};
    QTest::newRow("final line end") << QByteArray("foil\n1.0 0.1\n0 0\n") << "foil" << two;
    QTest::newRow("no final line end") << QByteArray("foil\n1.0 0.1\n0 0") << "foil" << two;
    QTest::newRow("blank lines between")
        << QByteArray("foil\n1.0 0.1\n\n  \n0 0\n") << "foil" << two;
    QTest::newRow("further columns ignored")
        << QByteArray("foil\n1.0 0.1 7 8\n0 0 x\n") << "foil" << two;
    QTest::newRow("numeric title is not a point")
        << QByteArray("2412 12\n1.0 0.1\n0 0\n") << "2412 12" << two;
    QTest::newRow("tabs, signs, exponents and bare points")
        << QByteArray("foil\n+1e0\t-.5E-1\n\t-0.25 1.5e+1 \n1. 1e-300\n") << "foil"
        << Points {{1.0, -0.05}, {-0.25, 15.0}, {1.0, 1e-300}};
    // Not followed by two surfaces from the leading edge: an ordinary point, as it stands.
    QTest::newRow("count line without surfaces")
        << QByteArray("foil\n  61.  61.\n1.0 0.1\n0.5 0.1\n0 0\n0.5 -0.1\n1 -0.1\n") << "foil"
        << Points {{61, 61}, {1, 0.1}, {0.5, 0.1}, {0, 0}, {0.5, -0.1}, {1, -0.1}};
    QTest::newRow("closed trailing edge stays, repeats go")
        << QByteArray("foil\n1 0\n0.5 0.1\n0.5 0.1\n0 0\n0.5 -0.1\n1 0\n") << "foil"
        << Points {{1, 0}, {0.5, 0.1}, {0, 0}, {0.5, -0.1}, {1, 0}};
    QTest::newRow("counts not whole")
        << QByteArray("foil\n3.5 3\n0 0\n0.5 0.1\n1 0\n0 0\n0.5 -0.1\n1 0\n") << "foil"
        << Points {{3.5, 3}, {0, 0}, {0.5, 0.1}, {1, 0}, {0, 0}, {0.5, -0.1}, {1, 0}};
}

void tst_AirfoilFile::plain()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, title);
    QFETCH(Points, points);

    const AirfoilData data = read(text);
    QCOMPARE(data.problem, QString());
    QCOMPARE(data.title, title);
    QCOMPARE(::points(data), points);
    QCOMPARE(data.layout, AirfoilData::Layout::Plain);
}

void tst_AirfoilFile::lednicer_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<Points>("points");

    const Points contour = {{1, 0.01}, {0.5, 0.1}, {0, 0}, {0.5, -0.05}, {1, -0.01}};
    QTest::newRow("leading edge in both blocks, blank lines")
        << QByteArray("foil\n  3.  3.\n\n0 0\n0.5 0.1\n1 0.01\n\n0 0\n0.5 -0.05\n1 -0.01\n")
        << contour;
    QTest::newRow("leading edge in the upper block only")
        << QByteArray("foil\n  3.  3.\n0 0\n0.5 0.1\n1 0.01\n0.02 -0.02\n0.5 -0.05\n1 -0.01\n")
        << Points {{1, 0.01}, {0.5, 0.1}, {0, 0}, {0.02, -0.02}, {0.5, -0.05}, {1, -0.01}};
    QTest::newRow("counts that the blocks do not hold, CRLF and a final empty line") << QByteArray(
        "foil\r\n 66.0 66.0\r\n0 0\r\n0.5 0.1\r\n1 0.01\r\n0 0\r\n0.5 -0.05\r\n"
        "1 -0.01\r\n\r\n") << contour;
    // Leading-edge points that differ are both part of the contour.
    QTest::newRow("two leading-edge points")
        << QByteArray("foil\n3 3\n0 0.001\n0.5 0.1\n1 0.01\n0 -0.001\n0.5 -0.05\n1 -0.01\n")
        << Points {{1, 0.01}, {0.5, 0.1}, {0, 0.001}, {0, -0.001}, {0.5, -0.05}, {1, -0.01}};
}

void tst_AirfoilFile::lednicer()
{
    QFETCH(QByteArray, text);
    QFETCH(Points, points);

    const AirfoilData data = read(text);
    QCOMPARE(data.problem, QString());
    QCOMPARE(data.title, QStringLiteral("foil"));
    QCOMPARE(data.layout, AirfoilData::Layout::Lednicer);
    QCOMPARE(::points(data), points);
}

void tst_AirfoilFile::lednicerMatchesPlain()
{
    // Fine enough that the upper surface's x dips below the leading edge's before it rises.
    const AirfoilData plain = read(plainFile("foil", 161));
    const AirfoilData lednicer = read(lednicerFile("foil", 161));
    QVERIFY(plain.x.at(159) < 0.0);
    QCOMPARE(lednicer.layout, AirfoilData::Layout::Lednicer);
    QCOMPARE(lednicer.count(), 321);
    QCOMPARE(lednicer.x, plain.x);
    QCOMPARE(lednicer.y, plain.y);
}

void tst_AirfoilFile::lineEnds_data()
{
    // Every kind of line end counts one line, also where CR LF straddles two reads of the
    // stream (the CR of line 6 is its 8192nd character).
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("problem");
    QTest::newRow("CR alone") << QByteArray("t\r1 0.1\r\rx y\r") << "line 4";
    QTest::newRow("mixed") << QByteArray("t\n1 0.1\r\n\r0 0\n\rx y") << "line 6";
    const QByteArray blank = QByteArray(2725, ' ') + "\r\n";
    QTest::newRow("CR LF across reads")
        << QByteArray("t\r\n" + blank + blank + blank + "\r\n1 0.1\r\nx y\r\n") << "line 7";
}

void tst_AirfoilFile::lineEnds()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, problem);
    QCOMPARE(
        read(text).problem, problem + QStringLiteral(" does not start with two numbers: \"x y\""));
}

void tst_AirfoilFile::pointLimit_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("count");

    QTest::newRow("999 points") << plainFile("t", 500) << 999;
    QTest::newRow("1000 points") << plainFile("t", 500) + "1 0\n" << -1;
    QTest::newRow("999 points, Lednicer") << lednicerFile("t", 500) << 999;
    QTest::newRow("1000 points, Lednicer") << lednicerFile("t", 500) + "1 0\n" << -1;
    QByteArray million = "t\n";
    million += QByteArray("0.5 0.01\n").repeated(1000000);
    QTest::newRow("a million points") << million << -1;
}

void tst_AirfoilFile::pointLimit()
{
    QFETCH(QByteArray, text);
    QFETCH(int, count);

    const AirfoilData data = read(text);
    if (count > 0) {
        QCOMPARE(data.problem, QString());
        QCOMPARE(data.count(), count);
    } else {
        QCOMPARE(data.problem, QStringLiteral("the file holds more than 999 points"));
        // Reading stops soon after the limit: storage stays bounded whatever the file holds.
        QVERIFY(data.count() <= AirfoilData::MaxPoints + 2);
    }
}

QTEST_APPLESS_MAIN(tst_AirfoilFile)
#include "tst_airfoilfile.moc"
