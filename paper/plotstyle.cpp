#include "plotstyle.h"

namespace PlotStyle {

SeriesStyle loading(LoadingPlot::Series series)
{
    switch (series) {
    case LoadingPlot::Reference:
        return {QColor(170, 170, 170)};
    case LoadingPlot::SectionReference:
        return {QColor(148, 103, 189), 1.5};
    case LoadingPlot::OriginalZeroIncidence:
    case LoadingPlot::OriginalSmoothEntry:
        // Under the reshaped line's loads, thin and dashed as the diagram draws the original.
        return {QColor(120, 120, 120), 1.0, Qt::DashLine};
    case LoadingPlot::ZeroIncidence:
        return {QColor(31, 119, 180), 2.0, Qt::SolidLine, SeriesStyle::Marks::Dots};
    case LoadingPlot::SmoothEntry:
        return {QColor(214, 39, 40), 2.0, Qt::SolidLine, SeriesStyle::Marks::Dots};
    }
    return {};
}

SeriesStyle convergence(ConvergencePlot::Series series)
{
    const QColor colour
        = ConvergencePlot::isAlpha0(series) ? QColor(31, 119, 180) : QColor(44, 160, 44);
    switch (series) {
    case ConvergencePlot::Alpha0:
    case ConvergencePlot::Cm0:
        return {colour, 2.0};
    case ConvergencePlot::Alpha0Loaded:
    case ConvergencePlot::Cm0Loaded:
        return {QColor(150, 150, 150), 1.5, Qt::DashLine};
    case ConvergencePlot::Alpha0Reference:
    case ConvergencePlot::Cm0Reference:
        return {colour, 2.0, Qt::DashLine};
    case ConvergencePlot::Alpha0Paneled:
    case ConvergencePlot::Cm0Paneled:
        return {colour, 2.0, Qt::SolidLine, SeriesStyle::Marks::Rings, 11.0};
    }
    return {};
}

SeriesStyle convergenceOverlay(const QColor &colour, bool alpha0)
{
    return {colour, 1.5, alpha0 ? Qt::SolidLine : Qt::DashLine};
}

} // namespace PlotStyle
