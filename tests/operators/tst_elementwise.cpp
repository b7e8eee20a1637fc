#include "OperatorBoard.h"

#include <QtTest>

// "+", "-", ".*", "MMAX" and "MMIN": broadcasting of a value, folding of arguments 3 and 4, shape
// failures with their status texts, labels and error flags. Expected results are worked by hand.
class TestElementwise : public QObject
{
    Q_OBJECT

private slots:
    void combine_data();
    void combine();
    void labelsAfterFailure_data();
    void labelsAfterFailure();
    void failureThenSuccess_data();
    void failureThenSuccess();
};

void TestElementwise::combine_data()
{
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("labels");
    QTest::addColumn<bool>("error");

    const QString nan = QStringLiteral("nan");
    // ---- "+" ----
    QTest::newRow("+ two values") << "+" << QStringList{"1x1:2/p,q", "1x1:3/r,s"} << "+"
                                  << "1x1:5"
                                  << "p,q" << false;
    QTest::newRow("+ two values, 3 and 4 folded")
        << "+" << QStringList{"1x1:2", "1x1:3", "1x1:1", "1x1:1"} << "+"
        << "1x1:7"
        << "1,1" << false;
    QTest::newRow("+ column + value") << "+" << QStringList{"3x1:1,2,3/n,1", "1x1:10"} << "+"
                                      << "3x1:11,12,13"
                                      << "n,1" << false;
    QTest::newRow("+ value + column") << "+" << QStringList{"1x1:10/1,1", "3x1:1,2,3/n,1"} << "+"
                                      << "3x1:11,12,13"
                                      << "n,1" << false;
    QTest::newRow("+ value + row") << "+" << QStringList{"1x1:-1", "1x4:1,2,3,4/1,n"} << "+"
                                   << "1x4:0,1,2,3"
                                   << "1,n" << false;
    QTest::newRow("+ row + row") << "+" << QStringList{"1x3:1,2,3", "1x3:10,20,30"} << "+"
                                 << "1x3:11,22,33"
                                 << "1,n" << false;
    QTest::newRow("+ column + row") << "+" << QStringList{"3x1:1,2,3", "1x3:1,2,3"} << "ARG SIZE DIFFER"
                                    << "0x0"
                                    << "NA,NA" << true;
    QTest::newRow("+ three matrices")
        << "+" << QStringList{"2x2:1,2,3,4", "2x2:10,20,30,40", "2x2:100,200,300,400"} << "+"
        << "2x2:111,222,333,444"
        << "n,n" << false;
    QTest::newRow("+ four 3x3") << "+"
                                << QStringList{"3x3:1,0,0,0,1,0,0,0,1", "3x3:1,1,1,1,1,1,1,1,1",
                                               "3x3:0,1,2,3,4,5,6,7,8", "3x3:-1,-1,-1,-1,-1,-1,-1,-1,-1"}
                                << "+"
                                << "3x3:1,1,2,3,5,5,6,7,9"
                                << "n,n" << false;
    QTest::newRow("+ fourth of another shape")
        << "+" << QStringList{"2x2:1,2,3,4", "2x2:1,2,3,4", "2x2:1,2,3,4", "3x1:1,2,3"} << "ARG SIZE DIFFER"
        << "0x0"
        << "NA,NA" << true;
    QTest::newRow("+ value as argument 3 is not broadcast")
        << "+" << QStringList{"2x2:1,2,3,4", "2x2:1,2,3,4", "1x1:1"} << "ARG SIZE DIFFER"
        << "0x0"
        << "NA,NA" << true;
    QTest::newRow("+ value, matrix, matrix folded")
        << "+" << QStringList{"1x1:1", "2x2:1,2,3,4", "2x2:10,10,10,10"} << "+"
        << "2x2:12,13,14,15"
        << "n,n" << false;
    QTest::newRow("+ matrix, value, matrix folded")
        << "+" << QStringList{"2x2:1,2,3,4", "1x1:1", "", "2x2:10,10,10,10"} << "+"
        << "2x2:12,13,14,15"
        << "n,n" << false;
    QTest::newRow("+ value, matrix, value as argument 3")
        << "+" << QStringList{"1x1:1", "2x2:1,2,3,4", "1x1:5"} << "ARG SIZE DIFFER"
        << "0x0"
        << "NA,NA" << true;
    QTest::newRow("+ argument 3 without argument 2")
        << "+" << QStringList{"1x1:1", "", "1x1:5"} << "Missing arguments"
        << "0x0"
        << "NA,NA" << true;
    QTest::newRow("+ argument 4 without argument 3")
        << "+" << QStringList{"3x1:1,2,3", "3x1:1,1,1", "", "3x1:5,5,5"} << "+"
        << "3x1:7,8,9"
        << "n,1" << false;
    QTest::newRow("+ empty argument 1") << "+" << QStringList{"0x0", "1x1:1"} << "Argument error"
                                        << "0x0"
                                        << "NA,NA" << true;
    QTest::newRow("+ empty argument 2 against a vector")
        << "+" << QStringList{"3x1:1,2,3", "0x0"} << "ARG SIZE DIFFER"
        << "0x0"
        << "NA,NA" << true;
    QTest::newRow("+ empty argument 2 against a value") << "+" << QStringList{"1x1:1", "0x0"} << "+"
                                                        << "0x0"
                                                        << "NA,NA" << true;
    QTest::newRow("+ argument in error with a result") << "+" << QStringList{"2x1:1,2", "!2x1:3,4"} << "+"
                                                       << "2x1:4,6"
                                                       << "n,1" << true;
    QTest::newRow("+ NaN passes") << "+" << QStringList{"2x1:1,nan", "1x1:1"} << "+"
                                  << "2x1:2,nan"
                                  << "n,1" << false;
    QTest::newRow("+ 32 x 1") << "+" << QStringList{"32x1:" + QString("1,").repeated(32), "1x1:1"} << "+"
                              << "32x1:" + QString("2,").repeated(32) << "n,1" << false;

    // ---- "-" ----
    QTest::newRow("- value - column") << "-" << QStringList{"1x1:10", "3x1:1,2,3/n,1"} << "-"
                                      << "3x1:9,8,7"
                                      << "n,1" << false;
    QTest::newRow("- column - value") << "-" << QStringList{"3x1:1,2,3/n,1", "1x1:1/1,1"} << "-"
                                      << "3x1:0,1,2"
                                      << "n,1" << false;
    QTest::newRow("- two values") << "-" << QStringList{"1x1:5", "1x1:3"} << "-"
                                  << "1x1:2"
                                  << "1,1" << false;
    QTest::newRow("- two values, 3 and 4 not read")
        << "-" << QStringList{"1x1:5", "1x1:3", "1x1:1", "1x1:1"} << "-"
        << "1x1:2"
        << "1,1" << false;
    QTest::newRow("- column, value, misfit argument 3 not read")
        << "-" << QStringList{"3x1:1,2,3", "1x1:1", "2x2:1,1,1,1"} << "-"
        << "3x1:0,1,2"
        << "n,1" << false;
    QTest::newRow("- four 2x2") << "-"
                                << QStringList{"2x2:10,20,30,40", "2x2:1,2,3,4", "2x2:1,1,1,1", "2x2:2,2,2,2"}
                                << "-"
                                << "2x2:6,15,24,33"
                                << "n,n" << false;
    QTest::newRow("- value - matrix, matrix not read")
        << "-" << QStringList{"1x1:10", "2x2:1,2,3,4", "2x2:1,1,1,1"} << "-"
        << "2x2:9,8,7,6"
        << "n,n" << false;
    QTest::newRow("- row - column") << "-" << QStringList{"1x3:1,2,3", "3x1:1,2,3"} << "ARG SIZE DIFFER"
                                    << "0x0"
                                    << "NA,NA" << true;
    QTest::newRow("- only argument 1") << "-" << QStringList{"3x1:1,2,3"} << "Missing arguments"
                                       << "0x0"
                                       << "NA,NA" << true;
    QTest::newRow("- 3x3 with a value as argument 3")
        << "-" << QStringList{"3x3:1,2,3,4,5,6,7,8,9", "3x3:1,2,3,4,5,6,7,8,9", "1x1:1"} << "ARG SIZE DIFFER"
        << "0x0"
        << "NA,NA" << true;
    QTest::newRow("- argument 2 in error keeps the error") << "-" << QStringList{"2x1:5,5", "!2x1:1,2"} << "-"
                                                           << "2x1:4,3"
                                                           << "n,1" << true;
    QTest::newRow("- argument 2 in error, value path") << "-" << QStringList{"2x1:5,5", "!1x1:1"} << "-"
                                                       << "2x1:4,4"
                                                       << "n,1" << true;
    QTest::newRow("- empty argument 1") << "-" << QStringList{"0x0", "3x1:1,2,3"} << "Argument error"
                                        << "0x0"
                                        << "NA,NA" << true;
    QTest::newRow("- empty argument 2 against a value") << "-" << QStringList{"1x1:1", "0x0"} << "-"
                                                        << "0x0"
                                                        << "NA,NA" << true;

    // ---- ".*" ----
    QTest::newRow(".* rows") << ".*" << QStringList{"1x2:1,2", "1x2:3,4"} << ".*"
                             << "1x2:3,8"
                             << "1,n" << false;
    QTest::newRow(".* value times matrix") << ".*" << QStringList{"1x1:2", "2x2:1,2,3,4"} << ".*"
                                           << "2x2:2,4,6,8"
                                           << "n,n" << false;
    QTest::newRow(".* three 3x3") << ".*"
                                  << QStringList{"3x3:1,2,3,4,5,6,7,8,9", "3x3:1,1,1,2,2,2,3,3,3",
                                                 "3x3:-1,1,-1,1,-1,1,-1,1,-1"}
                                  << ".*"
                                  << "3x3:-1,2,-3,8,-10,12,-21,24,-27"
                                  << "n,n" << false;
    QTest::newRow(".* value, column, column not read")
        << ".*" << QStringList{"1x1:3", "3x1:1,2,3", "3x1:2,2,2"} << ".*"
        << "3x1:3,6,9"
        << "n,1" << false;
    QTest::newRow(".* shapes differ") << ".*" << QStringList{"2x2:1,2,3,4", "2x1:1,2"} << "ARG SIZE DIFFER"
                                      << "0x0"
                                      << "NA,NA" << true;

    // ---- "MMAX" / "MMIN" ----
    QTest::newRow("MMAX column, value") << "MMAX" << QStringList{"3x1:1,5,3", "1x1:4"} << "MMAX"
                                        << "3x1:4,5,4"
                                        << "n,1" << false;
    QTest::newRow("MMIN column, value") << "MMIN" << QStringList{"3x1:1,5,3", "1x1:4"} << "MMIN"
                                        << "3x1:1,4,3"
                                        << "n,1" << false;
    QTest::newRow("MMAX value, row") << "MMAX" << QStringList{"1x1:4", "1x3:1,5,3"} << "MMAX"
                                     << "1x3:4,5,4"
                                     << "1,n" << false;
    QTest::newRow("MMIN value, row") << "MMIN" << QStringList{"1x1:4", "1x3:1,5,3"} << "MMIN"
                                     << "1x3:1,4,3"
                                     << "1,n" << false;
    QTest::newRow("MMAX entry and NaN value") << "MMAX" << QStringList{"1x1:2", "1x1:" + nan} << "MMAX"
                                              << "1x1:2"
                                              << "1,1" << false;
    QTest::newRow("MMIN entry and NaN value") << "MMIN" << QStringList{"1x1:2", "1x1:" + nan} << "MMIN"
                                              << "1x1:nan"
                                              << "1,1" << false;
    QTest::newRow("MMAX NaN value first") << "MMAX" << QStringList{"1x1:" + nan, "2x1:1,2"} << "MMAX"
                                          << "2x1:1,2"
                                          << "n,1" << false;
    QTest::newRow("MMIN NaN value first") << "MMIN" << QStringList{"1x1:" + nan, "2x1:1,2"} << "MMIN"
                                          << "2x1:nan,nan"
                                          << "n,1" << false;
    QTest::newRow("MMAX four matrices")
        << "MMAX" << QStringList{"2x2:1,9,3,4", "2x2:5,1,1,1", "2x2:0,0,7,0", "2x2:2,2,2,8"} << "MMAX"
        << "2x2:5,9,7,8"
        << "n,n" << false;
    QTest::newRow("MMIN four matrices")
        << "MMIN" << QStringList{"2x2:1,9,3,4", "2x2:5,1,1,1", "2x2:0,0,7,0", "2x2:2,2,2,8"} << "MMIN"
        << "2x2:0,0,1,0"
        << "n,n" << false;
    QTest::newRow("MMAX value, argument 3 not read")
        << "MMAX" << QStringList{"3x1:1,5,3", "1x1:4", "3x1:0,6,0"} << "MMAX"
        << "3x1:4,5,4"
        << "n,1" << false;
    QTest::newRow("MMIN missing") << "MMIN" << QStringList{"", "1x1:4"} << "Missing arguments"
                                  << "0x0"
                                  << "NA,NA" << true;
}

