#include "airfoil.h"
#include "spline.h"

#include <QtTest>

#include <cmath>
#include <limits>

namespace {

const double eps = 1e-9;

using Points = QList<double>;

// NACA four-digit mean line, camber m at position p.
double meanLine(double m, double p, double x)
{
    return x < p ? m / (p * p) * (2 * p * x - x * x)
                 : m / ((1 - p) * (1 - p)) * (1 - 2 * p + 2 * p * x - x * x);
}

// NACA four-digit section with 12 % thickness laid off vertically from the mean line: 101
// cosine-spaced points from the upper trailing edge round the nose and back, written with
// 5 decimals as in a coordinate file.
void section(double m, double p, Points *x, Points *y)
{
    for (int k = -50; k <= 50; ++k) {
        const double xk = 0.5 * (1 - std::cos(M_PI * k / 50));
        const double t = 0.6
            * (0.2969 * std::sqrt(xk) - 0.1260 * xk - 0.3516 * xk * xk + 0.2843 * xk * xk * xk
                - 0.1015 * xk * xk * xk * xk);
        x->append(QString::number(xk, 'f', 5).toDouble());
        y->append(QString::number(meanLine(m, p, xk) + (k < 0 ? t : -t), 'f', 5).toDouble());
    }
}

void computeCoeff(Camberline *line, double c[6])
{
    line->computeCoeff(&c[0], &c[1], &c[2], &c[3], &c[4], &c[5]);
}

} // namespace

class tst_Airfoil : public QObject
{
    Q_OBJECT

private slots:
    void normalize_data()
    {
        QTest::addColumn<Points>("x");
        QTest::addColumn<Points>("y");
        QTest::addColumn<Points>("xn");
        QTest::addColumn<Points>("yn");
        const Points xs {1, 0.5, 0, 0.5, 1};
        QTest::newRow("sheared") << xs << Points {0.2, 0.15, 0, 0.05, 0.1} << xs
                                 << Points {0.05, 0.075, 0, -0.025, -0.05};
        QTest::newRow("already normalised") << xs << Points {0.01, 0.05, 0, -0.05, -0.01} << xs
                                            << Points {0.01, 0.05, 0, -0.05, -0.01};
        QTest::newRow("twice the size")
            << Points {2, 1, 0, 1, 2} << Points {0.02, 0.2, 0, -0.2, -0.02} << xs
            << Points {0.01, 0.1, 0, -0.1, -0.01};
        QTest::newRow("leading edge beyond x = 1")
            << Points {5, 4, 3, 4, 5} << Points {0.02, 0.1, 0, -0.1, -0.02} << xs
            << Points {0.01, 0.05, 0, -0.05, -0.01};
    }

    void normalize()
    {
        // Each result is normalised already, so a second pass must not move it.
        QFETCH(Points, x);
        QFETCH(Points, y);
        QFETCH(Points, xn);
        QFETCH(Points, yn);
        Airfoil airfoil(x.size(), x.data(), y.data());
        x[2] = 99.0; // the airfoil keeps its own copy
        for (int pass = 0; pass < 2; ++pass) {
            airfoil.normalize();
            QCOMPARE(airfoil.npoints(), xn.size());
            for (int j = 0; j < xn.size(); ++j) {
                QVERIFY(qAbs(airfoil.px(j) - xn[j]) < eps);
                QVERIFY(qAbs(airfoil.py(j) - yn[j]) < eps);
            }
            QVERIFY(qAbs(airfoil.xSpline->f(0.0) - 1.0) < eps);
            QCOMPARE(airfoil.curve->length(), xn.size());
        }
        QCOMPARE(airfoil.px(-1), 0.0);
        QCOMPARE(airfoil.px(xn.size()), 0.0);
        QCOMPARE(airfoil.py(xn.size()), 0.0);
    }

