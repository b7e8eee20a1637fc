#include "OperatorBoard.h"

#include <QtTest>

#include <cmath>

// "ANGLE" (against acos of the cosine worked by hand) and "ADDCOLS" (columns side by side).
class TestVectors : public QObject
{
    Q_OBJECT

private slots:
    void angle_data();
    void angle();
    void addcols_data();
    void addcols();
    void addcolsKeepsStatusText();
};

namespace
{

QString num(double v)
{
    return QString::number(v, 'g', 17);
}

QString ones(int rows, int cols, double v = 1.0)
{
    QStringList e;
    for (int k = 0; k < rows * cols; ++k)
        e << num(v);
    return QStringLiteral("%1x%2:").arg(rows).arg(cols) + e.join(QLatin1Char(','));
}

} // namespace

void TestVectors::angle_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("result");

    const double pi = std::acos(-1.0);
    QTest::newRow("orthogonal columns") << QStringList{"2x1:1,0", "2x1:0,1"} << "ANGLE"
                                        << "1x1:" + num(pi / 2);
    QTest::newRow("45 degrees, rows") << QStringList{"1x3:1,0,0", "1x3:1,1,0"} << "ANGLE"
                                      << "1x1:" + num(pi / 4);
    QTest::newRow("60 degrees") << QStringList{"2x1:1,0", "2x1:1," + num(std::sqrt(3.0))} << "ANGLE"
                                << "1x1:" + num(pi / 3);
    QTest::newRow("120 degrees") << QStringList{"2x1:1,0", "2x1:-1," + num(std::sqrt(3.0))} << "ANGLE"
                                 << "1x1:" + num(2 * pi / 3);
    QTest::newRow("equal vectors") << QStringList{"3x1:1,2,3", "3x1:1,2,3"} << "ANGLE"
                                   << "1x1:0";
    QTest::newRow("positive multiple") << QStringList{"3x1:1,2,3", "3x1:2,4,6"} << "ANGLE"
                                       << "1x1:0";
    QTest::newRow("negative multiple") << QStringList{"1x3:1,2,3", "1x3:-3,-6,-9"} << "ANGLE"
                                       << "1x1:" + num(pi);
    const double c = 0.9999995;
    QTest::newRow("cosine 0.9999995 is clamped")
        << QStringList{"2x1:1,0", "2x1:" + num(c) + "," + num(std::sqrt(1 - c * c))} << "ANGLE"
        << "1x1:0";
    const double d = 0.999998;
    QTest::newRow("cosine 0.999998 is not")
        << QStringList{"2x1:1,0", "2x1:" + num(d) + "," + num(std::sqrt(1 - d * d))} << "ANGLE"
        << "1x1:" + num(std::acos(d));
    QTest::newRow("values of one sign") << QStringList{"1x1:-2", "1x1:-0.5"} << "ANGLE"
                                        << "1x1:0";
    QTest::newRow("values of opposite signs") << QStringList{"1x1:3", "1x1:-1"} << "ANGLE"
                                              << "1x1:" + num(pi);
    QTest::newRow("a zero value") << QStringList{"1x1:3", "1x1:0"} << "NUMERICAL ERROR: DIV by 0"
                                  << "0x0";
    QTest::newRow("zero vector") << QStringList{"3x1:0,0,0", "3x1:1,2,3"} << "NUMERICAL ERROR: DIV by 0"
                                 << "0x0";
    QTest::newRow("norms 1e-4") << QStringList{"2x1:1e-4,0", "2x1:0,1e-4"} << "NUMERICAL ERROR: DIV by 0"
                                << "0x0";
    QTest::newRow("32 entries") << QStringList{ones(32, 1), ones(32, 1, -2)} << "ANGLE"
                                << "1x1:" + num(pi);
    QTest::newRow("row against column") << QStringList{"1x3:1,2,3", "3x1:1,2,3"} << "ARG SIZE DIFFER"
                                        << "0x0";
    QTest::newRow("matrix first") << QStringList{"3x3:1,0,0,0,1,0,0,0,1", "3x3:1,0,0,0,1,0,0,0,1"}
                                  << "VECTORS NEEDED"
                                  << "0x0";
    QTest::newRow("vector, matrix") << QStringList{"3x1:1,2,3", "3x3:1,0,0,0,1,0,0,0,1"} << "ARG SIZE DIFFER"
                                    << "0x0";
    QTest::newRow("empty second") << QStringList{"3x1:1,2,3", "0x0"} << "ARG SIZE DIFFER"
                                  << "0x0";
    QTest::newRow("empty first") << QStringList{"0x0", "3x1:1,2,3"} << "Argument error"
                                 << "0x0";
    QTest::newRow("missing second") << QStringList{"3x1:1,2,3"} << "Missing arguments"
                                    << "0x0";
}

