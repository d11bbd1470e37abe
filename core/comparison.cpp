#include "comparison.h"

#include "coefficients.h"
#include "csv.h"
#include "extrapolation.h"
#include "format.h"
#include "geometry.h"
#include "study.h"

#include <QJsonArray>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace {

constexpr double None = std::numeric_limits<double>::quiet_NaN();

enum class Source { Reference, Extrapolated, Geometry, Paneled };

// What a column shows, where its values come from, and its names.
struct Column
{
    Source source;
    double Coefficients::*coefficient;
    double SectionGeometry::*geometry;
    // Radians in the study, degrees in the table.
    bool angle;
    // A length shown in per cent of the chord.
    bool percent;
    int decimals;
    QString key;
    QString jsonKey;
    QString header;
    // For the position of a largest value, that value's column; -1 for the others.
    int largest;
};

const char *groupName(Source source)
{
    switch (source) {
    case Source::Reference:
        return "reference";
    case Source::Extrapolated:
        return "extrapolated";
    case Source::Geometry:
        return "geometry";
    case Source::Paneled:
        return "paneled";
    }
    return "";
}

// The table's columns, those of the paneled line last: each coefficient under its name in the
// panels, in liftwise-cli batch's CSV and in analyze --json, to the decimals of the panels.
QList<Column> columnsOf(bool paneled)
{
    struct Coefficient
    {
        double Coefficients::*q;
        const char *label;
        const char *key;
        const char *jsonKey;
        int decimals;
    };
    const Coefficient coefficients[] = {
        {&Coefficients::alpha0, "alpha0", "alpha0_deg", "alpha0Deg", 3},
        {&Coefficients::cm0, "cm0", "cm0", "cm0", 4},
        {&Coefficients::cl0, "cl0", "cl0", "cl0", 3},
        {&Coefficients::alphaSF, "alpha(sf)", "alphaSF_deg", "alphaSFDeg", 3},
        {&Coefficients::clSF, "cl(sf)", "clSF", "clSF", 3},
    };
    const auto coefficientColumns = [&](Source source, const char *keyPrefix, const char *head) {
        QList<Column> columns;
        for (const Coefficient &c : coefficients) {
            const bool angle = c.q == &Coefficients::alpha0 || c.q == &Coefficients::alphaSF;
            columns << Column {source, c.q, nullptr, angle, false, c.decimals,
                QLatin1String(keyPrefix) + QLatin1String(c.key), QLatin1String(c.jsonKey),
                QLatin1String(head) + QLatin1String(c.label)
                    + (angle ? QStringLiteral(" [deg]") : QString()),
                -1};
        }
        return columns;
    };
    QList<Column> columns = coefficientColumns(Source::Reference, "", "")
        + coefficientColumns(Source::Extrapolated, "x_", "extrapolated ");
    // A position is that of the largest value in the column before it.
    const auto length = [&columns](double SectionGeometry::*g, int decimals, const char *key,
                            const char *jsonKey, const char *header, bool position = false) {
        columns << Column {Source::Geometry, nullptr, g, false, true, decimals, QLatin1String(key),
            QLatin1String(jsonKey), QLatin1String(header), position ? int(columns.size()) - 1 : -1};
    };
    length(&SectionGeometry::maxThickness, 1, "max_thickness", "maxThickness", "thickness [%]");
    length(&SectionGeometry::maxThicknessX, 1, "max_thickness_x", "maxThicknessX",
        "thickness at [% chord]", true);
    length(&SectionGeometry::maxCamber, 1, "max_camber", "maxCamber", "camber [%]");
    length(
        &SectionGeometry::maxCamberX, 1, "max_camber_x", "maxCamberX", "camber at [% chord]", true);
    length(&SectionGeometry::trailingEdgeGap, 2, "trailing_edge_gap", "trailingEdgeGap",
        "trailing edge gap [%]");
    if (paneled)
        columns << coefficientColumns(Source::Paneled, "p_", "paneled ");
    return columns;
}

const QList<Column> &columns(bool paneled)
{
    static const QList<Column> plain = columnsOf(false);
    static const QList<Column> withPaneled = columnsOf(true);
    return paneled ? withPaneled : plain;
}

// A value as the column shows it, without the sign of a value that rounds to zero.
QString shownNumber(const Column &column, double v)
{
    return Format::fixed(column.percent ? 100.0 * v : v, column.decimals);
}

QJsonValue jsonNumber(double v) { return std::isnan(v) ? QJsonValue() : QJsonValue(v); }

// A cell of the tab-separated text: a file's own text made safe, its tabs shown as blanks.
QString textCell(const QString &text)
{
    return Format::printable(text).replace(QLatin1Char('\t'), QLatin1Char(' '));
}

} // namespace

Comparison::Comparison(const std::optional<Paneling> &paneled)
    : paneled(paneled)
{
}

Comparison Comparison::of(const QList<const Study *> &studies, const QStringList &names,
    int baseline, const std::optional<Paneling> &paneled)
{
    Comparison comparison(paneled);
    for (qsizetype i = 0; i < studies.size(); ++i)
        comparison.append(names.value(i), *studies.at(i));
    comparison.setBaseline(baseline);
    return comparison;
}

