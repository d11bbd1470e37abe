#include "plotseries.h"

#include "format.h"
#include "study.h"
#include "vortexmethod.h"

#include <algorithm>
#include <cmath>

namespace LoadingPlot {

QString name(Series series)
{
    switch (series) {
    case Reference:
        return QStringLiteral("as loaded, %1 panels").arg(Paneling::reference().panels);
    case SectionReference:
        return QStringLiteral("reshaped section, %1 panels").arg(Paneling::reference().panels);
    case OriginalZeroIncidence:
        return QStringLiteral("as loaded, zero incidence");
    case OriginalSmoothEntry:
        return QStringLiteral("as loaded, at alpha(sf)");
    case ZeroIncidence:
        return QStringLiteral("zero incidence");
    case SmoothEntry:
        // The panels' name of the angle of smooth leading-edge entry.
        return QStringLiteral("at alpha(sf)");
    }
    return QString();
}

QString xTitle() { return QStringLiteral("x/c"); }

QString loadTitle() { return QStringLiteral("ΔCp"); }

QList<QPointF> loadPoints(const Loading &loading, double alpha)
{
    const std::vector<double> jumps = loading.pressureJumps(alpha);
    QList<QPointF> points;
    points.reserve(qsizetype(jumps.size()));
    for (size_t i = 0; i < jumps.size(); ++i)
        points << QPointF(loading.x[i], jumps[i]);
    return points;
}

QList<QPointF> points(const Study &study, Series series)
{
    if (!study.isLoaded())
        return {};
    const Loading *original = study.originalLoading();
    switch (series) {
    case Reference:
        return loadPoints(study.referenceLoading(), 0.0);
    case SectionReference:
        return study.reshapedSection() ? loadPoints(study.reshapedSection()->referenceLoading, 0.0)
                                       : QList<QPointF>();
    case OriginalZeroIncidence:
        return original ? loadPoints(*original, 0.0) : QList<QPointF>();
    case OriginalSmoothEntry:
        return original ? loadPoints(*original, coefficientsOf(*original).alphaSF)
                        : QList<QPointF>();
    case ZeroIncidence:
        return loadPoints(study.paneledLoading(), 0.0);
    case SmoothEntry:
        return loadPoints(study.paneledLoading(), study.paneledCoefficients().alphaSF);
    }
    return {};
}

std::pair<double, double> loadRange(const QList<QList<QPointF>> &series)
{
    double low = 0.0;
    double high = 0.0;
    for (const QList<QPointF> &points : series) {
        for (qsizetype i = points.size() > 1 ? 1 : 0; i < points.size(); ++i) {
            low = std::min(low, points.at(i).y());
            high = std::max(high, points.at(i).y());
        }
    }
    return {low, high};
}

QString spikeText(double load) { return QStringLiteral("ΔCp = %1").arg(Format::fixed(load, 2)); }

} // namespace LoadingPlot

namespace ConvergencePlot {

QString name(Series series, bool reshaped)
{
    const int reference = Paneling::reference().panels;
    const QString section
        = reshaped ? QStringLiteral("reshaped section") : QStringLiteral("as loaded");
    switch (series) {
    case Alpha0:
        return alpha0Title();
    case Cm0:
        return cm0Title();
    case Alpha0Loaded:
        return QStringLiteral("alpha0 as loaded, %1 panels").arg(reference);
    case Cm0Loaded:
        return QStringLiteral("cm0 as loaded, %1 panels").arg(reference);
    case Alpha0Reference:
        return QStringLiteral("alpha0 %1, %2 panels").arg(section).arg(reference);
    case Cm0Reference:
        return QStringLiteral("cm0 %1, %2 panels").arg(section).arg(reference);
    case Alpha0Paneled:
    case Cm0Paneled:
        return QStringLiteral("paneled line");
    }
    return QString();
}

bool isAlpha0(Series series)
{
    return series == Alpha0 || series == Alpha0Loaded || series == Alpha0Reference
        || series == Alpha0Paneled;
}

QString xTitle() { return QStringLiteral("panels"); }

QString alpha0Title() { return QStringLiteral("alpha0 [deg]"); }

QString cm0Title() { return QStringLiteral("cm0"); }

double along(double n) { return std::log10(n); }

std::pair<double, double> xRange(int panels)
{
    return {along(0.9 * Paneling::MinPanels),
        along(1.1 * std::max(panels, Paneling::reference().panels))};
}

QList<QPointF> curve(const QMap<int, Coefficients> &results, Series series)
{
    QList<QPointF> points;
    for (auto it = results.cbegin(); it != results.cend(); ++it)
        points << QPointF(along(it.key()), isAlpha0(series) ? degrees(it->alpha0) : it->cm0);
    return points;
}

QList<QPointF> points(const Study &study, Series series)
{
    if (!study.isLoaded())
        return {};
    const int panels = study.paneling().panels;
    const auto value
        = [&](const Coefficients &c) { return isAlpha0(series) ? degrees(c.alpha0) : c.cm0; };
    if (series == Alpha0Paneled || series == Cm0Paneled)
        return {QPointF(along(panels), value(study.paneledCoefficients()))};
    const auto [left, right] = xRange(panels);
    const bool loaded = series == Alpha0Loaded || series == Cm0Loaded;
    if (loaded && !study.reshapedSection())
        return {};
    const double reference
        = value(loaded ? study.referenceCoefficients() : study.section()->referenceCoefficients);
    return {QPointF(left, reference), QPointF(right, reference)};
}

} // namespace ConvergencePlot
