#include "graph/Graph.h"
#include "problem/ConstantDisplay.h"
#include "problem/Operator.h"
#include "problem/Problem.h"
#include "problem/invConstant.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

using Values = QVector<double>;

namespace
{
QTableWidget *tableOf(invConstant &c)
{
    return c.getCalculusDisplay()->findChild<QTableWidget *>();
}

QPushButton *button(invConstant &c, const QString &text)
{
    for (QPushButton *b : c.getCalculusDisplay()->findChildren<QPushButton *>())
        if (b->text() == text)
            return b;
    return nullptr;
}

Values result(const Calculus &c)
{
    Values v;
    for (int i = 0; i < c.rows; ++i)
        for (int j = 0; j < c.cols; ++j)
            v << c.M[i][j];
    return v;
}

// An argument whose result is a rows x cols block of chosen values, optionally in error.
class Source : public Operator
{
public:
    int r = 1, c = 1;
    Values values{0};
    bool fail = false;
    void recompute() override
    {
        rows = r;
        cols = c;
        for (int i = 0; i < r; ++i)
            for (int j = 0; j < c; ++j)
                M[i][j] = values.value(i * c + j);
        if (fail)
            error = true;
    }
};
} // namespace

class TestConstant : public QObject
{
    Q_OBJECT

private slots:
    void headlessLoad_data();
    void headlessLoad();
    void dialogLoad_data();
    void dialogLoad();
    void saveTail_data();
    void saveTail();
    void tableBounds_data();
    void tableBounds();
    void cellTextThatIsNoNumber();
    void cloneFromArgument_data();
    void cloneFromArgument();
    void argumentError_data();
    void argumentError();
};

void TestConstant::headlessLoad_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("cols");
    QTest::addColumn<Values>("values");
    QTest::addColumn<QString>("expected"); // "RxC:v,v,..." or "unchanged"

    QTest::newRow("2 x 1") << 2 << 1 << Values{1.5, 2} << "2x1:1.5,2";
    QTest::newRow("1 x 3") << 1 << 3 << Values{-1, 0, 7} << "1x3:-1,0,7";
    QTest::newRow("too few values") << 2 << 2 << Values{1, 2, 3} << "unchanged";
    QTest::newRow("too many values") << 2 << 2 << Values{1, 2, 3, 4, 5} << "unchanged";
    QTest::newRow("33 rows") << 33 << 1 << Values(33, 1.0) << "unchanged";
    QTest::newRow("negative size") << -1 << -1 << Values{1} << "unchanged";
}

void TestConstant::headlessLoad()
{
    QFETCH(int, rows);
    QFETCH(int, cols);
    QFETCH(Values, values);
    QFETCH(QString, expected);

    Graph g(QStringLiteral("g"), false);
    invConstant c(false);
    c.setGraph(&g);
    c.loadData(1, 1, Values{9});
    c.loadData(rows, cols, values);
    c.compute(true);
    QStringList texts;
    for (double v : result(c))
        texts << QString::number(v);
    const QString got = QStringLiteral("%1x%2:").arg(c.rows).arg(c.cols) + texts.join(QLatin1Char(','));
    QCOMPARE(got, expected == QLatin1String("unchanged") ? QStringLiteral("1x1:9") : expected);
    QVERIFY(!c.getError());
    QCOMPARE(c.getSRows(), QString::number(c.rows));
}

void TestConstant::dialogLoad_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("cols");
    QTest::addColumn<Values>("values");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("2 x 2") << 2 << 2 << Values{1, 2, 3, 4} << true;
    QTest::newRow("32 x 32") << 32 << 32 << Values(1024, 0.5) << true;
    QTest::newRow("0 x 0") << 0 << 0 << Values{} << true;
    QTest::newRow("count mismatch keeps the table") << 2 << 3 << Values{1, 2} << false;
}

