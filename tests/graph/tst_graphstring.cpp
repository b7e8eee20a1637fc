#include "graph/Graph.h"
#include "graph/Node.h"

#include "GraphTestHelpers.h"
#include "support/TestData.h"

#include <QSignalSpy>
#include <QtTest>

// Graph strings: the order, a blank, then one character per pair (1,0),(2,0),(2,1),(3,0),...
class TestGraphString : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void roundTrip_data();
    void roundTrip();
    void knownStrings_data();
    void knownStrings();
    void ordersOutOfRange_data();
    void ordersOutOfRange();
    void writersAndTheBestGraph();
    void loadSignals();
    void everyLoadTakesAFreshStamp_data();
    void everyLoadTakesAFreshStamp();

private:
    // Reused by the long tables: every read replaces the whole graph.
    Graph *reader = nullptr;
    Graph *other = nullptr;
};

namespace
{

// Rows of the reference files: graph6 line, graph string, edge list (from networkx).
void addReferenceRows(const QString &file)
{
    const QStringList lines = readDataLines(file);
    QVERIFY2(!lines.isEmpty(), qPrintable(file));
    for (const QString &line : lines) {
        const QStringList f = line.split(QLatin1Char('\t'), Qt::KeepEmptyParts);
        QCOMPARE(f.size(), 3);
        QTest::newRow(qPrintable(file + QLatin1Char(':') + f.at(0))) << f.at(1) << f.at(2);
    }
}

} // namespace

void TestGraphString::initTestCase()
{
    reader = new Graph(QStringLiteral("G"), false);
    other = new Graph(QStringLiteral("H"), false);
}

void TestGraphString::cleanupTestCase()
{
    delete reader;
    delete other;
}

void TestGraphString::roundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("edges");
    addReferenceRows(QStringLiteral("graph6_geng.txt"));
    addReferenceRows(QStringLiteral("graph6_large.txt"));
}

void TestGraphString::roundTrip()
{
    QFETCH(QString, text);
    QFETCH(QString, edges);
    const int n = text.section(QLatin1Char(' '), 0, 0).toInt();

    Graph &g = *reader;
    QVERIFY(g.loadtsy(text, false));
    QCOMPARE(g.getNbNodes(), n);
    QCOMPARE(edgeList(g), edges);
    QCOMPARE(g.graphData(), text);
    QCOMPARE(g.currentGraphData(), text);
    QVERIFY(g.loadtsy(text, true));
    QCOMPARE(bestEdgeList(g), edges);

    Graph &h = *other;
    const QString before = h.graphData();
    QVERIFY(h.loadCurrentGraph(text));
    QCOMPARE(h.currentGraphData(), text);
    QCOMPARE(edgeList(h), edges);
    QCOMPARE(h.graphData(), before);
}

