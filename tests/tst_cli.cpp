#include "oddfiles.h"

#include <QtTest>

#include <csignal>

#include <sys/resource.h>
#include <sys/stat.h>

namespace {

struct Run
{
    int status;
    QString out;
    QString err;
};

// The tool must run headless: no display and no platform plugin to lean on, and a command that
// draws a PDF page (report, export to PDF) finds a platform that needs no display by itself.
// Standard output goes to output when one is given; inChild runs in the child before the tool
// starts.
Run cli(const QStringList &args, const QString &output = QString(),
    const std::function<void()> &inChild = {})
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    // The commands that draw a page take the offscreen platform themselves; the others, DXF and
    // SVG drawings among them, need none.
    const bool page = args.value(0) == QLatin1String("report")
        || ((args.value(0) == QLatin1String("export") || args.value(0) == QLatin1String("ribs"))
            && args.last().endsWith(QLatin1String(".pdf")));
    if (page)
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    else
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("no-such-platform"));
    process.setProcessEnvironment(env);
    if (!output.isEmpty())
        process.setStandardOutputFile(output);
    if (inChild)
        process.setChildProcessModifier(inChild);
    process.start(QStringLiteral(LIFTWISE_CLI), args);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
        QString::fromUtf8(process.readAllStandardOutput()),
        QString::fromUtf8(process.readAllStandardError())};
}

// The same with standard input taken from bytes.
Run cliReading(const QStringList &args, const QByteArray &input)
{
    QProcess process;
    process.start(QStringLiteral(LIFTWISE_CLI), args);
    process.waitForStarted();
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
        QString::fromUtf8(process.readAllStandardError())};
}

QJsonObject json(const QString &text) { return QJsonDocument::fromJson(text.toUtf8()).object(); }

} // namespace

class tst_Cli : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void jsonRoundTrips();
    void warnings();
    void standardInput();
    void sweepRowsMatchAnalyze();
    void extrapolatedFromThreePanelings();
    void batch();
    void modify_data();
    void modify();
    void modifyCounted();
    void exitCodes_data();
    void exitCodes();
    void failedWrites_data();
    void failedWrites();
    void batchGivesEveryRow_data();
    void batchGivesEveryRow();
    void compareMatchesAnalyze();
    void unsafeText_data();
    void unsafeText();
    void nacaSectionAnalyses_data();
    void nacaSectionAnalyses();
    void designInOrder();
    void report();
    void exportTemplate_data();
    void exportTemplate();
    void ribs_data();
    void ribs();

private:
    QString write(const QString &name, const QByteArray &bytes);
    QTemporaryDir dir;
    QString foil;
};

QString tst_Cli::write(const QString &name, const QByteArray &bytes)
{
    return writeFile(dir, name, bytes);
}

void tst_Cli::initTestCase()
{
    foil = write(QStringLiteral("foil.dat"), nacaFile(0.03, 0.35, 0.11, 41, "cli test section"));
    QCOMPARE(mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("pipe"))).constData(), 0600), 0);
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
    QCOMPARE(doc["warnings"].toArray(), QJsonArray());
    const QJsonObject geometry = doc["geometry"].toObject();
    QVERIFY(qAbs(geometry["maxThickness"].toDouble() - 0.11) < 0.001);
    QVERIFY(qAbs(geometry["maxCamber"].toDouble() - 0.03) < 0.002);

    const QJsonObject paneling = doc["paneling"].toObject();
    QCOMPARE(paneling["stations"].toArray().size(), 11);
    QCOMPARE(paneling["ordinates"].toArray().size(), 11);
    QCOMPARE(paneling["panelWidths"].toArray().size(), 10);
    QCOMPARE(paneling["panelAnglesDeg"].toArray().size(), 10);
    const QJsonArray presses = doc["modifications"].toArray();
    QCOMPARE(presses.size(), 1);
    // The loading is the pressed line's: over the panel widths it sums to that line's lifts.
    const QJsonObject loading = doc["loading"].toObject();
    const QJsonObject c = paneling["coefficients"].toObject();
    QCOMPARE(loading["x"].toArray().size(), 10);
    double cl0 = 0.0;
    double clSF = 0.0;
    for (int i = 0; i < 10; ++i) {
        const double width = paneling["panelWidths"][i].toDouble();
        cl0 += loading["dcpZeroIncidence"][i].toDouble() * width;
        clSF += loading["dcpSmoothEntry"][i].toDouble() * width;
    }
    QVERIFY(qAbs(cl0 / c["cl0"].toDouble() - 1.0) < 1e-12);
    QVERIFY(qAbs(clSF / c["clSF"].toDouble() - 1.0) < 1e-12);

    // The printed panels are the JSON values, rounded.
    const Run text = cli({"analyze", foil, "--panels", "10", "--modify"});
    const QStringList lines = text.out.split('\n');
    QCOMPARE(lines.at(0), QStringLiteral("[file]"));
    // After the press the file panel shows the reshaped section's values under its name.
    const QJsonObject ref = doc["reference"].toObject()["coefficients"].toObject();
    const QJsonObject section = doc["reshapedSection"].toObject()["coefficients"].toObject();
    QCOMPARE(lines.at(5), QStringLiteral("reshaped section, after 1 Modify press:"));
    QCOMPARE(lines.at(7),
        "alpha0 = " + QString::number(section["alpha0Deg"].toDouble(), 'f', 3) + " deg");
    QCOMPARE(lines.at(8), "cm0 = " + QString::number(section["cm0"].toDouble(), 'f', 4));
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

void tst_Cli::warnings()
{
    // A lower surface ending short of the trailing edge: said on standard error and in JSON.
    const QString path = write(
        QStringLiteral("short.dat"), "short\n" + pointLines(21).mid(0, 39).join('\n') + "\n");
    const QString warning = QStringLiteral(
        "the lower surface ends at x = 0.975 and is extended to the trailing edge");
    const Run run = cli({"analyze", path, "--json"});
    QCOMPARE(run.status, 0);
    QCOMPARE(run.err, QStringLiteral("%1: warning: %2\n").arg(path, warning));
    QCOMPARE(json(run.out)["warnings"].toArray(), QJsonArray {warning});
}

