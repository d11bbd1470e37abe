#ifndef LIFTWISE_PANELING_H
#define LIFTWISE_PANELING_H

// How a camber line is cut into panels: their count and how strongly the stations crowd
// towards the leading and the trailing edge (arctangent mapping, see Camberline).
struct Paneling
{
    int panels = 8;
    double leDensity = 3.0;
    double teDensity = 2.0;

    // What the user may choose; densities are given to two decimals.
    static constexpr int MinPanels = 3;
    static constexpr int MaxPanels = 999;
    static constexpr double MinDensity = 1.0;
    static constexpr double MaxDensity = 10.0;
    static constexpr double DensityStep = 0.5;
    static constexpr int DensityDecimals = 2;

    // The fine paneling every file is first analysed at, whatever the user's is.
    static constexpr Paneling reference() { return Paneling {200, 3.0, 2.0}; }
    // Twice and four times as fine: with the reference they tell how far the reference values
    // lie from the limit of ever more panels, and whether they approach it at all (see
    // Extrapolation).
    static constexpr Paneling refined() { return Paneling {400, 3.0, 2.0}; }
    static constexpr Paneling finest() { return Paneling {800, 3.0, 2.0}; }

    bool operator==(const Paneling &o) const
    {
        return panels == o.panels && leDensity == o.leDensity && teDensity == o.teDensity;
    }
    bool operator!=(const Paneling &o) const { return !(*this == o); }
};

#endif // LIFTWISE_PANELING_H
