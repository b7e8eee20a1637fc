#include "OperatorBoard.h"
#include "support/TestData.h"

#include <QtTest>

#include <cmath>

// "EIGENVALUES" against spectra known in closed form, against LAPACK values committed by
// tests/generators/eigenvalues_reference.py, and its refusals with their status texts.
class TestEigenvalues : public QObject
{
    Q_OBJECT

private slots:
    void knownSpectra_data();
    void knownSpectra();
    void numpyReference_data();
    void numpyReference();
    void refusals_data();
    void refusals();
    void failureAfterSuccess();
};

namespace
{

// The rotations stop once every off-diagonal entry is below about 1e-6, which bounds how far an
// eigenvalue can be from the exact one; relative to the largest magnitude of the spectrum.
const double Tolerance = 1e-6;

QString num(double v)
{
    return QString::number(v, 'g', 17);
}

// The n x n matrix as "nxn:..." with entries f(i, j).
template <class F> QString matrix(int n, F f)
{
    QStringList e;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            e << num(f(i, j));
    return QStringLiteral("%1x%1:").arg(n) + e.join(QLatin1Char(','));
}

QString adjacency(int n, const QVector<QPair<int, int>> &edges)
{
    QVector<QVector<double>> a(n, QVector<double>(n, 0.0));
    for (const auto &e : edges)
        a[e.first][e.second] = a[e.second][e.first] = 1.0;
    return matrix(n, [&](int i, int j) { return a[i][j]; });
}

QVector<double> descending(QVector<double> v)
{
    std::sort(v.begin(), v.end(), std::greater<double>());
    return v;
}

} // namespace

void TestEigenvalues::knownSpectra_data()
{
    QTest::addColumn<QString>("arg");
    QTest::addColumn<QVector<double>>("spectrum");

    const double pi = std::acos(-1.0);
    QTest::newRow("diag(1, 3, 2)") << "3x3:1,0,0,0,3,0,0,0,2" << QVector<double>{3, 2, 1};
    QTest::newRow("identity 5") << matrix(5, [](int i, int j) { return i == j ? 1.0 : 0.0; })
                                << QVector<double>(5, 1.0);
    QTest::newRow("zero 4") << matrix(4, [](int, int) { return 0.0; }) << QVector<double>(4, 0.0);
    QTest::newRow("asymmetry of 1e-6 accepted") << "2x2:0,1e-6,0,0" << QVector<double>{0, 0};

    for (int n : {2, 3, 5, 10, 17, 32}) {
        // Path P_n: 2 cos(pi k / (n + 1)), k = 1..n.
        QVector<QPair<int, int>> path;
        for (int i = 0; i + 1 < n; ++i)
            path.append({i, i + 1});
        QVector<double> ps;
        for (int k = 1; k <= n; ++k)
            ps << 2 * std::cos(pi * k / (n + 1));
        QTest::newRow(qPrintable(QStringLiteral("path %1").arg(n))) << adjacency(n, path) << descending(ps);

        // Complete graph K_n: n - 1 once, -1 n - 1 times; its Laplacian: n (n - 1 times) and 0.
        QVector<double> ks(n, -1.0);
        ks[0] = n - 1;
        QTest::newRow(qPrintable(QStringLiteral("complete %1").arg(n)))
            << matrix(n, [](int i, int j) { return i == j ? 0.0 : 1.0; }) << ks;
        QVector<double> ls(n, double(n));
        ls[n - 1] = 0.0;
        QTest::newRow(qPrintable(QStringLiteral("Laplacian of complete %1").arg(n)))
            << matrix(n, [n](int i, int j) { return i == j ? n - 1.0 : -1.0; }) << ls;

        // Star K_{1,n-1}: +-sqrt(n - 1) and n - 2 zeros.
        QVector<QPair<int, int>> star;
        for (int i = 1; i < n; ++i)
            star.append({0, i});
        QVector<double> ss(n, 0.0);
        ss[0] = std::sqrt(n - 1.0);
        ss[n - 1] = -std::sqrt(n - 1.0);
        QTest::newRow(qPrintable(QStringLiteral("star %1").arg(n))) << adjacency(n, star) << ss;
    }
    for (int n : {3, 4, 7, 12, 32}) {
        // Cycle C_n: 2 cos(2 pi k / n), k = 0..n-1.
        QVector<QPair<int, int>> cycle;
        for (int i = 0; i < n; ++i)
            cycle.append({i, (i + 1) % n});
        QVector<double> cs;
        for (int k = 0; k < n; ++k)
            cs << 2 * std::cos(2 * pi * k / n);
        QTest::newRow(qPrintable(QStringLiteral("cycle %1").arg(n))) << adjacency(n, cycle) << descending(cs);
    }
    // Petersen graph: 3, 1 (5 times), -2 (4 times).
    QVector<QPair<int, int>> petersen;
    for (int i = 0; i < 5; ++i) {
        petersen.append({i, (i + 1) % 5});
        petersen.append({5 + i, 5 + (i + 2) % 5});
        petersen.append({i, 5 + i});
    }
    QTest::newRow("Petersen") << adjacency(10, petersen) << QVector<double>{3, 1, 1, 1, 1, 1, -2, -2, -2, -2};
    // Hypercube Q_5 on 32 vertices: 5 - 2k with multiplicity C(5, k).
    QVector<QPair<int, int>> cube;
    for (int v = 0; v < 32; ++v)
        for (int b = 0; b < 5; ++b)
            if (v < (v ^ (1 << b)))
                cube.append({v, v ^ (1 << b)});
    QVector<double> qs;
    const int binom[6] = {1, 5, 10, 10, 5, 1};
    for (int k = 0; k <= 5; ++k)
        for (int m = 0; m < binom[k]; ++m)
            qs << 5.0 - 2 * k;
    QTest::newRow("hypercube Q5") << adjacency(32, cube) << qs;
    // Complete bipartite K_{4,4}: 4, -4 and six zeros.
    QVector<QPair<int, int>> bip;
    for (int i = 0; i < 4; ++i)
        for (int j = 4; j < 8; ++j)
            bip.append({i, j});
    QTest::newRow("complete bipartite 4,4") << adjacency(8, bip) << QVector<double>{4, 0, 0, 0, 0, 0, 0, -4};
}