void tst_Cli::standardInput()
{
    // "-", and a pipe given by name, are read to their end like the file itself.
    QFile file(foil);
    QVERIFY(file.open(QFile::ReadOnly));
    const QByteArray bytes = file.readAll();
    const QString expected = cli({"analyze", foil}).out;
    QVERIFY(expected.startsWith(QStringLiteral("[file]\ncli test section\n81 points\n")));
    QCOMPARE(cliReading({"analyze", "-"}, bytes).out, expected);
    QCOMPARE(cliReading({"analyze", "/dev/stdin"}, bytes).out, expected);
    // After "--" a name that looks like an option is a file.
    const Run dashed = cli({"analyze", "--", "--foil.dat"});
    QCOMPARE(dashed.status, 1);
    QVERIFY2(dashed.err.startsWith("liftwise-cli: Cannot read file --foil.dat:"),
        qPrintable(dashed.err));
}

void tst_Cli::sweepRowsMatchAnalyze()
{
    const Run run = cli({"sweep", foil, "--panels", "5:25:10", "--le", "2.5"});
    QCOMPARE(run.status, 0);
    const QStringList rows = run.out.trimmed().split("\r\n");
    // Records end in CR LF, as RFC 4180 has it.
    QCOMPARE(run.out.count('\n'), 4);
    QCOMPARE(rows.size(), 4);
    QVERIFY(rows.at(0).startsWith("panels,cl0,alpha0_deg,cm0,"));
    for (int r = 1; r < rows.size(); ++r) {
        const QStringList cells = rows.at(r).split(',');
        QCOMPARE(cells.size(), 9);
        const QJsonObject doc
            = json(cli({"analyze", foil, "--panels", cells.at(0), "--le", "2.5", "--json"}).out);
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
    // One count is a sweep of one row.
    QCOMPARE(cli({"sweep", foil, "--panels", "15", "--le", "2.5"}).out.trimmed().split("\r\n"),
        rows.mid(0, 1) + rows.mid(2, 1));
}

void tst_Cli::batch()
{
    // Files in the order given, a folder as its *.dat files in name order; a refused file is
    // a row with its reason, and makes the exit status 1.
    QTemporaryDir folder;
    QFile::copy(foil, folder.filePath(QStringLiteral("b.dat")));
    QFile::copy(foil, folder.filePath(QStringLiteral("a.dat")));
    QFile(folder.filePath(QStringLiteral("notes.txt"))).open(QFile::WriteOnly);
    const QString empty = write(QStringLiteral("empty, \"really\".dat"), QByteArray());
    const QStringList args = {"batch", foil, empty, folder.path(), "--panels", "12", "--te", "3"};
    const Run run = cli(args);
    QCOMPARE(run.status, 1);
    const QStringList rows = run.out.trimmed().split("\r\n");
    QCOMPARE(rows.size(), 5);
    QVERIFY(rows.at(0).startsWith("file,title,points,layout,status,cl0,"));
    const qsizetype columns = rows.at(0).count(',') + 1;
    QCOMPARE(rows.at(2),
        "\"" + QString(empty).replace("\"", "\"\"") + "\",,,,the file holds no points"
            + QString(columns - 5, ','));
    QVERIFY(rows.at(3).startsWith(folder.filePath("a.dat") + ",cli test section,81,plain,ok,"));
    QVERIFY(rows.at(4).startsWith(folder.filePath("b.dat") + ","));
    // The values are those of analyze, bit for bit, and one job gives the same table.
    const QStringList cells = rows.at(1).split(',');
    const QJsonObject doc
        = json(cli({"analyze", foil, "--panels", "12", "--te", "3", "--json"}).out);
    const QJsonObject ref = doc["reference"].toObject()["coefficients"].toObject();
    const QJsonObject line = doc["paneling"].toObject()["coefficients"].toObject();
    QCOMPARE(cells.size(), columns);
    QCOMPARE(cells.at(18).toDouble(), doc["geometry"].toObject()["maxThickness"].toDouble());
    QCOMPARE(cells.at(6).toDouble(), ref["alpha0Deg"].toDouble());
    QCOMPARE(cells.at(8).toDouble(), ref["dclda"].toDouble());
    QCOMPARE(cells.at(11), QStringLiteral("12"));
    QCOMPARE(cells.at(14).toDouble(), line["cm0"].toDouble());
    QCOMPARE(cells.at(16).toDouble(), line["alphaSFDeg"].toDouble());
    const QJsonObject extrapolated = doc["extrapolated"].toObject();
    QCOMPARE(cells.at(rows.at(0).split(',').indexOf("x_alpha0_deg")).toDouble(),
        extrapolated["alpha0Deg"].toDouble());
    QCOMPARE(cells.last().toDouble(), extrapolated["error"].toObject()["clSF"].toDouble());
    QCOMPARE(cli(args + QStringList {"--jobs", "1"}).out, run.out);
}

// The reference alpha0 (degrees) and cm0 of an airfoil file, as analyze gives them.
static QPair<double, double> referenceOf(const QString &path)
{
    const QJsonObject c = json(cli({"analyze", path, "--json"}).out)["reference"]
                              .toObject()["coefficients"]
                              .toObject();
    return {c["alpha0Deg"].toDouble(), c["cm0"].toDouble()};
}

void tst_Cli::modify_data()
{
    QTest::addColumn<QString>("digits");
    QTest::addColumn<double>("alpha0");
    QTest::addColumn<double>("cm0");
    QTest::newRow("2412 to -4.5/-0.1") << "2412" << -4.5 << -0.1;
    QTest::newRow("4415 to -1.5/0.02") << "4415" << -1.5 << 0.02;
    QTest::newRow("6409 to -8/-0.15") << "6409" << -8.0 << -0.15;
    // Targets finer than the window's field are taken as typed, not rounded to its decimals.
    QTest::newRow("2412 to -2.01234/-0.06004") << "2412" << -2.01234 << -0.06004;
}

void tst_Cli::modify()
{
    // Without options the presses go on until the saved section itself reaches the targets,
    // each press one line on standard error, and the title says what the section gives, to a
    // file or to standard output alike.
    QFETCH(QString, digits);
    QFETCH(double, alpha0);
    QFETCH(double, cm0);
    const QString path
        = write(digits + "m.dat", cli({"naca", digits, "--points", "61"}).out.toUtf8());
    const QString output = dir.filePath(digits + "-modified.dat");
    const QStringList args
        = {"modify", path, "--alpha0", QString::number(alpha0), "--cm0", QString::number(cm0)};
    const Run written = cli(args + QStringList {"--output", output});
    QCOMPARE(written.status, 0);
    QVERIFY(written.out.isEmpty());
    QVERIFY(written.err.startsWith("press 1: paneled line (200 panels): alpha0 = "));
    const auto [reachedAlpha0, reachedCm0] = referenceOf(output);
    QVERIFY2(qAbs(reachedAlpha0 - alpha0) <= 0.001 && qAbs(reachedCm0 - cm0) <= 1e-5,
        qPrintable(written.err));
    const QString text = QString::fromUtf8(readFile(output));
    QCOMPARE(text.section('\n', 0, 0),
        QStringLiteral("NACA %1 (alpha0 %2 deg, cm0 %3)")
            .arg(digits, QString::number(reachedAlpha0, 'f', 3),
                QString::number(reachedCm0, 'f', 4)));
    QCOMPARE(cli(args).out, text);
}

void tst_Cli::modifyCounted()
{
    // Counted presses at a coarse paneling aim at the targets, as the window's do: the title
    // then says what the section reached, with a warning where that misses, and the file is
    // written all the same. Uncounted, a target out of reach writes nothing.
    const QString output = dir.filePath(QStringLiteral("counted.dat"));
    const Run counted = cli({"modify", foil, "--alpha0", "-4", "--cm0", "-0.09", "--presses", "2",
        "--panels", "8", "--output", output});
    QCOMPARE(counted.status, 0);
    const QString values = "alpha0 = -?\\d+\\.\\d{3} deg, cm0 = -?\\d\\.\\d{4}";
    const QString line = "paneled line \\(8 panels\\): " + values;
    const QString press = "; reshaped section: " + values + "\n";
    QVERIFY2(QRegularExpression("^press 1: " + line + press + "press 2: " + line + press)
                 .match(counted.err)
                 .hasMatch(),
        qPrintable(counted.err));
    QVERIFY(counted.err.contains("liftwise-cli modify: warning: target not reached: alpha0 = "));
    // The help names the paneling modify presses at when none is given.
    QVERIFY(cli({"modify", "--help"}).out.contains("Number of panels, 3 to 999 (200)."));
    const auto [alpha0, cm0] = referenceOf(output);
    QCOMPARE(QString::fromUtf8(readFile(output)).section('\n', 0, 0),
        QStringLiteral("cli test section (alpha0 %1 deg, cm0 %2)")
            .arg(QString::number(alpha0, 'f', 3), QString::number(cm0, 'f', 4)));

    const QString missed = dir.filePath(QStringLiteral("missed.dat"));
    const Run unreachable
        = cli({"modify", foil, "--alpha0", "-12", "--cm0", "0.3", "--output", missed});
    QCOMPARE(unreachable.status, 1);
    QVERIFY2(unreachable.err.contains("liftwise-cli modify: target not reached: alpha0 = ")
            || unreachable.err.contains("would be refused"),
        qPrintable(unreachable.err));
    QVERIFY(!QFile::exists(missed));
}

void tst_Cli::exitCodes_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("stderrHas");

    const auto row = [](const char *tag, const QStringList &args, int status, const QString &said) {
        QTest::newRow(tag) << args << status << said;
    };
    const QString tryAnalyze = "\nTry 'liftwise-cli analyze --help'.\n";
    const QString pipe = "Cannot write file PIPE: it is not a regular file.\n";
    const QStringList modify = {"modify", "FOIL", "--alpha0", "-3", "--cm0", "-0.1", "--output"};
    row("help", {"batch", "--help"}, 0, "");
    row("version", {"naca", "--version"}, 0, "");
    row("missing file", {"analyze", "/no/such/foil.dat"}, 1,
        "Cannot read file /no/such/foil.dat: No such file");
    row("refused in a sweep", {"sweep", "EMPTY", "--panels", "3:4"}, 1, "the file holds no points");
    row("too many panels", {"analyze", "FOIL", "--panels", "1000"}, 2,
        "liftwise-cli analyze: --panels takes a whole number from 3 to 999" + tryAnalyze);
    row("density beyond range", {"analyze", "FOIL", "--le", "10.006"}, 2,
        "--le takes a number from 1.00 to 10.00" + tryAnalyze);
    row("target beyond range", {"analyze", "FOIL", "--alpha0", "45.0001"}, 2,
        "--alpha0 takes a number from -45.0000 to 45.0000");
    row("presses without targets", {"analyze", "FOIL", "--presses", "2"}, 2,
        "--presses needs --modify");
    row("no command", {}, 2, "no command given");
    row("unknown option", {"analyze", "FOIL", "--fast"}, 2, "Unknown option 'fast'." + tryAnalyze);
    row("reversed sweep", {"sweep", "FOIL", "--panels", "9:3"}, 2, "FROM:TO");
    row("bad digits", {"naca", "24x2"}, 2, "four digits");
    row("thickness 40", {"naca", "2440"}, 2, "below 40");
    row("modify without targets", {"modify", "FOIL", "--alpha0", "-3"}, 2, "--alpha0 and --cm0");
    row("modify into a folder nobody may write", modify + QStringList {"/proc/modified.dat"}, 1,
        "Cannot write file /proc/modified.dat:");
    row("modify beyond what opens",
        {"modify", "FOIL", "--alpha0", "45", "--cm0", "-1", "--output", "-"}, 1,
        "liftwise-cli: Cannot save -: the reshaped airfoil would be refused: the point on line");
    row("report without a PDF to write", {"report", "FOIL"}, 2,
        "--output OUT.pdf names the PDF to write");
    row("report onto a pipe", {"report", "FOIL", "--output", "PIPE"}, 1, pipe);
    row("export to an unknown type", {"export", "FOIL", "--chord", "200", "--output", "rib.png"}, 2,
        "liftwise-cli export: --output takes a name ending in .dxf, .svg or .pdf");
    row("modify onto a pipe", modify + QStringList {"PIPE"}, 1, pipe);
    row("five digits naming no mean line", {"naca", "21112"}, 2,
        "the first three of five digits name a 5-digit mean line");
    row("a-series load beyond the chord", {"meanline", "--a", "1.5"}, 2,
        "--a takes a number from 0.000 to 1.000");
    row("design without an operation", {"design", "FOIL"}, 2, "no operation given");
    row("compare without files", {"compare", "--json"}, 2, "no airfoil file given");
    row("compare against a file not given", {"compare", "FOIL", "--baseline", "EMPTY"}, 2,
        "--baseline names none of the files given: EMPTY");
    row("design camber beyond range", {"design", "FOIL", "--scale-camber", "9"}, 2,
        "--scale-camber takes a number from -5 to 5");
    row("flap without its deflection", {"design", "FOIL", "--flap", "0.75"}, 2,
        "--flap takes XH,DEG with a hinge XH from 0.5 to 0.95 and a deflection DEG from -30 to "
        "30");
    row("flap hinged ahead of mid-chord", {"design", "FOIL", "--flap", "0.3,5"}, 2,
        "--flap takes XH,DEG");
    row("export a PDF larger than a PDF page",
        {"export", "FOIL", "--chord", "10000", "--output", "/tmp/liftwise-never-written.pdf"}, 1,
        "and a PDF page holds at most 5080 mm: export it as DXF or SVG");
}