void TestVectors::angle()
{
    QFETCH(QStringList, args);
    QFETCH(QString, status);
    QFETCH(QString, result);

    OperatorBoard board;
    Calculus *item = board.make(QStringLiteral("ANGLE"));
    QVERIFY(item);
    QCOMPARE(item->getSRows() + "," + item->getSCols(), QStringLiteral("1,1"));
    board.linkAll(args);
    QCOMPARE(item->getTooltip(), status);
    compareResult(item, result, 1e-12);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(item->getSRows() + "," + item->getSCols(), QStringLiteral("1,1"));
    QCOMPARE(item->getError(), item->rows == 0);
}

void TestVectors::addcols_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("result");

    QTest::newRow("two columns") << QStringList{"3x1:1,2,3", "3x1:4,5,6"} << ""
                                 << "3x2:1,4,2,5,3,6";
    QTest::newRow("value and row") << QStringList{"1x1:9", "1x3:1,2,3"} << ""
                                   << "1x4:9,1,2,3";
    QTest::newRow("two values") << QStringList{"1x1:1", "1x1:2"} << ""
                                << "1x2:1,2";
    QTest::newRow("argument 1 alone") << QStringList{"2x2:1,2,3,4"} << ""
                                      << "2x2:1,2,3,4";
    QTest::newRow("arguments 1 and 3") << QStringList{"2x1:1,2", "", "2x2:3,4,5,6"} << ""
                                       << "2x3:1,3,4,2,5,6";
    QTest::newRow("all four") << QStringList{"2x1:1,2", "2x1:3,4", "2x2:5,6,7,8", "2x1:9,10"} << ""
                              << "2x5:1,3,5,6,9,2,4,7,8,10";
    QTest::newRow("two 16x16 fill 32 columns")
        << QStringList{ones(16, 16), ones(16, 16, 2)} << ""
        << "16x32:" + (QString("1,").repeated(16) + QString("2,").repeated(16)).repeated(16);
    QTest::newRow("two 20x20 exceed 32 columns")
        << QStringList{ones(20, 20), ones(20, 20)} << "More than 32 columns"
        << "0x0";
    QTest::newRow("33 columns") << QStringList{ones(1, 20), ones(1, 13)} << "More than 32 columns"
                                << "0x0";
    QTest::newRow("5 rows against 6") << QStringList{ones(5, 1), ones(6, 1)} << "Unmatching dimension"
                                      << "0x0";
    QTest::newRow("failed argument 2") << QStringList{"2x1:1,2", "0x0"} << "Unmatching dimension"
                                       << "0x0";
    QTest::newRow("failed argument 4") << QStringList{"2x1:1,2", "", "", "0x0"} << "Unmatching dimension"
                                       << "0x0";
    QTest::newRow("empty start") << QStringList{"0x0", "0x0"} << ""
                                 << "0x0";
    QTest::newRow("missing argument 1") << QStringList{"", "2x1:1,2"} << "Missing arguments"
                                        << "0x0";
}

void TestVectors::addcols()
{
    QFETCH(QStringList, args);
    QFETCH(QString, status);
    QFETCH(QString, result);

    OperatorBoard board;
    Calculus *item = board.make(QStringLiteral("ADDCOLS"));
    QVERIFY(item);
    board.linkAll(args);
    QCOMPARE(item->getTooltip(), status);
    compareResult(item, result);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(item->getSRows() + "," + item->getSCols(), QStringLiteral("NA,NA"));
    const bool argumentFailed = args.contains(QStringLiteral("0x0"));
    QCOMPARE(item->getError(), !status.isEmpty() || argumentFailed);
}

// A success writes no status text: after a corrected argument the last failure's text stays, with
// the error flag cleared.
void TestVectors::addcolsKeepsStatusText()
{
    OperatorBoard board;
    Calculus *item = board.make(QStringLiteral("ADDCOLS"));
    board.linkAll({ones(5, 1), ones(6, 1)});
    QCOMPARE(item->getTooltip(), QStringLiteral("Unmatching dimension"));
    QVERIFY(item->getError());
    static_cast<FixedItem *>(item->argument(2))->set(QStringLiteral("5x1:2,3,4,5,6"));
    board.evaluate();
    QCOMPARE(item->getTooltip(), QStringLiteral("Unmatching dimension"));
    QVERIFY(!item->getError());
    compareResult(item, QStringLiteral("5x2:1,2,1,3,1,4,1,5,1,6"));
}

QTEST_MAIN(TestVectors)
#include "tst_vectors.moc"
