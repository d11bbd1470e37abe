#include "spline.h"

#include <QtTest>

#include <cmath>
#include <limits>
#include <vector>

namespace {

const double eps = 1e-9;

std::vector<double> randomValues(int n)
{
    static QRandomGenerator random(20240611);
    std::vector<double> values(n);
    for (double &v : values)
        v = random.generateDouble() * 2.0 - 1.0;
    return values;
}

} // namespace

class tst_Spline : public QObject
{
    Q_OBJECT

private slots:
    void secondDerivatives_data()
    {
        QTest::addColumn<QList<double>>("values");
        QTest::addColumn<QList<double>>("d2");
        QTest::newRow("one knot") << QList<double> {4.0} << QList<double> {0.0};
        QTest::newRow("line 1,2") << QList<double> {1.0, 2.0} << QList<double> {0.0, 0.0};
        QTest::newRow("hat 0,1,0")
            << QList<double> {0.0, 1.0, 0.0} << QList<double> {0.0, -3.0, 0.0};
        QTest::newRow("wave 0,1,0,1,0") << QList<double> {0.0, 1.0, 0.0, 1.0, 0.0}
                                        << QList<double> {0.0, -30.0 / 7, 36.0 / 7, -30.0 / 7, 0.0};
    }

    void secondDerivatives()
    {
        QFETCH(QList<double>, values);
        QFETCH(QList<double>, d2);
        Spline spline(values.size(), values.data());
        QCOMPARE(spline.length(), values.size());
        for (int k = 0; k < d2.size(); ++k)
            QVERIFY(qAbs(spline.d2[k] - d2[k]) < eps);
    }

    void evaluation_data()
    {
        QTest::addColumn<QList<double>>("values");
        QTest::addColumn<double>("t");
        QTest::addColumn<double>("f");
        QTest::addColumn<double>("dfdt");
        const QList<double> hat {0.0, 1.0, 0.0};
        const double inf = std::numeric_limits<double>::infinity();
        QTest::newRow("hat, mid segment") << hat << 0.5 << 0.6875 << 1.125;
        QTest::newRow("hat, on knot 1") << hat << 1.0 << 1.0 << 0.0;
        // r = 0.001: f = 1.5 r - 0.5 r^3, dy/dt = -1.5 + 1.5 r^2.
        QTest::newRow("hat, just before end") << hat << 1.999 << 0.0015 - 0.5e-9 << -1.5 + 1.5e-6;
        QTest::newRow("hat, at end") << hat << 2.0 << 0.0 << 0.0;
        QTest::newRow("hat, before start") << hat << -0.001 << 0.0 << 0.0;
        QTest::newRow("hat, NaN") << hat << std::nan("") << 0.0 << 0.0;
        QTest::newRow("hat, +inf") << hat << inf << 0.0 << 0.0;
        QTest::newRow("hat, beyond int") << hat << 1e300 << 0.0 << 0.0;
        QTest::newRow("line, quarter") << QList<double> {1.0, 2.0} << 0.25 << 1.25 << 1.0;
        QTest::newRow("line, at end") << QList<double> {1.0, 2.0} << 1.0 << 0.0 << 0.0;
        QTest::newRow("one knot") << QList<double> {4.0} << 0.0 << 0.0 << 0.0;
        QTest::newRow("empty") << QList<double> {} << 0.0 << 0.0 << 0.0;
    }

    void evaluation()
    {
        QFETCH(QList<double>, values);
        QFETCH(double, t);
        QFETCH(double, f);
        QFETCH(double, dfdt);
        Spline spline(values.size(), values.data());
        QVERIFY(qAbs(spline.f(t) - f) < eps);
        QVERIFY(qAbs(spline.dfdt(t) - dfdt) < eps);
        double out[4];
        if (values.size() < 2) {
            QCOMPARE(spline.findExtrema(out, 4), 0);
            QCOMPARE(spline.findInverse(0.0, out, 4), 0);
        }
    }

