#ifndef LIFTWISE_SECTIONOPERATION_H
#define LIFTWISE_SECTIONOPERATION_H

#include "sectionops.h"

#include <QString>

#include <memory>

class Airfoil;

// One operation on a whole section, as the Design menu and liftwise-cli design give it: its
// kind, its values, and the section a blend goes towards.
struct SectionOperation
{
    enum Kind { Flap, ScaleCamber, ScaleThickness, CamberAt, TrailingEdgeGap, Repanel, Blend };
    static constexpr Kind Kinds[]
        = {Flap, ScaleCamber, ScaleThickness, CamberAt, TrailingEdgeGap, Repanel, Blend};

    // The bounds of an operation's value: what value and deflectionDegrees stand for.
    struct Range
    {
        double minimum;
        double maximum;
    };

    Kind kind = ScaleCamber;
    // The hinge (chords), the factor, the factor, the position (chords), the gap (per cent of
    // the chord), the number of points, the weight of the other section.
    double value = 1.0;
    // The flap's deflection in degrees, positive trailing edge down.
    double deflectionDegrees = 0.0;
    std::shared_ptr<const Airfoil> other;
    QString otherTitle;

    static Range range(Kind kind);
    static Range deflectionRange() { return {-MaxFlapDegrees, MaxFlapDegrees}; }
    // "Flap", "Scale Camber": the menu's and the undo step's name.
    static QString name(Kind kind);
    // "flap", "scale-camber": liftwise-cli design's option.
    static QString option(Kind kind);
    // Whether the values lie in their ranges (a repanel's a whole number) and a blend has its
    // other section.
    bool isValid() const;
    // What the saved title says was done, briefly: "flap 75 % 5°", "camber x2".
    QString note() const;
    // The new section's points; problem says why there are none.
    SectionPoints apply(const Airfoil &airfoil) const;
};

#endif // LIFTWISE_SECTIONOPERATION_H
