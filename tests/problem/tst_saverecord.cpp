#include "graph/Graph.h"
#include "problem/CalculusDisplay.h"
#include "problem/Link.h"
#include "problem/Problem.h"
#include "problem/invPARAM.h"
#include "support/TestInvariantItem.h"
#include "support/TestLinking.h"
#include "support/TestOperatorItem.h"

#include <QCheckBox>
#include <QtTest>

#include <memory>

namespace
{

// An operator whose record carries a tail of its own.
class TailedItem : public TestOperatorItem
{
public:
    using TestOperatorItem::TestOperatorItem;
    QString specificInformationToSave() override { return tail; }
    QString tail;
};

} // namespace

class TestSaveRecord : public QObject
{
    Q_OBJECT

private slots:
    void record_data();
    void record();
    void dialogStateWins();
    void graphValueLeavesNoTrace();
    void positionReadsBack_data();
    void positionReadsBack();
};

void TestSaveRecord::record_data()
{
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("flags"); // inReport, nodInReport, vecInReport, complement
    QTest::addColumn<QPointF>("pos");
    QTest::addColumn<QList<int>>("args"); // save index of arguments 1..4, -1 for none
    QTest::addColumn<QString>("tail");
    QTest::addColumn<QString>("expected");

    const QList<int> none{-1, -1, -1, -1};
    QTest::newRow("reported invariant") << "DEGMAX"
                                        << ""
                                        << "1000" << QPointF(35, -12.5) << none << ""
                                        << "DEGMAX\t\t1\t0\t0\t0\t35\t-12.5\tNULL\tNULL\tNULL\tNULL\n";
    QTest::newRow("named operator") << "+"
                                    << "total"
                                    << "0000" << QPointF(200, 80) << QList<int>{0, 3, -1, -1} << ""
                                    << "+\ttotal\t0\t0\t0\t0\t200\t80\t0\t3\tNULL\tNULL\n";
    QTest::newRow("blanks in keyword and name")
        << "VALUE AT"
        << "my value"
        << "1111" << QPointF(0, 0) << none << ""
        << "VALUE AT\tmy value\t1\t1\t1\t1\t0\t0\tNULL\tNULL\tNULL\tNULL\n";
    QTest::newRow("argument 2 without argument 1")
        << "-"
        << ""
        << "0100" << QPointF(-1, 2) << QList<int>{-1, 5, -1, -1} << ""
        << "-\t\t0\t1\t0\t0\t-1\t2\tNULL\t5\tNULL\tNULL\n";
    QTest::newRow("argument 4 only") << "SUM"
                                     << ""
                                     << "0010" << QPointF(1, 1) << QList<int>{-1, -1, -1, 12} << ""
                                     << "SUM\t\t0\t0\t1\t0\t1\t1\tNULL\tNULL\tNULL\t12\n";
    QTest::newRow("four arguments") << "IFGE"
                                    << ""
                                    << "0001" << QPointF(10, 20) << QList<int>{0, 1, 2, 10} << ""
                                    << "IFGE\t\t0\t0\t0\t1\t10\t20\t0\t1\t2\t10\n";
    QTest::newRow("six significant digits") << "ABS"
                                            << ""
                                            << "0000" << QPointF(123.4567, 1e6) << none << ""
                                            << "ABS\t\t0\t0\t0\t0\t123.457\t1e+06\tNULL\tNULL\tNULL\tNULL\n";
    QTest::newRow("tiny and large positions")
        << "ABS"
        << ""
        << "0000" << QPointF(-0.000012345, 1234567.8) << none << ""
        << "ABS\t\t0\t0\t0\t0\t-1.2345e-05\t1.23457e+06\tNULL\tNULL\tNULL\tNULL\n";
    QTest::newRow("fractional position") << "ABS"
                                         << ""
                                         << "0000" << QPointF(0.25, -0.5) << none << ""
                                         << "ABS\t\t0\t0\t0\t0\t0.25\t-0.5\tNULL\tNULL\tNULL\tNULL\n";
    QTest::newRow("objective tail") << "Z"
                                    << ""
                                    << "0000" << QPointF(5, 6) << QList<int>{7, -1, -1, -1} << "\tmin"
                                    << "Z\t\t0\t0\t0\t0\t5\t6\t7\tNULL\tNULL\tNULL\tmin\n";
    QTest::newRow("constant tail")
        << "CONSTANT"
        << "c"
        << "0000" << QPointF(0, 0) << none << "\t1\t2\t3.5\t-1"
        << "CONSTANT\tc\t0\t0\t0\t0\t0\t0\tNULL\tNULL\tNULL\tNULL\t1\t2\t3.5\t-1\n";
    QTest::newRow("name with tab and separator")
        << "SUM"
        << "a\tb<NEW>c\n"
        << "0000" << QPointF(0, 0) << none << ""
        << "SUM\ta b<NEW >c \t0\t0\t0\t0\t0\t0\tNULL\tNULL\tNULL\tNULL\n";
}

