#include "airfoilfile.h"

#include <QtTest>

using Points = QVector<QPointF>;
Q_DECLARE_METATYPE(Points)

class tst_AirfoilFile : public QObject
{
    Q_OBJECT

private slots:
    void read_data();
    void read();
    void tooManyPoints_data();
    void tooManyPoints();
};

void tst_AirfoilFile::read_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("title");
    QTest::addColumn<Points>("points");

    const Points two = {{1.0, 0.1}, {0.0, 0.0}};
    QTest::newRow("final line end") << QByteArray("foil\n1.0 0.1\n0 0\n") << "foil" << two;
    QTest::newRow("no final line end") << QByteArray("foil\n1.0 0.1\n0 0") << "foil" << two;
    QTest::newRow("blank lines between")
        << QByteArray("foil\n1.0 0.1\n\n  \n0 0\n") << "foil" << two;
    QTest::newRow("blank line after the last pair") << QByteArray(
        "foil\n1.0 0.1\n0 0\n\n") << "foil" << Points {{1.0, 0.1}, {0.0, 0.0}, {0.0, 0.0}};
    QTest::newRow("white-space lines after the last pair") << QByteArray(
        "foil\n1.0 0.1\n0 0\n \t\n   \n") << "foil" << Points {{1.0, 0.1}, {0.0, 0.0}, {0.0, 0.0}};
    QTest::newRow("white space ending the last pair's line")
        << QByteArray("foil\n1.0 0.1\n0 0   \n") << "foil" << two;
    QTest::newRow("title only") << QByteArray("only a title\n") << "only a title"
                                << Points {{0.0, 0.0}};
    QTest::newRow("empty file") << QByteArray() << "" << Points {{0.0, 0.0}};
    QTest::newRow("single number shifts the pairing")
        << QByteArray("foil\n1.0\n0.5 0.2 9\n0 0\n") << "foil" << Points {{1.0, 0.5}, {0.0, 0.0}};
    QTest::newRow("further columns ignored")
        << QByteArray("foil\n1.0 0.1 7 8\n0 0 x\n") << "foil" << two;
    QTest::newRow("unreadable numbers count as zero")
        << QByteArray("foil\n1.0 0.1\nabc def\n0.5 -0.2\n") << "foil"
        << Points {{1.0, 0.1}, {0.0, 0.0}, {0.5, -0.2}};
    QTest::newRow("count line read as a point")
        << QByteArray("foil\n  61.  61.\n1.0 0.1\n") << "foil" << Points {{61.0, 61.0}, {1.0, 0.1}};
    QTest::newRow("numeric title is not a point")
        << QByteArray("2412 12\n1.0 0.1\n0 0\n") << "2412 12" << two;
    QTest::newRow("carriage returns") << QByteArray("foil\r\n1.0 0.1\r\n0 0\r\n") << "foil" << two;
    QTest::newRow("signs, exponents and bare points") << QByteArray(
        "foil\n+1e0 -.5E-1\n-0.25 1.5e+1\n") << "foil" << Points {{1.0, -0.05}, {-0.25, 15.0}};
}

void tst_AirfoilFile::read()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, title);
    QFETCH(Points, points);

    QTemporaryFile file;
    QVERIFY(file.open());
    file.write(text);
    file.close();
    // The window reads in text mode, where CR LF becomes LF.
    QFile textFile(file.fileName());
    QVERIFY(textFile.open(QFile::ReadOnly | QFile::Text));
    QTextStream in(&textFile);
    const AirfoilData data = readAirfoilData(in);

    QCOMPARE(data.title, title);
    QCOMPARE(data.count(), points.size());
    QCOMPARE(data.y.size(), points.size());
    for (int i = 0; i < points.size(); ++i) {
        QCOMPARE(data.x.at(i), points.at(i).x());
        QCOMPARE(data.y.at(i), points.at(i).y());
    }
    QVERIFY(!data.tooManyPoints);
}

void tst_AirfoilFile::tooManyPoints_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<bool>("refused");
    QTest::addColumn<int>("count");

    QTest::newRow("999 points") << 999 << false << 999;
    QTest::newRow("1000 points") << 1000 << true << 1000;
    QTest::newRow("a million points") << 1000000 << true << 1000;
}

void tst_AirfoilFile::tooManyPoints()
{
    QFETCH(int, lines);
    QFETCH(bool, refused);
    QFETCH(int, count);

    QString text = QStringLiteral("long\n");
    for (int i = 0; i < lines; ++i)
        text += QStringLiteral("%1 0.01\n").arg(i);
    QTextStream in(&text);
    const AirfoilData data = readAirfoilData(in);
    QCOMPARE(data.tooManyPoints, refused);
    // Reading stops at the first point beyond the limit: storage stays bounded.
    QCOMPARE(data.count(), count);
}

QTEST_APPLESS_MAIN(tst_AirfoilFile)
#include "tst_airfoilfile.moc"
