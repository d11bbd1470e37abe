#ifndef LIFTWISE_PLOTSERIES_H
#define LIFTWISE_PLOTSERIES_H

#include "coefficients.h"

#include <QList>
#include <QMap>
#include <QPointF>
#include <QString>

#include <utility>

class Study;
struct Loading;

// What the Loading and the Convergence plot show of a study, the same in the window's charts
// and on the printed page: each series' name and points and each axis' title. How they are
// drawn (colours, pens, marks) is the drawing's own. Before a load every series is empty.

// The load of each panel along the chord.
namespace LoadingPlot {

// In the order they are drawn, each over those before. The section as loaded at the reference
// paneling shows always; the reshaped section there, and the paneled line as loaded (dashed),
// only once Modify has reshaped them. Each has a legend entry of its own.
enum Series {
    Reference,
    SectionReference,
    OriginalZeroIncidence,
    OriginalSmoothEntry,
    ZeroIncidence,
    SmoothEntry
};
constexpr Series AllSeries[] = {Reference, SectionReference, OriginalZeroIncidence,
    OriginalSmoothEntry, ZeroIncidence, SmoothEntry};

QString name(Series series);
QString xTitle();
QString loadTitle();
// The pressure jump ΔCp of each panel at its vortex, at zero incidence or at the angle of
// smooth leading-edge entry: of the section as loaded or reshaped at the reference paneling, of
// the paneled line, or of that line as loaded, before the presses (the last two kinds empty
// without presses).
QList<QPointF> points(const Study &study, Series series);
// The pressure jumps of the loading at incidence alpha (radians) at each of its vortices.
QList<QPointF> loadPoints(const Loading &loading, double alpha);
// The ΔCp the load axis must span: 0 and every point but each series' first, whose
// leading-edge spike would squash the rest into a thin band.
std::pair<double, double> loadRange(const QList<QList<QPointF>> &series);
// "ΔCp = -3.14": a first panel's load beyond the axis, said beside the edge that clips it.
QString spikeText(double load);

} // namespace LoadingPlot

// alpha0 and cm0 against the panel count, held as log10 n along the x axis.
namespace ConvergencePlot {

// In the order they are drawn. Alpha0's series go against the left axis, cm0's against the
// right one. The reference lines are the section's, the reshaped one once pressed; the section
// as loaded then shows in grey. The two marks of the paneled line share one legend entry.
enum Series {
    Alpha0,
    Cm0,
    Alpha0Loaded,
    Cm0Loaded,
    Alpha0Reference,
    Cm0Reference,
    Alpha0Paneled,
    Cm0Paneled
};
constexpr Series AllSeries[] = {
    Alpha0, Cm0, Alpha0Loaded, Cm0Loaded, Alpha0Reference, Cm0Reference, Alpha0Paneled, Cm0Paneled};

// The name of the series, for a study whose section is reshaped or not.
QString name(Series series, bool reshaped = false);
bool isAlpha0(Series series);
QString xTitle();
QString alpha0Title();
QString cm0Title();
// Where the count n lies along the x axis.
double along(double n);
// The x axis' whole range at the panel count: a little beyond the fewest panels and beyond the
// larger of the count and the reference's, so that neither end of a curve sits on the frame.
std::pair<double, double> xRange(int panels);
// The curve of Alpha0 (degrees) or Cm0 over the counts worked out.
QList<QPointF> curve(const QMap<int, Coefficients> &results, Series series);
// A reference line along the whole x range (those as loaded empty before a press), or the mark
// of the paneled line, of the study as it stands.
QList<QPointF> points(const Study &study, Series series);

} // namespace ConvergencePlot

#endif // LIFTWISE_PLOTSERIES_H
