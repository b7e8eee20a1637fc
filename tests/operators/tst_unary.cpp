#include "OperatorBoard.h"

#include <QtTest>

#include <cmath>

// "ABS", "CEIL" and "CENTER": entries, shapes, labels and the labels each failure leaves.
class TestUnary : public QObject
{
    Q_OBJECT

private slots:
    void apply_data();
    void apply();
    void signOfZero_data();
    void signOfZero();
    void labelsAfterFailure_data();
    void labelsAfterFailure();
    void smallerResultLeavesGrid();
};

void TestUnary::apply_data()
{
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QString>("arg");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("labels");
    QTest::addColumn<bool>("error");

    QTest::newRow("ABS value") << "ABS"
                               << "1x1:-5/p,q"
                               << "ABS"
                               << "1x1:5"
                               << "p,q" << false;
    QTest::newRow("ABS row") << "ABS"
                             << "1x3:-1,2,-3"
                             << "ABS"
                             << "1x3:1,2,3"
                             << "1,n" << false;
    QTest::newRow("ABS column") << "ABS"
                                << "3x1:-1.5,0,2.5"
                                << "ABS"
                                << "3x1:1.5,0,2.5"
                                << "n,1" << false;
    QTest::newRow("ABS matrix") << "ABS"
                                << "2x2:-1,-2,3,-4"
                                << "ABS"
                                << "2x2:1,2,3,4"
                                << "n,n" << false;
    QTest::newRow("ABS NaN and infinity") << "ABS"
                                          << "3x1:nan,-inf,inf"
                                          << "ABS"
                                          << "3x1:nan,inf,inf"
                                          << "n,1" << false;
    QTest::newRow("ABS argument in error") << "ABS"
                                           << "!2x1:-1,1"
                                           << "ABS"
                                           << "2x1:1,1"
                                           << "n,1" << true;
    QTest::newRow("ABS missing") << "ABS"
                                 << ""
                                 << "Missing argument"
                                 << "0x0"
                                 << "NA,NA" << true;
    QTest::newRow("ABS empty") << "ABS"
                               << "0x0"
                               << "Argument error"
                               << "0x0"
                               << "NA,NA" << true;

    QTest::newRow("CEIL integral") << "CEIL"
                                   << "1x1:2/p,q"
                                   << "CEIL"
                                   << "1x1:2"
                                   << "p,q" << false;
    QTest::newRow("CEIL just above") << "CEIL"
                                     << "1x1:2.000001"
                                     << "CEIL"
                                     << "1x1:3"
                                     << "1,1" << false;
    QTest::newRow("CEIL row") << "CEIL"
                              << "1x4:-0.5,-1.5,0.1,7"
                              << "CEIL"
                              << "1x4:0,-1,1,7"
                              << "1,n" << false;
    QTest::newRow("CEIL matrix") << "CEIL"
                                 << "2x2:1.2,-1.2,3.999,-3.999"
                                 << "CEIL"
                                 << "2x2:2,-1,4,-3"
                                 << "n,n" << false;
    QTest::newRow("CEIL NaN") << "CEIL"
                              << "2x1:nan,-inf"
                              << "CEIL"
                              << "2x1:nan,-inf"
                              << "n,1" << false;
    QTest::newRow("CEIL missing") << "CEIL"
                                  << ""
                                  << "Missing argument"
                                  << "0x0"
                                  << "NA,NA" << true;
    QTest::newRow("CEIL empty") << "CEIL"
                                << "0x0"
                                << "Argument error"
                                << "0x0"
                                << "NA,NA" << true;

    QTest::newRow("CENTER value") << "CENTER"
                                  << "1x1:42/p,q"
                                  << "CENTER"
                                  << "1x1:0"
                                  << "p,q" << false;
    QTest::newRow("CENTER column") << "CENTER"
                                   << "3x1:1,2,3"
                                   << "CENTER"
                                   << "3x1:-1,0,1"
                                   << "n,1" << false;
    QTest::newRow("CENTER row") << "CENTER"
                                << "1x4:0,0,0,8"
                                << "CENTER"
                                << "1x4:-2,-2,-2,6"
                                << "1,n" << false;
    QTest::newRow("CENTER matrix with its diagonal") << "CENTER"
                                                     << "2x2:1,2,3,4"
                                                     << "CENTER"
                                                     << "2x2:-1.5,-0.5,0.5,1.5"
                                                     << "n,n" << false;
    QTest::newRow("CENTER missing") << "CENTER"
                                    << ""
                                    << "Missing arguments"
                                    << "0x0"
                                    << "NA,NA" << true;
    QTest::newRow("CENTER empty") << "CENTER"
                                  << "0x0"
                                  << "Argument error"
                                  << "0x0"
                                  << "NA,NA" << true;
}

