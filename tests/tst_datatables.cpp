#include "convergence.h"
#include "csv.h"
#include "datatables.h"
#include "format.h"
#include "modification.h"
#include "oddfiles.h"
#include "study.h"

#include <QtTest>

#include <cmath>

namespace {

// RFC 4180 read strictly: every record ends in CR LF, a field is quoted whole or not at all,
// a quote inside a quoted field is doubled, and every record has as many fields as the header.
// Why the text is not such a table, or an empty string.
QString parseCsv(const QByteArray &bytes, QList<QStringList> *records)
{
    const QString text = QString::fromUtf8(bytes);
    QStringList record;
    QString field;
    qsizetype i = 0;
    while (i < text.size()) {
        if (text.at(i) == '"') {
            for (++i;; ++i) {
                if (i >= text.size())
                    return QStringLiteral("a quoted field runs to the end");
                if (text.at(i) == '"' && text.mid(i + 1, 1) != "\"")
                    break;
                if (text.at(i) == '"')
                    ++i;
                field += text.at(i);
            }
            ++i;
        } else {
            while (i < text.size() && !QStringLiteral(",\r\n").contains(text.at(i))) {
                if (text.at(i) == '"')
                    return QStringLiteral("a quote inside a bare field at %1").arg(i);
                field += text.at(i++);
            }
        }
        record << field;
        field.clear();
        if (text.mid(i, 1) == ",") {
            ++i;
        } else if (text.mid(i, 2) == "\r\n") {
            i += 2;
            if (!records->isEmpty() && record.size() != records->first().size())
                return QStringLiteral("record %1 has %2 fields")
                    .arg(records->size())
                    .arg(record.size());
            *records << record;
            record.clear();
        } else {
            return QStringLiteral("no CR LF after a field at %1").arg(i);
        }
    }
    return record.isEmpty() ? QString() : QStringLiteral("the last record has no CR LF");
}

// A column of numbers as a C locale reads them, or nothing when one is no such number.
QList<double> numbers(const QList<QStringList> &records, const QString &name)
{
    const qsizetype column = records.first().indexOf(name);
    QList<double> values;
    for (qsizetype r = 1; column >= 0 && r < records.size(); ++r) {
        bool ok = false;
        values << QLocale::c().toDouble(records.at(r).at(column), &ok);
        if (!ok)
            return {};
    }
    return values;
}

bool near(double a, double b, double tolerance) { return std::abs(a - b) <= tolerance; }

} // namespace

// The tables behind the plots, as the window exports them and liftwise-cli analyze --csv
// prints them.
class tst_DataTables : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void tables_data();
    void tables();
    void uncertaintyShowsADigit_data();
    void uncertaintyShowsADigit();

private:
    QTemporaryDir dir;
    QString foil;
};

void tst_DataTables::initTestCase()
{
    foil = writeFile(dir, QStringLiteral("foil.dat"), plainFile("tables, \"test\"", 31));
    // A locale that writes decimal commas: the tables must not follow it.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
}

void tst_DataTables::tables_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("presses");
    QTest::newRow("camber") << "camber" << 0;
    QTest::newRow("camber, pressed") << "camber" << 2;
    QTest::newRow("contour, pressed") << "contour" << 2;
    QTest::newRow("loading") << "loading" << 0;
    QTest::newRow("loading, pressed") << "loading" << 1;
    QTest::newRow("loading, reference") << "reference loading" << 0;
    QTest::newRow("analyze --csv") << "panels" << 0;
    QTest::newRow("convergence, pressed") << "convergence" << 1;
    QTest::newRow("a title with a comma and quotes") << "text" << 0;
}