    void trailingEdgeExtension_data()
    {
        QTest::addColumn<Points>("x");
        QTest::addColumn<Points>("y");
        QTest::newRow("last point extended")
            << Points {1.0, 0.5, 0, 0.5, 0.9} << Points {0.02, 0.06, 0, -0.04, -0.01};
        QTest::newRow("first point extended")
            << Points {0.9, 0.5, 0, 0.5, 1.0} << Points {0.01, 0.04, 0, -0.05, -0.02};
    }

    void trailingEdgeExtension()
    {
        // The short end is extended to (1.0, -0.0025) or (1.0, 0.0025), 0.0225 from the other
        // end. The spline's leading edge lies a little ahead of point 2, so the chord is not
        // quite 1; x and y are scaled alike.
        QFETCH(Points, x);
        QFETCH(Points, y);
        Airfoil airfoil(5, x.data(), y.data());
        airfoil.normalize();
        const double scale = 1.0 - airfoil.px(2);
        QVERIFY(airfoil.px(2) > 0.0 && airfoil.px(2) < 1e-4);
        QVERIFY(qAbs(airfoil.px(0) - 1.0) < eps);
        QVERIFY(qAbs(airfoil.px(4) - 1.0) < eps);
        QVERIFY(qAbs(airfoil.py(0) - 0.01125 * scale) < eps);
        QVERIFY(qAbs(airfoil.py(4) + 0.01125 * scale) < eps);
    }

    void symmetricSectionOnKnot()
    {
        // Both surfaces share their x, so the nose is a stationary point of x(t) exactly on
        // knot 50, which rounding puts a few ulps outside both neighbouring segments.
        Points x, y;
        section(0.0, 0.4, &x, &y);
        QVERIFY(Airfoil::analysisProblem(x.size(), x.data(), y.data()).empty());
        Airfoil airfoil(x.size(), x.data(), y.data());
        airfoil.normalize();
        QVERIFY(qAbs(airfoil.px(50)) < eps && qAbs(airfoil.py(50)) < eps);
        QVERIFY(qAbs(airfoil.px(0) - 1.0) < eps && qAbs(airfoil.px(100) - 1.0) < eps);
        Camberline line(200, 3.0, 2.0);
        line.computePoints(&airfoil);
        for (int i = 0; i <= 200; ++i)
            QVERIFY(qAbs(line.ypoint(i)) < eps);
    }

    void analysisProblem_data()
    {
        QTest::addColumn<Points>("x");
        QTest::addColumn<Points>("y");
        QTest::addColumn<QString>("reason");
        const double nan = std::numeric_limits<double>::quiet_NaN();
        const Points xs {1, 0.5, 0, 0.5, 1};
        const Points ys {0.01, 0.05, 0, -0.05, -0.01};
        QTest::newRow("regular") << xs << ys << QString();
        QTest::newRow("no points") << Points {} << Points {} << "fewer than 2 points";
        QTest::newRow("one point") << Points {1} << Points {0} << "fewer than 2 points";
        QTest::newRow("NaN") << xs << Points {0.01, nan, 0, -0.05, -0.01} << "non-finite";
        QTest::newRow("infinity") << Points {1, 0.5, -qInf(), 0.5, 1} << ys << "non-finite";
        QTest::newRow("huge") << Points {1, 0.5, 0, 0.5, 1e301} << ys << "beyond 1e300";
        QTest::newRow("x monotone")
            << Points {0, 0.5, 1} << Points {0, 0.1, 0} << "no leading edge";
        QTest::newRow("first two at one x") << Points {0.9, 0.9, 0, 0.5, 1} << ys << "first two";
        QTest::newRow("last two at one x") << Points {1, 0.5, 0, 0.9, 0.9} << ys << "last two";
        QTest::newRow("nose at the trailing edge's x")
            << Points {1, 2, 1, 2, 1} << ys << "chord is zero";
        QTest::newRow("far too tall") << xs << Points {1e300, -1e300, 0, 0, 0} << "too large";
    }