void TestSaveRecord::record()
{
    QFETCH(QString, keyword);
    QFETCH(QString, given);
    QFETCH(QString, flags);
    QFETCH(QPointF, pos);
    QFETCH(QList<int>, args);
    QFETCH(QString, tail);
    QFETCH(QString, expected);

    TailedItem item(false, keyword);
    item.tail = tail;
    item.setGivenName(given);
    item.setInReport(flags[0] == QLatin1Char('1'));
    item.setNodInReport(flags[1] == QLatin1Char('1'));
    item.setVecInReport(flags[2] == QLatin1Char('1'));
    item.setInvertGraph(flags[3] == QLatin1Char('1'));
    item.setPos(pos);
    std::vector<std::unique_ptr<TestInvariantItem>> arguments;
    for (int k = 1; k <= 4; ++k) {
        if (args[k - 1] < 0)
            continue;
        arguments.push_back(std::make_unique<TestInvariantItem>());
        arguments.back()->saveIndex = args[k - 1];
        QVERIFY(linkAsArgument(arguments.back().get(), &item, k));
    }

    const QString record = item.getCaractToSave();
    QCOMPARE(record, expected);
    // Twelve fields, eleven tabs, one line feed at the end, unless a tail follows.
    if (tail.isEmpty())
        QCOMPARE(record.count(QLatin1Char('\t')), 11);
    QCOMPARE(record.count(QLatin1Char('\n')), 1);
    QVERIFY(record.endsWith(QLatin1Char('\n')));
    QVERIFY(!record.contains(QStringLiteral("<NEW>")));
}

void TestSaveRecord::dialogStateWins()
{
    TestInvariantItem item(true, QStringLiteral("DEGREES"));
    item.setPos(0, 0);
    item.setInReport(false);
    item.setNodInReport(false);
    QCOMPARE(item.getCaractToSave(), QStringLiteral("DEGREES\t\t0\t0\t0\t0\t0\t0\tNULL\tNULL\tNULL\tNULL\n"));

    // Ticked in the dialog, not yet stored in the item: the record writes what the dialog shows.
    const QList<QCheckBox *> boxes = item.getCalculusDisplay()->findChildren<QCheckBox *>();
    for (QCheckBox *b : boxes) {
        if (b->text() == QLatin1String("Insert in analyst") || b->text() == QLatin1String("Complement"))
            b->setChecked(true);
        if (b->text() == QLatin1String("Node Value"))
            b->setChecked(true);
    }
    QVERIFY(!item.inReportFlag);
    QCOMPARE(item.getCaractToSave(), QStringLiteral("DEGREES\t\t1\t1\t0\t1\t0\t0\tNULL\tNULL\tNULL\tNULL\n"));
    QVERIFY(item.inReportFlag); // refreshed by the writer
}

void TestSaveRecord::graphValueLeavesNoTrace()
{
    TestInvariantItem a, b;
    a.setInReport(true);
    a.setGraphInReport(true);
    b.setInReport(true);
    QCOMPARE(a.getCaractToSave(), b.getCaractToSave());
}

void TestSaveRecord::positionReadsBack_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("restored");

    QTest::newRow("exact") << 35.0 << 35.0;
    QTest::newRow("seven digits") << 123.4567 << 123.457;
    QTest::newRow("rounds up") << 99.99996 << 100.0;
    QTest::newRow("large") << 1234567.0 << 1234570.0;
    QTest::newRow("negative, exponent form") << -7654321.0 << -7654320.0;
}

void TestSaveRecord::positionReadsBack()
{
    QFETCH(double, x);
    QFETCH(double, restored);

    TestInvariantItem item;
    item.setPos(x, 0);
    const QStringList fields = item.getCaractToSave().split(QLatin1Char('\t'));
    QCOMPARE(fields.size(), 12);
    QCOMPARE(fields[6].toDouble(), restored);

    // The problem reader puts the item back where the record says.
    Graph g(QStringLiteral("g"), false);
    Problem p(&g, QStringLiteral("p"), false);
    QVERIFY(p.openString(QStringLiteral("PARAM 1\t\t0\t0\t0\t0\t") + fields[6] +
                         QStringLiteral("\t0\tNULL\tNULL\tNULL\tNULL")));
    QVERIFY(p.getParam1());
    QCOMPARE(p.getParam1()->pos().x(), restored);
}

QTEST_MAIN(TestSaveRecord)
#include "tst_saverecord.moc"
