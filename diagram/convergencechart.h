#ifndef LIFTWISE_CONVERGENCECHART_H
#define LIFTWISE_CONVERGENCECHART_H

#include "chartview.h"
#include "coefficients.h"
#include "modification.h"
#include "paneling.h"

#include <QList>
#include <QMap>

#include <vector>

QT_BEGIN_NAMESPACE
class QLineSeries;
class QScatterSeries;
QT_END_NAMESPACE

class Convergence;
class Study;

// alpha0 and cm0 of the contour's camber line against the panel count, at the densities of the
// study's paneling, reshaped by the study's Modify presses if any, beside the 200-panel
// reference and with the paneled line marked, which lies on its curves. The
// sampled counts are worked out in the background after each load or density change, the
// curves filling as they come; a new load or density change drops the run under way, and the
// window never waits for one. A new panel count works out only the counts its plan lacks. The
// series hold the panel count as its logarithm, log10 n, on a linear axis labelled in counts.
class ConvergenceChart : public ChartView
{
    Q_OBJECT

public:
    // Draws the study, from now on as it changes.
    explicit ConvergenceChart(const Study *study, QWidget *parent = nullptr);
    // A still picture of counts worked out elsewhere, for a printed page: the study as it is
    // now, following none of its changes and working out nothing.
    ConvergenceChart(
        const Study *study, const QMap<int, Coefficients> &results, QWidget *parent = nullptr);
    // The coefficients shown, by panel count.
    const QMap<int, Coefficients> &shownResults() const { return results; }
    // Whether counts of the plan are still being worked out or on their way to the plot.
    bool isComputing() const;

protected:
    void labelXAxis() override;
    QString describe(const QXYSeries *series, const QPointF &point) const override;

private:
    void createSeries();
    void fileChanged();
    void lineChanged();
    // Drops the run under way and its results and works out the study's counts anew.
    void restart();
    // Works out the counts for the line reshaped by the presses instead.
    void reshape(const std::vector<CamberReshaping> &pressed);
    // Works out the counts of the plan for the study's panel count that are not yet known.
    void complete();
    void showResults();
    void showPaneling();
    void fitAxes();

    const Study *study;
    // The paneling the runs were started at; only its densities matter to them.
    Paneling densities;
    // The presses the results are for: those applied since the line was built.
    std::vector<CamberReshaping> presses;
    Convergence *convergence;
    QMap<int, Coefficients> results;
    // The contour's own results while those of presses are shown.
    QMap<int, Coefficients> contourResults;

    QLineSeries *alpha0;
    QLineSeries *cm0;
    QLineSeries *alpha0Reference;
    QLineSeries *cm0Reference;
    QScatterSeries *alpha0Paneled;
    QScatterSeries *cm0Paneled;
    QCategoryAxis *alpha0Axis;
    QCategoryAxis *cm0Axis;
};

#endif // LIFTWISE_CONVERGENCECHART_H