void tst_Cli::exitCodes()
{
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, stderrHas);

    const QString empty = write(QStringLiteral("empty.dat"), QByteArray());
    args.replaceInStrings(QRegularExpression("^FOIL$"), foil);
    args.replaceInStrings(QRegularExpression("^EMPTY$"), empty);
    const QString pipe = dir.filePath(QStringLiteral("pipe"));
    args.replaceInStrings(QRegularExpression("^PIPE$"), pipe);
    const Run run = cli(args);
    QCOMPARE(run.status, status);
    QVERIFY2(run.err.contains(stderrHas.replace("EMPTY", empty).replace("PIPE", pipe)),
        qPrintable(run.err));
    QVERIFY(!QFileInfo(pipe).isFile());
    if (status == 0)
        QVERIFY(!run.out.isEmpty());
    if (status == 1) {
        QVERIFY(run.out.isEmpty());
        // One line, after the presses' lines of modify.
        const QStringList lines = run.err.trimmed().split('\n');
        QCOMPARE(lines.filter(QRegularExpression("^press \\d+: ")).size(), lines.size() - 1);
    }
    if (status == 2)
        QCOMPARE(run.err.count('\n'), 2);
}

void tst_Cli::failedWrites_data()
{
    // Standard output on a full disk or beyond a file-size limit, and a file beyond that limit:
    // the system's reason and status 1, never a cut output that passes for a whole one.
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("sizeLimit");
    QTest::addColumn<QString>("said");

    const QString full = "cannot write standard output: No space left on device\n";
    const QString large = "cannot write standard output: File too large\n";
    const QStringList modify = {"modify", "FOIL", "--alpha0", "-3", "--cm0", "-0.1"};
    QTest::newRow("analyze, disk full")
        << QStringList {"analyze", "FOIL"} << false << "liftwise-cli analyze: " + full;
    QTest::newRow("analyze --json, size limit")
        << QStringList {"analyze", "FOIL", "--json"} << true << "liftwise-cli analyze: " + large;
    QTest::newRow("sweep, disk full") << QStringList {"sweep", "FOIL", "--panels", "3:9"} << false
                                      << "liftwise-cli sweep: " + full;
    QTest::newRow("batch, disk full")
        << QStringList {"batch", "FOIL"} << false << "liftwise-cli batch: " + full;
    QTest::newRow("batch, size limit") << QStringList {"batch", "FOIL", "FOIL", "FOIL", "FOIL"}
                                       << true << "liftwise-cli batch: " + large;
    QTest::newRow("compare, disk full")
        << QStringList {"compare", "FOIL"} << false << "liftwise-cli compare: " + full;
    QTest::newRow("naca, size limit")
        << QStringList {"naca", "2412"} << true << "liftwise-cli naca: " + large;
    QTest::newRow("modify, disk full") << modify << false << "liftwise-cli modify: " + full;
    QTest::newRow("modify --output -, size limit")
        << modify + QStringList {"--output", "-"} << true << "liftwise-cli modify: " + large;
    QTest::newRow("help, disk full") << QStringList {"--help"} << false << "liftwise-cli: " + full;
    QTest::newRow("modify --output, size limit")
        << modify + QStringList {"--output", "KEPT"} << true
        << "liftwise-cli: Cannot write file KEPT: File too large.\n";
    // The drawing is made in memory before it is written: the limit is named as such.
    QTest::newRow("export --output DXF, size limit") << QStringList {"export", "FOIL", "--chord",
        "100", "--output", "OUT.dxf"} << true << ".dxf: File too large.\n";
}