void Comparison::append(const QString &name, const Study &study)
{
    const QList<Column> &all = columns(bool(paneled));
    ComparisonRow row {
        name, QString(), QList<double>(all.size(), None), QList<double>(all.size(), None)};
    if (!study.isLoaded()) {
        row.problem = QStringLiteral("no airfoil is loaded");
        rows << row;
        return;
    }
    // The section a save writes: after a press the reshaped one, as the file panel shows it.
    const Study::Section &section = *study.section();
    const Extrapolation *e = study.extrapolation();
    const bool atPaneling = paneled && study.paneling() == *paneled;
    for (qsizetype i = 0; i < all.size(); ++i) {
        const Column &c = all.at(i);
        const auto shown = [&c](double v) { return c.angle ? degrees(v) : v; };
        switch (c.source) {
        case Source::Reference:
            row.values[i] = shown(section.referenceCoefficients.*c.coefficient);
            break;
        case Source::Extrapolated:
            if (e) {
                row.values[i] = shown(e->value.*c.coefficient);
                if (e->isConverged(c.coefficient))
                    row.errors[i] = shown(e->error.*c.coefficient);
            }
            break;
        case Source::Geometry:
            row.values[i] = section.geometry.*c.geometry;
            break;
        case Source::Paneled:
            if (atPaneling)
                row.values[i] = shown(study.paneledCoefficients().*c.coefficient);
            break;
        }
    }
    rows << row;
}

void Comparison::appendRefused(const QString &name, const QString &problem)
{
    const int n = columnCount();
    rows << ComparisonRow {name, problem, QList<double>(n, None), QList<double>(n, None)};
}

void Comparison::append(const ComparisonRow &row)
{
    Q_ASSERT(row.values.size() == columnCount() && row.errors.size() == columnCount());
    rows << row;
}

int Comparison::columnCount() const { return int(columns(bool(paneled)).size()); }

QString Comparison::key(int column) const { return columns(bool(paneled)).at(column).key; }

int Comparison::column(const QString &key) const
{
    const QList<Column> &all = columns(bool(paneled));
    for (qsizetype i = 0; i < all.size(); ++i)
        if (all.at(i).key == key)
            return int(i);
    return -1;
}

QString Comparison::header(int column) const { return columns(bool(paneled)).at(column).header; }

bool Comparison::hasError(int column) const
{
    return columns(bool(paneled)).at(column).source == Source::Extrapolated;
}

double Comparison::delta(int row, int column) const
{
    if (baselineRow < 0)
        return None;
    return value(row, column) - value(baselineRow, column);
}

bool Comparison::isNowhere(int row, int column) const
{
    // As the file panel has it, a largest value that shows as zero lies nowhere in particular.
    const int largest = columns(bool(paneled)).at(column).largest;
    return largest >= 0 && shown(row, largest) == QLatin1String("0.0");
}

QString Comparison::shown(int row, int column) const
{
    const double v = value(row, column);
    if (std::isnan(v) || isNowhere(row, column))
        return QString();
    const Column &c = columns(bool(paneled)).at(column);
    if (!hasError(column))
        return shownNumber(c, v);
    const double e = error(row, column);
    if (std::isnan(e))
        return shownNumber(c, v) + QStringLiteral(" (not converged)");
    return shownNumber(c, v) + QStringLiteral(" ± ")
        + Format::uncertainty(c.percent ? 100.0 * e : e, c.decimals);
}

QString Comparison::shownDelta(int row, int column) const
{
    const double d = delta(row, column);
    if (std::isnan(d) || isNowhere(row, column) || isNowhere(baselineRow, column))
        return QString();
    const Column &c = columns(bool(paneled)).at(column);
    const QString text = shownNumber(c, d);
    // A difference says which way it goes; one that rounds to zero goes neither.
    return Format::rounded(c.percent ? 100.0 * d : d, c.decimals) > 0.0 ? QLatin1Char('+') + text
                                                                        : text;
}

void Comparison::setBaseline(int row)
{
    Q_ASSERT(row >= -1 && row < rowCount());
    baselineRow = row;
}

void Comparison::sort(int column, Qt::SortOrder order)
{
    reorder([column, order](const ComparisonRow &a, const ComparisonRow &b) {
        const double x = a.values.at(column);
        const double y = b.values.at(column);
        if (std::isnan(y))
            return !std::isnan(x);
        if (std::isnan(x))
            return false;
        return order == Qt::AscendingOrder ? x < y : y < x;
    });
}

void Comparison::sortByName(Qt::SortOrder order)
{
    reorder([order](const ComparisonRow &a, const ComparisonRow &b) {
        const int c = QString::localeAwareCompare(a.name, b.name);
        return order == Qt::AscendingOrder ? c < 0 : c > 0;
    });
}

