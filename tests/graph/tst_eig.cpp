#include "graph/Eig.h"
#include "graph/Random.h"

#include <QtTest>

#include <cmath>
#include <functional>

using Matrix = QVector<QVector<double>>;
Q_DECLARE_METATYPE(Matrix)

namespace
{

const double kNaN = qQNaN();
const double kInf = qInf();
const double pi = std::acos(-1.0);

Matrix graphMatrix(int n, const std::function<bool(int, int)> &adjacent)
{
    Matrix a(n, QVector<double>(n, 0.0));
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            a[i][j] = i != j && adjacent(i, j) ? 1.0 : 0.0;
    return a;
}

Matrix laplacian(Matrix a)
{
    for (int i = 0; i < a.size(); ++i) {
        double degree = 0.0;
        for (double &x : a[i]) {
            degree += x;
            x = -x;
        }
        a[i][i] = degree;
    }
    return a;
}

// Descending list of the values f(k), k = 0..n-1.
QVector<double> sortedValues(int n, const std::function<double(int)> &f)
{
    QVector<double> v;
    for (int k = 0; k < n; ++k)
        v << f(k);
    std::sort(v.begin(), v.end(), std::greater<double>());
    return v;
}

void compareValues(const QVector<double> &actual, const QVector<double> &expected, double tolerance)
{
    QCOMPARE(actual.size(), expected.size());
    for (int k = 0; k < actual.size(); ++k)
        QVERIFY2(
            std::fabs(actual[k] - expected[k]) <= tolerance * std::max(1.0, std::fabs(expected[k])),
            qPrintable(
                QString("value %1: %2, expected %3").arg(k).arg(actual[k], 0, 'g', 17).arg(expected[k])));
}

void compareMatrices(const Matrix &actual, const Matrix &expected, double tolerance)
{
    QCOMPARE(actual.size(), expected.size());
    for (int r = 0; r < actual.size(); ++r)
        compareValues(actual[r], expected[r], tolerance);
}

// A converged decomposition: descending values, A V = V diag(values) and V^T V = I. The rotations
// stop once every off-diagonal entry is below 2e-6, so a column of A V - V L may keep about
// sqrt(n) * 2e-6 of it, on top of rounding at the entries' own scale.
void verifyDecomposition(const Matrix &a, const Eig &eig)
{
    const int n = a.size();
    QVERIFY2(eig.converged() && eig.errorText().isEmpty(), qPrintable(eig.errorText()));
    const QVector<double> values = eig.eigvals();
    const Matrix v = eig.eigvecs();
    QCOMPARE(values.size(), n);
    QCOMPARE(v.size(), n);
    double scale = 0.0;
    for (const auto &row : a)
        for (double x : row)
            scale = std::max(scale, std::fabs(x));
    const double tolerance = 2e-6 * std::sqrt(double(n)) + 1e-13 * n * scale;
    for (int r = 0; r < n; ++r) {
        QCOMPARE(v[r].size(), n);
        if (r + 1 < n)
            QVERIFY(values[r] >= values[r + 1]);
        for (int k = 0; k < n; ++k) {
            double av = 0.0;
            double dot = 0.0;
            for (int j = 0; j < n; ++j) {
                av += a[r][j] * v[j][k];
                dot += v[j][r] * v[j][k];
            }
            QVERIFY2(std::fabs(av - v[r][k] * values[k]) <= tolerance, "A V != V L");
            QVERIFY2(std::fabs(dot - (r == k ? 1.0 : 0.0)) <= 1e-12, "V'V != I");
        }
    }
}

// The classical Jacobi method written out literally: a full row-major pivot scan at every
// rotation and bubble passes for the order. Eig must take the same rotations, so it must give
// the same results, eigenvector signs and the order of equal eigenvalues included.
void literalJacobi(Matrix w, QVector<double> &values, Matrix &v)
{
    const int n = w.size();
    v = graphMatrix(n, [](int, int) { return false; });
    for (int i = 0; i < n; ++i)
        v[i][i] = 1.0;
    for (int guard = 0; guard < 1000000; ++guard) {
        double candidate = std::fabs(w[0][1]);
        int p = 0;
        int q = 1;
        for (int i = 0; i < n - 1; ++i)
            for (int j = i + 1; j < n; ++j)
                if (std::fabs(w[i][j]) > candidate + 1e-6) {
                    candidate = std::fabs(w[i][j]);
                    p = i;
                    q = j;
                }
        if (candidate < 1e-6)
            break;
        const double theta = std::atan2(2.0 * w[p][q], w[p][p] - w[q][q]);
        const double s = std::sin(theta * 0.5);
        const double c = std::cos(theta * 0.5);
        for (int r = 0; r < n; ++r) {
            const double wp = w[r][p], wq = w[r][q], vp = v[r][p], vq = v[r][q];
            w[r][p] = c * wp + s * wq;
            w[r][q] = -s * wp + c * wq;
            v[r][p] = c * vp + s * vq;
            v[r][q] = -s * vp + c * vq;
        }
        w[p][p] = c * w[p][p] + s * w[q][p];
        w[q][q] = c * w[q][q] - s * w[p][q];
        w[p][q] = 0.0;
        for (int r = 0; r < n; ++r) {
            w[p][r] = w[r][p];
            w[q][r] = w[r][q];
        }
    }
    values.clear();
    for (int r = 0; r < n; ++r)
        values << w[r][r];
    for (bool swapped = true; swapped;) {
        swapped = false;
        for (int k = 0; k + 1 < n; ++k)
            if (values[k + 1] > values[k]) {
                std::swap(values[k], values[k + 1]);
                for (auto &row : v)
                    std::swap(row[k], row[k + 1]);
                swapped = true;
            }
    }
}

} // namespace

