#ifndef LIFTWISE_LOADINGCHART_H
#define LIFTWISE_LOADINGCHART_H

#include "chartview.h"
#include "paneling.h"
#include "plotseries.h"
#include "sectionoverlay.h"
#include "study.h"

#include <iterator>

QT_BEGIN_NAMESPACE
class QAbstractSeries;
class QGraphicsPolygonItem;
class QGraphicsSimpleTextItem;
class QLineSeries;
QT_END_NAMESPACE

class Study;

// The chordwise load of the paneled camber line: the pressure jump ΔCp of each panel at its
// vortex, at zero incidence and at the angle of smooth leading-edge entry, over the reference
// line's load at zero incidence; once Modify has reshaped the line, the line as loaded dashed
// beneath it. Redrawn whenever the paneled line changes. A first panel's load beyond the axis
// is marked at the edge that clips it, in its line's colour, and its value said beside the mark
// where no line passes.
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
    void fitValueAxes() override;
    QString describe(const QXYSeries *series, const QPointF &point) const override;

private:
    void fileChanged();
    void lineChanged();
    // The ΔCp axis round every load the x range shows but their first panels, whose
    // leading-edge spike would squash the rest into a thin band.
    void fitLoadAxis();
    // The marks and values of first panels beyond the axis.
    void placeSpikeLabels();
    QList<QAbstractSeries *> overlaySeries() const;

    QLineSeries *shown(LoadingPlot::Series series) const { return lines[series]; }

    const Study *study;
    QLineSeries *lines[std::size(LoadingPlot::AllSeries)];
    QCategoryAxis *loadAxis;
    QList<QLineSeries *> overlayLines;
    // The section whose load each overlay's series shows.
    QList<const Study::Section *> overlaySections;
    QList<QGraphicsSimpleTextItem *> spikeLabels;
    QList<QGraphicsPolygonItem *> spikeMarks;
    // The paneling drawn last: a new one shows the whole range again.
    Paneling shownPaneling;
};

#endif // LIFTWISE_LOADINGCHART_H