void tst_Cli::failedWrites()
{
    QFETCH(QStringList, args);
    QFETCH(bool, sizeLimit);
    QFETCH(QString, said);

    const QString kept = write(QStringLiteral("kept.dat"), "kept\n");
    args.replaceInStrings(QRegularExpression("^FOIL$"), foil);
    args.replaceInStrings(QRegularExpression("^KEPT$"), kept);
    args.replaceInStrings(QRegularExpression("^OUT.dxf$"), dir.filePath("out.dxf"));
    const QString output = sizeLimit ? dir.filePath(QStringLiteral("limited.out")) : "/dev/full";
    const Run run = cli(args, output, [sizeLimit] {
        if (!sizeLimit)
            return;
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit {1024, 1024};
        setrlimit(RLIMIT_FSIZE, &limit);
    });
    QCOMPARE(run.status, 1);
    QVERIFY2(run.err.endsWith(said.replace("KEPT", kept)), qPrintable(run.err));
    QCOMPARE(readFile(kept), QByteArray("kept\n"));
}

void tst_Cli::batchGivesEveryRow_data()
{
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("status");
    const QString special = "it is not a regular file";
    QTest::newRow("pipe") << "pipe" << special;
    QTest::newRow("link to a pipe in a folder") << "link to a pipe" << special;
    QTest::newRow("name not UTF-8") << "odd name"
                                    << "ok";
    QTest::newRow("name not UTF-8 in a folder") << "odd name in a folder"
                                                << "ok";
    QTest::newRow("unreadable folder") << "unreadable folder"
                                       << "the folder cannot be read: Permission denied";
}

