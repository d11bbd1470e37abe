#ifndef LIFTWISE_PLOTSTYLE_H
#define LIFTWISE_PLOTSTYLE_H

#include "plotseries.h"

#include <QColor>
#include <QPen>

// How a series of the Loading or the Convergence plot is drawn, the same in the window's charts
// and on the printed page. Widths and sizes are in pixels of a screen.
struct SeriesStyle
{
    // Dots fill each point, of a radius of 1.5 widths as Qt Charts draws them; rings circle it.
    enum class Marks { None, Dots, Rings };

    QColor colour;
    double width = 1.0;
    Qt::PenStyle line = Qt::SolidLine;
    Marks marks = Marks::None;
    // A ring's diameter.
    double ringSize = 0.0;

    QPen pen() const { return QPen(colour, width, line); }
    double dotRadius() const { return 1.5 * width; }
};

namespace PlotStyle {

SeriesStyle loading(LoadingPlot::Series series);
// Each axis of the Convergence plot takes the colour of its coefficient's series.
SeriesStyle convergence(ConvergencePlot::Series series);
// Another section's alpha0 (solid) or cm0 (dashed) curve, in the section's colour.
SeriesStyle convergenceOverlay(const QColor &colour, bool alpha0);

} // namespace PlotStyle

#endif // LIFTWISE_PLOTSTYLE_H
