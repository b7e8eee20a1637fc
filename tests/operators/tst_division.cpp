#include "OperatorBoard.h"

#include <QtTest>

// "/": the three division paths, the zero-divisor threshold 1e-6 and what a failure leaves behind.
class TestDivision : public QObject
{
    Q_OBJECT

private slots:
    void divide_data();
    void divide();
    void zeroDivisorLeavesMarker_data();
    void zeroDivisorLeavesMarker();
    void statusAfterFailure();
};

void TestDivision::divide_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("labels");
    QTest::addColumn<bool>("error");

    QTest::newRow("column by value") << QStringList{"3x1:2,4,6/n,1", "1x1:2/1,1"} << "/"
                                     << "3x1:1,2,3"
                                     << "n,1" << false;
    QTest::newRow("value by column") << QStringList{"1x1:12/1,1", "3x1:1,2,3/p,1"} << "/"
                                     << "3x1:12,6,4"
                                     << "p,1" << false;
    QTest::newRow("value by row") << QStringList{"1x1:1", "1x4:1,2,4,8/1,n"} << "/"
                                  << "1x4:1,0.5,0.25,0.125"
                                  << "1,n" << false;
    QTest::newRow("matrices, labels of the divisor")
        << QStringList{"2x2:1,2,3,4/a,b", "2x2:2,4,6,8/c,d"} << "/"
        << "2x2:0.5,0.5,0.5,0.5"
        << "c,d" << false;
    QTest::newRow("3x3 by 3x3") << QStringList{"3x3:1,2,3,4,5,6,7,8,9", "3x3:1,1,1,2,2,2,-4,-4,-4"} << "/"
                                << "3x3:1,2,3,2,2.5,3,-1.75,-2,-2.25"
                                << "n,n" << false;
    QTest::newRow("two values") << QStringList{"1x1:1", "1x1:4"} << "/"
                                << "1x1:0.25"
                                << "1,1" << false;
    QTest::newRow("divisor exactly 1e-6") << QStringList{"1x1:1", "1x1:1e-6"} << "/"
                                          << "1x1:1e6"
                                          << "1,1" << false;
    QTest::newRow("divisor -1e-6") << QStringList{"1x1:1", "1x1:-1e-6"} << "/"
                                   << "1x1:-1e6"
                                   << "1,1" << false;
    QTest::newRow("divisor 9e-7") << QStringList{"1x1:1", "1x1:9e-7"} << "NUMERICAL ERROR: DIV by 0"
                                  << "0x0"
                                  << "1,1" << true;
    QTest::newRow("divisor 0") << QStringList{"1x1:1", "1x1:0"} << "NUMERICAL ERROR: DIV by 0"
                               << "0x0"
                               << "1,1" << true;
    QTest::newRow("divisor -5e-7") << QStringList{"1x1:1", "1x1:-5e-7"} << "NUMERICAL ERROR: DIV by 0"
                                   << "0x0"
                                   << "1,1" << true;
    QTest::newRow("value by column with a zero")
        << QStringList{"1x1:6", "3x1:1,0,2/n,1"} << "NUMERICAL ERROR: DIV by 0"
        << "0x0"
        << "n,1" << true;
    QTest::newRow("matrix by a matrix with a zero")
        << QStringList{"2x2:1,2,3,4/a,b", "2x2:1,1,0,1/c,d"} << "NUMERICAL ERROR: DIV by 0"
        << "0x0"
        << "c,d" << true;
    QTest::newRow("NaN divisor divides") << QStringList{"2x1:1,2", "1x1:nan"} << "/"
                                         << "2x1:nan,nan"
                                         << "n,1" << false;
    QTest::newRow("infinite divisor") << QStringList{"2x1:1,inf", "1x1:inf"} << "/"
                                      << "2x1:0,nan"
                                      << "n,1" << false;
    QTest::newRow("row by column") << QStringList{"1x3:1,2,3", "3x1:1,2,3"} << "ARG SIZE DIFFER"
                                   << "0x0"
                                   << "NA,NA" << true;
    QTest::newRow("only argument 1") << QStringList{"3x1:1,2,3"} << "Missing arguments"
                                     << "0x0"
                                     << "NA,NA" << true;
    QTest::newRow("only argument 2") << QStringList{"", "3x1:1,2,3"} << "Missing arguments"
                                     << "0x0"
                                     << "NA,NA" << true;
    QTest::newRow("empty argument 1") << QStringList{"0x0", "1x1:1"} << "Argument error"
                                      << "0x0"
                                      << "NA,NA" << true;
    QTest::newRow("empty argument 2 against a value") << QStringList{"1x1:1", "0x0"} << "/"
                                                      << "0x0"
                                                      << "NA,NA" << true;
    QTest::newRow("empty argument 2 against a vector") << QStringList{"2x1:1,2", "0x0"} << "ARG SIZE DIFFER"
                                                       << "0x0"
                                                       << "NA,NA" << true;
    QTest::newRow("arguments 3 and 4 are not read")
        << QStringList{"2x1:4,8", "1x1:2", "3x3:1,2,3,4,5,6,7,8,9", "1x1:0"} << "/"
        << "2x1:2,4"
        << "n,1" << false;
    QTest::newRow("argument 3 in error") << QStringList{"2x1:4,8", "1x1:2", "0x0"} << "/"
                                         << "2x1:2,4"
                                         << "n,1" << true;
}

void TestDivision::divide()
{
    QFETCH(QStringList, args);
    QFETCH(QString, status);
    QFETCH(QString, result);
    QFETCH(QString, labels);
    QFETCH(bool, error);

    OperatorBoard board;
    Calculus *item = board.make(QStringLiteral("/"));
    QVERIFY(item);
    board.linkAll(args);
    QCOMPARE(item->getTooltip(), status);
    compareResult(item, result);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(item->getSRows() + "," + item->getSCols(), labels);
    QCOMPARE(item->getError(), error);
}

// The entries before the failing one hold their quotients, the failing one 1e12, the rest is untouched.
void TestDivision::zeroDivisorLeavesMarker_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QVector<double>>("column");

    QTest::newRow("value by column") << QStringList{"1x1:6", "3x1:1,0,2"} << QVector<double>{6, 1e12, -7};
    QTest::newRow("column by zero") << QStringList{"3x1:5,6,7", "1x1:0"} << QVector<double>{1e12, -7, -7};
}

void TestDivision::zeroDivisorLeavesMarker()
{
    QFETCH(QStringList, args);
    QFETCH(QVector<double>, column);

    OperatorBoard board;
    Calculus *item = board.make(QStringLiteral("/"));
    for (int i = 0; i < 3; ++i)
        item->M[i][0] = -7;
    board.linkAll(args);
    QCOMPARE(item->getTooltip(), QStringLiteral("NUMERICAL ERROR: DIV by 0"));
    for (int i = 0; i < 3; ++i)
        QCOMPARE(item->M[i][0], column[i]);
}

void TestDivision::statusAfterFailure()
{
    OperatorBoard board;
    Calculus *item = board.make(QStringLiteral("/"));
    board.linkAll({"2x1:2,4", "1x1:0"});
    QVERIFY(item->getError());
    static_cast<FixedItem *>(item->argument(2))->set(QStringLiteral("1x1:2"));
    board.evaluate();
    QCOMPARE(item->getTooltip(), QStringLiteral("/"));
    QVERIFY(!item->getError());
    compareResult(item, QStringLiteral("2x1:1,2"));
}

QTEST_MAIN(TestDivision)
#include "tst_division.moc"