void TestEigenvalues::knownSpectra()
{
    QFETCH(QString, arg);
    QFETCH(QVector<double>, spectrum);

    OperatorBoard board;
    Calculus *item = board.make(QStringLiteral("EIGENVALUES"));
    QVERIFY(item);
    board.linkAll({arg});
    QCOMPARE(item->getTooltip(), QStringLiteral("Eigenvalues"));
    QVERIFY(!item->getError());
    QCOMPARE(item->rows, spectrum.size());
    QCOMPARE(item->cols, 1);
    QCOMPARE(item->getSRows(), QStringLiteral("n"));
    QCOMPARE(item->getSCols(), QStringLiteral("1"));
    double scale = 1.0;
    for (double v : spectrum)
        scale = std::max(scale, std::fabs(v));
    for (int k = 0; k < spectrum.size(); ++k) {
        if (std::fabs(item->M[k][0] - spectrum[k]) > Tolerance * scale)
            QFAIL(qPrintable(QStringLiteral("eigenvalue %1 is %2, expected %3")
                                 .arg(k)
                                 .arg(num(item->M[k][0]), num(spectrum[k]))));
        if (k > 0)
            QVERIFY(item->M[k][0] <= item->M[k - 1][0]);
    }
}

void TestEigenvalues::numpyReference_data()
{
    QTest::addColumn<QString>("arg");
    QTest::addColumn<QVector<double>>("spectrum");

    const QStringList lines = readDataLines(QStringLiteral("eigenvalues_numpy.txt"));
    QVERIFY2(lines.size() >= 20, "tests/data/eigenvalues_numpy.txt is missing or short");
    for (const QString &line : lines) {
        const QStringList f = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        const int n = f.value(1).toInt();
        QVERIFY2(n >= 2 && f.size() == 2 + n * n + n, qPrintable(f.value(0)));
        QVector<double> s;
        for (int k = 0; k < n; ++k)
            s << f[2 + n * n + k].toDouble();
        QTest::newRow(qPrintable(f[0]))
            << QStringLiteral("%1x%1:").arg(n) + f.mid(2, n * n).join(QLatin1Char(',')) << s;
    }
}

void TestEigenvalues::numpyReference()
{
    knownSpectra();
}

void TestEigenvalues::refusals_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("status");

    QTest::newRow("not linked") << QStringList{} << "Missing arguments";
    QTest::newRow("empty") << QStringList{"0x0"} << "Argument error";
    QTest::newRow("value") << QStringList{"1x1:4"} << "EIG needs a matrix as argument";
    QTest::newRow("column") << QStringList{"3x1:1,2,3"} << "EIG needs a square matrix";
    QTest::newRow("row") << QStringList{"1x2:1,2"} << "EIG needs a square matrix";
    QTest::newRow("2x3") << QStringList{"2x3:1,2,3,4,5,6"} << "EIG needs a square matrix";
    QTest::newRow("asymmetry 2e-6") << QStringList{"2x2:0,2e-6,0,0"} << "EIG needs a symetric matrix";
    QTest::newRow("asymmetric 3x3, last pair")
        << QStringList{"3x3:1,2,3,2,1,4,3,5,1"} << "EIG needs a symetric matrix";
    QTest::newRow("NaN on the diagonal") << QStringList{"2x2:nan,1,1,0"} << "EIG needs finite entries";
    QTest::newRow("NaN pair") << QStringList{"3x3:0,nan,0,nan,0,0,0,0,0"} << "EIG needs finite entries";
    QTest::newRow("infinite pair") << QStringList{"2x2:0,inf,inf,0"} << "EIG needs finite entries";
    QTest::newRow("minus infinity") << QStringList{"2x2:-inf,0,0,1"} << "EIG needs finite entries";
}

void TestEigenvalues::refusals()
{
    QFETCH(QStringList, args);
    QFETCH(QString, status);

    OperatorBoard board;
    Calculus *item = board.make(QStringLiteral("EIGENVALUES"));
    board.linkAll(args);
    if (args.isEmpty())
        board.evaluate();
    QCOMPARE(item->getTooltip(), status);
    QCOMPARE(item->rows, 0);
    QCOMPARE(item->cols, 0);
    QCOMPARE(item->getSRows(), QStringLiteral("NA"));
    QCOMPARE(item->getSCols(), QStringLiteral("NA"));
    QVERIFY(item->getError());
}

void TestEigenvalues::failureAfterSuccess()
{
    OperatorBoard board;
    Calculus *item = board.make(QStringLiteral("EIGENVALUES"));
    board.linkAll({"2x2:0,1,1,0/n,n"});
    QCOMPARE(item->getTooltip(), QStringLiteral("Eigenvalues"));
    QCOMPARE(item->rows, 2);
    static_cast<FixedItem *>(item->argument(1))->set(QStringLiteral("2x2:0,1,0,0/n,n"));
    board.evaluate();
    QCOMPARE(item->getTooltip(), QStringLiteral("EIG needs a symetric matrix"));
    QCOMPARE(item->rows, 0);
    QVERIFY(item->getError());
}

QTEST_MAIN(TestEigenvalues)
#include "tst_eigenvalues.moc"
