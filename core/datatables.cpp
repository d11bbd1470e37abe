#include "datatables.h"

#include "coefficients.h"
#include "csv.h"
#include "modification.h"
#include "study.h"

#include <algorithm>

namespace DataTables {

using Csv::number;

namespace {

// The ordinate of the polyline through the stations at x, within its stations.
double ordinateAt(const Camberline &line, double x)
{
    const std::vector<double> &xs = line.stations();
    const std::vector<double> &ys = line.ordinates();
    const size_t i = size_t(std::upper_bound(xs.cbegin(), xs.cend(), x) - xs.cbegin());
    if (i == 0)
        return ys.front();
    if (xs[i - 1] == x || i == xs.size())
        return ys[i - 1];
    const double t = (x - xs[i - 1]) / (xs[i] - xs[i - 1]);
    return ys[i - 1] + t * (ys[i] - ys[i - 1]);
}

QList<QStringList> loadRows(const Loading &loading, double smoothEntry)
{
    const std::vector<double> zero = loading.pressureJumps(0.0);
    const std::vector<double> smooth = loading.pressureJumps(smoothEntry);
    QList<QStringList> rows;
    for (size_t i = 0; i < loading.x.size(); ++i)
        rows << QStringList {
            number(loading.x[i]), number(loading.width[i]), number(zero[i]), number(smooth[i])};
    return rows;
}

} // namespace

QByteArray camber(const Study &study)
{
    if (!study.isLoaded())
        return QByteArray();
    // The reference line as the diagram draws it: moved by the presses, as the contour is.
    Camberline reference = *study.reference();
    applyPresses(reference, study.presses());
    const Camberline &paneled = *study.paneledLine();
    std::vector<double> xs = reference.stations();
    xs.insert(xs.end(), paneled.stations().cbegin(), paneled.stations().cend());
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
    QList<QStringList> rows;
    for (const double x : xs)
        rows << QStringList {
            number(x), number(ordinateAt(reference, x)), number(ordinateAt(paneled, x))};
    return Csv::table({"x", "y_reference", "y_paneled"}, rows);
}

QByteArray contour(const Study &study)
{
    if (!study.isLoaded())
        return QByteArray();
    std::vector<double> x, y;
    reshapedContour(*study.airfoil(), study.presses(), &x, &y);
    QList<QStringList> rows;
    for (size_t i = 0; i < x.size(); ++i)
        rows << QStringList {number(x[i]), number(y[i])};
    return Csv::table({"x", "y"}, rows);
}

QByteArray loading(const Loading &loading, double smoothEntry)
{
    return Csv::table(
        {"x", "width", "dcp_zero_incidence", "dcp_smooth_entry"}, loadRows(loading, smoothEntry));
}

QByteArray panels(const Camberline &line, const Loading &loading, double smoothEntry)
{
    QList<QStringList> rows = loadRows(loading, smoothEntry);
    for (qsizetype i = 0; i < rows.size(); ++i)
        rows[i].insert(2, number(degrees(line.panelAngle(int(i)))));
    return Csv::table({"x", "width", "angle_deg", "dcp_zero_incidence", "dcp_smooth_entry"}, rows);
}

QByteArray convergence(const QMap<int, Coefficients> &results)
{
    QList<QStringList> rows;
    for (auto it = results.cbegin(); it != results.cend(); ++it)
        rows << QStringList {
            QString::number(it.key()), number(degrees(it->alpha0)), number(it->cm0)};
    return Csv::table({"panels", "alpha0_deg", "cm0"}, rows);
}

} // namespace DataTables