void tst_Cli::batchGivesEveryRow()
{
    // Whatever it is given, batch ends, and each file or folder it is given or finds has its
    // row, after the row of the file given before it: none waits for ever, none is left out.
    QFETCH(QString, given);
    QFETCH(QString, status);
    QTemporaryDir root;
    const QByteArray rootName = QFile::encodeName(root.path());
    QCOMPARE(chmod(rootName.constData(), 0755), 0);
    const QString first = root.filePath(QStringLiteral("a.dat"));
    QVERIFY(QFile::copy(foil, first));
    const QByteArray folder = rootName + "/foils";
    QCOMPARE(mkdir(folder.constData(), 0755), 0);
    if (given.contains("pipe"))
        QCOMPARE(mkfifo((rootName + "/pipe").constData(), 0644), 0);
    if (given == "link to a pipe")
        QCOMPARE(symlink("../pipe", (folder + "/z.dat").constData()), 0);
    if (given.startsWith("odd name"))
        QCOMPARE(
            link(QFile::encodeName(first).constData(), (folder + "/\xff\xfe.dat").constData()), 0);
    const QByteArray argument = given == "pipe" ? rootName + "/pipe"
        : given == "odd name"                   ? folder + "/\xff\xfe.dat"
                                                : folder;
    // Root reads any folder: the tool then runs as nobody, who may not.
    if (given == "unreadable folder")
        QCOMPARE(chmod(folder.constData(), 0), 0);
    // Arguments are bytes: the shell's printf gives the tool the name as the file system has it.
    QByteArray escaped;
    for (const char c : argument)
        escaped += "\\" + QByteArray::number(uchar(c), 8);
    QProcess process;
    process.setChildProcessModifier([given] {
        if (given == "unreadable folder" && getuid() == 0
            && (setgid(65534) != 0 || setuid(65534) != 0))
            std::abort();
    });
    process.start(QStringLiteral("/bin/sh"),
        {"-c", "exec \"$0\" batch \"$1\" \"$(printf \"$2\")\"", LIFTWISE_CLI, first,
            QString::fromLatin1(escaped)});
    QVERIFY(process.waitForFinished(60000));
    chmod(folder.constData(), 0755);
    const QStringList rows = QString::fromUtf8(process.readAllStandardOutput())
                                 .trimmed()
                                 .split(QRegularExpression("\r?\n"));
    QCOMPARE(rows.size(), 3);
    QVERIFY(rows.at(1).startsWith(first + ",cli test section,81,plain,ok,"));
    QCOMPARE(rows.at(2).split(',').at(4), status);
    QCOMPARE(process.exitCode(), status == "ok" ? 0 : 1);
}

void tst_Cli::compareMatchesAnalyze()
{
    // Each row holds what analyze gives for its file, bit for bit, beside its difference from
    // the baseline's, in JSON, CSV and the table alike; a refused file has its row with the
    // reason, and the others go on.
    const QString other = write(QStringLiteral("other.dat"), nacaFile(0.04, 0.4, 0.15, 41));
    const QString empty = write(QStringLiteral("empty.dat"), QByteArray());
    const QStringList files = {foil, empty, other};
    const QStringList options = {"--panels", "12", "--te", "3", "--baseline", other};
    const QStringList args = QStringList {"compare"} + files + options;
    const Run run = cli(args + QStringList {"--json"});
    QCOMPARE(run.status, 1);
    QVERIFY2(run.err.contains("the file holds no points"), qPrintable(run.err));
    const QJsonObject doc = json(run.out);
    QCOMPARE(doc["baseline"].toInt(), 2);
    const QJsonArray sections = doc["sections"].toArray();
    QCOMPARE(sections.size(), 3);
    QCOMPARE(sections[1]["problem"].toString(), QStringLiteral("the file holds no points"));
    const QJsonObject baseline = sections[2].toObject();
    for (const int i : {0, 2}) {
        const QJsonObject section = sections[i].toObject();
        QCOMPARE(section["name"].toString(), files.at(i));
        QVERIFY(section["problem"].isNull());
        const QJsonObject analysis
            = json(cli(QStringList {"analyze", files.at(i), "--json"} + options.mid(0, 4)).out);
        const QJsonObject extrapolated = analysis["extrapolated"].toObject();
        const QList<std::pair<QString, QJsonObject>> groups = {
            {"reference", analysis["reference"]["coefficients"].toObject()},
            {"extrapolated", extrapolated},
            {"geometry", analysis["geometry"].toObject()},
            {"paneled", analysis["paneling"]["coefficients"].toObject()},
        };
        for (const auto &[group, expected] : groups) {
            QJsonObject values = section[group].toObject();
            if (group == "extrapolated") {
                const QJsonObject errors = values.take("error").toObject();
                QCOMPARE(errors.size(), 5);
                for (const QString &key : errors.keys())
                    QCOMPARE(errors[key], extrapolated["error"][key]);
            }
            QCOMPARE(values.size(), 5);
            for (const QString &key : values.keys()) {
                QCOMPARE(values[key], expected[key]);
                QCOMPARE(section["delta"][group][key],
                    QJsonValue(values[key].toDouble() - baseline[group][key].toDouble()));
            }
        }
    }

    const Run csv = cli(args + QStringList {"--csv"});
    QCOMPARE(csv.status, 1);
    const QStringList records = csv.out.split("\r\n", Qt::SkipEmptyParts);
    QCOMPARE(records.size(), 4);
    const QStringList header = records.at(0).split(',');
    for (const int i : {0, 2}) {
        const QStringList fields = records.at(i + 1).split(',');
        QCOMPARE(fields.size(), header.size());
        const auto cell = [&](const char *key) { return fields.at(header.indexOf(key)); };
        const QJsonObject section = sections[i].toObject();
        QCOMPARE(cell("status"), i == 2 ? QStringLiteral("baseline") : QStringLiteral("ok"));
        QVERIFY(cell("x_cm0").toDouble() == section["extrapolated"]["cm0"].toDouble());
        QCOMPARE(cell("x_clSF_error").isEmpty(), section["extrapolated"]["error"]["clSF"].isNull());
        QVERIFY(cell("max_thickness_delta").toDouble()
            == section["delta"]["geometry"]["maxThickness"].toDouble());
        QVERIFY(cell("p_alphaSF_deg").toDouble() == section["paneled"]["alphaSFDeg"].toDouble());
    }
    QCOMPARE(records.at(2), empty + ",the file holds no points" + QString(header.size() - 2, ','));

    const Run table = cli(args);
    QCOMPARE(table.status, 1);
    const QStringList lines = table.out.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 4);
    QVERIFY(lines.at(0).startsWith("section"));
    QVERIFY2(lines.at(2).startsWith(empty) && lines.at(2).endsWith(" the file holds no points"),
        qPrintable(lines.at(2)));
    QVERIFY(lines.at(3).startsWith(other));
    QCOMPARE(lines.at(3).split(QRegularExpression(" {2,}")).at(1), QStringLiteral("baseline"));
}

