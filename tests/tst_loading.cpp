#include "analysis.h"
#include "naca.h"
#include "vortexmethod.h"

#include <QtTest>

#include <memory>
#include <string>

namespace {

// The camber line of a NACA section read from its contour, as a file would give it.
Camberline sectionLine(double m, double p, const Paneling &paneling)
{
    const NacaSection section = nacaFourDigit(m, p, 0.12, 61, false);
    std::string problem;
    const std::unique_ptr<Airfoil> airfoil
        = normalizedAirfoil(int(section.x.size()), section.x.data(), section.y.data(), &problem);
    return camberlineOf(*airfoil, paneling);
}

// The pressure jumps at incidence alpha times the panel widths, summed from the leading edge
// as the lift is.
double lift(const Loading &loading, double alpha)
{
    const std::vector<double> jumps = loading.pressureJumps(alpha);
    double sum = 0.0;
    for (size_t i = 0; i < jumps.size(); ++i)
        sum += jumps[i] * loading.width[i];
    return sum;
}

bool relativelyNear(double actual, double expected)
{
    return qAbs(actual - expected) <= 1e-12 * qAbs(expected);
}

} // namespace

class tst_Loading : public QObject
{
    Q_OBJECT

private slots:
    void sumsToTheCoefficients_data();
    void sumsToTheCoefficients();
    void symmetricSectionUnloaded();
};

void tst_Loading::sumsToTheCoefficients_data()
{
    QTest::addColumn<double>("camber");
    QTest::addColumn<Paneling>("paneling");
    QTest::newRow("NACA 4412, 8 panels") << 0.04 << Paneling {8, 3.0, 2.0};
    QTest::newRow("NACA 4412, 200 panels") << 0.04 << Paneling::reference();
    QTest::newRow("NACA 2412, 3 panels 1/1") << 0.02 << Paneling {3, 1.0, 1.0};
    QTest::newRow("NACA 6412, 999 panels 10/10") << 0.06 << Paneling {999, 10.0, 10.0};
}

void tst_Loading::sumsToTheCoefficients()
{
    // Over the panels the load gives the lift at zero incidence and at smooth entry, where the
    // leading panel carries nothing.
    QFETCH(double, camber);
    QFETCH(Paneling, paneling);
    const Camberline line = sectionLine(camber, 0.4, paneling);
    const Loading loading = loadingOf(line);
    const Coefficients c = coefficientsOf(line);
    QCOMPARE(int(loading.x.size()), paneling.panels);
    QVERIFY(relativelyNear(lift(loading, 0.0), c.cl0));
    QVERIFY(relativelyNear(lift(loading, c.alphaSF), c.clSF));
    const std::vector<double> smooth = loading.pressureJumps(c.alphaSF);
    QVERIFY(qAbs(smooth.front()) < 1e-12 * *std::max_element(smooth.begin(), smooth.end()));
}

void tst_Loading::symmetricSectionUnloaded()
{
    const Camberline line = sectionLine(0.0, 0.0, Paneling {50, 3.0, 2.0});
    for (const double jump : loadingOf(line).pressureJumps(0.0))
        QVERIFY2(qAbs(jump) < 1e-12, qPrintable(QString::number(jump)));
}

QTEST_APPLESS_MAIN(tst_Loading)
#include "tst_loading.moc"
