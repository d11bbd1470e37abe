#include "linalgebra.h"
#include "linalgebra_p.h"
#include "literal_inverse.h"

#include <QtTest>

#include <cmath>
#include <cstring>
#include <random>

using Matrix = QList<double>;

static const double eps = 1e-9;

// Random entries: uniform in [-1, 1], small integers in [-3, 3] (many ties, exact zeros),
// small-integer matrices made singular in ways that leave exact zeros or rounding residue behind,
// or holding NaN: one entry, whole columns, or a block decoupled from the rest, so that once the
// finite part is used up every candidate is NaN and the search falls back on (0, 0) over and over.
enum class Kind { Uniform, SmallIntegers, RankOne, RepeatedRow, WithNaN, NaNColumns, NaNBlock };

static Matrix randomMatrix(std::mt19937 &rng, int n, Kind kind)
{
    std::uniform_real_distribution<double> uniform(-1.0, 1.0);
    std::uniform_int_distribution<int> small(-3, 3);
    Matrix m(n * n);
    for (double &x : m)
        x = kind == Kind::Uniform ? uniform(rng) : small(rng);
    if (kind == Kind::RankOne) {
        QList<double> u(n);
        QList<double> v(n);
        for (int i = 0; i < n; ++i) {
            u[i] = small(rng);
            v[i] = small(rng);
        }
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j)
                m[i * n + j] = u[i] * v[j];
    } else if (kind == Kind::RepeatedRow && n > 1) {
        std::copy(m.begin(), m.begin() + n, m.begin() + (n - 1) * n);
    } else if (kind == Kind::WithNaN) {
        m[rng() % (n * n)] = std::nan("");
    } else if (kind == Kind::NaNColumns) {
        for (int j = 0; j < n; ++j)
            if (rng() % 3 == 0)
                for (int i = 0; i < n; ++i)
                    m[i * n + j] = std::nan("");
    } else if (kind == Kind::NaNBlock) {
        QList<bool> inBlock(n);
        for (int i = 0; i < n; ++i)
            inBlock[i] = rng() % 3 == 0;
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j)
                if (inBlock[i] || inBlock[j])
                    m[i * n + j] = inBlock[i] && inBlock[j] ? std::nan("") : 0.0;
    }
    return m;
}

// The influence matrix of n panels clustered by densities 3 and 2: 1 / (xc[i] - xv[j]), vortex
// at the quarter and collocation point at the three-quarter point of each panel.
static Matrix influenceMatrix(int n)
{
    const double phi0 = std::atan(-3.0);
    const double range = std::atan(2.0) - phi0;
    QList<double> x(n + 1);
    x[n] = 1.0;
    for (int i = 1; i < n; ++i)
        x[i] = (std::atan(double(i) / n * 5.0 - 3.0) - phi0) / range;
    Matrix m(n * n);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            m[i * n + j]
                = 1.0 / ((0.25 * x[i] + 0.75 * x[i + 1]) - (0.75 * x[j] + 0.25 * x[j + 1]));
    return m;
}

static bool sameBits(double a, double b)
{
    return (std::isnan(a) && std::isnan(b)) || std::memcmp(&a, &b, sizeof(double)) == 0;
}

class tst_Linalgebra : public QObject
{
    Q_OBJECT

private slots:
    void inverse_data();
    void inverse();
    void singularComesBackInfinite();
    void inverseOfDoubled();
    void inverseTimesMatrix_data();
    void inverseTimesMatrix();
    void agreesWithLiteral_data();
    void agreesWithLiteral();
    void matrVecProd();
    void transpose_data();
    void transpose();
    void orderZeroTouchesNothing();
};

void tst_Linalgebra::inverse_data()
{
    QTest::addColumn<Matrix>("matrix");
    QTest::addColumn<Matrix>("expected");
    QTest::newRow("order 1") << Matrix {4} << Matrix {0.25};
    QTest::newRow("pivot off the diagonal") << Matrix {4, 7, 2, 6} << Matrix {0.6, -0.7, -0.2, 0.4};
    QTest::newRow("exchange") << Matrix {0, 1, 1, 0} << Matrix {0, 1, 1, 0};
    QTest::newRow("identity") << Matrix {1, 0, 0, 0, 1, 0, 0, 0, 1}
                              << Matrix {1, 0, 0, 0, 1, 0, 0, 0, 1};
    QTest::newRow("integer 3x3") << Matrix {1, 2, 3, 0, 1, 4, 5, 6, 0}
                                 << Matrix {-24, 18, 5, 20, -15, -4, -5, 4, 1};
}

void tst_Linalgebra::inverse()
{
    QFETCH(Matrix, matrix);
    QFETCH(Matrix, expected);
    const int n = int(std::lround(std::sqrt(matrix.size())));
    MatrixInverse(matrix.data(), n);
    for (int i = 0; i < n * n; ++i)
        QVERIFY2(qAbs(matrix[i] - expected[i]) < eps, qPrintable(QString::number(i)));
}

void tst_Linalgebra::singularComesBackInfinite()
{
    Matrix m {1, 2, 2, 4};
    MatrixInverse(m.data(), 2);
    for (double x : m)
        QVERIFY(qIsInf(x));
}