    void analysisProblem()
    {
        // A rejected contour is left as it is by normalize().
        QFETCH(Points, x);
        QFETCH(Points, y);
        QFETCH(QString, reason);
        const QString problem
            = QString::fromStdString(Airfoil::analysisProblem(x.size(), x.data(), y.data()));
        QCOMPARE(problem.isEmpty(), reason.isEmpty());
        QVERIFY2(problem.contains(reason), qPrintable(problem));
        QVERIFY(problem.isEmpty() || (problem[0].isLower() && !problem.endsWith('.')));
        Airfoil airfoil(x.size(), x.data(), y.data());
        airfoil.normalize();
        for (int j = 0; j < x.size() && !reason.isEmpty(); ++j) {
            QCOMPARE(airfoil.px(j), x[j]);
            QCOMPARE(airfoil.py(j), y[j]);
        }
    }

    void stations_data()
    {
        QTest::addColumn<int>("panels");
        QTest::addColumn<double>("leDensity");
        QTest::addColumn<double>("teDensity");
        QTest::addColumn<QList<int>>("indices");
        QTest::addColumn<QStringList>("stations");
        QTest::newRow("8 panels 3/2")
            << 8 << 3.0 << 2.0 << QList<int> {0, 1, 2, 3, 4, 5, 6, 7, 8}
            << QStringList {"0.000000", "0.032583", "0.083777", "0.171841", "0.333333", "0.582889",
                   "0.803222", "0.929909", "1.000000"};
        QTest::newRow("4 panels 1/1")
            << 4 << 1.0 << 1.0 << QList<int> {0, 1, 2, 3, 4}
            << QStringList {"0.000000", "0.204833", "0.500000", "0.795167", "1.000000"};
        QTest::newRow("200 panels 3/2")
            << 200 << 3.0 << 2.0 << QList<int> {1, 199} << QStringList {"0.00106905", "0.99785652"};
        QTest::newRow("one panel")
            << 1 << 3.0 << 2.0 << QList<int> {0, 1} << QStringList {"0.000000", "1.000000"};
    }

    void stations()
    {
        QFETCH(int, panels);
        QFETCH(double, leDensity);
        QFETCH(double, teDensity);
        QFETCH(QList<int>, indices);
        QFETCH(QStringList, stations);
        Camberline line(panels, leDensity, teDensity);
        QCOMPARE(line.npoints(), panels + 1);
        for (int k = 0; k < indices.size(); ++k) {
            const int decimals = stations[k].size() - 2;
            QCOMPARE(QString::number(line.xpoint(indices[k]), 'f', decimals), stations[k]);
        }
        for (int i = 0; i < panels; ++i) {
            QVERIFY(line.xpoint(i + 1) > line.xpoint(i));
            QCOMPARE(line.ypoint(i), 0.0);
            QCOMPARE(line.panelAngle[i], 0.0);
        }
        QCOMPARE(line.xpoint(-1), 0.0);
        QCOMPARE(line.xpoint(panels + 1), 0.0);
        line.sety(panels, 0.5);
        line.sety(panels + 1, 0.7);
        line.sety(-1, 0.7);
        QCOMPARE(line.ypoint(panels), 0.5);
        QCOMPARE(line.ypoint(panels + 1), 0.0);
        QCOMPARE(line.ypoint(0), 0.0);
    }

    void camberFromContour()
    {
        // The mean of the two surfaces is the mean line, up to the spline's interpolation.
        Points x, y;
        section(0.02, 0.4, &x, &y);
        Airfoil airfoil(x.size(), x.data(), y.data());
        airfoil.normalize();
        Camberline line(40, 3.0, 2.0);
        line.computePoints(&airfoil);
        for (int i = 1; i < 40; ++i)
            QVERIFY(qAbs(line.ypoint(i) - meanLine(0.02, 0.4, line.xpoint(i))) < 1e-4);
        QCOMPARE(line.ypoint(0), 0.0);
        QCOMPARE(line.ypoint(40), 0.0);
    }