void TestElementwise::combine()
{
    QFETCH(QString, keyword);
    QFETCH(QStringList, args);
    QFETCH(QString, status);
    QFETCH(QString, result);
    QFETCH(QString, labels);
    QFETCH(bool, error);

    OperatorBoard board;
    Calculus *item = board.make(keyword);
    QVERIFY(item);
    board.linkAll(args);
    QCOMPARE(item->getTooltip(), status);
    compareResult(item, result);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(item->getSRows() + "," + item->getSCols(), labels);
    QCOMPARE(item->getError(), error);
}

// A failure after a success: the labels the failure leaves ("+" resets them only for a misfit
// argument 3 or 4; "-", ".*", "MMAX" and "MMIN" reset them on every failure).
void TestElementwise::labelsAfterFailure_data()
{
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QStringList>("good");
    QTest::addColumn<QStringList>("bad");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("labels");

    const QStringList good{"3x1:1,2,3/n,1", "3x1:1,2,3/n,1"};
    QTest::newRow("+ pair mismatch keeps")
        << "+" << good << QStringList{"3x1:1,2,3/n,1", "1x3:1,2,3"} << "ARG SIZE DIFFER"
        << "n,1";
    QTest::newRow("+ empty argument keeps")
        << "+" << good << QStringList{"0x0", "1x3:1,2,3"} << "Argument error"
        << "n,1";
    QTest::newRow("+ argument 3 resets")
        << "+" << good << QStringList{"3x1:1,2,3", "3x1:1,2,3", "2x1:1,2"} << "ARG SIZE DIFFER"
        << "NA,NA";
    for (const char *k : {"-", ".*", "MMAX", "MMIN"}) {
        QTest::newRow(qPrintable(QString(k) + " pair mismatch resets"))
            << k << good << QStringList{"3x1:1,2,3", "1x3:1,2,3"} << "ARG SIZE DIFFER"
            << "NA,NA";
        QTest::newRow(qPrintable(QString(k) + " empty argument resets"))
            << k << good << QStringList{"0x0", "3x1:1,2,3"} << "Argument error"
            << "NA,NA";
    }
}

