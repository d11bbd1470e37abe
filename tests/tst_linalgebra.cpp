#include "linalgebra.h"
#include "linalgebra_p.h"
#include "literal_inverse.h"

#include <QtTest>

#include <cmath>
#include <cstring>
#include <random>

using Matrix = QList<double>;

static const double eps = 1e-9;

static int order(const Matrix &m) { return int(std::lround(std::sqrt(m.size()))); }

// Random entries: uniform in [-1, 1], small integers in [-3, 3] (many ties, exact zeros),
// small-integer matrices made singular in ways that leave exact zeros or rounding residue behind,
// or holding NaN: one entry, whole columns, or a block decoupled from the rest, so that once the
// finite part is used up every candidate is NaN and the search falls back on (0, 0) over and over.
enum class Kind { Uniform, SmallIntegers, RankOne, RepeatedRow, WithNaN, NaNColumns, NaNBlock };

static Matrix randomMatrix(std::mt19937 &rng, int n, Kind kind)
{
    std::uniform_real_distribution<double> uniform(-1.0, 1.0);
    std::uniform_int_distribution<int> small(-3, 3);
    Matrix m(n * n), u(n), v(n);
    for (double &x : m)
        x = kind == Kind::Uniform ? uniform(rng) : small(rng);
    QList<bool> picked(n); // the NaN columns, or the rows and columns of the NaN block
    for (int i = 0; i < n; ++i) {
        if (kind == Kind::RankOne) {
            u[i] = small(rng);
            v[i] = small(rng);
        }
        picked[i] = (kind == Kind::NaNColumns || kind == Kind::NaNBlock) && rng() % 3 == 0;
    }
    if (kind == Kind::RepeatedRow && n > 1)
        std::copy(m.begin(), m.begin() + n, m.begin() + (n - 1) * n);
    if (kind == Kind::WithNaN)
        m[rng() % (n * n)] = std::nan("");
    for (int k = 0; k < n * n; ++k) {
        const bool row = picked[k / n], column = picked[k % n];
        if (kind == Kind::RankOne)
            m[k] = u[k / n] * v[k % n];
        else if (column && (row || kind == Kind::NaNColumns))
            m[k] = std::nan("");
        else if (kind == Kind::NaNBlock && (row || column))
            m[k] = 0.0;
    }
    return m;
}

class tst_Linalgebra : public QObject
{
    Q_OBJECT

private slots:
    void inverse_data()
    {
        QTest::addColumn<Matrix>("matrix");
        QTest::addColumn<Matrix>("expected");
        const double inf = qInf();
        QTest::newRow("order 1") << Matrix {4} << Matrix {0.25};
        QTest::newRow("pivot off the diagonal")
            << Matrix {4, 7, 2, 6} << Matrix {0.6, -0.7, -0.2, 0.4};
        QTest::newRow("exchange") << Matrix {0, 1, 1, 0} << Matrix {0, 1, 1, 0};
        QTest::newRow("integer 3x3")
            << Matrix {1, 2, 3, 0, 1, 4, 5, 6, 0} << Matrix {-24, 18, 5, 20, -15, -4, -5, 4, 1};
        QTest::newRow("singular") << Matrix {1, 2, 2, 4} << Matrix {inf, inf, inf, inf};
        std::mt19937 rng(5);
        for (int n : {1, 2, 3, 7, 16, 40, 64})
            QTest::addRow("random order %d", n) << randomMatrix(rng, n, Kind::Uniform) << Matrix();
    }

    void inverse()
    {
        // The worked inverse where there is one (infinite: any non-finite value), then A * A^-1 = I
        // unless A is singular: column j of the product is A applied to row j of the transposed
        // inverse.
        QFETCH(Matrix, matrix);
        QFETCH(Matrix, expected);
        const int n = order(matrix);
        Matrix inverse = matrix;
        MatrixInverse(inverse.data(), n);
        for (int i = 0; i < expected.size(); ++i)
            QVERIFY(qIsInf(expected[i]) ? !qIsFinite(inverse[i])
                                        : qAbs(inverse[i] - expected[i]) < eps);
        if (expected.contains(qInf()))
            return;
        MatrixTranspose(inverse.data(), n);
        Matrix column(n);
        for (int j = 0; j < n; ++j) {
            MatrVecProd(matrix.data(), inverse.data() + j * n, column.data(), n);
            for (int i = 0; i < n; ++i)
                QVERIFY(qAbs(column[i] - (i == j ? 1.0 : 0.0)) < eps);
        }
    }

    void agreesWithLiteral_data()
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
        // The camber line's influence matrices, n panels clustered by densities 3 and 2:
        // 1 / (xc[i] - xv[j]), collocation point at the three-quarter point of panel i, vortex
        // at the quarter point of panel j.
        for (int n : {8, 37, 120, 300}) {
            Matrix x(n + 1), m(n * n);
            for (int i = 0; i <= n; ++i)
                x[i] = (std::atan(double(i) / n * 5.0 - 3.0) - std::atan(-3.0))
                    / (std::atan(2.0) - std::atan(-3.0));
            for (int k = 0; k < n * n; ++k) {
                const int i = k / n, j = k % n;
                m[k] = 1.0 / ((0.25 * x[i] + 0.75 * x[i + 1]) - (0.75 * x[j] + 0.25 * x[j + 1]));
            }
            QTest::addRow("influence %d", n) << m;
        }
    }

    void agreesWithLiteral()
    {
        // MatrixInverse itself (set -1), then every set of row kernels this processor can run;
        // NaN matches any NaN.
        QFETCH(Matrix, matrix);
        const int n = order(matrix);
        Matrix expected = matrix;
        MatrixInverseLiteral(expected.data(), n);
        for (int set = -1; set <= int(RowKernelSet::Avx512); ++set) {
            Matrix result = matrix;
            if (set < 0)
                MatrixInverse(result.data(), n);
            else if (rowKernelSetSupported(RowKernelSet(set)))
                MatrixInverseWith(RowKernelSet(set), result.data(), n);
            else
                continue;
            for (int i = 0; i < n * n; ++i) {
                const bool bothNaN = std::isnan(result[i]) && std::isnan(expected[i]);
                QVERIFY2(bothNaN || std::memcmp(&result[i], &expected[i], sizeof(double)) == 0,
                    qPrintable(QStringLiteral("set %1, element %2").arg(set).arg(i)));
            }
        }
    }

    void productTransposeAndOrderZero()
    {
        Matrix a {1, 2, 3, 4, 5, 6, 7, 8, 9};
        Matrix v {1, 2, 3};
        Matrix result {-1, -1, -1};
        MatrVecProd(a.data(), v.data(), result.data(), 3);
        MatrixTranspose(a.data(), 3);
        // Order 0 touches nothing.
        MatrixInverse(a.data(), 0);
        MatrVecProd(a.data(), v.data(), result.data(), 0);
        MatrixTranspose(a.data(), 0);
        QCOMPARE(result, (Matrix {14, 32, 50}));
        QCOMPARE(a, (Matrix {1, 4, 7, 2, 5, 8, 3, 6, 9}));
    }
};

QTEST_APPLESS_MAIN(tst_Linalgebra)
#include "tst_linalgebra.moc"