    void stationsNotCrossedTwice()
    {
        // The lower surface turns back at x = 0.1: stations 0.2048 and 0.5 are crossed three
        // times, station 0.7952 only by the upper surface.
        Points x {1.0, 0.6, 0.0, 0.6, 0.1};
        Points y {0.05, 0.06, 0.0, -0.04, -0.03};
        Airfoil airfoil(5, x.data(), y.data());
        Camberline line(4, 1.0, 1.0);
        for (int i = 0; i <= 4; ++i)
            line.sety(i, 1.0);
        line.computePoints(&airfoil);
        for (int i = 0; i <= 4; ++i)
            QCOMPARE(line.ypoint(i), 0.0);
    }

    void flatLine_data()
    {
        QTest::addColumn<int>("panels");
        QTest::addColumn<double>("leDensity");
        QTest::addColumn<double>("teDensity");
        QTest::newRow("1 panel") << 1 << 3.0 << 2.0;
        QTest::newRow("8 panels 3/2") << 8 << 3.0 << 2.0;
        QTest::newRow("35 panels 1/10") << 35 << 1.0 << 10.0;
    }

    void flatLine()
    {
        QFETCH(int, panels);
        QFETCH(double, leDensity);
        QFETCH(double, teDensity);
        Camberline line(panels, leDensity, teDensity);
        double c[6];
        computeCoeff(&line, c);
        QVERIFY(qAbs(c[3] - 2 * M_PI) < eps);
        for (int k : {0, 1, 2, 4, 5})
            QVERIFY(qAbs(c[k]) < eps);
    }

    void parabola_data()
    {
        QTest::addColumn<int>("panels");
        QTest::addColumn<QStringList>("coefficients");
        QTest::newRow("8 panels") << 8
                                  << QStringList {"0.423629", "-0.0674226", "-0.124797", "6.28319",
                                         "0.00820906", "0.475208"};
        QTest::newRow("200 panels") << 200
                                    << QStringList {"0.496562", "-0.0790302", "-0.125092",
                                           "6.28319", "0.000347764", "0.498747"};
    }

    void parabola()
    {
        // y = 0.16 x (1 - x): every chord has the slope 0.16 (1 - x[i] - x[i + 1]).
        QFETCH(int, panels);
        QFETCH(QStringList, coefficients);
        Camberline line(panels, 3.0, 2.0);
        Camberline mirrored(panels, 3.0, 2.0);
        for (int i = 0; i <= panels; ++i) {
            const double x = line.xpoint(i);
            line.sety(i, 0.16 * x * (1 - x));
            mirrored.sety(i, -0.16 * x * (1 - x));
        }
        double c[6];
        double again[6];
        double m[6];
        computeCoeff(&line, c);
        computeCoeff(&line, again);
        computeCoeff(&mirrored, m);
        for (int k = 0; k < 6; ++k) {
            QCOMPARE(QString::number(c[k], 'g', 6), coefficients[k]);
            QCOMPARE(again[k], c[k]);
            QVERIFY(qAbs(m[k] - (k == 3 ? c[k] : -c[k])) < eps);
        }
        for (int i = 0; i < panels; ++i) {
            const double slope = 0.16 * (1 - line.xpoint(i) - line.xpoint(i + 1));
            QVERIFY(qAbs(line.panelAngle[i] + std::atan(slope)) < eps);
        }
    }

    void convergesToThinAirfoilTheory()
    {
        // NACA 2412 mean line: alpha0 = -2.077 degrees, cm0 = -0.0531 analytically.
        double previous = 1.0;
        for (int panels : {8, 25, 50, 100, 200}) {
            Camberline line(panels, 3.0, 2.0);
            for (int i = 0; i <= panels; ++i)
                line.sety(i, meanLine(0.02, 0.4, line.xpoint(i)));
            double c[6];
            computeCoeff(&line, c);
            const double error = std::max(
                qAbs(c[1] * 57.29577951308232 / -2.077 - 1.0), qAbs(c[2] / -0.0531 - 1.0));
            QVERIFY2(error < previous, qPrintable(QString::number(panels)));
            previous = error;
        }
        QVERIFY(previous < 0.007);
    }
};

QTEST_APPLESS_MAIN(tst_Airfoil)
#include "tst_airfoil.moc"