void TestUnary::apply()
{
    QFETCH(QString, keyword);
    QFETCH(QString, arg);
    QFETCH(QString, status);
    QFETCH(QString, result);
    QFETCH(QString, labels);
    QFETCH(bool, error);

    OperatorBoard board;
    Calculus *item = board.make(keyword);
    QVERIFY(item);
    board.linkAll({arg});
    QCOMPARE(item->getTooltip(), status);
    compareResult(item, result);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(item->getSRows() + "," + item->getSCols(), labels);
    QCOMPARE(item->getError(), error);
}

void TestUnary::signOfZero_data()
{
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QString>("arg");
    QTest::addColumn<bool>("negative");
    QTest::newRow("ABS of -0") << "ABS"
                               << "1x1:-0" << false;
    QTest::newRow("CEIL of -0.5") << "CEIL"
                                  << "1x1:-0.5" << true;
    QTest::newRow("CEIL of -1e-300") << "CEIL"
                                     << "1x1:-1e-300" << true;
}

void TestUnary::signOfZero()
{
    QFETCH(QString, keyword);
    QFETCH(QString, arg);
    QFETCH(bool, negative);

    OperatorBoard board;
    Calculus *item = board.make(keyword);
    board.linkAll({arg});
    QCOMPARE(item->M[0][0], 0.0 * (negative ? -1 : 1));
    QCOMPARE(std::signbit(item->M[0][0]), negative);
}

// After a success with labels "p" and "q": which failures reset them to "NA".
void TestUnary::labelsAfterFailure_data()
{
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<bool>("unlink");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("labels");

    QTest::newRow("ABS missing resets") << "ABS" << true << "Missing argument"
                                        << "NA,NA";
    QTest::newRow("ABS empty keeps") << "ABS" << false << "Argument error"
                                     << "p,q";
    QTest::newRow("CEIL missing keeps") << "CEIL" << true << "Missing argument"
                                        << "p,q";
    QTest::newRow("CEIL empty keeps") << "CEIL" << false << "Argument error"
                                      << "p,q";
    QTest::newRow("CENTER missing resets") << "CENTER" << true << "Missing arguments"
                                           << "NA,NA";
    QTest::newRow("CENTER empty resets") << "CENTER" << false << "Argument error"
                                         << "NA,NA";
}

void TestUnary::labelsAfterFailure()
{
    QFETCH(QString, keyword);
    QFETCH(bool, unlink);
    QFETCH(QString, status);
    QFETCH(QString, labels);

    OperatorBoard board;
    Calculus *item = board.make(keyword);
    board.linkAll({"2x2:1,2,3,4/p,q"});
    QCOMPARE(item->getSRows(), QStringLiteral("p"));
    if (unlink)
        delete item->incomingLink(1); // the link's destructor clears argument 1
    else
        static_cast<FixedItem *>(item->argument(1))->set(QStringLiteral("0x0"));
    board.evaluate();
    QCOMPARE(item->getTooltip(), status);
    QCOMPARE(item->rows, 0);
    QCOMPARE(item->cols, 0);
    QVERIFY(item->getError());
    QCOMPARE(item->getSRows() + "," + item->getSCols(), labels);
}

// A 4 x 4 result followed by a 2 x 2 one: only the 2 x 2 block is rewritten.
void TestUnary::smallerResultLeavesGrid()
{
    OperatorBoard board;
    Calculus *item = board.make(QStringLiteral("ABS"));
    board.linkAll({"4x4:-1,-2,-3,-4,-5,-6,-7,-8,-9,-10,-11,-12,-13,-14,-15,-16"});
    QCOMPARE(item->M[3][3], 16.0);
    static_cast<FixedItem *>(item->argument(1))->set(QStringLiteral("2x2:-0.5,-0.5,-0.5,-0.5"));
    board.evaluate();
    compareResult(item, QStringLiteral("2x2:0.5,0.5,0.5,0.5"));
    QCOMPARE(item->M[3][3], 16.0);
    QCOMPARE(item->M[0][3], 4.0);
}

QTEST_MAIN(TestUnary)
#include "tst_unary.moc"
