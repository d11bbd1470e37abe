#include "comparison.h"
#include "extrapolation.h"
#include "oddfiles.h"
#include "study.h"

#include <QtTest>

#include <limits>

namespace {

constexpr double None = std::numeric_limits<double>::quiet_NaN();

// A row with the values given by column name, none elsewhere.
ComparisonRow row(const Comparison &table, const QString &name,
    const QList<std::pair<QString, double>> &values,
    const QList<std::pair<QString, double>> &errors = {})
{
    ComparisonRow r {name, QString(), QList<double>(table.columnCount(), None),
        QList<double>(table.columnCount(), None)};
    for (const auto &[key, v] : values)
        r.values[table.column(key)] = v;
    for (const auto &[key, e] : errors)
        r.errors[table.column(key)] = e;
    return r;
}

} // namespace

class tst_Comparison : public QObject
{
    Q_OBJECT

private slots:
    void rowIsTheSavedSection();
    void sortKeepsOrderAndPutsNoneLast_data();
    void sortKeepsOrderAndPutsNoneLast();
    void texts();

private:
    QTemporaryDir dir;
};

void tst_Comparison::rowIsTheSavedSection()
{
    // After a press the row is the reshaped section a save writes, with its extrapolation; a
    // study at another paneling than the table's has no paneled values.
    const QString path = writeFile(dir, QStringLiteral("a.dat"), nacaFile(0.02, 0.4, 0.12, 41));
    const Paneling paneling {20, 3.0, 2.0};
    Study pressed;
    Study other(pressed.inverses());
    for (Study *study : {&pressed, &other}) {
        study->convergence().setExtrapolating(true);
        QVERIFY(!study->loadFile(path));
    }
    pressed.setPaneling(paneling);
    Targets targets = pressed.presetTargets();
    targets.alpha0 -= radians(1.0);
    pressed.modify(targets);
    QVERIFY(pressed.reshapedSection());
    pressed.convergence().waitForExtrapolation();
    other.convergence().waitForExtrapolation();

    const Comparison table = Comparison::of({&pressed, &other}, {"pressed", "other"}, 1, paneling);
    const Study::Section &section = *pressed.section();
    const int alpha0 = table.column("alpha0_deg");
    QCOMPARE(table.value(0, alpha0), degrees(section.referenceCoefficients.alpha0));
    QVERIFY(qAbs(table.delta(0, alpha0) + 1.0) < 0.2);
    QCOMPARE(table.value(0, table.column("x_cm0")), pressed.extrapolation()->value.cm0);
    QCOMPARE(table.value(0, table.column("max_camber")), section.geometry.maxCamber);
    QCOMPARE(table.value(0, table.column("p_cl0")), pressed.paneledCoefficients().cl0);
    QVERIFY(std::isnan(table.value(1, table.column("p_cl0"))));
    QVERIFY(!std::isnan(table.value(1, table.column("x_cl0"))));
}

void tst_Comparison::sortKeepsOrderAndPutsNoneLast_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<Qt::SortOrder>("order");
    QTest::addColumn<QString>("names");

    QTest::newRow("alpha0 ascending") << "alpha0_deg" << Qt::AscendingOrder << "d b c e a";
    QTest::newRow("alpha0 descending") << "alpha0_deg" << Qt::DescendingOrder << "e b c d a";
    QTest::newRow("error-carrying column") << "x_cm0" << Qt::AscendingOrder << "e c b d a";
    QTest::newRow("name ascending") << "" << Qt::AscendingOrder << "a b c d e";
    QTest::newRow("name descending") << "" << Qt::DescendingOrder << "e d c b a";
}

void tst_Comparison::sortKeepsOrderAndPutsNoneLast()
{
    // Equal values keep their order, rows without a value go last either way, and the
    // baseline (c) stays with its row.
    QFETCH(QString, column);
    QFETCH(Qt::SortOrder, order);
    QFETCH(QString, names);
    Comparison table;
    table.append(row(table, "b", {{"alpha0_deg", 1.0}, {"x_cm0", 0.0}}));
    table.appendRefused("a", "the file holds no points");
    table.append(row(table, "c", {{"alpha0_deg", 1.0}, {"x_cm0", -0.1}}));
    table.append(row(table, "d", {{"alpha0_deg", -3.0}, {"x_cm0", 0.2}}));
    table.append(row(table, "e", {{"alpha0_deg", 2.0}, {"x_cm0", -0.2}}));
    table.setBaseline(2);
    if (column.isEmpty())
        table.sortByName(order);
    else
        table.sort(table.column(column), order);
    QStringList sorted;
    for (int r = 0; r < table.rowCount(); ++r)
        sorted << table.name(r);
    QCOMPARE(sorted.join(' '), names);
    QCOMPARE(table.name(table.baseline()), QStringLiteral("c"));
    QCOMPARE(table.delta(int(sorted.indexOf("e")), table.column("alpha0_deg")), 1.0);
}