void tst_Linalgebra::inverseOfDoubled()
{
    std::mt19937 rng(11);
    Matrix m = randomMatrix(rng, 12, Kind::Uniform);
    Matrix doubled = m;
    for (double &x : doubled)
        x *= 2.0;
    MatrixInverse(m.data(), 12);
    MatrixInverse(doubled.data(), 12);
    for (int i = 0; i < m.size(); ++i)
        QVERIFY(qAbs(doubled[i] - 0.5 * m[i]) < eps);
}

void tst_Linalgebra::inverseTimesMatrix_data()
{
    QTest::addColumn<Matrix>("matrix");
    std::mt19937 rng(5);
    for (int n : {1, 2, 3, 7, 16, 40, 64})
        QTest::addRow("order %d", n) << randomMatrix(rng, n, Kind::Uniform);
}

// Column j of A * A^-1 is A applied to row j of the transposed inverse.
void tst_Linalgebra::inverseTimesMatrix()
{
    QFETCH(Matrix, matrix);
    const int n = int(std::lround(std::sqrt(matrix.size())));
    Matrix inverse = matrix;
    MatrixInverse(inverse.data(), n);
    MatrixTranspose(inverse.data(), n);
    QList<double> column(n);
    for (int j = 0; j < n; ++j) {
        MatrVecProd(matrix.data(), inverse.data() + j * n, column.data(), n);
        for (int i = 0; i < n; ++i)
            QVERIFY(qAbs(column[i] - (i == j ? 1.0 : 0.0)) < eps);
    }
}

void tst_Linalgebra::agreesWithLiteral_data()
{
    QTest::addColumn<Matrix>("matrix");
    std::mt19937 rng(2024);
    const char *names[] = {"uniform", "small integers", "rank one", "repeated row", "with NaN",
        "NaN columns", "NaN block"};
    for (int kind = 0; kind < 7; ++kind) {
        for (int n = 1; n <= 64; ++n)
            QTest::addRow("%s %d", names[kind], n) << randomMatrix(rng, n, Kind(kind));
    }
    QTest::newRow("zeros 5") << Matrix(25, 0.0);
    for (int n : {8, 37, 120, 300})
        QTest::addRow("influence %d", n) << influenceMatrix(n);
}

// MatrixInverse itself, then every set of row kernels this processor can run.
void tst_Linalgebra::agreesWithLiteral()
{
    QFETCH(Matrix, matrix);
    const int n = int(std::lround(std::sqrt(matrix.size())));
    Matrix expected = matrix;
    MatrixInverseLiteral(expected.data(), n);
    QList<Matrix> results(1, matrix);
    MatrixInverse(results[0].data(), n);
    for (RowKernelSet set : {RowKernelSet::Plain, RowKernelSet::Avx2, RowKernelSet::Avx512}) {
        if (rowKernelSetSupported(set)) {
            results.append(matrix);
            MatrixInverseWith(set, results.last().data(), n);
        }
    }
    for (const Matrix &result : results) {
        for (int i = 0; i < n * n; ++i)
            QVERIFY2(sameBits(result[i], expected[i]),
                qPrintable(QStringLiteral("(%1, %2): %3 instead of %4")
                               .arg(i / n)
                               .arg(i % n)
                               .arg(result[i], 0, 'g', 17)
                               .arg(expected[i], 0, 'g', 17)));
    }
}

void tst_Linalgebra::matrVecProd()
{
    double m[] = {1, 2, 3, 4};
    double v[] = {1, 1};
    double result[] = {-1, -1};
    MatrVecProd(m, v, result, 2);
    QCOMPARE(result[0], 3.0);
    QCOMPARE(result[1], 7.0);
}

void tst_Linalgebra::transpose_data()
{
    QTest::addColumn<Matrix>("matrix");
    QTest::addColumn<Matrix>("expected");
    QTest::newRow("order 1") << Matrix {5} << Matrix {5};
    QTest::newRow("order 2") << Matrix {1, 2, 3, 4} << Matrix {1, 3, 2, 4};
    QTest::newRow("order 3") << Matrix {1, 2, 3, 4, 5, 6, 7, 8, 9}
                             << Matrix {1, 4, 7, 2, 5, 8, 3, 6, 9};
}

void tst_Linalgebra::transpose()
{
    QFETCH(Matrix, matrix);
    QFETCH(Matrix, expected);
    MatrixTranspose(matrix.data(), int(std::lround(std::sqrt(matrix.size()))));
    QCOMPARE(matrix, expected);
}

void tst_Linalgebra::orderZeroTouchesNothing()
{
    Matrix sentinel(4, 42.0);
    Matrix a = sentinel;
    Matrix v = sentinel;
    Matrix result = sentinel;
    MatrixInverse(a.data(), 0);
    MatrVecProd(a.data(), v.data(), result.data(), 0);
    MatrixTranspose(a.data(), 0);
    QCOMPARE(a, sentinel);
    QCOMPARE(v, sentinel);
    QCOMPARE(result, sentinel);
}

QTEST_APPLESS_MAIN(tst_Linalgebra)
#include "tst_linalgebra.moc"
