#include "graph/Eig.h"
#include "graph/SymmetricEigenvalues.h"
#include "support/TestData.h"

#include <QtTest>

#include <cmath>

using Matrix = QVector<QVector<double>>;
Q_DECLARE_METATYPE(Matrix)

namespace
{

Matrix adjacencyOf(int n, const QString &pairs)
{
    Matrix a(n, QVector<double>(n, 0.0));
    int k = 0;
    for (int i = 1; i < n; ++i)
        for (int j = 0; j < i; ++j, ++k)
            if (pairs.at(k) == QLatin1Char('1'))
                a[i][j] = a[j][i] = 1.0;
    return a;
}

// The graph matrix of the reference file's kind, built here from the definitions (not by the
// invariant items, which have their own tests).
Matrix graphMatrix(const QString &kind, int n, const QString &pairs)
{
    const Matrix a = adjacencyOf(n, pairs);
    QVector<double> degree(n, 0.0);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            degree[i] += a[i][j];
    Matrix m(n, QVector<double>(n, 0.0));
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            if (kind == QLatin1String("A"))
                m[i][j] = a[i][j];
            else if (kind == QLatin1String("L"))
                m[i][j] = (i == j ? degree[i] : 0.0) - a[i][j];
            else if (kind == QLatin1String("Q"))
                m[i][j] = (i == j ? degree[i] : 0.0) + a[i][j];
            else if (i == j)
                m[i][j] = 1.0;
            else if (a[i][j] != 0.0)
                m[i][j] = -1.0 / std::sqrt(degree[i] * degree[j]);
        }
    return m;
}

} // namespace

class TestSymmetricEigenvalues : public QObject
{
    Q_OBJECT

private slots:
    void graphSpectra_data();
    void graphSpectra();
    void hardMatrices_data();
    void hardMatrices();
    void failures_data();
    void failures();
};

void TestSymmetricEigenvalues::graphSpectra_data()
{
    QTest::addColumn<Matrix>("matrix");
    QTest::addColumn<QVector<double>>("expected");
    const QStringList lines = readDataLines(QStringLiteral("graph_eigenvalues_numpy.txt"));
    QVERIFY2(lines.size() > 1000, "tests/data/graph_eigenvalues_numpy.txt is missing or short");
    for (const QString &line : lines) {
        const QStringList f = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        const int n = f.at(1).toInt();
        QVector<double> expected;
        for (int k = 0; k < n; ++k)
            expected << f.at(3 + k).toDouble();
        QTest::newRow(qPrintable(f.at(0) + QLatin1Char(' ') + f.at(1) + QLatin1Char(' ') + f.at(2)))
            << graphMatrix(f.at(0), n, f.at(2)) << expected;
    }
}

// Agrees with numpy's LAPACK to 1e-9 and with the Jacobi rotations within their own tolerance;
// one solver object serves every row, so a reused object must not remember an earlier order.
void TestSymmetricEigenvalues::graphSpectra()
{
    QFETCH(Matrix, matrix);
    QFETCH(QVector<double>, expected);
    static SymmetricEigenvalues solver;
    const int n = matrix.size();
    QVERIFY(solver.compute(matrix, n));
    QCOMPARE(solver.order(), n);
    const Eig eig(matrix, n);
    QVERIFY(eig.converged());
    for (int k = 0; k < n; ++k) {
        QVERIFY2(std::fabs(solver.value(k) - expected[k]) <= 1e-9,
                 qPrintable(QStringLiteral("value %1: %2 vs %3")
                                .arg(k)
                                .arg(solver.value(k), 0, 'g', 17)
                                .arg(expected[k])));
        QVERIFY(std::fabs(solver.value(k) - eig.eigval(k)) <= 1e-6);
    }
}

void TestSymmetricEigenvalues::hardMatrices_data()
{
    QTest::addColumn<Matrix>("matrix");
    QTest::addColumn<QVector<double>>("expected");
    const QStringList lines = readDataLines(QStringLiteral("eigenvalues_numpy.txt"));
    QVERIFY2(lines.size() >= 20, "tests/data/eigenvalues_numpy.txt is missing or short");
    for (const QString &line : lines) {
        const QStringList f = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        const int n = f.at(1).toInt();
        Matrix m(n, QVector<double>(n));
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j)
                m[i][j] = f.at(2 + i * n + j).toDouble();
        QVector<double> expected;
        for (int k = 0; k < n; ++k)
            expected << f.at(2 + n * n + k).toDouble();
        QTest::newRow(qPrintable(f.at(0))) << m << expected;
    }
}

// Repeated eigenvalues, a spectrum over six orders of magnitude, tiny entries: 1e-9 relative to
// the largest absolute eigenvalue (at least 1).
void TestSymmetricEigenvalues::hardMatrices()
{
    QFETCH(Matrix, matrix);
    QFETCH(QVector<double>, expected);
    SymmetricEigenvalues solver;
    const int n = matrix.size();
    QVERIFY(solver.compute(matrix, n));
    double scale = 1.0;
    for (double v : expected)
        scale = qMax(scale, std::fabs(v));
    for (int k = 0; k < n; ++k)
        QVERIFY2(
            std::fabs(solver.value(k) - expected[k]) <= 1e-9 * scale,
            qPrintable(QStringLiteral("value %1: %2 vs %3").arg(k).arg(solver.value(k)).arg(expected[k])));
}

void TestSymmetricEigenvalues::failures_data()
{
    QTest::addColumn<Matrix>("matrix");
    QTest::addColumn<int>("order");
    QTest::addColumn<bool>("ok");
    const Matrix two{{1.0, 2.0}, {2.0, 1.0}};
    QTest::newRow("NaN entry") << Matrix{{1.0, qQNaN()}, {qQNaN(), 1.0}} << 2 << false;
    QTest::newRow("infinite diagonal") << Matrix{{qInf(), 0.0}, {0.0, 1.0}} << 2 << false;
    QTest::newRow("order above 64") << Matrix(65, QVector<double>(65, 0.0)) << 65 << false;
    QTest::newRow("negative order") << two << -1 << false;
    QTest::newRow("too few rows") << two << 3 << false;
    QTest::newRow("short row") << Matrix{{1.0, 2.0}, {2.0}} << 2 << false;
    QTest::newRow("order 0") << Matrix() << 0 << true;
    QTest::newRow("leading block only")
        << Matrix{{1.0, 2.0, qQNaN()}, {2.0, 1.0, 0.0}, {0.0, 0.0, 0.0}} << 2 << true;
}

// A failure never leaves a plausible spectrum behind: every value of the order is NaN.
void TestSymmetricEigenvalues::failures()
{
    QFETCH(Matrix, matrix);
    QFETCH(int, order);
    QFETCH(bool, ok);
    SymmetricEigenvalues solver;
    QCOMPARE(solver.compute(matrix, order), ok);
    QCOMPARE(solver.ok(), ok);
    QCOMPARE(solver.errorText().isEmpty(), ok);
    for (int k = 0; k < solver.order(); ++k)
        QCOMPARE(std::isnan(solver.value(k)), !ok);
    if (ok && order == 2) {
        QCOMPARE(solver.value(0), 3.0);
        QCOMPARE(solver.value(1), -1.0);
    }
}

QTEST_MAIN(TestSymmetricEigenvalues)
#include "tst_symmetriceigenvalues.moc"