void TestConstant::dialogLoad()
{
    QFETCH(int, rows);
    QFETCH(int, cols);
    QFETCH(Values, values);
    QFETCH(bool, accepted);

    Graph g(QStringLiteral("g"), false);
    invConstant c(true);
    c.setGraph(&g);
    c.compute(true);
    QCOMPARE(result(c), Values{0}); // the new table is 1 x 1 holding 0
    c.loadData(rows, cols, values);
    g.addNode();
    c.compute(true);
    if (accepted) {
        QCOMPARE(c.rows, rows);
        QCOMPARE(c.cols, cols);
        QCOMPARE(result(c), values);
        QCOMPARE(c.getError(), rows == 0 || cols == 0);
        QCOMPARE(tableOf(c)->rowCount(), rows);
    } else {
        QCOMPARE(result(c), Values{0});
        QCOMPARE(tableOf(c)->rowCount(), 1);
        QCOMPARE(tableOf(c)->columnCount(), 1);
    }
}

void TestConstant::saveTail_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("cols");
    QTest::addColumn<Values>("values");
    QTest::addColumn<QString>("tail");

    QTest::newRow("1 x 1 zero") << 1 << 1 << Values{0} << "\t1\t1\t0";
    QTest::newRow("2 x 1") << 2 << 1 << Values{1.5, 2} << "\t2\t1\t1.5\t2";
    QTest::newRow("six digits") << 1 << 3 << Values{1.0 / 3.0, 1234567, -0.0001234567}
                                << "\t1\t3\t0.333333\t1.23457e+06\t-0.000123457";
    QTest::newRow("in error saves no values") << 0 << 0 << Values{} << "\t0\t0";
}

void TestConstant::saveTail()
{
    QFETCH(int, rows);
    QFETCH(int, cols);
    QFETCH(Values, values);
    QFETCH(QString, tail);

    Graph g(QStringLiteral("g"), false);
    for (bool withDisplay : {false, true}) {
        invConstant c(withDisplay);
        c.setGraph(&g);
        c.loadData(rows, cols, values);
        g.addNode();
        c.compute(true);
        QCOMPARE(c.specificInformationToSave(), tail);
    }
}

void TestConstant::tableBounds_data()
{
    QTest::addColumn<QString>("clicks");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("cols");

    QTest::newRow("del row on one row") << "del row" << 1 << 1;
    QTest::newRow("del col on one column") << "del col" << 1 << 1;
    QTest::newRow("add row twice") << "add row,add row" << 3 << 1;
    QTest::newRow("add col then del col") << "add col,del col" << 1 << 1;
    QString fortyRows = QStringLiteral("add row");
    for (int i = 0; i < 39; ++i)
        fortyRows += QStringLiteral(",add row");
    QTest::newRow("add row stops at 32") << fortyRows << 32 << 1;
    QTest::newRow("add col stops at 32")
        << QString(fortyRows).replace(QStringLiteral("row"), QStringLiteral("col")) << 1 << 32;
}

void TestConstant::tableBounds()
{
    QFETCH(QString, clicks);
    QFETCH(int, rows);
    QFETCH(int, cols);

    Graph g(QStringLiteral("g"), false);
    invConstant c(true);
    c.setGraph(&g);
    for (const QString &click : clicks.split(QLatin1Char(','))) {
        QPushButton *b = button(c, click);
        QVERIFY(b);
        b->click();
    }
    button(c, QStringLiteral("Apply"))->click(); // takes a fresh graph stamp
    c.compute(true);
    QCOMPARE(c.rows, rows);
    QCOMPARE(c.cols, cols);
    QCOMPARE(result(c), Values(rows * cols, 0.0)); // every new cell reads "0"
    QCOMPARE(tableOf(c)->item(rows - 1, cols - 1)->text(), QStringLiteral("0"));
}

void TestConstant::cellTextThatIsNoNumber()
{
    Graph g(QStringLiteral("g"), false);
    invConstant c(true);
    c.setGraph(&g);
    c.loadData(1, 3, Values{1, 2, 3});
    tableOf(c)->item(0, 1)->setText(QStringLiteral("abc"));
    tableOf(c)->item(0, 2)->setText(QStringLiteral("2.5e1"));
    g.addNode();
    c.compute(true);
    QCOMPARE(result(c), (Values{1, 0, 25}));
}

