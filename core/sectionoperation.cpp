#include "sectionoperation.h"

#include "airfoilfile.h"
#include "coefficients.h"

#include <cmath>

SectionOperation::Range SectionOperation::range(Kind kind)
{
    switch (kind) {
    case Flap:
        return {MinFlapHinge, MaxFlapHinge};
    case ScaleCamber:
        return {-5.0, 5.0};
    case ScaleThickness:
        return {0.0, 5.0};
    case CamberAt:
        return {0.1, 0.9};
    case TrailingEdgeGap:
        return {0.0, 5.0};
    case Repanel:
        return {double(MinRepanelPoints), double(AirfoilData::MaxPoints)};
    case Blend:
        break;
    }
    return {0.0, 1.0};
}

QString SectionOperation::name(Kind kind)
{
    switch (kind) {
    case Flap:
        return QStringLiteral("Flap");
    case ScaleCamber:
        return QStringLiteral("Scale Camber");
    case ScaleThickness:
        return QStringLiteral("Scale Thickness");
    case CamberAt:
        return QStringLiteral("Move Largest Camber");
    case TrailingEdgeGap:
        return QStringLiteral("Trailing-Edge Gap");
    case Repanel:
        return QStringLiteral("Repanel");
    case Blend:
        break;
    }
    return QStringLiteral("Blend");
}

QString SectionOperation::option(Kind kind)
{
    switch (kind) {
    case Flap:
        return QStringLiteral("flap");
    case ScaleCamber:
        return QStringLiteral("scale-camber");
    case ScaleThickness:
        return QStringLiteral("scale-thickness");
    case CamberAt:
        return QStringLiteral("camber-at");
    case TrailingEdgeGap:
        return QStringLiteral("te-gap");
    case Repanel:
        return QStringLiteral("repanel");
    case Blend:
        break;
    }
    return QStringLiteral("blend");
}

bool SectionOperation::isValid() const
{
    const Range r = range(kind);
    if (!(value >= r.minimum && value <= r.maximum))
        return false;
    const Range d = deflectionRange();
    return (kind != Flap || (deflectionDegrees >= d.minimum && deflectionDegrees <= d.maximum))
        && (kind != Repanel || value == std::floor(value)) && (kind != Blend || other);
}

QString SectionOperation::note() const
{
    // Shortest round numbers: "x2", "75 %", "5°", as a user would write them.
    const auto number = [](double v) { return QString::number(v, 'g', 6); };
    switch (kind) {
    case Flap:
        return QStringLiteral("flap %1 % %2°").arg(number(100 * value), number(deflectionDegrees));
    case ScaleCamber:
        return QStringLiteral("camber x%1").arg(number(value));
    case ScaleThickness:
        return QStringLiteral("thickness x%1").arg(number(value));
    case CamberAt:
        return QStringLiteral("camber at %1 %").arg(number(100 * value));
    case TrailingEdgeGap:
        return QStringLiteral("trailing edge %1 %").arg(number(value));
    case Repanel:
        return QStringLiteral("%1 points").arg(number(value));
    case Blend:
        break;
    }
    return QStringLiteral("blend %1 % %2").arg(number(100 * value), otherTitle);
}

SectionPoints SectionOperation::apply(const Airfoil &airfoil) const
{
    switch (kind) {
    case Flap:
        return flapped(airfoil, value, radians(deflectionDegrees));
    case ScaleCamber:
        return scaledCamber(airfoil, value);
    case ScaleThickness:
        return scaledThickness(airfoil, value);
    case CamberAt:
        return cambersAt(airfoil, value);
    case TrailingEdgeGap:
        return withTrailingEdgeGap(airfoil, value / 100);
    case Repanel:
        return repaneled(airfoil, int(value));
    case Blend:
        break;
    }
    return other ? blended(airfoil, *other, value)
                 : SectionPoints {{}, {}, "no section to blend with"};
}
