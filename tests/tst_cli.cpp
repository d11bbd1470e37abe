#include "mainwindow.h"
#include "naca.h"
#include "named.h"
#include "oddfiles.h"

#include <QtTest>
#include <QtWidgets>

namespace {

struct Run
{
    int status;
    QString out;
    QString err;
};

// The tool must run headless: no display and no platform plugin to lean on.
Run cli(const QStringList &args)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("no-such-platform"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(LIFTWISE_CLI), args);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
        QString::fromUtf8(process.readAllStandardOutput()),
        QString::fromUtf8(process.readAllStandardError())};
}

QString panelTexts(MainWindow &window)
{
    return QStringLiteral("[file]\n%1\n[paneling]\n%2\n[results]\n%3\n")
        .arg(named<QTextEdit>(&window, "file")->toPlainText(),
            named<QTextEdit>(&window, "paneling")->toPlainText(),
            named<QTextEdit>(&window, "results")->toPlainText());
}

} // namespace

class tst_Cli : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void sameTextAsWindow_data();
    void sameTextAsWindow();
    void jsonRoundTrips();
    void sweepRowsMatchAnalyze();
    void exitCodes_data();
    void exitCodes();
    void nacaSectionAnalyses();
    void oddFiles_data();
    void oddFiles();
    void streams();

private:
    QTemporaryDir dir;
    QString foil;
};

void tst_Cli::initTestCase()
{
    const NacaSection section = nacaFourDigit(0.03, 0.35, 0.11, 41, false);
    foil = dir.filePath(QStringLiteral("foil.dat"));
    QFile file(foil);
    QVERIFY(file.open(QFile::WriteOnly));
    file.write("cli test section\n");
    for (size_t i = 0; i < section.x.size(); ++i)
        file.write(QByteArray::number(section.x[i], 'f', 6) + " "
            + QByteArray::number(section.y[i], 'f', 6) + "\n");
}

void tst_Cli::sameTextAsWindow_data()
{
    QTest::addColumn<int>("panels");
    QTest::addColumn<double>("le");
    QTest::addColumn<double>("te");
    QTest::addColumn<int>("presses");
    QTest::addColumn<QString>("alpha0");
    QTest::addColumn<QString>("cm0");

    QTest::newRow("default paneling") << 8 << 3.0 << 2.0 << 0 << QString() << QString();
    QTest::newRow("fine paneling") << 57 << 4.5 << 1.25 << 0 << QString() << QString();
    QTest::newRow("preset targets") << 8 << 3.0 << 2.0 << 1 << QString() << QString();
    QTest::newRow("two presses, own targets, bounded") << 12 << 2.0 << 3.0 << 2 << "-3.123456"
                                                       << "-0.5";
}

void tst_Cli::sameTextAsWindow()
{
    QFETCH(int, panels);
    QFETCH(double, le);
    QFETCH(double, te);
    QFETCH(int, presses);
    QFETCH(QString, alpha0);
    QFETCH(QString, cm0);

    QStringList args = {"analyze", foil, "--panels", QString::number(panels), "--le",
        QString::number(le), "--te", QString::number(te)};
    if (presses > 0)
        args << "--presses" << QString::number(presses);
    if (!alpha0.isEmpty())
        args << "--alpha0" << alpha0 << "--cm0" << cm0;
    const Run run = cli(args);
    QCOMPARE(run.status, 0);

    MainWindow window;
    named<QSpinBox>(&window, "number of panels")->setValue(panels);
    named<QDoubleSpinBox>(&window, "leading edge density")->setValue(le);
    named<QDoubleSpinBox>(&window, "trailing edge density")->setValue(te);
    window.loadFile(foil);
    if (!alpha0.isEmpty()) {
        named<QDoubleSpinBox>(&window, "alpha0 [deg]")->setValue(alpha0.toDouble());
        named<QDoubleSpinBox>(&window, "cm0")->setValue(cm0.toDouble());
    }
    QPushButton *modify = window.findChild<QPushButton *>();
    for (int k = 0; k < presses; ++k)
        emit modify->pressed();
    QCOMPARE(run.out, panelTexts(window));
}