class TestEig : public QObject
{
    Q_OBJECT

private slots:
    void knownSpectra_data();
    void knownSpectra();
    void exactResults_data();
    void exactResults();
    void sameRotationsAsLiteralScan_data();
    void sameRotationsAsLiteralScan();
    void failures_data();
    void failures();
    void outOfRange();
};

void TestEig::knownSpectra_data()
{
    QTest::addColumn<Matrix>("matrix");
    QTest::addColumn<QVector<double>>("expected");

    for (int n : {2, 5, 32}) {
        const Matrix k = graphMatrix(n, [](int, int) { return true; });
        QTest::addRow("K%d", n) << k << sortedValues(n, [n](int i) { return i == 0 ? n - 1.0 : -1.0; });
        QTest::addRow("Laplacian K%d", n)
            << laplacian(k) << sortedValues(n, [n](int i) { return i ? n : 0.0; });
    }
    for (int n : {3, 7, 32}) {
        const Matrix c =
            graphMatrix(n, [n](int i, int j) { return (i - j + n) % n == 1 || (j - i + n) % n == 1; });
        QTest::addRow("C%d", n) << c
                                << sortedValues(n, [n](int k) { return 2.0 * std::cos(2.0 * pi * k / n); });
        QTest::addRow("P%d", n) << graphMatrix(n, [](int i, int j) {
            return std::abs(i - j) == 1;
        }) << sortedValues(n, [n](int k) { return 2.0 * std::cos(pi * (k + 1) / (n + 1)); });
    }
    // The Petersen graph as the Kneser graph K(5,2): 2-subsets of {0..4}, adjacent when disjoint.
    QVector<int> pairs;
    for (int x = 0; x < 5; ++x)
        for (int y = x + 1; y < 5; ++y)
            pairs << ((1 << x) | (1 << y));
    QTest::newRow("Petersen") << graphMatrix(10, [&](int i, int j) { return (pairs[i] & pairs[j]) == 0; })
                              << sortedValues(10, [](int k) { return k == 0 ? 3.0 : (k <= 5 ? 1.0 : -2.0); });
    // The 5-cube: eigenvalue 5 - 2w for every vertex of Hamming weight w (multiplicity C(5, w)).
    const auto weight = [](int k) { return __builtin_popcount(unsigned(k)); };
    QTest::newRow("Q5") << graphMatrix(32, [&](int i, int j) { return weight(i ^ j) == 1; })
                        << sortedValues(32, [&](int k) { return 5.0 - 2.0 * weight(k); });
}

