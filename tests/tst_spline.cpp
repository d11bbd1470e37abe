#include "spline.h"

#include <QtTest>

#include <cmath>
#include <random>
#include <vector>

using Values = QList<double>;

static const double eps = 1e-9;

class tst_Spline : public QObject
{
    Q_OBJECT

private slots:
    void workedExamples_data()
    {
        QTest::addColumn<Values>("values");
        QTest::addColumn<Values>("d2");
        QTest::addColumn<double>("t");
        QTest::addColumn<double>("f");
        QTest::addColumn<double>("dfdt");
        // Evaluated on 0 <= t <= n - 1 only; 0 everywhere else.
        const Values hat {0, 1, 0};
        const Values hatD2 {0, -3, 0};
        QTest::newRow("no knots (n = -1)") << Values {} << Values {} << 0.0 << 0.0 << 0.0;
        QTest::newRow("one knot") << Values {4} << Values {0} << 0.0 << 4.0 << 0.0;
        QTest::newRow("line 1,2") << Values {1, 2} << Values {0, 0} << 0.25 << 1.25 << 1.0;
        QTest::newRow("wave 0,1,0,1,0, beyond int")
            << Values {0, 1, 0, 1, 0} << Values {0, -30.0 / 7, 36.0 / 7, -30.0 / 7, 0} << 1e300
            << 0.0 << 0.0;
        QTest::newRow("hat 0,1,0") << hat << hatD2 << 0.5 << 0.6875 << 1.125;
        QTest::newRow("hat, at the end: the last knot") << hat << hatD2 << 2.0 << 0.0 << -1.5;
        QTest::newRow("hat, just beyond the end") << hat << hatD2 << 2.0001 << 0.0 << 0.0;
        QTest::newRow("hat, before the start") << hat << hatD2 << -0.001 << 0.0 << 0.0;
        QTest::newRow("hat, NaN") << hat << hatD2 << std::nan("") << 0.0 << 0.0;
        QTest::newRow("hat, infinity") << hat << hatD2 << qInf() << 0.0 << 0.0;
    }

    void workedExamples()
    {
        QFETCH(Values, values);
        QFETCH(Values, d2);
        QFETCH(double, t);
        QFETCH(double, f);
        QFETCH(double, dfdt);
        Spline spline(values.isEmpty() ? -1 : values.size(), values.data());
        QCOMPARE(spline.length(), d2.size());
        for (int k = 0; k < d2.size(); ++k)
            QVERIFY(qAbs(spline.secondDerivatives()[k] - d2[k]) < eps);
        QVERIFY(qAbs(spline.f(t) - f) < eps);
        QVERIFY(qAbs(spline.dfdt(t) - dfdt) < eps);
    }