void tst_Cli::unsafeText_data()
{
    QTest::addColumn<QByteArray>("title");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("shown");

    const QString mark(QChar::ReplacementCharacter);
    QTest::newRow("formula") << QByteArray("=HYPERLINK(\"x\")") << "\"'=HYPERLINK(\"\"x\"\")\""
                             << "=HYPERLINK(\"x\")";
    QTest::newRow("at sign") << QByteArray("@SUM(1+1)") << "'@SUM(1+1)"
                             << "@SUM(1+1)";
    QTest::newRow("plus") << QByteArray("+1") << "'+1"
                          << "+1";
    QTest::newRow("minus") << QByteArray("-1") << "'-1"
                           << "-1";
    QTest::newRow("tab") << QByteArray("\tx") << "'\tx"
                         << "\tx";
    QTest::newRow("escape sequences") << QByteArray("a\x1b[31mred\x1b]0;t\x07 \xc2\x9b")
                                      << "a" + mark + "[31mred" + mark + "]0;t" + mark + " " + mark
                                      << "a" + mark + "[31mred" + mark + "]0;t" + mark + " " + mark;
    QTest::newRow("NUL") << QByteArray("a\0b", 3) << "a" + mark + "b"
                         << "a" + mark + "b";
}

void tst_Cli::unsafeText()
{
    // A title is the file's own text: a spreadsheet must not run it, a terminal must not obey
    // it, and in CSV, JSON and the panels it shows the same.
    QFETCH(QByteArray, title);
    QFETCH(QString, cell);
    QFETCH(QString, shown);
    const QString path = write(QStringLiteral("unsafe.dat"), plainFile(title, 21));
    const Run batch = cli({"batch", path});
    QVERIFY2(batch.out.split("\r\n").at(1).startsWith(path + "," + cell + ",41,plain,ok,"),
        qPrintable(batch.out));
    QCOMPARE(cli({"analyze", path}).out.split('\n').at(1), shown);
    QCOMPARE(json(cli({"analyze", path, "--json"}).out)["title"].toString(), shown);
}

void tst_Cli::extrapolatedFromThreePanelings()
{
    // The extrapolation goes on from plain analyses at 200, 400 and 800 panels: a value that
    // converged lies beyond the 800-panel one, away from the 200-panel one, its error a fixed
    // multiple of that step at least; one that did not has a null error and the two ends as its
    // range.
    int notConverged = 0;
    for (const char *digits : {"4415", "6409", "1408"}) {
        const QString path = write(QStringLiteral("x%1.dat").arg(digits),
            cli({"naca", digits, "--points", "81"}).out.toUtf8());
        const QJsonObject doc = json(cli({"analyze", path, "--json", "--panels", "800"}).out);
        const QJsonObject coarse = doc["reference"].toObject()["coefficients"].toObject();
        const QJsonObject fine = doc["paneling"].toObject()["coefficients"].toObject();
        const QJsonObject extrapolated = doc["extrapolated"].toObject();
        const QJsonObject error = extrapolated["error"].toObject();
        const QJsonObject range = extrapolated["range"].toObject();
        for (const char *key : {"cl0", "alpha0Deg", "cm0", "alphaSFDeg", "clSF"}) {
            const double c = coarse[key].toDouble(), f = fine[key].toDouble();
            const double v = extrapolated[key].toDouble();
            if (error[key].isNull()) {
                ++notConverged;
                QCOMPARE(range[key].toArray(), (QJsonArray {c, f}));
                QCOMPARE(v, f);
            } else {
                QVERIFY2(!range.contains(key), key);
                QVERIFY((v - f) * (f - c) > 0);
                // Three times the step, widened by the shape the 800 panels do not resolve.
                QVERIFY(error[key].toDouble() >= 3.0 * qAbs(v - f) * (1.0 - 1e-12));
            }
        }
    }
    QVERIFY(notConverged > 0 && notConverged < 15);
}

