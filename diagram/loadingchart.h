#ifndef LIFTWISE_LOADINGCHART_H
#define LIFTWISE_LOADINGCHART_H

#include "chartview.h"
#include "plotseries.h"
#include "sectionoverlay.h"

#include <iterator>

QT_BEGIN_NAMESPACE
class QGraphicsSimpleTextItem;
class QLineSeries;
QT_END_NAMESPACE

class Study;

// The chordwise load of the paneled camber line: the pressure jump ΔCp of each panel at its
// vortex, at zero incidence and at the angle of smooth leading-edge entry, over the reference
// line's load at zero incidence; once Modify has reshaped the line, the line as loaded dashed
// beneath it. Redrawn whenever the paneled line changes.
class LoadingChart : public ChartView
{
    Q_OBJECT

public:
    // Draws the study, from now on as it changes.
    explicit LoadingChart(const Study *study, QWidget *parent = nullptr);
    // Draws another study from now on, as it stands.
    void setStudy(const Study *study);
    // Other sections' loads at zero incidence on their 200-panel lines, under the study's, each
    // in its colour and named in the legend; none draws none.
    void setOverlays(const QList<SectionOverlay> &overlays);

protected:
    void labelXAxis() override;
    QString describe(const QXYSeries *series, const QPointF &point) const override;

private:
    void fileChanged();
    void lineChanged();
    // The ΔCp axis round all three loads but their first panels, whose leading-edge spike
    // would squash the rest into a thin band.
    void fitLoadAxis();
    // The value of a first panel beyond the axis, beside the edge that clips it.
    void placeSpikeLabel();

    QLineSeries *shown(LoadingPlot::Series series) const { return lines[series]; }

    const Study *study;
    QLineSeries *lines[std::size(LoadingPlot::AllSeries)];
    QCategoryAxis *loadAxis;
    QList<QLineSeries *> overlayLines;
    QGraphicsSimpleTextItem *spikeLabel;
};

#endif // LIFTWISE_LOADINGCHART_H
