#ifndef LIFTWISE_CONVERGENCECHART_H
#define LIFTWISE_CONVERGENCECHART_H

#include "coefficients.h"
#include "paneling.h"

#include <QChartView>
#include <QList>
#include <QMap>

QT_BEGIN_NAMESPACE
class QLineSeries;
class QLogValueAxis;
class QScatterSeries;
class QValueAxis;
template <typename T> class QFutureWatcher;
QT_END_NAMESPACE

class Study;

// alpha0 and cm0 of the contour's camber line against the panel count, at the densities of the
// study's paneling, beside the 200-panel reference and with the paneled line marked. The
// counts are worked out on the global thread pool after each load or density change, the
// curves filling as they come; a new load or density change drops the run under way, and the
// window never waits for one. A new panel count alone only moves the mark, and extends the
// curves when it lies beyond them.
class ConvergenceChart : public QChartView
{
    Q_OBJECT

public:
    explicit ConvergenceChart(QWidget *parent = nullptr);
    ~ConvergenceChart() override;

    // Draws the study from now on, as it changes.
    void showStudy(const Study *study);
    // Whether counts asked for are still being worked out.
    bool isComputing() const { return !runs.isEmpty(); }

private:
    void fileChanged();
    void lineChanged();
    // Drops every run and its results and works out the study's counts anew.
    void restart();
    // Works out the counts beyond those asked for so far, up to panels.
    void extendTo(int panels);
    void cancelRuns();
    void showResults();
    void showPaneling();
    void fitAxes();

    const Study *study = nullptr;
    // The paneling the runs were started at; only its densities matter to them.
    Paneling densities;
    // The highest count asked for since the last restart.
    int askedTo = 0;
    QMap<int, Coefficients> results;
    QList<QFutureWatcher<Coefficients> *> runs;

    QLineSeries *alpha0;
    QLineSeries *cm0;
    QLineSeries *alpha0Reference;
    QLineSeries *cm0Reference;
    QScatterSeries *alpha0Paneled;
    QScatterSeries *cm0Paneled;
    QLogValueAxis *panelsAxis;
    QValueAxis *alpha0Axis;
    QValueAxis *cm0Axis;
};

#endif // LIFTWISE_CONVERGENCECHART_H
