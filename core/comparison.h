#ifndef LIFTWISE_COMPARISON_H
#define LIFTWISE_COMPARISON_H

#include "paneling.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class Study;

// One section's line of a comparison.
struct ComparisonRow
{
    QString name;
    // Why the section has no values (a file that was refused); empty when it has them.
    QString problem;
    // One a column, in the column's unit; NaN where there is none (a refused file, an
    // extrapolation not yet done, a paneled line at another paneling).
    QList<double> values;
    // One a column: the extrapolation's error, in the same unit; NaN in the columns without
    // one and where the value did not converge (the value is then the 800-panel one).
    QList<double> errors;
};

// Sections side by side, the same in the window and from liftwise-cli compare: a row a section
// with its 200-panel reference values, their extrapolation with its errors and its geometry,
// all of the section a save writes, and optionally its paneled line's values; each value's
// difference (Δ) from the baseline row's. Angles in degrees, lengths in chords; the texts show
// lengths in per cent of the chord, to the decimals of the panels.
class Comparison
{
public:
    // With the paneled line's values when a paneling is given: a study at another one has none.
    explicit Comparison(const std::optional<Paneling> &paneled = std::nullopt);
    // The studies' rows under the names, in that order.
    static Comparison of(const QList<const Study *> &studies, const QStringList &names,
        int baseline, const std::optional<Paneling> &paneled = std::nullopt);

    // A study's row: its values as they stand (a study not loaded gets a problem instead).
    void append(const QString &name, const Study &study);
    // The row of a file that was refused, and why.
    void appendRefused(const QString &name, const QString &problem);
    // A row made elsewhere, its values in this comparison's columns.
    void append(const ComparisonRow &row);

    int rowCount() const { return int(rows.size()); }
    int columnCount() const;
    // The column's name in CSV, as liftwise-cli batch names it ("alpha0_deg", "x_cm0",
    // "max_thickness"); the column of that name, or -1.
    QString key(int column) const;
    int column(const QString &key) const;
    // "alpha0 [deg]", "extrapolated cm0", "thickness [%]": the column's head in the texts.
    QString header(int column) const;
    // Whether the column's values carry an error (the extrapolated ones).
    bool hasError(int column) const;

    QString name(int row) const { return rows.at(row).name; }
    QString problem(int row) const { return rows.at(row).problem; }
    // "ok", "baseline", or the problem: the status cell of the texts.
    QString status(int row) const;
    double value(int row, int column) const { return rows.at(row).values.at(column); }
    double error(int row, int column) const { return rows.at(row).errors.at(column); }
    // The value less the baseline's; NaN where either has none, and without a baseline.
    double delta(int row, int column) const;
    // The value as the table shows it: "-2.024", "-2.030 ± 0.006", "0.104 (not converged)",
    // "12.0" (per cent), or empty where there is none (and for the position of a largest
    // value that shows as zero, as the file panel has it); its delta with its sign ("+0.150").
    QString shown(int row, int column) const;
    QString shownDelta(int row, int column) const;

    // The row the deltas are taken from, or -1 for none; it stays with its row when sorted.
    int baseline() const { return baselineRow; }
    void setBaseline(int row);
    // Orders the rows by the column's values, keeping the order of equal ones, with the rows
    // that have none last whatever the order; or by name.
    void sort(int column, Qt::SortOrder order);
    void sortByName(Qt::SortOrder order);

    // The table as the texts show it: a header line, then a line a row: the name, the status
    // ("ok", "baseline" or why the file was refused), and each value followed by its delta.
    // Tab-separated, as a spreadsheet pastes it.
    QString text() const;
    // The same in columns padded with blanks, for a terminal: the deltas headed "Δ" alone, and
    // a refused file's reason running on over its empty cells.
    QString alignedText() const;
    // The same at full precision as CSV (see Csv): each value, its error after it where the
    // column has one ("x_cm0_error") and its delta ("cm0_delta"); empty cells where there is
    // none.
    QByteArray csv() const;
    // The same at full precision, the values grouped and named as liftwise-cli analyze --json
    // names them: {"baseline": row or null, "paneling": {...} when paneled, "sections": [{"name",
    // "problem" (null when none), "reference", "extrapolated" (with "error"), "geometry",
    // "paneled" when paneled, and "delta" with the same groups}]}; null where there is none.
    QJsonObject json() const;

private:
    // Reorders the rows stably by less, the baseline going with its row.
    void reorder(const std::function<bool(const ComparisonRow &, const ComparisonRow &)> &less);
    // Whether the column is the position of a largest value that shows as zero.
    bool isNowhere(int row, int column) const;
    // The texts' table: the header, then the rows, cell by cell; the deltas headed "Δ" alone
    // where they stand beside their values, else with the value's head.
    QList<QStringList> cells(bool beside) const;

    std::optional<Paneling> paneled;
    QList<ComparisonRow> rows;
    int baselineRow = -1;
};

#endif // LIFTWISE_COMPARISON_H