void tst_Cli::nacaSectionAnalyses_data()
{
    // Thin-airfoil theory gives -2.077 deg for the 24 mean line. Read from a contour, the camber
    // is the mean of the two surfaces; with thickness 00 it is the mean line itself.
    QTest::addColumn<QString>("digits");
    QTest::addColumn<double>("alpha0");
    QTest::addColumn<double>("within");
    QTest::newRow("2412") << "2412" << -2.077 << 0.04 * 2.077;
    QTest::newRow("2400, the mean line") << "2400" << -2.077 << 0.01 * 2.077;
    QTest::newRow("0000, a flat plate") << "0000" << 0.0 << 1e-12;
    // Glauert's integral over the 230 mean line gives -1.094 deg.
    QTest::newRow("23000, a 5-digit mean line") << "23000" << -1.094 << 0.005 * 1.094;
}

void tst_Cli::nacaSectionAnalyses()
{
    QFETCH(QString, digits);
    QFETCH(double, alpha0);
    QFETCH(double, within);
    const Run section = cli({"naca", digits});
    QCOMPARE(section.status, 0);
    QVERIFY(section.out.startsWith("NACA " + digits + "\n"));
    QCOMPARE(section.out.count('\n'), 1 + 121);
    const QString path = write(digits + ".dat", section.out.toUtf8());
    const Run run = cli({"analyze", path, "--json"});
    QCOMPARE(run.status, 0);
    const double reached
        = json(run.out)["reference"].toObject()["coefficients"].toObject()["alpha0Deg"].toDouble();
    QVERIFY2(qAbs(reached - alpha0) < within, qPrintable(QString::number(reached)));
    // No thickness lies nowhere in particular.
    if (digits.endsWith("00"))
        QVERIFY(cli({"analyze", path}).out.split('\n').contains("thickness 0.0 %"));
    if (digits != "2412")
        return;

    // A closed trailing edge meets at one point.
    const QStringList closed
        = cli({"naca", "0012", "--points", "21", "--closed-te"}).out.trimmed().split('\n');
    QCOMPARE(closed.size(), 22);
    QCOMPARE(closed.at(1), closed.last());
}

void tst_Cli::designInOrder()
{
    // The operations apply in the order given, the title says each, and the result opens with
    // its camber doubled: alpha0 twice the section's, as theory has it for any camber line.
    const QString doubled = dir.filePath(QStringLiteral("doubled.dat"));
    const Run run
        = cli({"design", foil, "--scale-camber", "2", "--repanel", "81", "--output", doubled});
    QCOMPARE(run.status, 0);
    const QString text = QString::fromUtf8(readFile(doubled));
    QCOMPARE(text.section('\n', 0, 0), QStringLiteral("cli test section, camber x2, 81 points"));
    QCOMPARE(text.trimmed().count('\n'), 81);
    const auto alpha0 = [&](const QString &path) {
        return json(cli({"analyze", path, "--json"}).out)["reference"]
            .toObject()["coefficients"]
            .toObject()["alpha0Deg"]
            .toDouble();
    };
    QVERIFY(qAbs(alpha0(doubled) / (2 * alpha0(foil)) - 1) < 0.015);
    // --json prints what analyze --json prints for the result, written to --output too.
    const QString once = dir.filePath(QStringLiteral("once.dat"));
    const QJsonObject doc
        = json(cli({"design", foil, "--scale-camber", "2", "--json", "--output", once}).out);
    QCOMPARE(doc["title"].toString(), QStringLiteral("cli test section, camber x2"));
    QCOMPARE(doc["reference"]["coefficients"]["alpha0Deg"].toDouble(), alpha0(once));
    QVERIFY(doc["extrapolated"].toObject().contains("alpha0Deg"));
    // A flap says its change beside Glauert's, both in the unflapped chord's frame, and the
    // flapped section's own values, which the rest of the document gives.
    const QJsonObject flapped = json(cli({"design", foil, "--flap", "0.7,2", "--json"}).out);
    const QJsonObject flap = flapped["flap"].toObject();
    QCOMPARE(flap["frame"].toString(), QStringLiteral("unflapped chord"));
    QCOMPARE(flap["hinge"].toDouble(), 0.7);
    const double glauert = flap["glauert"]["dAlpha0Deg"].toDouble();
    QVERIFY(glauert < 0 && qAbs(flap["computed"]["dAlpha0Deg"].toDouble() / glauert - 1) < 0.05);
    QCOMPARE(
        flap["ownChord"]["alpha0Deg"].toDouble(), flapped["extrapolated"]["alpha0Deg"].toDouble());
    QCOMPARE(flapped["title"].toString(), QStringLiteral("cli test section, flap 70 % 2°"));
}