void TestEig::knownSpectra()
{
    QFETCH(Matrix, matrix);
    QFETCH(QVector<double>, expected);
    const Eig eig(matrix, matrix.size());
    verifyDecomposition(matrix, eig);
    compareValues(eig.eigvals(), expected, 1e-9);
}

void TestEig::exactResults_data()
{
    QTest::addColumn<Matrix>("matrix");
    QTest::addColumn<int>("n");
    QTest::addColumn<QVector<double>>("values");
    QTest::addColumn<Matrix>("vectors");

    const double h = 1.0 / std::sqrt(2.0);
    // One rotation by a right angle: c = s = 1/sqrt(2).
    QTest::newRow("P2") << Matrix{{0, 1}, {1, 0}} << 2 << QVector<double>{1, -1} << Matrix{{h, -h}, {h, h}};
    // No rotation: the diagonal, sorted, and the identity with its columns moved along.
    QTest::newRow("diag(1,3,2)") << Matrix{{1, 0, 0}, {0, 3, 0}, {0, 0, 2}} << 3 << QVector<double>{3, 2, 1}
                                 << Matrix{{0, 0, 1}, {1, 0, 0}, {0, 1, 0}};
    QTest::newRow("off-diagonal below tolerance")
        << Matrix{{-1, 5e-7, -9e-7}, {5e-7, 4, 2e-7}, {-9e-7, 2e-7, 0}} << 3 << QVector<double>{4, 0, -1}
        << Matrix{{0, 0, 1}, {1, 0, 0}, {0, 1, 0}};
    QTest::newRow("identity") << Matrix{{1, 0}, {0, 1}} << 2 << QVector<double>{1, 1}
                              << Matrix{{1, 0}, {0, 1}};
    QTest::newRow("order 0") << Matrix() << 0 << QVector<double>() << Matrix();
    QTest::newRow("order 1") << Matrix{{-2.5}} << 1 << QVector<double>{-2.5} << Matrix{{1}};
    // Only the leading block is read.
    QTest::newRow("order 1 of 2 x 2") << Matrix{{4, 9}, {9, kNaN}} << 1 << QVector<double>{4} << Matrix{{1}};
    // 20 diagonal entries 0, 1, 2, 0, 1, 2, ...: equal eigenvalues keep their positions' order.
    Matrix a = graphMatrix(20, [](int, int) { return false; });
    Matrix v = a;
    QVector<double> values;
    for (int i = 0; i < 20; ++i)
        a[i][i] = i % 3;
    for (int value = 2, k = 0; value >= 0; --value)
        for (int i = value; i < 20; i += 3, ++k) {
            values << value;
            v[i][k] = 1.0;
        }
    QTest::newRow("repeated diagonal") << a << 20 << values << v;
}

void TestEig::exactResults()
{
    QFETCH(Matrix, matrix);
    QFETCH(int, n);
    QFETCH(QVector<double>, values);
    QFETCH(Matrix, vectors);
    const Eig eig(matrix, n);
    QVERIFY(eig.converged());
    compareValues(eig.eigvals(), values, 1e-15);
    compareMatrices(eig.eigvecs(), vectors, 1e-15);
}

