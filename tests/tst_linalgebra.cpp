#include "camberline.h"
#include "influence.h"
#include "inverse_internal.h"
#include "linalgebra.h"
#include "literal_inverse.h"
#include "paneling.h"
#include "workerpool.h"

#include <QtTest>

#include <hwy/targets.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <optional>
#include <random>
#include <set>
#include <thread>

using Matrix = QList<double>;
using Windows = QList<int>;

static const double eps = 1e-9;

static int order(const Matrix &m) { return int(std::lround(std::sqrt(m.size()))); }

// Random entries: uniform in [-1, 1], small integers in [-3, 3] (many ties, exact zeros),
// small-integer matrices made singular in ways that leave exact zeros or rounding residue behind,
// or holding NaN: one entry, whole columns, or a block decoupled from the rest, so that once the
// finite part is used up every candidate is NaN and the search falls back on (0, 0) over and over.
// Then more ties: quarters in [-2, 2], whose differences cancel to +0 and -0, and block-diagonal
// matrices of one small-integer block repeated; and one infinite entry, a zero row, all ones.
enum class Kind {
    Uniform,
    SmallIntegers,
    RankOne,
    RepeatedRow,
    WithNaN,
    NaNColumns,
    NaNBlock,
    Quarters,
    IdenticalBlocks,
    WithInf,
    ZeroRow,
    AllOnes,
};
static const char *const kindNames[]
    = {"uniform", "small integers", "rank one", "repeated row", "with NaN", "NaN columns",
        "NaN block", "quarters", "identical blocks", "with inf", "zero row", "all ones"};

static Matrix randomMatrix(std::mt19937 &rng, int n, Kind kind)
{
    std::uniform_real_distribution<double> uniform(-1.0, 1.0);
    std::uniform_int_distribution<int> small(-3, 3), quarters(-8, 8);
    Matrix m(n * n), u(n), v(n);
    for (double &x : m) {
        x = kind == Kind::Uniform    ? uniform(rng)
            : kind == Kind::Quarters ? 0.25 * quarters(rng)
            : kind == Kind::AllOnes  ? 1.0
                                     : small(rng);
    }
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
    if (kind == Kind::WithNaN || kind == Kind::WithInf)
        m[rng() % (n * n)] = kind == Kind::WithNaN ? std::nan("") : -qInf();
    if (kind == Kind::ZeroRow)
        std::fill_n(m.begin() + rng() % n * n, n, 0.0);
    const int block = 1 + rng() % 4;
    for (int k = 0; k < n * n; ++k) {
        const int i = k / n, j = k % n;
        const bool row = picked[i], column = picked[j];
        if (kind == Kind::RankOne)
            m[k] = u[i] * v[j];
        else if (column && (row || kind == Kind::NaNColumns))
            m[k] = std::nan("");
        else if (kind == Kind::NaNBlock && (row || column))
            m[k] = 0.0;
        else if (kind == Kind::IdenticalBlocks)
            m[k] = i / block == j / block ? m[i % block * n + j % block] : 0.0;
    }
    return m;
}

// The camber line's influence matrix, n panels clustered by the given densities, as the program
// builds it.
static Matrix influence(int n, double leDensity = 3.0, double teDensity = 2.0)
{
    const std::vector<double> m
        = influenceMatrix(Camberline(Paneling {n, leDensity, teDensity}).stations());
    return Matrix(m.begin(), m.end());
}

