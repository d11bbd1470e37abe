#include "linalgebra.h"
#include "literal_inverse.h"
#include "workerpool.h"

#include <QtTest>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstring>
#include <optional>
#include <random>
#include <thread>

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

// The camber line's influence matrix, n panels clustered by densities 3 and 2: 1 / (xc[i] - xv[j]),
// collocation point at the three-quarter point of panel i, vortex at the quarter point of panel j.
static Matrix influenceMatrix(int n)
{
    Matrix x(n + 1), m(n * n);
    for (int i = 0; i <= n; ++i)
        x[i] = (std::atan(double(i) / n * 5.0 - 3.0) - std::atan(-3.0))
            / (std::atan(2.0) - std::atan(-3.0));
    for (int k = 0; k < n * n; ++k) {
        const int i = k / n, j = k % n;
        m[k] = 1.0 / ((0.25 * x[i] + 0.75 * x[i + 1]) - (0.75 * x[j] + 0.25 * x[j + 1]));
    }
    return m;
}

// The first element whose bits differ, NaN matching any NaN; -1 when there is none.
static qsizetype firstDifference(const Matrix &result, const Matrix &expected)
{
    for (qsizetype i = 0; i < expected.size(); ++i) {
        const bool bothNaN = std::isnan(result[i]) && std::isnan(expected[i]);
        if (!bothNaN && std::memcmp(&result[i], &expected[i], sizeof(double)) != 0)
            return i;
    }
    return -1;
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
        for (int n : {8, 37, 200, 999}) {
#ifdef LIFTWISE_ROW_TARGETS // the builds for fewer instruction sets leave out the longest
            if (n == 999)
                continue;
#endif
            QTest::addRow("influence %d", n) << influenceMatrix(n);
        }
    }

    void agreesWithLiteral()
    {
        // On the calling thread alone and shared among all cores, whatever the order.
        QFETCH(Matrix, matrix);
        const int n = order(matrix);
        Matrix expected = matrix;
        MatrixInverseLiteral(expected.data(), n);
        for (InverseThreads threads : {InverseThreads::One, InverseThreads::All}) {
            Matrix result = matrix;
            MatrixInverse(result.data(), n, threads);
            QCOMPARE(firstDifference(result, expected), -1);
        }
    }

    void concurrentCalls()
    {
        // Inversions from several threads at once, some asking for all cores: the workers serve
        // one of them at most, and every result keeps its bits.
        std::mt19937 rng(11);
        const QList<Matrix> matrices {influenceMatrix(200),
            randomMatrix(rng, 64, Kind::SmallIntegers), randomMatrix(rng, 48, Kind::NaNBlock)};
        QList<Matrix> literal = matrices;
        for (Matrix &m : literal)
            MatrixInverseLiteral(m.data(), order(m));
        const QList<Matrix> expected = literal;
        const int callers = 4, rounds = 3;
        QList<qsizetype> differences(callers * rounds * matrices.size());
        qsizetype *difference = differences.data();
        std::vector<std::thread> threads;
        for (int c = 0; c < callers; ++c) {
            threads.emplace_back([&, c] {
                for (int r = 0; r < rounds; ++r) {
                    for (int m = 0; m < matrices.size(); ++m) {
                        Matrix result = matrices[m];
                        MatrixInverse(result.data(), order(result),
                            (c + r) % 2 ? InverseThreads::All : InverseThreads::ByOrder);
                        difference[(c * rounds + r) * matrices.size() + m]
                            = firstDifference(result, expected[m]);
                    }
                }
            });
        }
        for (std::thread &thread : threads)
            thread.join();
        QCOMPARE(differences, QList<qsizetype>(differences.size(), -1));
    }

    void backgroundGivesWay()
    {
        // A background inversion sleeps while foreground work is in progress and finishes, with
        // the same bits, once it is over. Background teams never take the workers, and a
        // foreground team gets them even while a background team exists.
        const Matrix matrix = influenceMatrix(200);
        Matrix expected = matrix, result = matrix;
        MatrixInverseLiteral(expected.data(), order(expected));
        std::atomic<bool> done {false};
        std::atomic<int> backgroundTeamSize {0};
        std::optional<ForegroundWork> foreground(std::in_place);
        std::thread background([&] {
            BackgroundWork mark;
            backgroundTeamSize = WorkerTeam(true).size();
            MatrixInverse(result.data(), order(result), InverseThreads::All);
            done = true;
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        QVERIFY(!done);
        QCOMPARE(backgroundTeamSize.load(), 1);
        {
            WorkerTeam team(true);
            QCOMPARE(team.size(), std::clamp(int(std::thread::hardware_concurrency()), 2, 32));
        }
        giveWayToForeground(); // not a background thread: returns at once
        foreground.reset();
        background.join();
        QVERIFY(done);
        QCOMPARE(firstDifference(result, expected), -1);
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
