#ifndef LIFTWISE_MODIFICATION_H
#define LIFTWISE_MODIFICATION_H

class Camberline;

// One Modify step: the start values, the targets and the factors of the two shapes.
struct CamberReshaping
{
    double startAlpha0; // radians
    double startCm0;
    double targetAlpha0; // radians
    double targetCm0;
    double a; // factor of the arc 0.04 x (1 - x)
    double b; // factor of the S-shape 0.1 x (1 - x) (0.5 - x)
    // False when the two shapes cannot be combined to reach the targets (singular system or
    // non-finite factors); the line is then left as it was.
    bool applied;
};

// Adds a times the arc and b times the S-shape to the interior ordinates of line so that,
// to first order, its zero-lift angle and quarter-chord moment reach the targets. The shapes
// are built at n panels with the given densities, the paneling of line.
CamberReshaping reshapeCamberline(Camberline *line, int n, double leDensity, double teDensity,
    double targetAlpha0, double targetCm0);

#endif // LIFTWISE_MODIFICATION_H
