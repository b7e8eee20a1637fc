#include "OperatorCase.h"
#include "operators/operNODEIMPACT.h"
#include "problem/CalculusDisplay.h"

#include <QCheckBox>
#include <QtTest>

#include <memory>

// What the hand-worked table cannot show of the operators that read the graph: "MOMENT" on the
// complement of the graph, and the vertex-removal impact, which recomputes the items before it on
// graphs with one vertex less and must leave the graph as it found it.
class TestGraphAware : public QObject
{
    Q_OBJECT

private slots:
    void momentOnComplement();
    void nodeImpact_data();
    void nodeImpact();
    void nodeImpactRefusals_data();
    void nodeImpactRefusals();
};

void TestGraphAware::momentOnComplement()
{
    // The complement of the path 0-1-2-3 is the path 2-0-3-1 (degrees 2, 1, 1, 2).
    OperatorBoard board;
    setGraphFromText(board.getGraph(), QStringLiteral("4:0-1;1-2;2-3"));
    Calculus *item = board.make(QStringLiteral("MOMENT"), true);
    // The user ticks the dialog's "Complement" box, which this operator alone among them offers.
    QCheckBox *complement = nullptr;
    for (QCheckBox *box : item->getCalculusDisplay()->findChildren<QCheckBox *>())
        if (box->text() == QLatin1String("Complement"))
            complement = box;
    QVERIFY(complement);
    QVERIFY(complement->isEnabled());
    item->getCalculusDisplay()->show();
    QTest::mouseClick(complement, Qt::LeftButton, {}, QPoint(4, complement->height() / 2));
    QVERIFY(complement->isChecked());
    board.evaluate();
    compareResult(item, QStringLiteral("4x1:5,9,9,5"));
    QVERIFY(!item->getError());
    QCOMPARE(board.getGraph()->currentGraphData(), QStringLiteral("4 101001"));
}

void TestGraphAware::nodeImpact_data()
{
    QTest::addColumn<QString>("graph");
    QTest::addColumn<QString>("invariant");
    QTest::addColumn<QString>("expected");

    QTest::newRow("path, edges") << "3:0-1;1-2"
                                 << "SIZE"
                                 << "3x1:-1,-2,-1";
    QTest::newRow("star, edges") << "4:0-1;0-2;0-3"
                                 << "SIZE"
                                 << "4x1:-3,-1,-1,-1";
    QTest::newRow("K4, order") << "4:0-1;0-2;0-3;1-2;1-3;2-3"
                               << "ORDER"
                               << "4x1:-1,-1,-1,-1";
    QTest::newRow("no vertex") << "0:"
                               << "SIZE"
                               << "0x1";
}

void TestGraphAware::nodeImpact()
{
    QFETCH(QString, graph);
    QFETCH(QString, invariant);
    QFETCH(QString, expected);

    OperatorBoard board;
    Graph *g = board.getGraph();
    setGraphFromText(g, graph);
    const QString before = g->currentGraphData();
    std::unique_ptr<Calculus> value(BuildCalculus().makeCalculus(invariant, false));
    QVERIFY(value);
    value->setGraph(g);
    operNODEIMPACT impact(false);
    impact.setGraph(g);
    QVERIFY(OperatorBoard::link(value.get(), &impact, 1));
    Calculus::clearVectorCalculus();
    Calculus::addVectorCalculus(value.get());
    Calculus::addVectorCalculus(&impact);

    g->changeBest();
    value->compute(true);
    const double base = value->getValue(1);
    impact.compute(true);
    Calculus::clearVectorCalculus();

    compareResult(&impact, expected);
    QCOMPARE(impact.getTooltip(), QStringLiteral("NODEIMPACT"));
    QVERIFY(!impact.getError());
    QCOMPARE(g->currentGraphData(), before);
    // The items before it hold their values for the restored graph again.
    QCOMPARE(value->getValue(1), base);
}

void TestGraphAware::nodeImpactRefusals_data()
{
    QTest::addColumn<QString>("arg");
    QTest::addColumn<QString>("status");

    QTest::newRow("missing") << ""
                             << "Missing argument";
    QTest::newRow("vector") << "2x1:1,2"
                            << "Argument error";
    QTest::newRow("failed") << "0x0"
                            << "Argument error";
}

void TestGraphAware::nodeImpactRefusals()
{
    QFETCH(QString, arg);
    QFETCH(QString, status);

    // Not offered: no keyword creates it.
    QVERIFY(!BuildCalculus().makeCalculus(QStringLiteral("NODEIMPACT"), false));
    OperatorBoard board;
    setGraphFromText(board.getGraph(), QStringLiteral("3:0-1;1-2"));
    operNODEIMPACT impact(false);
    impact.setGraph(board.getGraph());
    FixedItem *a = board.fixed(arg);
    if (a)
        QVERIFY(OperatorBoard::link(a, &impact, 1));
    board.evaluate();
    impact.compute(true);
    QCOMPARE(impact.getTooltip(), status);
    QCOMPARE(impact.rows, 0);
    QCOMPARE(impact.getSRows(), QStringLiteral("NA"));
    QVERIFY(impact.getError());
    QCOMPARE(board.getGraph()->currentGraphData(), QStringLiteral("3 101"));
}

QTEST_MAIN(TestGraphAware)
#include "tst_graphaware.moc"
