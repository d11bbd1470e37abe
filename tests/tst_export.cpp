#include "contourtemplate.h"
#include "oddfiles.h"
#include "study.h"

#include <QtTest>

#include <memory>

// The cutting templates, read back as a cutter, a browser and a printer would take them: the
// contour a save writes, at true size.
class tst_Export : public QObject
{
    Q_OBJECT

private slots:
    void dxfRoundTrip();
    void svgSize_data();
    void svgSize();
    void pdfPage_data();
    void pdfPage();

private:
    std::unique_ptr<Study> loadedStudy();
    QTemporaryDir dir;
};

std::unique_ptr<Study> tst_Export::loadedStudy()
{
    QByteArray text = nacaFile(0.04, 0.4, 0.12, 41, "export test section");
    QBuffer file(&text);
    file.open(QIODevice::ReadOnly);
    auto study = std::make_unique<Study>();
    if (study->load(&file, dir.filePath(QStringLiteral("wing.dat")), Paneling()))
        qFatal("the test section is refused");
    return study;
}

void tst_Export::dxfRoundTrip()
{
    // After a press, the contour to cut is the reshaped one that Save Airfoil As writes.
    const std::unique_ptr<Study> study = loadedStudy();
    QVERIFY(study->modify({qDegreesToRadians(-6.0), -0.12}).applied);
    const double chord = 237.5;
    QString problem;
    const QByteArray dxf = ContourTemplate::of(*study, chord).dxf(&problem);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));

    // Group codes and values, a line each; an entity runs from one code 0 to the next, and a
    // polyline's vertices follow it up to its SEQEND.
    const QList<QByteArray> lines = dxf.split('\n');
    QList<QPair<int, QByteArray>> pairs;
    for (qsizetype i = 0; i + 1 < lines.size(); i += 2)
        pairs.append({lines[i].trimmed().toInt(), lines[i + 1].trimmed()});
    int units = -1;
    struct Polyline
    {
        QByteArray layer;
        int flags = 0;
        QList<QPointF> points;
    };
    QList<Polyline> polylines;
    QList<QMap<int, QByteArray>> entities;
    QByteArrayList types;
    for (qsizetype i = 0; i < pairs.size(); ++i) {
        const auto &[code, value] = pairs[i];
        if (code == 9 && value == "$INSUNITS" && i + 1 < pairs.size())
            units = pairs[i + 1].second.toInt();
        if (code == 0) {
            types << value;
            entities.append(QMap<int, QByteArray>());
        } else if (!entities.isEmpty()) {
            entities.last().insert(code, value);
        }
    }
    for (qsizetype i = 0; i < types.size(); ++i) {
        const QMap<int, QByteArray> &e = entities[i];
        if (types[i] == "POLYLINE")
            polylines.append({e.value(8), e.value(70).toInt(), {}});
        else if (types[i] == "VERTEX")
            polylines.last().points << QPointF(e.value(10).toDouble(), e.value(20).toDouble());
    }
    QCOMPARE(units, 4);
    QVERIFY(!types.contains("SPLINE"));
    QCOMPARE(polylines.size(), 2);

    // Every vertex is a point of the saved file, times the chord.
    const Polyline &contour = polylines[0];
    QCOMPARE(contour.layer, QByteArray("CONTOUR"));
    QCOMPARE(contour.flags & 1, 1);
    const QByteArrayList saved = study->airfoilText().trimmed().split('\n').mid(1);
    QCOMPARE(contour.points.size(), saved.size());
    for (qsizetype i = 0; i < saved.size(); ++i) {
        const QByteArrayList xy = saved[i].simplified().split(' ');
        const QPointF expected(xy[0].toDouble() * chord, xy[1].toDouble() * chord);
        QVERIFY2(QLineF(contour.points[i], expected).length() < 1e-4,
            qPrintable(QStringLiteral("point %1").arg(i)));
    }
    // The camber line, open, and the chord run from the nose to the trailing edge.
    const Polyline &camber = polylines[1];
    QCOMPARE(camber.layer, QByteArray("CAMBER"));
    QCOMPARE(camber.flags & 1, 0);
    QVERIFY(QLineF(camber.points.first(), QPointF(0, 0)).length() < 1e-3);
    QVERIFY(QLineF(camber.points.last(), QPointF(chord, 0)).length() < 1e-3);
    const qsizetype line = types.indexOf("LINE");
    QVERIFY(line >= 0);
    const QMap<int, QByteArray> &chordLine = entities[line];
    QCOMPARE(chordLine.value(8), QByteArray("CHORD"));
    QCOMPARE(QPointF(chordLine.value(10).toDouble(), chordLine.value(20).toDouble()), QPointF());
    QCOMPARE(
        QPointF(chordLine.value(11).toDouble(), chordLine.value(21).toDouble()), QPointF(chord, 0));
}

void tst_Export::svgSize_data()
{
    // A short chord leaves its caption more room on the right than the margin.
    QTest::addColumn<double>("chord");
    QTest::newRow("200 mm") << 200.0;
    QTest::newRow("10 mm") << 10.0;
}