    void hitsEveryKnot()
    {
        for (int n : {2, 3, 7, 50}) {
            std::vector<double> values = randomValues(n);
            Spline spline(n, values.data());
            values[0] += 1.0; // the spline keeps its own copy
            QVERIFY(qAbs(spline.f(0.0) - (values[0] - 1.0)) < eps);
            for (int k = 1; k <= n - 2; ++k)
                QVERIFY(qAbs(spline.f(k) - values[k]) < eps);
            // The last knot is reached as a limit only: the range is half-open.
            QVERIFY(qAbs(spline.f(n - 1 - 1e-12) - values[n - 1]) < eps);
        }
    }

    void smoothWithNaturalEnds()
    {
        // dy/dt against central differences of y, then one-sided differences of dy/dt: the
        // left ones stay inside the segment before the knot.
        const int n = 20;
        std::vector<double> values = randomValues(n);
        Spline spline(n, values.data());
        const double h = 1e-6;
        for (double t = 0.013; t < n - 1.01; t += 0.1)
            QVERIFY(qAbs(spline.dfdt(t) - (spline.f(t + h) - spline.f(t - h)) / (2 * h)) < 1e-7);
        for (int k = 1; k <= n - 2; ++k) {
            QVERIFY(qAbs(spline.dfdt(k - h) - spline.dfdt(k)) < 1e-4);
            const double leftCurvature = (spline.dfdt(k - h) - spline.dfdt(k - 2 * h)) / h;
            const double rightCurvature = (spline.dfdt(k + h) - spline.dfdt(k)) / h;
            QVERIFY(qAbs(leftCurvature - rightCurvature) < 1e-3);
        }
        QVERIFY(qAbs((spline.dfdt(h) - spline.dfdt(0.0)) / h) < 1e-3);
        QVERIFY(qAbs((spline.dfdt(n - 1 - h) - spline.dfdt(n - 1 - 2 * h)) / h) < 1e-3);
    }

    void errorShrinksWithKnots()
    {
        // sin(2 pi x) has zero curvature at both ends, so the natural spline converges as h^4.
        double previous = 1.0;
        for (int n : {6, 11, 21, 41, 81}) {
            std::vector<double> values(n);
            for (int k = 0; k < n; ++k)
                values[k] = std::sin(2.0 * M_PI * k / (n - 1));
            Spline spline(n, values.data());
            double error = 0.0;
            for (int j = 0; j < 1000; ++j)
                error = std::max(
                    error, qAbs(spline.f(j / 1000.0 * (n - 1)) - std::sin(M_PI * j / 500.0)));
            QVERIFY2(error < previous / 8.0, qPrintable(QStringLiteral("%1 knots").arg(n)));
            previous = error;
        }
        QVERIFY(previous < 1e-5);
    }

    void extremaCapacity_data()
    {
        QTest::addColumn<int>("capacity");
        QTest::addColumn<int>("count");
        QTest::newRow("room for all") << 10 << 2;
        QTest::newRow("capacity 2 keeps one") << 2 << 1;
        QTest::newRow("capacity 1 keeps none") << 1 << 0;
        QTest::newRow("capacity 0") << 0 << 0;
    }

    void extremaCapacity()
    {
        // The maximum of the hat sits on knot 1 and is found by both segments.
        QFETCH(int, capacity);
        QFETCH(int, count);
        double values[] = {0.0, 1.0, 0.0};
        double out[10];
        std::fill(out, out + 10, -1.0);
        QCOMPARE(Spline(3, values).findExtrema(out, capacity), count);
        for (int k = 0; k < count; ++k)
            QCOMPARE(out[k], 1.0);
        QCOMPARE(out[count], -1.0);
    }