void TestEig::sameRotationsAsLiteralScan_data()
{
    QTest::addColumn<Matrix>("matrix");

    // 0.5000005 does not displace the pivot 0.5 (within the tolerance); 0.5000015 does. Then
    // random graphs, their Laplacians and random real symmetric matrices.
    QTest::newRow("tie within tolerance") << Matrix{{0, 0.5, 0.5000005}, {0.5, 0, 0}, {0.5000005, 0, 0}};
    QTest::newRow("tie beyond tolerance") << Matrix{{0, 0.5, 0.5000015}, {0.5, 0, 0}, {0.5000015, 0, 0}};
    for (quint32 seed = 1; seed <= 40; ++seed) {
        tsy_srand(seed);
        const int n = 2 + tsy_rand(31);
        Matrix a = graphMatrix(n, [](int, int) { return tsy_rand(2) == 1; });
        for (int i = 0; i < n; ++i)
            for (int j = i; j < n; ++j)
                a[i][j] = a[j][i] = seed % 3 == 0 ? 2e3 * tsy_rand() - 1e3 : a[i][j];
        QTest::addRow("seed %u n=%d", seed, n) << (seed % 3 == 1 ? laplacian(a) : a);
    }
}

void TestEig::sameRotationsAsLiteralScan()
{
    QFETCH(Matrix, matrix);
    QVector<double> values;
    Matrix vectors;
    literalJacobi(matrix, values, vectors);
    const Eig eig(matrix, matrix.size());
    verifyDecomposition(matrix, eig);
    compareValues(eig.eigvals(), values, 1e-12);
    compareMatrices(eig.eigvecs(), vectors, 1e-12);
}

void TestEig::failures_data()
{
    QTest::addColumn<Matrix>("matrix");
    QTest::addColumn<int>("n");

    QTest::newRow("NaN at [0][1]") << Matrix{{0, kNaN}, {kNaN, 0}} << 2;
    QTest::newRow("NaN on the diagonal") << Matrix{{1, 1, 0}, {1, kNaN, 1}, {0, 1, 1}} << 3;
    QTest::newRow("NaN in the lower triangle") << Matrix{{1, 1, 0}, {1, 2, 1}, {0, kNaN, 1}} << 3;
    QTest::newRow("+inf") << Matrix{{0, kInf}, {kInf, 0}} << 2;
    QTest::newRow("-inf") << Matrix{{-kInf, 1}, {1, 0}} << 2;
    QTest::newRow("order 1 NaN") << Matrix{{kNaN}} << 1;
    QTest::newRow("eigenvalue 2e308 overflows") << Matrix{{1e308, 1e308}, {1e308, 1e308}} << 2;
    QTest::newRow("too few rows") << Matrix{{0, 1}} << 2;
    QTest::newRow("short row") << Matrix{{0, 1, 1}, {1, 0}, {1, 1, 0}} << 3;
}

// A failure is reported, and the results keep their sizes but hold no plausible spectrum.
void TestEig::failures()
{
    QFETCH(Matrix, matrix);
    QFETCH(int, n);
    const Eig eig(matrix, n);
    QVERIFY(!eig.converged());
    QVERIFY(!eig.errorText().isEmpty());
    QCOMPARE(eig.eigvals().size(), n);
    QCOMPARE(eig.eigvecs().size(), n);
    for (int k = 0; k < n; ++k) {
        QVERIFY(std::isnan(eig.eigval(k)));
        QCOMPARE(eig.eigvec(k).size(), n);
        for (double x : eig.eigvec(k))
            QVERIFY(std::isnan(x));
    }
}

void TestEig::outOfRange()
{
    const Eig eig(graphMatrix(3, [](int, int) { return true; }), 3);
    QCOMPARE(eig.eigval(-1), 0.0);
    QCOMPARE(eig.eigval(3), 0.0);
    QVERIFY(eig.eigvec(3).isEmpty());
    QVERIFY(eig.eigvec(-1).isEmpty());
    // K3: eigenvalues (2, -1, -1); the rotations leave the eigenvector of 2 all positive.
    compareValues(eig.eigvals(), {2, -1, -1}, 1e-12);
    compareValues(eig.eigvec(0), QVector<double>(3, 1.0 / std::sqrt(3.0)), 1e-12);
}

QTEST_MAIN(TestEig)
#include "tst_eig.moc"
