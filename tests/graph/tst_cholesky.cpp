#include "graph/Cholesky.h"
#include "graph/Random.h"

#include <QtTest>

#include <cmath>
#include <functional>

using Matrix = QVector<QVector<double>>;
Q_DECLARE_METATYPE(Matrix)

namespace
{

// Laplacian D - A of the graph on n vertices with the given adjacency, plus shift I.
Matrix laplacian(int n, const std::function<bool(int, int)> &adjacent, double shift = 0.0)
{
    Matrix l(n, QVector<double>(n, 0.0));
    for (int i = 0; i < n; ++i) {
        l[i][i] = shift;
        for (int j = 0; j < n; ++j)
            if (i != j && adjacent(i, j)) {
                l[i][j] = -1.0;
                l[i][i] += 1.0;
            }
    }
    return l;
}

} // namespace

class TestCholesky : public QObject
{
    Q_OBJECT

private slots:
    void factors_data();
    void factors();
    void refuses_data();
    void refuses();
};

void TestCholesky::factors_data()
{
    QTest::addColumn<Matrix>("matrix");
    QTest::addColumn<Matrix>("factor"); // empty: only L L^T = A is checked

    const Matrix l2{{2, 0}, {1, std::sqrt(2.0)}};
    QTest::newRow("2 x 2") << Matrix{{4, 2}, {2, 3}} << l2;
    QTest::newRow("upper triangle never read") << Matrix{{4, qQNaN()}, {2, 3}} << l2;
    QTest::newRow("3 x 3") << Matrix{{25, 15, -5}, {15, 18, 0}, {-5, 0, 11}}
                           << Matrix{{5, 0, 0}, {3, 3, 0}, {-1, 1, 3}};
    QTest::newRow("empty") << Matrix() << Matrix();
    // Positive definite, if barely: a last pivot of 1e-10 is far above rounding noise.
    QTest::newRow("nearly singular") << Matrix{{1, 1}, {1, 1 + 1e-10}} << Matrix();
    QTest::newRow("Laplacian K32 + 1e-3 I") << laplacian(
                                                   32, [](int, int) { return true; }, 1e-3)
                                            << Matrix();
    for (int n : {5, 32}) {
        // B B^T + 0.1 I for a random B.
        tsy_srand(quint32(n));
        Matrix b(n, QVector<double>(n));
        for (auto &row : b)
            for (double &x : row)
                x = 2.0 * tsy_rand() - 1.0;
        Matrix a(n, QVector<double>(n, 0.0));
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j)
                for (int k = 0; k < n; ++k)
                    a[i][j] += b[i][k] * b[j][k] + (i == j && k == 0 ? 0.1 : 0.0);
        QTest::addRow("random n=%d", n) << a << Matrix();
    }
}

void TestCholesky::factors()
{
    QFETCH(Matrix, matrix);
    QFETCH(Matrix, factor);
    const int n = matrix.size();
    const Cholesky c(matrix, n);
    QVERIFY(c.succeeded());
    const Matrix l = c.q();
    QCOMPARE(l.size(), n);
    for (int i = 0; i < n; ++i) {
        QCOMPARE(l[i].size(), n);
        for (int j = 0; j < n; ++j) {
            if (!factor.isEmpty())
                QVERIFY2(std::fabs(l[i][j] - factor[i][j]) <= 1e-14,
                         qPrintable(QString("L[%1][%2]").arg(i).arg(j)));
            if (j > i)
                QCOMPARE(l[i][j], 0.0);
            if (j < i)
                continue;
            double llt = 0.0;
            for (int k = 0; k < n; ++k)
                llt += l[i][k] * l[j][k];
            QVERIFY2(std::fabs(llt - matrix[j][i]) <= 1e-13 * n * std::fabs(matrix[i][i]),
                     qPrintable(QString("(L L')[%1][%2]").arg(i).arg(j)));
        }
    }
}

void TestCholesky::refuses_data()
{
    QTest::addColumn<Matrix>("matrix");
    QTest::addColumn<int>("n");

    QTest::newRow("indefinite") << Matrix{{1, 2}, {2, 1}} << 2;
    QTest::newRow("exact zero pivot") << Matrix{{1, 1}, {1, 1}} << 2;
    QTest::newRow("NaN pivot") << Matrix{{qQNaN()}} << 1;
    QTest::newRow("NaN below the diagonal") << Matrix{{1, 0, 0}, {qQNaN(), 1, 0}, {0, 0, 1}} << 3;
    QTest::newRow("infinite pivot") << Matrix{{1, 0}, {0, qInf()}} << 2;
    QTest::newRow("too few rows") << Matrix{{4, 2}} << 2;
    QTest::newRow("short row") << Matrix{{4, 2}, {2}} << 2;
    // Every graph Laplacian is singular (its rows sum to zero). In floating point the last pivot
    // often comes out a few ulps above zero; it must still be refused, whatever the scale.
    for (int n : {3, 7, 10, 19, 32}) {
        QTest::addRow("Laplacian K%d", n) << laplacian(n, [](int, int) { return true; }) << n;
        QTest::addRow("Laplacian C%d", n)
            << laplacian(n, [n](int i, int j) { return (i - j + n) % n == 1 || (j - i + n) % n == 1; }) << n;
    }
    QTest::newRow("Laplacian Q5") << laplacian(32, [](int i, int j) {
        return __builtin_popcount(i ^ j) == 1;
    }) << 32;
    Matrix scaled = laplacian(9, [](int i, int j) { return (i + j) % 3 != 0; });
    for (auto &row : scaled)
        for (double &x : row)
            x *= 1e-9;
    QTest::newRow("Laplacian scaled by 1e-9") << scaled << 9;
    for (quint32 seed = 1; seed <= 10; ++seed) {
        tsy_srand(seed);
        const int n = 3 + tsy_rand(30);
        QVector<bool> edge(n * n);
        for (int i = 0; i < n; ++i)
            for (int j = i + 1; j < n; ++j)
                edge[i * n + j] = edge[j * n + i] = tsy_rand(2) == 1;
        QTest::addRow("Laplacian random %u (n=%d)", seed, n)
            << laplacian(n, [&](int i, int j) { return edge[i * n + j]; }) << n;
    }
}

// A refused matrix gives an n x n factor of zeros.
void TestCholesky::refuses()
{
    QFETCH(Matrix, matrix);
    QFETCH(int, n);
    const Cholesky c(matrix, n);
    QVERIFY(!c.succeeded());
    QCOMPARE(c.q(), Matrix(n, QVector<double>(n, 0.0)));
}

QTEST_MAIN(TestCholesky)
#include "tst_cholesky.moc"