    void extremaAreStationary()
    {
        double line[] = {0.0, 1.0, 2.0, 3.0};
        double out[20];
        QCOMPARE(Spline(4, line).findExtrema(out, 20), 0);
        // Two periods of a sine: two maxima and two minima.
        const int n = 17;
        std::vector<double> values(n);
        for (int k = 0; k < n; ++k)
            values[k] = std::sin(2.0 * M_PI * (k + 0.3) / 8.0);
        Spline spline(n, values.data());
        QCOMPARE(spline.findExtrema(out, 20), 4);
        for (int k = 0; k < 4; ++k) {
            QVERIFY(qAbs(spline.dfdt(out[k])) < 1e-12);
            QVERIFY(qAbs(qAbs(spline.f(out[k])) - 1.0) < 1e-2);
        }
    }

    void inverseWorkedExamples_data()
    {
        QTest::addColumn<double>("target");
        QTest::addColumn<QList<double>>("roots");
        const double low = 2.0 * std::sin(M_PI / 18.0);
        QTest::newRow("half way, both flanks") << 0.5 << QList<double> {low, 2.0 - low};
        QTest::newRow("peak equals a sample") << 1.0 << QList<double> {};
        QTest::newRow("zero at a sample and in the last twentieth") << 0.0 << QList<double> {};
        QTest::newRow("falling flank in the last twentieth")
            << 0.001 << QList<double> {0.001 / 1.5};
        QTest::newRow("above the peak") << 1.5 << QList<double> {};
    }

    void inverseWorkedExamples()
    {
        QFETCH(double, target);
        QFETCH(QList<double>, roots);
        double values[] = {0.0, 1.0, 0.0};
        double out[10];
        QCOMPARE(Spline(3, values).findInverse(target, out, 10), roots.size());
        for (int k = 0; k < roots.size(); ++k)
            QVERIFY(qAbs(out[k] - roots[k]) < 1e-8);
    }

    void inverseCapacity()
    {
        double values[] = {0.0, 1.0, 0.0, 1.0, 0.0};
        Spline spline(5, values);
        double out[4] = {-1.0, -1.0, -1.0, -1.0};
        QCOMPARE(spline.findInverse(0.5, out, 4), 3);
        QCOMPARE(out[3], -1.0);
        double first[2] = {-1.0, -1.0};
        QCOMPARE(spline.findInverse(0.5, first, 2), 1);
        QCOMPARE(first[0], out[0]);
        QCOMPARE(first[1], -1.0);
        QCOMPARE(spline.findInverse(0.5, out, 1), 0);
    }

    void inverseMissesCrossingsInOneInterval()
    {
        // A target between the higher neighbouring sample and the peak is crossed twice in
        // one interval, which strict bracketing cannot see.
        double values[] = {0.0, 1.0, 0.9, 0.0};
        Spline spline(4, values);
        double out[10];
        QCOMPARE(spline.findExtrema(out, 10), 1);
        const double peak = out[0];
        const double k = std::floor(peak / 0.05);
        const double higherSample = std::max(spline.f(k * 0.05), spline.f((k + 1) * 0.05));
        QVERIFY(spline.f(peak) > higherSample);
        QCOMPARE(spline.findInverse(0.5 * (spline.f(peak) + higherSample), out, 10), 0);
        QCOMPARE(spline.findInverse(higherSample - 1e-4, out, 10), 2);
    }

    void planeCurve()
    {
        double xs[] = {1.0, 0.0, 1.0, 2.0};
        double ys[] = {0.0, 1.0};
        Spline xSpline(4, xs);
        Spline ySpline(2, ys);
        Spline2D curve(&xSpline, &ySpline);
        QCOMPARE(curve.length(), 4);
        QCOMPARE(curve.fx(0.5), xSpline.f(0.5));
        QCOMPARE(curve.fy(0.5), 0.5);
        QCOMPARE(curve.fy(2.5), 0.0);
    }
};

QTEST_APPLESS_MAIN(tst_Spline)
#include "tst_spline.moc"
