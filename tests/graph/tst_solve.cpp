#include "graph/LinearSolve.h"
#include "graph/Random.h"

#include <QtTest>

#include <cmath>
#include <iostream>
#include <sstream>

using Matrix = QVector<QVector<double>>;
Q_DECLARE_METATYPE(Matrix)

class TestSolve : public QObject
{
    Q_OBJECT

private slots:
    void exactSystems_data();
    void exactSystems();
    void sizeMismatch_data();
    void sizeMismatch();
    void interrupted_data();
    void interrupted();
};

void TestSolve::exactSystems_data()
{
    QTest::addColumn<Matrix>("A");
    QTest::addColumn<QVector<double>>("b");
    QTest::addColumn<QVector<double>>("expected"); // coefficients, then the intercept

    // Centred: [[-1, -1.5], [1, 1.5]], rank 1; the second column is pivoted first and the first
    // keeps 0: 2/3 + 1/3 = 1 and 5/3 + 1/3 = 2.
    QTest::newRow("2 x 2 rank one") << Matrix{{1, 2}, {3, 5}} << QVector<double>{1, 2}
                                    << QVector<double>{0, 1.0 / 3, 1.0 / 3};
    QTest::newRow("identity") << Matrix{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}} << QVector<double>{1, 2, 4}
                              << QVector<double>{-3, -2, 0, 4};
    QTest::newRow("n = 1") << Matrix{{7}} << QVector<double>{4} << QVector<double>{0, 4};
    QTest::newRow("empty") << Matrix() << QVector<double>() << QVector<double>{0};
    // Columns varying by less than the pivot threshold are not used: only the mean is fitted.
    QTest::newRow("nearly constant") << Matrix{{1, 2}, {1.00001, 2.00001}} << QVector<double>{3, 5}
                                     << QVector<double>{0, 0, 4};
    // b = X beta + c, with a constant last column (centred to zero, so coefficient 0): the other
    // coefficients and the intercept are then unique.
    for (int n : {3, 6, 12, 300}) {
        tsy_srand(quint32(n));
        Matrix a(n, QVector<double>(n, 1.0));
        QVector<double> expected(n + 1, 0.0);
        for (int j = 0; j + 1 < n; ++j)
            expected[j] = tsy_rand(11) - 5;
        expected[n] = tsy_rand(21) - 10;
        QVector<double> b(n, expected[n]);
        for (int i = 0; i < n; ++i)
            for (int j = 0; j + 1 < n; ++j) {
                a[i][j] = tsy_rand(9) - 4 + (i == j ? 20 : 0);
                b[i] += expected[j] * a[i][j];
            }
        QTest::addRow("fit n=%d", n) << a << b << expected;
    }
}

void TestSolve::exactSystems()
{
    QFETCH(Matrix, A);
    QFETCH(QVector<double>, b);
    QFETCH(QVector<double>, expected);
    const QVector<double> x = solve(A, b);
    QCOMPARE(x.size(), expected.size());
    for (int i = 0; i < x.size(); ++i)
        QVERIFY2(std::fabs(x[i] - expected[i]) <= 1e-9,
                 qPrintable(QString("x[%1] = %2").arg(i).arg(x[i], 0, 'g', 17)));
}

void TestSolve::sizeMismatch_data()
{
    QTest::addColumn<Matrix>("A");
    QTest::addColumn<QVector<double>>("b");
    QTest::addColumn<QString>("message");

    QTest::newRow("2 x 3, 3 values") << Matrix{{1, 2, 3}, {4, 5, 6}} << QVector<double>{1, 2, 3}
                                     << "VEC :3\nMAT :2 x 3\n";
    QTest::newRow("3 x 3, 2 values") << Matrix{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}} << QVector<double>{1, 2}
                                     << "VEC :2\nMAT :3 x 3\n";
    QTest::newRow("short row") << Matrix{{1, 0}, {0}} << QVector<double>{1, 2} << "VEC :2\nMAT :2 x 2\n";
    QTest::newRow("long row") << Matrix{{1, 0}, {0, 1, 7}} << QVector<double>{1, 2} << "VEC :2\nMAT :2 x 2\n";
    QTest::newRow("empty matrix") << Matrix() << QVector<double>{1} << "VEC :1\nMAT :0 x 0\n";
    QTest::newRow("no values") << Matrix{{1}} << QVector<double>() << "VEC :0\nMAT :1 x 1\n";
}

// The one exception of the program: an int of value 1, after three lines on the error stream.
void TestSolve::sizeMismatch()
{
    QFETCH(Matrix, A);
    QFETCH(QVector<double>, b);
    QFETCH(QString, message);
    std::ostringstream captured;
    std::streambuf *old = std::cerr.rdbuf(captured.rdbuf());
    int thrown = 0;
    try {
        solve(A, b);
    } catch (int e) {
        thrown = e;
    }
    std::cerr.rdbuf(old);
    QCOMPARE(thrown, 1);
    QCOMPARE(QString::fromStdString(captured.str()), "DIMENSION ERROR IN solve()\n" + message);
}

namespace
{

// A system of order n in general position, b = X beta + 2 with a constant last column.
void generalSystem(int n, Matrix &a, QVector<double> &b)
{
    tsy_srand(quint32(n) + 99);
    a = Matrix(n, QVector<double>(n, 1.0));
    b = QVector<double>(n, 2.0);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j + 1 < n; ++j) {
            a[i][j] = tsy_rand(1000) / 100.0;
            b[i] += (j % 5 - 2) * a[i][j];
        }
}

} // namespace

// A large fit asks whether to go on while it eliminates and stops with an empty result once
// told to; a callback that never says stop changes nothing; a small fit never asks.
void TestSolve::interrupted_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("stopAt"); // the question answered "stop"; 0: none
    QTest::addColumn<bool>("asked");
    QTest::newRow("large, never stopped") << 400 << 0 << true;
    QTest::newRow("large, stopped at the first question") << 400 << 1 << false;
    QTest::newRow("large, stopped at the fifth question") << 400 << 5 << false;
    QTest::newRow("small") << 12 << 1 << false;
}

void TestSolve::interrupted()
{
    QFETCH(int, n);
    QFETCH(int, stopAt);
    QFETCH(bool, asked);
    Matrix a;
    QVector<double> b;
    generalSystem(n, a, b);
    const QVector<double> plain = solve(a, b);
    int questions = 0;
    const QVector<double> x = solve(a, b, [&]() { return ++questions == stopAt; });
    if (stopAt > 0 && questions >= stopAt) {
        QCOMPARE(questions, stopAt);
        QVERIFY(x.isEmpty());
        return;
    }
    QCOMPARE(questions > 0, asked);
    // Bit for bit the result without a callback, which fits b through every row.
    QCOMPARE(x, plain);
    for (int i = 0; i < n; ++i) {
        double f = x[n];
        for (int j = 0; j < n; ++j)
            f += x[j] * a[i][j];
        QVERIFY(std::fabs(f - b[i]) < 1e-8);
    }
}

QTEST_MAIN(TestSolve)
#include "tst_solve.moc"
