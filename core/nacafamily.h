#ifndef LIFTWISE_NACAFAMILY_H
#define LIFTWISE_NACAFAMILY_H

#include "airfoilfile.h"
#include "naca.h"

#include <QByteArray>
#include <QString>

// The NACA sections liftwise-cli naca and meanline write and the New Section dialog makes: what
// the user's digits or a-series values name, the ranges the values are taken in, and the
// section's airfoil file text.
namespace NacaFamily {

// A value's bounds and the decimals a field and the command line take it to.
struct Range
{
    double minimum;
    double maximum;
    int decimals;
};

// The a-series section's values, each with the one taken when none is given: where the uniform
// load ends (chords), the design lift coefficient, and the thickness in per cent of the chord
// (0: the mean line alone). The thickness law holds below 40 %.
constexpr Range LoadEndRange {0.0, 1.0, 3};
constexpr Range DesignLiftRange {-2.0, 2.0, 3};
constexpr Range ThicknessRange {0.0, 39.99, 2};
constexpr double DefaultLoadEnd = 1.0;
constexpr double DefaultDesignLift = 0.4;
constexpr double DefaultThickness = 0.0;

// The points of a section's file: odd, the leading edge once between the same stations on
// either side; a leading edge and two points on each side of it at least, and no more than an
// open takes.
constexpr int MinPoints = 5;
constexpr int MaxPoints = AirfoilData::MaxPoints;
constexpr int DefaultPoints = 121;
bool isPointCount(int points);
// What the point count takes: "an odd number from 5 to 999".
QString pointCountRule();

// A section the user named: its title line, its mean line and its thickness (chords); or, where
// the input names none, problem says why in the words the user is shown.
struct NamedSection
{
    QString title;
    MeanLine meanLine;
    double thickness = 0.0;
    QString problem;

    bool isValid() const { return problem.isEmpty(); }
};

// The 4-digit (2412: camber, its position, thickness) or 5-digit section (23012, reflexed
// 23112: design lift, position, reflex, thickness) the digits name; "NACA 2412".
NamedSection fromDigits(const QString &digits);
// The section on the a-series mean line with the 4-digit thickness law, each value as a field
// of its range takes it: rounded to the range's decimals, then bounded.
NamedSection aSeries(double loadEnd, double designLift, double thicknessPercent);

// The section's airfoil file at that many points (isPointCount): its title line, then x and y
// at six decimals from the trailing edge over the upper surface to the leading edge and back.
// Empty for a section that is not valid or a point count that is not one.
QByteArray fileText(const NamedSection &section, int points, bool closedTrailingEdge);

} // namespace NacaFamily

#endif // LIFTWISE_NACAFAMILY_H
