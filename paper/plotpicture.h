#ifndef LIFTWISE_PLOTPICTURE_H
#define LIFTWISE_PLOTPICTURE_H

#include "axisticks.h"
#include "coefficients.h"
#include "plotstyle.h"
#include "sectionoverlay.h"

#include <QFont>
#include <QList>
#include <QMap>
#include <QPointF>
#include <QString>

#include <optional>

QT_BEGIN_NAMESPACE
class QFontMetricsF;
class QPainter;
class QRectF;
QT_END_NAMESPACE

class Study;

// The Loading or the Convergence plot of a study as the window's chart shows it at its whole x
// range: the same series, axes, ticks and legend, drawn as Qt Charts' light theme draws them.
// Painted into a box of the painter's units, each a pixel of the window, with the painter's
// font for the labels and the legend and its bold for the axes' titles.
class PlotPicture
{
public:
    // With the other sections' loads beneath the study's, each in its colour, as the window's
    // Loading chart overlays them.
    static PlotPicture loading(const Study &study, const QList<SectionOverlay> &overlays = {});
    // With the counts worked out for the study's densities and presses.
    static PlotPicture convergence(const Study &study, const QMap<int, Coefficients> &results);

    void paint(QPainter *painter, const QRectF &box) const;

private:
    struct Axis
    {
        QString title;
        AxisTicks ticks;
        // Of its line, labels and title; the theme's where it has none.
        QColor colour;
    };
    struct Series
    {
        QString name;
        QList<QPointF> points;
        SeriesStyle style;
        // Against the right axis rather than the left one.
        bool right = false;
    };
    // Words beside a point of the plot, above or below it.
    struct Note
    {
        QPointF at;
        QString text;
        bool above = false;
    };

    // Where the plot lies in its box, and the fonts and rows it is labelled with.
    struct Frame;
    Frame frameIn(const QRectF &box, const QFont &labelFont) const;
    void paintGrid(QPainter *painter, const Frame &frame) const;
    void paintSeries(QPainter *painter, const Frame &frame) const;
    void paintXAxis(QPainter *painter, const Frame &frame) const;
    void paintValueAxis(QPainter *painter, const Frame &frame, const Axis &axis) const;
    void paintNotes(QPainter *painter, const Frame &frame) const;
    void paintLegend(QPainter *painter, const Frame &frame, const QRectF &box) const;
    // The legend's entries, one for the series of one name, in rows no wider than width.
    QList<QList<const Series *>> legendRows(const QFontMetricsF &labels, double width) const;

    Axis x;
    Axis left;
    std::optional<Axis> right;
    QList<Series> series;
    // First panels' loads beyond the axis, said beside the edge that clips them.
    QList<Note> notes;
};

#endif // LIFTWISE_PLOTPICTURE_H