void TestConstant::cloneFromArgument_data()
{
    QTest::addColumn<int>("r");
    QTest::addColumn<int>("c");
    QTest::addColumn<Values>("values");
    QTest::addColumn<bool>("argumentFails");
    QTest::addColumn<bool>("linked");
    QTest::addColumn<QString>("expected"); // "RxC:values" or "Argument error"

    QTest::newRow("copies a 2 x 2 argument")
        << 2 << 2 << Values{1, 2, 3, 4} << false << true << "2x2:1,2,3,4";
    QTest::newRow("six significant digits") << 1 << 1 << Values{3.14159265} << false << true << "1x1:3.14159";
    QTest::newRow("empty argument") << 0 << 0 << Values{} << false << true << "Argument error";
    QTest::newRow("no columns") << 3 << 0 << Values{} << false << true << "Argument error";
    QTest::newRow("argument in error is copied") << 1 << 2 << Values{5, 6} << true << true << "1x2:5,6";
    QTest::newRow("no argument keeps the table") << 1 << 1 << Values{5} << false << false << "1x1:7";
}

// "Clone" pressed in the constant's editor on a board: the constant takes argument 1's values
// once, and is in error exactly when there was nothing to copy or argument 1 is in error.
void TestConstant::cloneFromArgument()
{
    QFETCH(int, r);
    QFETCH(int, c);
    QFETCH(Values, values);
    QFETCH(bool, argumentFails);
    QFETCH(bool, linked);
    QFETCH(QString, expected);

    Graph g(QStringLiteral("g"), false);
    Problem board(&g, QStringLiteral("t"), false);
    auto *source = new Source;
    source->r = r;
    source->c = c;
    source->values = values;
    source->fail = argumentFails;
    board.addOperatorItem(source);
    auto *constant = new invConstant(true);
    constant->loadData(1, 1, Values{7});
    board.addOperatorItem(constant);
    if (linked)
        QVERIFY(board.link1(source, constant));
    button(*constant, QStringLiteral("Clone"))->click();
    board.compute(true);
    QStringList texts;
    for (double v : result(*constant))
        texts << QString::number(v, 'g', 10);
    const QString got =
        constant->getTooltip() == QLatin1String("Argument error")
            ? constant->getTooltip()
            : QStringLiteral("%1x%2:").arg(constant->rows).arg(constant->cols) + texts.join(QLatin1Char(','));
    QCOMPARE(got, expected);
    QCOMPARE(constant->getError(), argumentFails || expected == QLatin1String("Argument error"));
    // The request is used once: later changes of the argument do not reach the table, and a sound
    // argument leaves the constant sound.
    source->values = Values(16, 99.0);
    source->fail = false;
    g.addNode();
    board.compute(true);
    QVERIFY(!result(*constant).contains(99.0));
    QVERIFY(!constant->getError());
}

void TestConstant::argumentError_data()
{
    QTest::addColumn<bool>("withDisplay");
    QTest::newRow("headless") << false;
    QTest::newRow("with its dialog") << true;
}

// A constant linked to an item in error is in error too, and keeps its own values; it is sound
// again once its argument is.
void TestConstant::argumentError()
{
    QFETCH(bool, withDisplay);
    Graph g(QStringLiteral("g"), false);
    Problem board(&g, QStringLiteral("t"), false);
    auto *source = new Source;
    source->fail = true;
    board.addOperatorItem(source);
    auto *constant = new invConstant(withDisplay);
    constant->loadData(1, 1, Values{4});
    board.addOperatorItem(constant);
    QVERIFY(board.link1(source, constant));
    g.addNode();
    board.compute(true);
    QVERIFY(source->getError());
    QVERIFY(constant->getError());
    QCOMPARE(result(*constant), Values{4});
    source->fail = false;
    g.addNode();
    board.compute(true);
    QVERIFY(!constant->getError());
    QCOMPARE(result(*constant), Values{4});
}

QTEST_MAIN(TestConstant)
#include "tst_constant.moc"