static Matrix literalInverse(Matrix m)
{
    MatrixInverseLiteral(m.data(), order(m));
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

// Every target the kernels were built for and the processor runs, best first.
static const std::vector<std::int64_t> &targets()
{
    static const std::vector<std::int64_t> all = inverse::targets();
    return all;
}

// The kernels dispatch to `target` alone while the object lives.
struct OnTarget
{
    explicit OnTarget(std::int64_t target) { inverse::useTarget(target); }
    ~OnTarget() { inverse::useTarget(0); }
};

class tst_Linalgebra : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStringList names;
        for (std::int64_t target : targets())
            names << hwy::TargetName(target);
        qInfo("Targets: %s", qPrintable(names.join(", ")));
        QVERIFY(!targets().empty());
    }

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

    void everyTargetReached()
    {
        // Each target the test asks for gets kernels of its own, the portable one is among them
        // (a processor with a single vector target checks two), and so are those the program
        // runs when no target is asked for.
        std::set<const inverse::RowKernels *> kernels;
        for (std::int64_t target : targets()) {
            OnTarget only(target);
            kernels.insert(&inverse::rowKernels());
        }
        QCOMPARE(kernels.size(), targets().size());
        QVERIFY(std::count(targets().begin(), targets().end(), HWY_BASELINE_SCALAR) == 1);
        QVERIFY(kernels.count(&inverse::rowKernels()) == 1);
    }

    void agreesWithLiteral_data()
    {
        // The matrix, its literal inverse, the windows to try on the calling thread alone and
        // shared among all cores, and whether on every target or on the best only. A window of
        // the matrix's order or longer is one window for all steps: the windows stop there.
        QTest::addColumn<Matrix>("matrix");
        QTest::addColumn<Matrix>("expected");
        QTest::addColumn<Windows>("windows");
        QTest::addColumn<Windows>("sharedWindows");
        QTest::addColumn<bool>("everyTarget");
        const auto upTo = [](int n, Windows windows) {
            windows.removeIf([n](int w) { return w > n; });
            return windows << std::min(n, inverse::maxWindow);
        };
        const auto everyWindow = [](int n) {
            Windows all;
            for (int w = 1; w <= std::min(n, inverse::maxWindow); ++w)
                all << w;
            return all;
        };
        // Every kind at every order up to 64 with a few windows (shared: from two blocks of rows
        // on), and every window on the kinds with ties or non-finite entries at orders 8, 21 and
        // 40, and on those with the most ties at 64 too.
        std::mt19937 rng(2024);
        for (int kind = 0; kind <= int(Kind::AllOnes); ++kind) {
            const Kind k = Kind(kind);
            for (int n = 1; n <= 64; ++n) {
                const Matrix m = randomMatrix(rng, n, k);
                const bool sweep = k != Kind::Uniform
                    && (n == 8 || n == 21 || n == 40
                        || (n == 64
                            && (k == Kind::SmallIntegers || k == Kind::Quarters
                                || k == Kind::IdenticalBlocks || k == Kind::AllOnes)));
                QTest::addRow("%s %d", kindNames[kind], n)
                    << m << literalInverse(m) << (sweep ? everyWindow(n) : upTo(n, {1, 24}))
                    << (n > 32 ? Windows {inverse::defaultWindow} : Windows {}) << true;
            }
        }
        QTest::newRow("zeros 5") << Matrix(25, 0.0) << literalInverse(Matrix(25, 0.0))
                                 << everyWindow(5) << Windows {} << true;
        // The influence matrices at several densities: every window at the small orders.
        for (int n : {8, 37, 200}) {
            for (auto [le, te] : {std::pair(3.0, 2.0), std::pair(1.0, 1.0), std::pair(10.0, 10.0),
                     std::pair(1.0, 10.0), std::pair(7.5, 1.5)}) {
                const Matrix m = influence(n, le, te);
                const bool usual = le == 3.0 && te == 2.0;
                QTest::addRow("influence %d at %g/%g", n, le, te)
                    << m << literalInverse(m)
                    << (n < 200        ? everyWindow(n)
                               : usual ? Windows {1, inverse::defaultWindow, 64}
                                       : Windows {inverse::defaultWindow})
                    << (usual ? Windows {inverse::defaultWindow} : Windows {}) << true;
            }
        }
        // Order 999 with the program's window on every target, and more windows on the best one;
        // with AddressSanitizer the program's window on the best target alone, for time.
        const Matrix m999 = influence(999), expected999 = literalInverse(m999);
#if defined(__SANITIZE_ADDRESS__)
        QTest::newRow("influence 999, best target")
            << m999 << expected999 << Windows {inverse::defaultWindow}
            << Windows {inverse::defaultWindow} << false;
#else
        QTest::newRow("influence 999, best target")
            << m999 << expected999 << Windows {1, 64} << Windows {inverse::defaultWindow} << false;
        QTest::newRow("influence 999")
            << m999 << expected999 << Windows {inverse::defaultWindow} << Windows {} << true;
#endif
    }

    void agreesWithLiteral()
    {
        QFETCH(Matrix, matrix);
        QFETCH(Matrix, expected);
        QFETCH(Windows, windows);
        QFETCH(Windows, sharedWindows);
        QFETCH(bool, everyTarget);
        const int n = order(matrix);
        for (std::int64_t target : targets()) {
            OnTarget only(target);
            for (InverseThreads threads : {InverseThreads::One, InverseThreads::All}) {
                for (int window : threads == InverseThreads::One ? windows : sharedWindows) {
                    Matrix result = matrix;
                    inverse::invert(result.data(), n, threads, window);
                    const qsizetype difference = firstDifference(result, expected);
                    QVERIFY2(difference < 0,
                        qPrintable(
                            QStringLiteral("%1, window %2, %3: element %4 differs")
                                .arg(hwy::TargetName(target))
                                .arg(window)
                                .arg(threads == InverseThreads::One ? "one thread" : "all cores")
                                .arg(difference)));
                }
            }
            if (!everyTarget)
                break;
        }
    }

    void concurrentCalls()
    {
        // Inversions from several threads at once, some asking for all cores: the workers serve
        // one of them at most, and every result keeps its bits.
        std::mt19937 rng(11);
        const QList<Matrix> matrices {influence(200), randomMatrix(rng, 64, Kind::SmallIntegers),
            randomMatrix(rng, 48, Kind::NaNBlock)};
        QList<Matrix> literal;
        for (const Matrix &m : matrices)
            literal << literalInverse(m);
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

    void everyBlockOnce()
    {
        // Rounds of blocks in quick succession, and one of more blocks than a round holds: each
        // block runs exactly once, whichever thread takes it.
        WorkerTeam team(true);
        std::vector<std::atomic<int>> runs(70000);
        int wrong = 0;
        for (int round = 0; round < 500; ++round) {
            const int blocks = round == 0 ? int(runs.size()) : 2 + round % 7;
            for (int b = 0; b < blocks; ++b)
                runs[b] = 0;
            team.forEachBlock(blocks, [&](int block) {
                for (volatile int i = 0; i < 2000; ++i) { }
                ++runs[block];
            });
            for (int b = 0; b < blocks; ++b)
                wrong += runs[b] != 1;
        }
        QCOMPARE(wrong, 0);
    }

    void backgroundGivesWay()
    {
        // A background inversion sleeps while foreground work is in progress and finishes, with
        // the same bits, once it is over. Background teams never take the workers, and a
        // foreground team gets them even while a background team exists.
        const Matrix matrix = influence(200), expected = literalInverse(matrix);
        Matrix result = matrix;
        std::atomic<bool> done {false};
        std::atomic<int> backgroundTeamSize {0};
        std::optional<ForegroundWork> foreground(std::in_place);
        std::thread background([&] {
            BackgroundWork mark;
            backgroundTeamSize = WorkerTeam(true).size();
            MatrixInverse(result.data(), order(result), InverseThreads::All);
            done = true;
        });
        QTRY_COMPARE(backgroundTeamSize.load(), 1);
        // The foreground inverts the same matrix four times meanwhile: time enough for the
        // background's inversion to end, had it not paused.
        for (int round = 0; round < 4; ++round) {
            Matrix own = matrix;
            MatrixInverse(own.data(), order(own), InverseThreads::One);
        }
        QVERIFY(!done);
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