void TestGraphString::knownStrings_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("edges");
    QTest::newRow("no vertex") << "0 " << 0 << "";
    QTest::newRow("one vertex") << "1 " << 1 << "";
    QTest::newRow("path 0-1-2") << "3 101" << 3 << "0-1,1-2";
    QTest::newRow("triangle") << "3 111" << 3 << "0-1,0-2,1-2";
    QTest::newRow("star, centre 0") << "4 110100" << 4 << "0-1,0-2,0-3";
    QTest::newRow("pair (3,2) only") << "4 000001" << 4 << "2-3";
    // Every string is a graph: what follows the pair characters is ignored, a missing pair
    // character is a non-edge and so is any character but "1".
    QTest::newRow("surplus characters") << "3 101abc" << 3 << "0-1,1-2";
    QTest::newRow("further parts") << "3 101 111" << 3 << "0-1,1-2";
    QTest::newRow("line end") << "3 111\r\n" << 3 << "0-1,0-2,1-2";
    QTest::newRow("order alone") << "5" << 5 << "";
    QTest::newRow("order alone with its line end") << "5\n" << 5 << "";
    QTest::newRow("short pair field") << "3 1" << 3 << "0-1";
    QTest::newRow("other characters are non-edges") << "3 2x1" << 3 << "1-2";
    QTest::newRow("two blanks: empty pair field") << "3  101" << 3 << "";
    QTest::newRow("32 vertices, one pair") << "32 1" << 32 << "0-1";
    QTest::newRow("order with a plus sign") << "+3 101" << 3 << "0-1,1-2";
    // A first part that is no number, or empty, is order 0.
    QTest::newRow("order of letters") << "abc 111" << 0 << "";
    QTest::newRow("leading blank") << " 3 111" << 0 << "";
    QTest::newRow("empty string") << "" << 0 << "";
    QTest::newRow("tab for blank") << "3\t101" << 0 << "";
    QTest::newRow("digits then letters") << "5a 1111111111" << 0 << "";
    QTest::newRow("non-Latin digit order") << QStringLiteral("\u0663 111") << 0 << "";
    // Leading zeros do not change the number.
    QTest::newRow("order 5 with leading zeros") << "0005 0000000000" << 5 << "";
    QTest::newRow("order 0 written 000") << "000 " << 0 << "";
    QTest::newRow("order 32 with leading zeros")
        << QStringLiteral("0000000032 ") + QString(495, QLatin1Char('0')) + QLatin1Char('1') << 32 << "30-31";
    QTest::newRow("32 vertices, no edge")
        << QStringLiteral("32 ") + QString(496, QLatin1Char('0')) << 32 << "";
    QTest::newRow("32 vertices, last pair")
        << QStringLiteral("32 ") + QString(495, QLatin1Char('0')) + QLatin1Char('1') << 32 << "30-31";
}

void TestGraphString::knownStrings()
{
    QFETCH(QString, text);
    QFETCH(int, n);
    QFETCH(QString, edges);
    Graph g(QStringLiteral("graph"), true);
    for (bool show : {false, true}) {
        g.loadtsy(QStringLiteral("4 111111"), true);
        const qint64 before = g.getID();
        QSignalSpy changed(&g, &Graph::signal_best_graph_changed);
        QVERIFY(g.loadtsy(text, show));
        QCOMPARE(g.getNbNodes(), n);
        QCOMPARE(edgeList(g), edges);
        QCOMPARE(bestEdgeList(g), edges);
        QVERIFY(g.getID() != before);
        QCOMPARE(changed.count(), show ? 1 : 0);
        for (int k = 0; k < Graph::MaxNodes; ++k)
            QCOMPARE(g.getNode(k)->getExists(), k < n);
    }
    // Only the current graph: the best graph stays the triangle.
    g.loadtsy(QStringLiteral("3 111"), false);
    const qint64 before = g.getID();
    QVERIFY(g.loadCurrentGraph(text));
    QCOMPARE(g.getNbNodes(), n);
    QCOMPARE(edgeList(g), edges);
    QCOMPARE(bestEdgeList(g), QStringLiteral("0-1,0-2,1-2"));
    QVERIFY(g.getID() != before);
}

// Only an order the graph cannot hold is refused, and then nothing changes.
void TestGraphString::ordersOutOfRange_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("order 33") << QStringLiteral("33 ") + QString(528, QLatin1Char('1'));
    QTest::newRow("order 33 alone") << "33";
    QTest::newRow("order 33 with leading zeros") << QStringLiteral("00033 ") + QString(528, QLatin1Char('1'));
    QTest::newRow("huge order") << "99999999999 1";
    QTest::newRow("order -1") << "-1 ";
    QTest::newRow("negative order with bits") << "-3 101";
    QTest::newRow("huge negative order") << "-99999999999 1";
}