void tst_Cli::jsonRoundTrips()
{
    const Run run = cli({"analyze", foil, "--panels", "10", "--modify", "--json"});
    QCOMPARE(run.status, 0);
    QJsonParseError error;
    const QJsonObject doc = QJsonDocument::fromJson(run.out.toUtf8(), &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(doc["title"].toString(), QStringLiteral("cli test section"));
    QCOMPARE(doc["points"].toInt(), 81);

    const QJsonObject paneling = doc["paneling"].toObject();
    QCOMPARE(paneling["stations"].toArray().size(), 11);
    QCOMPARE(paneling["ordinates"].toArray().size(), 11);
    QCOMPARE(paneling["panelWidths"].toArray().size(), 10);
    QCOMPARE(paneling["panelAnglesDeg"].toArray().size(), 10);
    const QJsonArray presses = doc["modifications"].toArray();
    QCOMPARE(presses.size(), 1);

    // The printed panels are the JSON values, rounded.
    const Run text = cli({"analyze", foil, "--panels", "10", "--modify"});
    const QStringList lines = text.out.split('\n');
    const QJsonObject ref = doc["reference"].toObject()["coefficients"].toObject();
    QCOMPARE(
        lines.at(5), "alpha0 = " + QString::number(ref["alpha0Deg"].toDouble(), 'f', 3) + " deg");
    QCOMPARE(lines.at(6), "cm0 = " + QString::number(ref["cm0"].toDouble(), 'f', 4));
    const QJsonObject press = presses.at(0).toObject();
    QCOMPARE(press["coefficients"].toObject(), paneling["coefficients"].toObject());
    QCOMPARE(press["targetAlpha0Deg"].toDouble(),
        QString::number(ref["alpha0Deg"].toDouble(), 'f', 4).toDouble());
    const int at = lines.indexOf(QStringLiteral("[paneling]"));
    QCOMPARE(lines.at(at + 4),
        QStringLiteral("coefficients :  a=%1  b=%2")
            .arg(press["a"].toDouble(), 8, 'f', 4)
            .arg(press["b"].toDouble(), 8, 'f', 4));
    const double angle = paneling["panelAnglesDeg"].toArray().at(9).toDouble();
    QVERIFY(lines.at(lines.indexOf("[results]") + 2).endsWith(QString::number(angle, 'f', 4)));
}

void tst_Cli::sweepRowsMatchAnalyze()
{
    const Run run = cli({"sweep", foil, "--panels", "5:25:10", "--le", "2.5"});
    QCOMPARE(run.status, 0);
    const QStringList rows = run.out.trimmed().split('\n');
    QCOMPARE(rows.size(), 4);
    QVERIFY(rows.at(0).startsWith("panels,cl0,alpha0_deg,cm0,"));
    for (int r = 1; r < rows.size(); ++r) {
        const QStringList cells = rows.at(r).split(',');
        QCOMPARE(cells.size(), 9);
        const Run one = cli({"analyze", foil, "--panels", cells.at(0), "--le", "2.5", "--json"});
        const QJsonObject doc = QJsonDocument::fromJson(one.out.toUtf8()).object();
        const QJsonObject c = doc["paneling"].toObject()["coefficients"].toObject();
        const QJsonObject ref = doc["reference"].toObject()["coefficients"].toObject();
        QCOMPARE(cells.at(0).toInt(), 5 + 10 * (r - 1));
        QCOMPARE(cells.at(1).toDouble(), c["cl0"].toDouble());
        QCOMPARE(cells.at(2).toDouble(), c["alpha0Deg"].toDouble());
        QCOMPARE(cells.at(3).toDouble(), c["cm0"].toDouble());
        QCOMPARE(cells.at(6).toDouble(), c["clSF"].toDouble());
        QVERIFY(
            qAbs(cells.at(7).toDouble() - (c["alpha0Deg"].toDouble() - ref["alpha0Deg"].toDouble()))
            < 1e-12);
        QVERIFY(
            qAbs(cells.at(8).toDouble() - (c["cm0"].toDouble() - ref["cm0"].toDouble())) < 1e-12);
    }
}

void tst_Cli::exitCodes_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("stderrHas");

    QTest::newRow("help") << QStringList {"analyze", "--help"} << 0 << QString();
    QTest::newRow("missing file") << QStringList {"analyze", "/no/such/foil.dat"} << 1
                                  << "Cannot read file /no/such/foil.dat: No such file";
    QTest::newRow("refused in a sweep")
        << QStringList {"sweep", "EMPTY", "--panels", "3:4"} << 1 << "the file holds no points";
    QTest::newRow("too many panels")
        << QStringList {"analyze", "FOIL", "--panels", "1000"} << 2 << "Usage:";
    QTest::newRow("density beyond range")
        << QStringList {"analyze", "FOIL", "--le", "10.006"} << 2 << "--le";
    QTest::newRow("no command") << QStringList {} << 2 << "Usage:";
    QTest::newRow("unknown option") << QStringList {"analyze", "FOIL", "--fast"} << 2 << "--fast";
    QTest::newRow("reversed sweep")
        << QStringList {"sweep", "FOIL", "--panels", "9:3"} << 2 << "FROM:TO";
    QTest::newRow("bad digits") << QStringList {"naca", "24x2"} << 2 << "four digits";
}