    void interpolatesSmoothly()
    {
        // Random knots. Each is met, the last at t = n - 1 exactly; dy/dt
        // matches central differences of y; dy/dt and the curvature are continuous at interior
        // knots, and the curvature vanishes at both ends. One-sided differences of dy/dt stay
        // inside one segment.
        QRandomGenerator random(20240611);
        const double h = 1e-6;
        for (int n : {2, 3, 7, 50}) {
            std::vector<double> values(n);
            for (double &v : values)
                v = random.generateDouble() * 2.0 - 1.0;
            Spline spline(n, values.data());
            values[0] += 1.0; // the spline keeps its own copy
            QVERIFY(qAbs(spline.f(0.0) - (values[0] - 1.0)) < eps);
            for (int k = 1; k <= n - 2; ++k) {
                QVERIFY(qAbs(spline.f(k) - values[k]) < eps);
                QVERIFY(qAbs(spline.dfdt(k - h) - spline.dfdt(k)) < 1e-4);
                const double left = (spline.dfdt(k - h) - spline.dfdt(k - 2 * h)) / h;
                QVERIFY(qAbs(left - (spline.dfdt(k + h) - spline.dfdt(k)) / h) < 1e-3);
            }
            QCOMPARE(spline.f(n - 1), values[n - 1]);
            for (double t = 0.013; t < n - 1.01; t += 0.1)
                QVERIFY(
                    qAbs(spline.dfdt(t) - (spline.f(t + h) - spline.f(t - h)) / (2 * h)) < 1e-7);
            QVERIFY(qAbs((spline.dfdt(h) - spline.dfdt(0.0)) / h) < 1e-3);
            QVERIFY(qAbs((spline.dfdt(n - 1 - h) - spline.dfdt(n - 1 - 2 * h)) / h) < 1e-3);
            // Extrema: zeros of dy/dt, as many as its sign changes on a fine grid.
            std::vector<double> out(2 * n);
            const int count = spline.findExtrema(out.data(), 2 * n);
            int turns = 0;
            for (double t = 0.0005; t + 0.001 < n - 1; t += 0.001)
                turns += (spline.dfdt(t) > 0) != (spline.dfdt(t + 0.001) > 0);
            QCOMPARE(count, turns);
            for (int k = 0; k < count; ++k)
                QVERIFY(qAbs(spline.dfdt(out[k])) < 1e-12);
        }
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
            QVERIFY2(error < previous / 8.0, qPrintable(QString::number(n)));
            previous = error;
        }
        QVERIFY(previous < 1e-5);
    }

    void roots_data()
    {
        // Both queries keep capacity - 1 results and write nothing beyond. The hat 0, 1, 0 peaks
        // on knot 1, which is also a sample of findInverse (every 0.05 over [0, n - 1]).
        QTest::addColumn<Values>("values");
        QTest::addColumn<bool>("extrema");
        QTest::addColumn<double>("target");
        QTest::addColumn<int>("capacity");
        QTest::addColumn<Values>("found");
        const Values hat {0, 1, 0};
        const double low = 2.0 * std::sin(M_PI / 18.0);
        QTest::newRow("extrema: the peak, from both segments")
            << hat << true << 0.0 << 10 << Values {1, 1};
        QTest::newRow("extrema, capacity 2") << hat << true << 0.0 << 2 << Values {1};
        QTest::newRow("extrema, capacity 1") << hat << true << 0.0 << 1 << Values {};
        QTest::newRow("inverse of 0.5: both flanks")
            << hat << false << 0.5 << 10 << Values {low, 2 - low};
        QTest::newRow("inverse of 0.5, capacity 2") << hat << false << 0.5 << 2 << Values {low};
        QTest::newRow("inverse of the peak: touched, not crossed")
            << hat << false << 1.0 << 10 << Values {};
        QTest::newRow("inverse of 0.001: both flanks, one in the last twentieth")
            << hat << false << 0.001 << 10 << Values {0.001 / 1.5, 2 - 0.001 / 1.5};
        QTest::newRow("inverse of 0: both ends") << hat << false << 0.0 << 10 << Values {0, 2};
        QTest::newRow("inverse through a knot")
            << Values {0, 1, 2} << false << 1.0 << 10 << Values {1};
    }

    void roots()
    {
        QFETCH(Values, values);
        QFETCH(bool, extrema);
        QFETCH(double, target);
        QFETCH(int, capacity);
        QFETCH(Values, found);
        Spline spline(values.size(), values.data());
        double out[10];
        std::fill(out, out + 10, -1.0);
        const int count = extrema ? spline.findExtrema(out, capacity)
                                  : spline.findInverse(target, out, capacity);
        QCOMPARE(count, found.size());
        for (int k = 0; k < count; ++k)
            QVERIFY(qAbs(out[k] - found[k]) < eps);
        QCOMPARE(out[count], -1.0);
    }

    void inverseFindsEveryCrossing()
    {
        // Random small-integer knots and targets: every crossing of the target is found once, in
        // order, as a fine grid sees them, including where Newton from the samples would leave
        // its interval (knots 1, 0, 2, -1 at -0.125, between t = 0.75 and 0.8).
        std::mt19937 rng(7);
        std::uniform_int_distribution<int> knot(-3, 3);
        for (int trial = 0; trial < 300; ++trial) {
            const int n = 2 + trial % 6;
            Values values(n);
            for (double &v : values)
                v = knot(rng);
            double target = knot(rng) * 0.25 + 0.125;
            if (trial == 0) {
                values = {1, 0, 2, -1};
                target = -0.125;
            }
            Spline spline(n, values.data());
            double out[64];
            const int count = spline.findInverse(target, out, 64);
            int crossings = 0;
            for (double t = 0.0; t + 1e-4 <= n - 1; t += 1e-4)
                crossings += (spline.f(t) < target) != (spline.f(t + 1e-4) < target);
            QCOMPARE(count, crossings);
            for (int k = 0; k < count; ++k) {
                QVERIFY(qAbs(spline.f(out[k]) - target) < 1e-9);
                QVERIFY(k == 0 || out[k] > out[k - 1]);
            }
        }
    }

    void inverseMissesTwoCrossingsInOneInterval()
    {
        // A target between the higher sample next to the peak and the peak is crossed twice
        // between two samples, which strict bracketing cannot see.
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
};

QTEST_APPLESS_MAIN(tst_Spline)
#include "tst_spline.moc"