void tst_Comparison::texts()
{
    // The texts show the panels' decimals, lengths in per cent and the extrapolation's errors;
    // CSV and JSON give the same at full precision, empty or null where there is none.
    Comparison table;
    table.append(row(table, "wing, root",
        {{"alpha0_deg", -2.0244}, {"x_alpha0_deg", -2.0301}, {"x_clSF", 0.1044},
            {"max_thickness", 0.1200347}, {"max_thickness_x", 0.3}, {"max_camber", 0.0004},
            {"max_camber_x", 0.25}},
        {{"x_alpha0_deg", 0.0061}}));
    table.append(row(table, "tip",
        {{"alpha0_deg", -2.1744}, {"x_alpha0_deg", -2.0301}, {"max_thickness", 0.09},
            {"max_thickness_x", 0.35}, {"max_camber", 0.02}, {"max_camber_x", 0.4}}));
    table.appendRefused("broken", "the file holds no points");
    table.setBaseline(1);
    const auto shown = [&](int r, const char *key) { return table.shown(r, table.column(key)); };
    const auto delta
        = [&](int r, const char *key) { return table.shownDelta(r, table.column(key)); };
    QCOMPARE(shown(0, "alpha0_deg"), QStringLiteral("-2.024"));
    QCOMPARE(delta(0, "alpha0_deg"), QStringLiteral("+0.150"));
    QCOMPARE(delta(0, "x_alpha0_deg"), QStringLiteral("0.000"));
    QCOMPARE(shown(0, "x_alpha0_deg"), QStringLiteral("-2.030 ± 0.006"));
    QCOMPARE(shown(0, "x_clSF"), QStringLiteral("0.104 (not converged)"));
    QCOMPARE(delta(0, "x_clSF"), QString());
    QCOMPARE(shown(0, "max_thickness"), QStringLiteral("12.0"));
    QCOMPARE(delta(0, "max_thickness_x"), QStringLiteral("-5.0"));
    // A largest camber that shows as zero lies nowhere, as in the file panel.
    QCOMPARE(shown(0, "max_camber"), QStringLiteral("0.0"));
    QCOMPARE(shown(0, "max_camber_x"), QString());
    QCOMPARE(delta(0, "max_camber_x"), QString());
    QCOMPARE(shown(1, "max_camber_x"), QStringLiteral("40.0"));

    const QStringList lines = table.text().split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 4);
    for (const QString &line : lines)
        QCOMPARE(line.count('\t'), 1 + 2 * table.columnCount());
    QVERIFY(lines.at(2).startsWith("tip\tbaseline\t-2.174\t0.000\t"));
    QCOMPARE(
        lines.at(3), "broken\tthe file holds no points" + QString(2 * table.columnCount(), '\t'));
    QCOMPARE(table.alignedText().split('\n').at(3),
        QStringLiteral("broken      the file holds no points"));

    const QStringList records = QString::fromUtf8(table.csv()).split("\r\n", Qt::SkipEmptyParts);
    QCOMPARE(records.size(), 4);
    const QStringList header = records.at(0).split(',');
    const QStringList first = records.at(1).mid(records.at(1).indexOf("\",") + 2).split(',');
    QCOMPARE(records.at(1).left(13), QStringLiteral("\"wing, root\","));
    QCOMPARE(first.size() + 1, header.size());
    const auto cell = [&](const QString &key) { return first.at(header.indexOf(key) - 1); };
    QCOMPARE(cell("max_thickness").toDouble(), 0.1200347);
    QCOMPARE(cell("alpha0_deg_delta").toDouble(), -2.0244 - -2.1744);
    QCOMPARE(cell("x_alpha0_deg_error").toDouble(), 0.0061);
    QCOMPARE(cell("x_clSF_error"), QString());
    QCOMPARE(cell("cm0"), QString());

    const QJsonObject json = table.json();
    QCOMPARE(json["baseline"].toInt(), 1);
    const QJsonObject root = json["sections"][0].toObject();
    QCOMPARE(root["extrapolated"]["alpha0Deg"].toDouble(), -2.0301);
    QVERIFY(root["extrapolated"]["error"]["clSF"].isNull());
    QCOMPARE(root["delta"]["geometry"]["maxCamber"].toDouble(), 0.0004 - 0.02);
    QVERIFY(root["problem"].isNull());
    QCOMPARE(json["sections"][2]["problem"].toString(), QStringLiteral("the file holds no points"));
    QVERIFY(json["sections"][2]["reference"]["cm0"].isNull());
    QVERIFY(!json.contains("paneling"));
}

QTEST_GUILESS_MAIN(tst_Comparison)
#include "tst_comparison.moc"
