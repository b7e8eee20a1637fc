#include "OperatorCase.h"
#include "support/TestData.h"

#include <QtTest>

// The operators with a standard meaning (product, transpose, eigenvectors, determinant, inertia,
// Cholesky factor, Laplacian, row and column reductions, sums of products, correlations, distances,
// sorting, moments) against numpy/scipy/networkx results on fixed and random matrices and on the
// adjacency, Laplacian and distance matrices of graphs of 1 to 32 vertices, committed by
// tests/generators/operators_reference.py.
class TestReference : public QObject
{
    Q_OBJECT

private slots:
    void reference_data();
    void reference();
};

void TestReference::reference_data()
{
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QString>("graph");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<double>("tol");

    const QStringList lines = readDataLines(QStringLiteral("operators_reference.txt"));
    QVERIFY2(lines.size() >= 500, "tests/data/operators_reference.txt is missing or short");
    for (const QString &line : lines) {
        const QStringList f = line.split(QLatin1Char('|'));
        QVERIFY2(f.size() == 7, qPrintable(line.left(80)));
        QTest::newRow(qPrintable(f[0] + QLatin1Char(' ') + f[1]))
            << f[0] << f[2] << QStringList{f[3], f[4]} << f[5] << f[6].toDouble();
    }
}

void TestReference::reference()
{
    QFETCH(QString, keyword);
    QFETCH(QString, graph);
    QFETCH(QStringList, args);
    QFETCH(QString, expected);
    QFETCH(double, tol);
    runOperatorCase(keyword, graph, args, expected, tol);
}

QTEST_MAIN(TestReference)
#include "tst_reference.moc"