void TestGraphString::ordersOutOfRange()
{
    QFETCH(QString, text);
    Graph g(QStringLiteral("graph"), true);
    g.loadtsy(QStringLiteral("5 1100110011"), true);
    g.addEdge(3, 4); // current and best differ: neither may change
    const GraphState before = stateOf(g);
    QSignalSpy console(&g, &Graph::signal_console);
    QSignalSpy changed(&g, &Graph::signal_best_graph_changed);

    QVERIFY(!g.loadtsy(text, false));
    QVERIFY(stateOf(g) == before);
    QVERIFY(!g.loadtsy(text, true));
    QVERIFY(stateOf(g) == before);
    QVERIFY(!g.loadCurrentGraph(text));
    QVERIFY(stateOf(g) == before);

    QCOMPARE(changed.count(), 0);
    QCOMPARE(console.count(), 3);
    for (const QList<QVariant> &message : qAsConst(console)) {
        QVERIFY(message.at(0).toString().contains(QLatin1String("refused")));
        QCOMPARE(message.at(3).value<QColor>(), QColor(Qt::red));
    }
}

void TestGraphString::writersAndTheBestGraph()
{
    Graph g(QStringLiteral("G"), false);
    buildGraph(g, 4, QStringLiteral("0-1,2-3"));
    g.best_backup();
    g.addEdge(1, 3);
    g.remEdge(2, 3);
    QCOMPARE(g.graphData(), QStringLiteral("4 100001"));
    QCOMPARE(g.currentGraphData(), QStringLiteral("4 100010"));
    g.toggleEdge(0, 3); // a pair set in one cell only is an edge for both writers
    g.best_backup();
    QCOMPARE(g.graphData(), QStringLiteral("4 100110"));
    // Only loadtsy replaces the best graph.
    QVERIFY(g.loadCurrentGraph(QStringLiteral("2 1")));
    QCOMPARE(g.graphData(), QStringLiteral("4 100110"));
    g.best_restore(); // the one-sided cell comes back and still reads as an edge
    QCOMPARE(g.currentGraphData(), QStringLiteral("4 100110"));
    QVERIFY(g.loadtsy(QStringLiteral("3 111"), false));
    QCOMPARE(g.graphData(), QStringLiteral("3 111"));
}

void TestGraphString::loadSignals()
{
    Graph g(QStringLiteral("graph"), true);
    g.getNode(1)->setSelected(true);
    QSignalSpy changed(&g, &Graph::signal_best_graph_changed);
    QVERIFY(g.loadtsy(QStringLiteral("3 101"), false));
    QCOMPARE(changed.count(), 0);
    QVERIFY(g.getNode(1)->isSelected());
    QVERIFY(g.loadCurrentGraph(QStringLiteral("3 111")));
    QCOMPARE(changed.count(), 0);
    QVERIFY(g.loadtsy(QStringLiteral("3 101"), true));
    QCOMPARE(changed.count(), 1);
    QVERIFY(!g.getNode(1)->isSelected());
    // The shown vertices follow the best order.
    for (int k = 0; k < 32; ++k)
        QCOMPARE(g.getNode(k)->getVisible(), k < 3);
}

void TestGraphString::everyLoadTakesAFreshStamp_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("order 0") << "0 ";
    QTest::newRow("order 1") << "1 ";
    QTest::newRow("order 2") << "2 0";
    QTest::newRow("order 5") << "5 1111111111";
    QTest::newRow("order 0 from letters") << "abc 111";
    QTest::newRow("order 4 alone") << "4";
}

void TestGraphString::everyLoadTakesAFreshStamp()
{
    QFETCH(QString, text);
    Graph g(QStringLiteral("G"), false);
    // Loading the same graph again still invalidates whatever was computed before.
    for (int round = 0; round < 3; ++round) {
        qint64 before = g.getID();
        QVERIFY(g.loadtsy(text, false));
        QVERIFY(g.getID() != before);
        before = g.getID();
        QVERIFY(g.loadCurrentGraph(text));
        QVERIFY(g.getID() != before);
        before = g.getID();
        QVERIFY(g.loadtsy(text, true));
        QVERIFY(g.getID() != before);
    }
}

QTEST_MAIN(TestGraphString)
#include "tst_graphstring.moc"