void TestElementwise::labelsAfterFailure()
{
    QFETCH(QString, keyword);
    QFETCH(QStringList, good);
    QFETCH(QStringList, bad);
    QFETCH(QString, status);
    QFETCH(QString, labels);

    OperatorBoard board;
    Calculus *item = board.make(keyword);
    board.linkAll(good);
    QCOMPARE(item->getSRows(), QStringLiteral("n"));
    for (int k = 0; k < bad.size() && k < good.size(); ++k) {
        FixedItem *a = static_cast<FixedItem *>(item->argument(k + 1));
        QVERIFY(a);
        a->set(bad[k]);
    }
    if (bad.size() > good.size())
        QVERIFY(OperatorBoard::link(board.fixed(bad.last()), item, bad.size()));
    board.evaluate();
    QCOMPARE(item->getTooltip(), status);
    QCOMPARE(item->rows, 0);
    QCOMPARE(item->cols, 0);
    QVERIFY(item->getError());
    QCOMPARE(item->getSRows() + "," + item->getSCols(), labels);
}

// After a failure a success writes the keyword again and clears the error flag.
void TestElementwise::failureThenSuccess_data()
{
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QString>("result");
    QTest::newRow("+") << "+"
                       << "2x1:4,6";
    QTest::newRow("-") << "-"
                       << "2x1:-2,-2";
    QTest::newRow(".*") << ".*"
                        << "2x1:3,8";
    QTest::newRow("MMAX") << "MMAX"
                          << "2x1:3,4";
    QTest::newRow("MMIN") << "MMIN"
                          << "2x1:1,2";
}

void TestElementwise::failureThenSuccess()
{
    QFETCH(QString, keyword);
    QFETCH(QString, result);

    OperatorBoard board;
    Calculus *item = board.make(keyword);
    board.linkAll({"2x1:1,2", "3x1:3,4,5"});
    QCOMPARE(item->getTooltip(), QStringLiteral("ARG SIZE DIFFER"));
    static_cast<FixedItem *>(item->argument(2))->set(QStringLiteral("2x1:3,4"));
    board.evaluate();
    QCOMPARE(item->getTooltip(), keyword);
    QVERIFY(!item->getError());
    compareResult(item, result);
}

QTEST_MAIN(TestElementwise)
#include "tst_elementwise.moc"