void tst_Export::svgSize()
{
    QFETCH(double, chord);
    const QByteArray svg = ContourTemplate::of(*loadedStudy(), chord).svg();
    QXmlStreamReader xml(svg);
    QVERIFY(xml.readNextStartElement());
    QCOMPARE(xml.name(), QStringLiteral("svg"));
    const QXmlStreamAttributes root = xml.attributes();
    QString desc;
    QString contour;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QStringLiteral("desc"))
            desc = xml.readElementText();
        else if (xml.attributes().value(QStringLiteral("id")) == QStringLiteral("contour"))
            contour = xml.attributes().value(QStringLiteral("d")).toString();
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));

    // The width in millimetres is the chord and the margins the drawing states; the view box
    // is in millimetres too, the nose at its origin, the left margin before it.
    const QRegularExpressionMatch margins
        = QRegularExpression(QStringLiteral("left ([\\d.]+) mm and right ([\\d.]+) mm"))
              .match(desc);
    QVERIFY2(margins.hasMatch(), qPrintable(desc));
    const double left = margins.captured(1).toDouble();
    const double right = margins.captured(2).toDouble();
    const QString width = root.value(QStringLiteral("width")).toString();
    const QString height = root.value(QStringLiteral("height")).toString();
    QVERIFY(width.endsWith(QStringLiteral("mm")) && height.endsWith(QStringLiteral("mm")));
    QCOMPARE(width.chopped(2).toDouble(), chord + left + right);
    const QStringList box = root.value(QStringLiteral("viewBox")).toString().split(' ');
    QCOMPARE(box.size(), 4);
    QCOMPARE(box[0].toDouble(), -left);
    QCOMPARE(box[2], width.chopped(2));
    QCOMPARE(box[3], height.chopped(2));

    // One closed path, as long as the chord in those units.
    QVERIFY(contour.startsWith(QLatin1Char('M')) && contour.endsWith(QLatin1Char('Z')));
    double lowest = chord;
    double highest = 0.0;
    for (const QString &point : contour.split(' ')) {
        const double x = point.mid(1).section(',', 0, 0).toDouble();
        if (point != QStringLiteral("Z")) {
            lowest = std::min(lowest, x);
            highest = std::max(highest, x);
        }
    }
    QVERIFY(lowest >= 0.0 && lowest < 1e-3 * chord);
    QCOMPARE(highest, chord);
}

void tst_Export::pdfPage_data()
{
    QTest::addColumn<double>("chord");
    QTest::addColumn<QSizeF>("paper");
    QTest::newRow("200 mm on A4") << 200.0 << QSizeF(297, 210);
    QTest::newRow("300 mm on A3") << 300.0 << QSizeF(420, 297);
}

void tst_Export::pdfPage()
{
    QFETCH(double, chord);
    QFETCH(QSizeF, paper);
    for (const char *tool : {"pdfinfo", "pdftotext", "pdftoppm"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            QSKIP("poppler-utils is not installed (scripts/install-deps.sh test installs it)");
    const QString path = dir.filePath(QStringLiteral("%1.pdf").arg(chord));
    QCOMPARE(ContourTemplate::of(*loadedStudy(), chord).save(path, ContourTemplate::Type::Pdf),
        QString());
    const auto run = [](const QString &tool, const QStringList &arguments) {
        QProcess process;
        process.start(tool, arguments);
        process.waitForFinished(60000);
        return QString::fromUtf8(process.readAllStandardOutput());
    };

    // The sheet, landscape, in points; the caption's text.
    const QRegularExpressionMatch size
        = QRegularExpression(QStringLiteral("Page size: +([\\d.]+) x ([\\d.]+) pts"))
              .match(run(QStringLiteral("pdfinfo"), {path}));
    QVERIFY(size.hasMatch());
    QVERIFY(qAbs(size.captured(1).toDouble() / 72 * 25.4 - paper.width()) < 0.5);
    QVERIFY(qAbs(size.captured(2).toDouble() / 72 * 25.4 - paper.height()) < 0.5);
    QVERIFY(run(QStringLiteral("pdftotext"), {path, QStringLiteral("-")})
                .contains(QStringLiteral("export test section — chord")));

    // Printed at 10 dots a millimetre, the black of the drawing spans the chord and the
    // contour's line width: the page is at true size.
    const QString png = dir.filePath(QStringLiteral("page"));
    run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-r"), QStringLiteral("254"), QStringLiteral("-png"),
            QStringLiteral("-singlefile"), path, png});
    const QImage page = QImage(png + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
    QVERIFY(!page.isNull());
    int first = page.width();
    int last = -1;
    for (int y = 0; y < page.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(page.constScanLine(y));
        for (int x = 0; x < page.width(); ++x) {
            if (qGray(row[x]) < 60) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
        }
    }
    QVERIFY2(qAbs((last - first + 1) / 10.0 - (chord + 0.25)) < 0.3,
        qPrintable(QStringLiteral("%1 mm").arg((last - first + 1) / 10.0)));
}

QTEST_MAIN(tst_Export)
#include "tst_export.moc"