void tst_Cli::exitCodes()
{
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, stderrHas);

    const QString empty = dir.filePath(QStringLiteral("empty.dat"));
    QFile(empty).open(QFile::WriteOnly);
    args.replaceInStrings(QRegularExpression("^FOIL$"), foil);
    args.replaceInStrings(QRegularExpression("^EMPTY$"), empty);
    const Run run = cli(args);
    QCOMPARE(run.status, status);
    QVERIFY2(run.err.contains(stderrHas.replace("EMPTY", empty)), qPrintable(run.err));
    if (status == 1) {
        QVERIFY(run.out.isEmpty());
        QCOMPARE(run.err.count('\n'), 1);
    }
}

void tst_Cli::nacaSectionAnalyses()
{
    const Run section = cli({"naca", "2412"});
    QCOMPARE(section.status, 0);
    QVERIFY(section.out.startsWith(QStringLiteral("NACA 2412\n")));
    QCOMPARE(section.out.count('\n'), 1 + 121);
    const QString path = dir.filePath(QStringLiteral("naca2412.dat"));
    QFile file(path);
    QVERIFY(file.open(QFile::WriteOnly));
    file.write(section.out.toUtf8());
    file.close();

    const Run run = cli({"analyze", path, "--json"});
    QCOMPARE(run.status, 0);
    const double alpha0 = QJsonDocument::fromJson(run.out.toUtf8())
                              .object()["reference"]
                              .toObject()["coefficients"]
                              .toObject()["alpha0Deg"]
                              .toDouble();
    // Thin-airfoil theory gives -2.077 deg for this mean line.
    QVERIFY2(qAbs(alpha0 - -2.077) < 0.04 * 2.077, qPrintable(QString::number(alpha0)));

    // A closed trailing edge meets at one point.
    const QStringList closed
        = cli({"naca", "0012", "--points", "21", "--closed-te"}).out.trimmed().split('\n');
    QCOMPARE(closed.size(), 22);
    QCOMPARE(closed.at(1), closed.last());
}

void tst_Cli::oddFiles_data() { addOddFileRows(); }

void tst_Cli::oddFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, isDirectory);
    QFETCH(bool, loads);
    QFETCH(QString, told);

    QString path = dir.path();
    if (!isDirectory) {
        path = dir.filePath(QStringLiteral("odd.dat"));
        QFile file(path);
        QVERIFY(file.open(QFile::WriteOnly | QFile::Truncate));
        file.write(bytes);
    }
    const Run run = cli({"analyze", path});
    if (!loads) {
        QCOMPARE(run.status, 1);
        QVERIFY(run.out.isEmpty());
        const QString prefix = isDirectory ? "Cannot read file" : "Cannot analyse file";
        QVERIFY2(
            run.err.startsWith(QStringLiteral("liftwise-cli: %1 %2: %3").arg(prefix, path, told))
                && run.err.endsWith(QStringLiteral(".\n")) && run.err.count('\n') == 1,
            qPrintable(run.err));
        return;
    }
    QCOMPARE(run.status, 0);
    // The file panel's lines above its blank line; its warnings on standard error too.
    const QStringList lines = run.out.split(QLatin1Char('\n'));
    QCOMPARE(lines.mid(1, lines.indexOf(QString()) - 1).join(QLatin1Char('\n')), told);
    QString warnings;
    for (const QString &warning : told.split(QLatin1Char('\n')).mid(2))
        warnings += QStringLiteral("%1: warning: %2\n").arg(path, warning);
    QCOMPARE(run.err, warnings);
}

void tst_Cli::streams()
{
    // A pipe is read to its end like a file, and says what the file says.
    QProcess process;
    process.start(QStringLiteral(LIFTWISE_CLI), {"analyze", "/dev/stdin"});
    QVERIFY(process.waitForStarted());
    QFile file(foil);
    QVERIFY(file.open(QFile::ReadOnly));
    process.write(file.readAll());
    process.closeWriteChannel();
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitCode(), 0);
    QCOMPARE(QString::fromUtf8(process.readAllStandardOutput()), cli({"analyze", foil}).out);
}

QTEST_MAIN(tst_Cli)
#include "tst_cli.moc"
