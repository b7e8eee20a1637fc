#include "OperatorBoard.h"

#include <QtTest>

// "MAX", "MIN", "SUM" and "VAR" over values, rows, columns and matrices. Expected values are closed
// forms: for 1..n the sum n(n+1)/2 and the population variance (n^2 - 1)/12.
class TestReductions : public QObject
{
    Q_OBJECT

private slots:
    void reduce_data();
    void reduce();
    void successAfterFailure_data();
    void successAfterFailure();
};

namespace
{

QString oneToN(int rows, int cols)
{
    QStringList v;
    for (int k = 1; k <= rows * cols; ++k)
        v << QString::number(k);
    return QStringLiteral("%1x%2:").arg(rows).arg(cols) + v.join(QLatin1Char(','));
}

} // namespace

void TestReductions::reduce_data()
{
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QString>("arg");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("status");

    struct Case {
        const char *name;
        QString arg;
        QString max, min, sum, var;
    };
    const QVector<Case> cases = {
        {"value", "1x1:-7", "-7", "-7", "-7", "0"},
        {"column 1..4", "4x1:1,2,3,4", "4", "1", "10", "1.25"},
        {"row 1..4", "1x4:4,3,2,1", "4", "1", "10", "1.25"},
        {"2x2 1..4", "2x2:3,1,4,2", "4", "1", "10", "1.25"},
        {"column 1..32", oneToN(32, 1), "32", "1", "528", "85.25"},
        {"row 1..32", oneToN(1, 32), "32", "1", "528", "85.25"},
        {"32x32 1..1024", oneToN(32, 32), "1024", "1", "524800", "87381.25"},
        {"3x3 signed (variance 140/81)", "3x3:2,-1,0,-1,2,-1,0,-1,2", "2", "-1", "2", "1.7283950617283951"},
        {"all -2e12", "2x2:-2e12,-2e12,-2e12,-2e12", "-2e12", "-2e12", "-8e12", "0"},
        {"all 2e12", "1x3:2e12,2e12,2e12", "2e12", "2e12", "6e12", "0"},
        {"NaN among numbers", "3x1:1,nan,3", "3", "1", "nan", "nan"},
        {"NaN first", "3x1:nan,5,-2", "5", "-2", "nan", "nan"},
        {"only NaN", "2x1:nan,nan", "nan", "nan", "nan", "nan"},
        {"infinity", "2x1:1,inf", "inf", "1", "inf", "nan"},
        {"minus infinity", "1x2:-inf,4", "4", "-inf", "-inf", "nan"},
    };
    for (const Case &c : cases) {
        QTest::newRow(qPrintable(QStringLiteral("MAX ") + c.name))
            << "MAX" << c.arg << "1x1:" + c.max << "MAX";
        QTest::newRow(qPrintable(QStringLiteral("MIN ") + c.name))
            << "MIN" << c.arg << "1x1:" + c.min << "MIN";
        QTest::newRow(qPrintable(QStringLiteral("SUM ") + c.name))
            << "SUM" << c.arg << "1x1:" + c.sum << "SUM";
        QTest::newRow(qPrintable(QStringLiteral("VAR ") + c.name))
            << "VAR" << c.arg << "1x1:" + c.var << "VAR";
    }
    for (const char *k : {"MAX", "MIN", "SUM", "VAR"}) {
        QTest::newRow(qPrintable(QString(k) + " missing")) << k << ""
                                                           << "0x0"
                                                           << "Missing arguments";
        QTest::newRow(qPrintable(QString(k) + " empty")) << k << "0x0"
                                                         << "0x0"
                                                         << "Argument error";
    }
}

void TestReductions::reduce()
{
    QFETCH(QString, keyword);
    QFETCH(QString, arg);
    QFETCH(QString, result);
    QFETCH(QString, status);

    OperatorBoard board;
    Calculus *item = board.make(keyword);
    QVERIFY(item);
    board.linkAll({arg});
    QCOMPARE(item->getTooltip(), status);
    compareResult(item, result, 1e-15);
    if (QTest::currentTestFailed())
        return;
    const bool ok = item->rows == 1;
    QCOMPARE(item->getSRows(), ok ? QStringLiteral("1") : QStringLiteral("NA"));
    QCOMPARE(item->getSCols(), ok ? QStringLiteral("1") : QStringLiteral("NA"));
    QCOMPARE(item->getError(), !ok);
}

void TestReductions::successAfterFailure_data()
{
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<double>("value");
    QTest::newRow("MAX") << "MAX" << 6.0;
    QTest::newRow("MIN") << "MIN" << 2.0;
    QTest::newRow("SUM") << "SUM" << 8.0;
    QTest::newRow("VAR") << "VAR" << 4.0;
}

void TestReductions::successAfterFailure()
{
    QFETCH(QString, keyword);
    QFETCH(double, value);

    OperatorBoard board;
    Calculus *item = board.make(keyword);
    board.linkAll({"0x0"});
    QCOMPARE(item->getTooltip(), QStringLiteral("Argument error"));
    static_cast<FixedItem *>(item->argument(1))->set(QStringLiteral("2x1:2,6"));
    board.evaluate();
    QCOMPARE(item->getTooltip(), keyword);
    QCOMPARE(item->rows, 1);
    QCOMPARE(item->cols, 1);
    QCOMPARE(item->getSRows(), QStringLiteral("1"));
    QVERIFY(!item->getError());
    QCOMPARE(item->getValue(1), value);
}

QTEST_MAIN(TestReductions)
#include "tst_reductions.moc"