void Comparison::reorder(
    const std::function<bool(const ComparisonRow &, const ComparisonRow &)> &less)
{
    QList<int> order(rows.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(
        order.begin(), order.end(), [&](int a, int b) { return less(rows.at(a), rows.at(b)); });
    QList<ComparisonRow> sorted;
    int baseline = -1;
    for (qsizetype i = 0; i < order.size(); ++i) {
        sorted << rows.at(order.at(i));
        if (order.at(i) == baselineRow)
            baseline = int(i);
    }
    rows = sorted;
    baselineRow = baseline;
}

QString Comparison::status(int row) const
{
    if (!problem(row).isEmpty())
        return problem(row);
    return row == baselineRow ? QStringLiteral("baseline") : QStringLiteral("ok");
}

QList<QStringList> Comparison::cells(bool beside) const
{
    QStringList header {QStringLiteral("section"), QStringLiteral("status")};
    for (int c = 0; c < columnCount(); ++c)
        header << this->header(c)
               << (beside ? QStringLiteral("Δ") : QStringLiteral("Δ ") + this->header(c));
    QList<QStringList> table {header};
    for (int r = 0; r < rowCount(); ++r) {
        QStringList line {textCell(name(r)), textCell(status(r))};
        for (int c = 0; c < columnCount(); ++c)
            line << shown(r, c) << shownDelta(r, c);
        table << line;
    }
    return table;
}

QString Comparison::text() const
{
    QString text;
    for (const QStringList &line : cells(false))
        text += line.join(QLatin1Char('\t')) + QLatin1Char('\n');
    return text;
}

QString Comparison::alignedText() const
{
    // Each delta stands beside its value, headed by its sign alone: a terminal's lines are
    // short enough without the names twice.
    const QList<QStringList> table = cells(true);
    QList<qsizetype> widths(table.first().size(), 0);
    for (qsizetype r = 0; r < table.size(); ++r) {
        // A refused file's reason runs on over its empty cells rather than widen its column.
        const bool refused = r > 0 && !problem(int(r - 1)).isEmpty();
        for (qsizetype i = 0; i < table.at(r).size(); ++i)
            if (!refused || i == 0)
                widths[i] = std::max(widths.at(i), table.at(r).at(i).size());
    }
    // The name and the status read from the left, the numbers line up on the right.
    QString text;
    for (const QStringList &line : table) {
        QStringList padded {
            line.at(0).leftJustified(widths.at(0)), line.at(1).leftJustified(widths.at(1))};
        for (qsizetype i = 2; i < line.size(); ++i)
            padded << line.at(i).rightJustified(widths.at(i));
        text += padded.join(QStringLiteral("  ")).trimmed() + QLatin1Char('\n');
    }
    return text;
}

QByteArray Comparison::csv() const
{
    const auto cell = [](double v) { return std::isnan(v) ? QString() : Csv::number(v); };
    QStringList header {QStringLiteral("section"), QStringLiteral("status")};
    for (int c = 0; c < columnCount(); ++c) {
        header << key(c);
        if (hasError(c))
            header << key(c) + QStringLiteral("_error");
        header << key(c) + QStringLiteral("_delta");
    }
    QList<QStringList> records;
    for (int r = 0; r < rowCount(); ++r) {
        QStringList fields {Csv::text(name(r)), Csv::text(status(r))};
        for (int c = 0; c < columnCount(); ++c) {
            fields << cell(value(r, c));
            if (hasError(c))
                fields << cell(error(r, c));
            fields << cell(delta(r, c));
        }
        records << fields;
    }
    return Csv::table(header, records);
}

QJsonObject Comparison::json() const
{
    const QList<Column> &all = columns(bool(paneled));
    QJsonArray sections;
    for (int r = 0; r < rowCount(); ++r) {
        QJsonObject groups, deltas, errors;
        for (qsizetype c = 0; c < all.size(); ++c) {
            const QString group = QLatin1String(groupName(all.at(c).source));
            QJsonObject values = groups.value(group).toObject();
            values.insert(all.at(c).jsonKey, jsonNumber(value(r, int(c))));
            groups.insert(group, values);
            QJsonObject changes = deltas.value(group).toObject();
            changes.insert(all.at(c).jsonKey, jsonNumber(delta(r, int(c))));
            deltas.insert(group, changes);
            if (hasError(int(c)))
                errors.insert(all.at(c).jsonKey, jsonNumber(error(r, int(c))));
        }
        QJsonObject extrapolated = groups.value(QLatin1String("extrapolated")).toObject();
        extrapolated.insert(QLatin1String("error"), errors);
        groups.insert(QLatin1String("extrapolated"), extrapolated);
        groups.insert(QLatin1String("name"), Format::printable(name(r)));
        groups.insert(QLatin1String("problem"),
            problem(r).isEmpty() ? QJsonValue() : QJsonValue(Format::printable(problem(r))));
        groups.insert(QLatin1String("delta"), deltas);
        sections.append(groups);
    }
    QJsonObject json {
        {"baseline", baselineRow < 0 ? QJsonValue() : QJsonValue(baselineRow)},
        {"sections", sections},
    };
    if (paneled)
        json.insert(QLatin1String("paneling"),
            QJsonObject {
                {"panels", paneled->panels},
                {"leDensity", paneled->leDensity},
                {"teDensity", paneled->teDensity},
            });
    return json;
}