void tst_Cli::report()
{
    // A4 pages, numbered "page k of N" to the last, whose text holds the title block, every
    // heading and the coefficients of both lines.
    for (const char *tool : {"pdfinfo", "pdftotext"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            QSKIP("pdfinfo and pdftotext (Debian poppler-utils) are not installed; "
                  "scripts/install-deps.sh test installs them");
    const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
    const Run run = cli({"report", foil, "--panels", "10", "--author", "A. Student", "--course",
        "Aerodynamics 2", "--output", pdf});
    QCOMPARE(run.status, 0);
    QCOMPARE(run.err, QString());
    const auto tool = [](const QString &name, const QStringList &args) {
        QProcess process;
        process.start(name, args);
        process.waitForFinished(60000);
        return QString::fromUtf8(process.readAllStandardOutput());
    };
    const QString info = tool(QStringLiteral("pdfinfo"), {pdf});
    const QRegularExpressionMatch pages = QRegularExpression("Pages: +(\\d+)\n").match(info);
    QVERIFY2(pages.hasMatch(), qPrintable(info));
    const int count = pages.captured(1).toInt();
    QVERIFY2(
        info.contains(QRegularExpression("Page size: +59[45][.\\d]* x 84[12][.\\d]* pts \\(A4\\)")),
        qPrintable(info));
    const QString page = tool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    QVERIFY2(page.contains(QStringLiteral("cli test section")), qPrintable(page));
    for (const QString &heading :
        {QStringLiteral("Author: A. Student"), QStringLiteral("Course: Aerodynamics 2"),
            QStringLiteral("Method"), QStringLiteral("Diagram"), QStringLiteral("Coefficients"),
            QStringLiteral("As loaded, 200 panels"), QStringLiteral("Loading: "),
            QStringLiteral("Convergence: "),
            QStringLiteral("Panels of the paneled line (10 "
                           "panels)")})
        QVERIFY2(page.contains(heading), qPrintable(heading + " in\n" + page));
    for (int k = 1; k <= count; ++k)
        QVERIFY2(page.contains(QStringLiteral("page %1 of %2").arg(k).arg(count)),
            qPrintable(QString::number(k)));
    QVERIFY(!page.contains(QStringLiteral("page %1 of").arg(count + 1)));
    const QJsonObject doc = json(cli({"analyze", foil, "--panels", "10", "--json"}).out);
    for (const char *line : {"reference", "paneling"}) {
        const QJsonObject c = doc[line].toObject()["coefficients"].toObject();
        for (const QString &shown : {"cl0 = " + QString::number(c["cl0"].toDouble(), 'f', 3),
                 "cm0 = " + QString::number(c["cm0"].toDouble(), 'f', 4),
                 "alpha0 = " + QString::number(c["alpha0Deg"].toDouble(), 'f', 3) + " deg"})
            QVERIFY2(page.contains(shown), qPrintable(shown + " in\n" + page));
    }
    QVERIFY(page.contains(QStringLiteral("extrapolated: alpha0 = ")));
    // "-" is standard output, as for every --output, not a file of that name.
    const QString piped = dir.filePath(QStringLiteral("piped.pdf"));
    QCOMPARE(cli({"report", foil, "--output", "-"}, piped).status, 0);
    QVERIFY(
        tool(QStringLiteral("pdfinfo"), {piped}).contains(QRegularExpression("Pages: +\\d+\n")));
    QVERIFY(!QFileInfo::exists(QStringLiteral("-")));
}

void tst_Cli::exportTemplate_data()
{
    // Each type without a display; only the PDF page takes a platform, the drawings none. An
    // empty name is DXF to standard output.
    QTest::addColumn<QString>("output");
    QTest::addColumn<QByteArray>("first");
    QTest::addColumn<QByteArray>("last");
    QTest::newRow("PDF page") << "rib.pdf" << QByteArray("%PDF-") << QByteArray("%%EOF\n");
    QTest::newRow("SVG drawing") << "rib.svg" << QByteArray("<?xml") << QByteArray("</svg>\n");
    QTest::newRow("DXF drawing") << "rib.dxf" << QByteArray("999\n") << QByteArray("\nEOF\n");
    QTest::newRow("DXF to standard output") << "" << QByteArray("999\n") << QByteArray("\nEOF\n");
}

void tst_Cli::exportTemplate()
{
    QFETCH(QString, output);
    QFETCH(QByteArray, first);
    QFETCH(QByteArray, last);
    QStringList args {"export", foil, "--chord", "120"};
    if (!output.isEmpty())
        args << "--output" << dir.filePath(output);
    const Run run = cli(args);
    QCOMPARE(run.status, 0);
    QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
    const QByteArray written = output.isEmpty() ? run.out.toUtf8() : readFile(args.last());
    QVERIFY2(written.startsWith(first) && written.endsWith(last), written.left(40).constData());
}

void tst_Cli::ribs_data()
{
    // A wing's ribs of each type, and what does not fit refused with why, status 2 and
    // nothing written.
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("output");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("said");
    const QStringList wing {"ribs", "FOIL", "--root", "200", "--tip", "120", "--span", "600",
        "--count", "5", "--spar", "25%,5,4,top", "--sheeting", "1.5"};
    QTest::newRow("DXF") << wing << "ribs.dxf" << 0 << "";
    QTest::newRow("SVG, mirrored, washout")
        << wing + QStringList {"--mirror", "--washout", "2"} << "ribs.svg" << 0 << "";
    QTest::newRow("PDF on A3, tip section")
        << wing + QStringList {"--sheet", "A3", "--tip-file", "FOIL"} << "ribs.pdf" << 0 << "";
    QTest::newRow("spar deeper than the section")
        << wing + QStringList {"--spar", "60%,5,40,bottom"} << "deep.dxf" << 2
        << "rib 1: the spar at 60 % is 40 mm deep and the section is";
    QTest::newRow("sheeting over half the thickness")
        << wing + QStringList {"--sheeting", "9"} << "thick.svg" << 2
        << "sheeting of 9 mm is more than half the section's thickness: it may be 0.1 to";
    QTest::newRow("sheet too small") << wing + QStringList {"--sheet", "150x100"} << "small.pdf"
                                     << 2 << "a sheet of 150 × 100 mm is too small for rib 1";
    QTest::newRow("spar badly given") << wing + QStringList {"--spar", "25%,5,top"} << "bad.dxf"
                                      << 2 << "--spar takes X,W,D,top or X,W,D,bottom";
    QTest::newRow("export with a spar too deep")
        << QStringList {"export", "FOIL", "--chord", "100", "--spar", "50,5,20,top"} << "one.dxf"
        << 2 << "the spar at 50 mm is 20 mm deep";
}

void tst_Cli::ribs()
{
    QFETCH(QStringList, args);
    QFETCH(QString, output);
    QFETCH(int, status);
    QFETCH(QString, said);
    args.replaceInStrings(QRegularExpression("^FOIL$"), foil);
    const QString path = dir.filePath(output);
    const Run run = cli(args + QStringList {"--output", path});
    QCOMPARE(run.status, status);
    QVERIFY2(run.err.contains(said), qPrintable(run.err));
    QCOMPARE(QFileInfo::exists(path), status == 0);
}

QTEST_MAIN(tst_Cli)
#include "tst_cli.moc"
