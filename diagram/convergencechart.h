#ifndef LIFTWISE_CONVERGENCECHART_H
#define LIFTWISE_CONVERGENCECHART_H

#include "chartview.h"
#include "coefficients.h"
#include "paneling.h"
#include "sectionoverlay.h"

#include <QMap>

QT_BEGIN_NAMESPACE
class QAbstractSeries;
class QLineSeries;
class QScatterSeries;
QT_END_NAMESPACE

class Study;

// alpha0 and cm0 of the contour's camber line against the panel count, at the densities of the
// study's paneling, reshaped by the study's Modify presses if any, beside the 200-panel
// reference and with the paneled line marked, which lies on its curves. The curves are the
// counts of the study's convergence model (while it samples), filling as they come in; the
// window never waits for them. The series hold the panel count as its logarithm, log10 n, on a
// linear axis labelled in counts. Other sections' curves, as their own models sample them, go
// under the study's in their colours, alpha0 solid and cm0 dashed, under their names.
class ConvergenceChart : public ChartView
{
    Q_OBJECT

public:
    // Draws the study and its convergence model, from now on as they change.
    explicit ConvergenceChart(const Study *study, QWidget *parent = nullptr);
    // Draws another study from now on, as it stands.
    void setStudy(const Study *study);
    // Other sections' curves under the study's, each in its colour and named in the legend;
    // none draws none. Each follows its section's model as it fills.
    void setOverlays(const QList<SectionOverlay> &overlays);

protected:
    void labelXAxis() override;
    void fitValueAxes() override;
    QString describe(const QXYSeries *series, const QPointF &point) const override;

private:
    void createSeries();
    void showResults(const QMap<int, Coefficients> &results);
    void showPaneling();
    void showOverlay(qsizetype i);
    // The study's own series, which are drawn over the overlays.
    QList<QAbstractSeries *> ownSeries() const;
    QList<QAbstractSeries *> overlaySeries() const;
    // One legend entry for the two marks of the paneled line.
    void mergeMarks();

    const Study *study;

    QLineSeries *alpha0;
    QLineSeries *cm0;
    QLineSeries *alpha0Loaded;
    QLineSeries *cm0Loaded;
    QLineSeries *alpha0Reference;
    QLineSeries *cm0Reference;
    QScatterSeries *alpha0Paneled;
    QScatterSeries *cm0Paneled;
    QCategoryAxis *alpha0Axis;
    QCategoryAxis *cm0Axis;
    // Each overlay's study, its alpha0 and cm0 curves, and what follows its model.
    QList<const Study *> overlayStudies;
    QList<QLineSeries *> overlayAlpha0;
    QList<QLineSeries *> overlayCm0;
    QList<QObject *> overlayWatches;
    // The paneling drawn last: a new one shows the whole range again.
    Paneling shownPaneling;
};

#endif // LIFTWISE_CONVERGENCECHART_H