void tst_DataTables::tables()
{
    QFETCH(QString, table);
    QFETCH(int, presses);
    const Paneling paneling {12, 2.5, 1.5};
    Study study;
    study.setPaneling(paneling);
    QVERIFY(!study.loadFile(foil));
    for (int k = 0; k < presses; ++k)
        study.modify(Targets {radians(-3.0), -0.07});
    const Camberline &line = *study.paneledLine();

    QByteArray bytes;
    if (table == "camber") {
        bytes = DataTables::camber(study);
    } else if (table == "contour") {
        bytes = DataTables::contour(study);
    } else if (table == "loading") {
        bytes = DataTables::loading(study.paneledLoading(), study.paneledCoefficients().alphaSF);
    } else if (table == "reference loading") {
        bytes
            = DataTables::loading(study.referenceLoading(), study.referenceCoefficients().alphaSF);
    } else if (table == "panels") {
        QProcess cli;
        cli.start(QStringLiteral(LIFTWISE_CLI),
            {"analyze", foil, "--panels", "12", "--le", "2.5", "--te", "1.5", "--csv"});
        QVERIFY(cli.waitForFinished(60000));
        QCOMPARE(cli.exitCode(), 0);
        bytes = cli.readAllStandardOutput();
    } else if (table == "convergence") {
        study.convergence().setSampling(true);
        study.convergence().waitForFinished();
        bytes = DataTables::convergence(study.convergence().results());
    } else {
        bytes = Csv::table({"title", "points"}, {{Csv::text(study.data().title), "61"}});
    }
    QList<QStringList> records;
    const QString problem = parseCsv(bytes, &records);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    QVERIFY(records.size() > 1);
    const auto column = [&](const QString &name) {
        const QList<double> values = numbers(records, name);
        if (values.size() != records.size() - 1)
            qFatal("no column %s of numbers", qPrintable(name));
        return values;
    };

    if (table == "camber") {
        // Every station of either line is a row, once, and each line's column holds its own
        // ordinates there, to the bit.
        const QList<double> x = column("x");
        QVERIFY(std::is_sorted(x.cbegin(), x.cend()));
        QCOMPARE(QSet<double>(x.cbegin(), x.cend()).size(), x.size());
        QSet<double> stations;
        // The reference line reshaped by the presses, as the contour beside it.
        Camberline reference = *study.reference();
        applyPresses(reference, study.presses());
        QVERIFY(presses == 0 || reference.ypoint(100) != study.reference()->ypoint(100));
        for (const auto &[name, camber] :
            {std::pair {QStringLiteral("y_reference"), static_cast<const Camberline *>(&reference)},
                {QStringLiteral("y_paneled"), &line}}) {
            const QList<double> y = column(name);
            for (int i = 0; i < camber->npoints(); ++i) {
                const qsizetype row = x.indexOf(camber->xpoint(i));
                QVERIFY(row >= 0);
                QCOMPARE(y.at(row), camber->ypoint(i));
                stations << camber->xpoint(i);
            }
        }
        QCOMPARE(x.size(), stations.size());
    } else if (table == "contour") {
        // The points of the saved file, upper surface first, at full precision.
        const QList<QByteArray> saved = study.airfoilText().trimmed().split('\n').mid(1);
        const QList<double> x = column("x");
        const QList<double> y = column("y");
        QCOMPARE(x.size(), saved.size());
        for (qsizetype i = 0; i < x.size(); ++i) {
            const QList<QByteArray> point = saved.at(i).simplified().split(' ');
            QVERIFY(near(x.at(i), point.at(0).toDouble(), 5e-8));
            QVERIFY(near(y.at(i), point.at(1).toDouble(), 5e-8));
        }
        QVERIFY(y.at(x.size() / 4) > y.at(3 * x.size() / 4));
    } else if (table == "convergence") {
        // The plot's counts, at the paneled line's own count its coefficients.
        const QList<double> panels = column("panels");
        QCOMPARE(panels.size(), Convergence::sampledCounts(12).size());
        const qsizetype at = panels.indexOf(12.0);
        const Coefficients &c = study.paneledCoefficients();
        QVERIFY(near(column("alpha0_deg").at(at), degrees(c.alpha0), 1e-9));
        QVERIFY(near(column("cm0").at(at), c.cm0, 1e-9));
    } else if (table == "text") {
        QCOMPARE(records.at(1), QStringList({"tables, \"test\"", "61"}));
    } else {
        // The loads over the widths sum to the line's lifts at both incidences; the widths
        // cover the chord.
        const bool reference = table == "reference loading";
        const Coefficients &c
            = reference ? study.referenceCoefficients() : study.paneledCoefficients();
        const QList<double> width = column("width");
        const QList<double> zero = column("dcp_zero_incidence");
        const QList<double> ideal = column("dcp_smooth_entry");
        QCOMPARE(width.size(), reference ? Paneling::reference().panels : 12);
        double chord = 0, cl0 = 0, clSF = 0;
        for (qsizetype i = 0; i < width.size(); ++i) {
            chord += width.at(i);
            cl0 += zero.at(i) * width.at(i);
            clSF += ideal.at(i) * width.at(i);
        }
        QVERIFY(near(chord, 1.0, 1e-12));
        QVERIFY2(near(cl0, c.cl0, 1e-12 * std::abs(c.cl0)), qPrintable(QString::number(cl0)));
        QVERIFY2(near(clSF, c.clSF, 1e-12 * std::abs(c.clSF)), qPrintable(QString::number(clSF)));
        if (table == "panels") {
            const QList<double> angle = column("angle_deg");
            for (qsizetype i = 0; i < angle.size(); ++i)
                QVERIFY(near(angle.at(i), degrees(line.panelAngle(int(i))), 1e-12));
        }
    }
}

void tst_DataTables::uncertaintyShowsADigit_data()
{
    // An error after "±" has a significant digit, however small; none is zero.
    QTest::addColumn<double>("error");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("shown");
    QTest::newRow("at the decimals") << 0.0063 << 3 << "0.006";
    QTest::newRow("below them") << 0.00004 << 4 << "0.00004";
    QTest::newRow("rounding up a place") << 0.0000096 << 4 << "0.00001";
    QTest::newRow("three places below") << 2.4e-7 << 4 << "0.0000002";
    QTest::newRow("round-off, as its bound") << 2.4e-13 << 4 << "0.0000001";
    QTest::newRow("none") << 0.0 << 4 << "0.0000";
}

void tst_DataTables::uncertaintyShowsADigit()
{
    QFETCH(double, error);
    QFETCH(int, decimals);
    QFETCH(QString, shown);
    QCOMPARE(Format::uncertainty(error, decimals), shown);
    // The line it stands in wraps between values only.
    const QString line = Format::wrappingBetweenValues(
        QStringLiteral("extrapolated: cm0 = -0.0527 ± ") + shown + QStringLiteral(", x = 1"));
    QCOMPARE(line.count(QLatin1Char(' ')), 2);
    QCOMPARE(QString(line).replace(QChar::Nbsp, QLatin1Char(' ')),
        QStringLiteral("extrapolated: cm0 = -0.0527 ± ") + shown + QStringLiteral(", x = 1"));
}

QTEST_MAIN(tst_DataTables)
#include "tst_datatables.moc"
