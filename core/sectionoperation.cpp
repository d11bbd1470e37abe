#include "sectionoperation.h"

#include "airfoilfile.h"
#include "coefficients.h"

#include <cmath>
#include <iterator>

namespace {

// Each kind's menu name, command-line option and the range of its value, in the order of Kind.
struct Facts
{
    const char *name;
    const char *option;
    SectionOperation::Range range;
};
const Facts facts[] = {
    {"Flap", "flap", {MinFlapHinge, MaxFlapHinge}},
    {"Scale Camber", "scale-camber", {-5.0, 5.0}},
    {"Scale Thickness", "scale-thickness", {0.0, 5.0}},
    {"Move Largest Camber", "camber-at", {0.1, 0.9}},
    {"Trailing-Edge Gap", "te-gap", {0.0, 5.0}},
    {"Repanel", "repanel", {double(MinRepanelPoints), double(AirfoilData::MaxPoints)}},
    {"Blend", "blend", {0.0, 1.0}},
};
static_assert(std::size(facts) == std::size(SectionOperation::Kinds));

} // namespace

SectionOperation::Range SectionOperation::range(Kind kind) { return facts[kind].range; }

QString SectionOperation::name(Kind kind) { return QString::fromLatin1(facts[kind].name); }

QString SectionOperation::option(Kind kind) { return QString::fromLatin1(facts[kind].option); }

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
    // The other title, briefly: the note follows a title of its own in a line of limited length.
    const QString other
        = otherTitle.size() > 60 ? otherTitle.left(59) + QStringLiteral("…") : otherTitle;
    return QStringLiteral("blend %1 % %2").arg(number(100 * value), other);
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
