#include "graph/Graph.h"

#include "GraphTestHelpers.h"
#include "support/TestData.h"

#include <QSignalSpy>
#include <QtTest>

#include <fstream>
#include <sstream>

class TestGraph6 : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { reader = new Graph(QStringLiteral("G"), false); }
    void cleanupTestCase() { delete reader; }
    void referenceGraphs_data();
    void referenceGraphs();
    void knownLines_data();
    void knownLines();
    void badLines_data();
    void badLines();
    void shownResetsTheVertices();
    void cellsBeyondTheOrderAreCleared();
    void stream_data();
    void stream();
    void streamOfGengFile();
    void bothFormsAgree_data();
    void bothFormsAgree();

private:
    // Reused by the long table: every read replaces the whole current graph.
    Graph *reader = nullptr;
};

namespace
{

QString repeated(char c, int count)
{
    return QString(count, QLatin1Char(c));
}

} // namespace

void TestGraph6::referenceGraphs_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("edges");
    int rows = 0;
    for (const QString &file : {QStringLiteral("graph6_geng.txt"), QStringLiteral("graph6_large.txt")}) {
        for (const QString &l : readDataLines(file)) {
            const QStringList f = l.split(QLatin1Char('\t'), Qt::KeepEmptyParts);
            QCOMPARE(f.size(), 3);
            QTest::newRow(qPrintable(file + QLatin1Char(':') + f.at(0))) << f.at(0) << f.at(1) << f.at(2);
            ++rows;
        }
    }
    // Every graph geng writes for 1..7 vertices (1+2+4+11+34+156+1044), plus the large ones.
    QVERIFY(rows > 1252);
}

void TestGraph6::referenceGraphs()
{
    QFETCH(QString, line);
    QFETCH(QString, text);
    QFETCH(QString, edges);
    Graph &g = *reader;
    QVERIFY(g.loadg6(line, false));
    QCOMPARE(g.getNbNodes(), text.section(QLatin1Char(' '), 0, 0).toInt());
    QCOMPARE(edgeList(g), edges);
    QCOMPARE(g.currentGraphData(), text);
}

void TestGraph6::knownLines_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("edges");
    QTest::newRow("triangle") << "Bw" << 3 << "0-1,0-2,1-2";
    QTest::newRow("K4") << "C~" << 4 << "0-1,0-2,0-3,1-2,1-3,2-3";
    QTest::newRow("one edge") << "A_" << 2 << "0-1";
    QTest::newRow("pair (0,2) only") << "BO" << 3 << "0-2";
    QTest::newRow("surplus characters ignored") << "Bwxyz" << 3 << "0-1,0-2,1-2";
    QTest::newRow("order 0") << "?" << 0 << "";
    QTest::newRow("order 1") << "@" << 1 << "";
    QTest::newRow("header") << ">>graph6<<Bw" << 3 << "0-1,0-2,1-2";
    QTest::newRow("CR LF") << "Bw\r\n" << 3 << "0-1,0-2,1-2";
    QTest::newRow("header and CR LF") << ">>graph6<<A_\r\n" << 2 << "0-1";
    QTest::newRow("order 31, empty") << QStringLiteral("^") + repeated('?', 78) << 31 << "";
    QTest::newRow("order 32, last pair")
        << QStringLiteral("_") + repeated('?', 82) + QLatin1Char('C') << 32 << "30-31";
    // 496 pairs use 82 full characters and 4 bits of the 83rd; its two low bits are spare.
    QTest::newRow("order 32, spare bits")
        << QStringLiteral("_") + repeated('?', 82) + QLatin1Char('B') << 32 << "";
}

void TestGraph6::knownLines()
{
    QFETCH(QString, line);
    QFETCH(int, n);
    QFETCH(QString, edges);
    Graph g(QStringLiteral("G"), false);
    const QString copy = line;
    QVERIFY(g.loadg6(line, false));
    QCOMPARE(line, copy);
    QCOMPARE(g.getNbNodes(), n);
    QCOMPARE(edgeList(g), edges);
}

void TestGraph6::badLines_data()
{
    QTest::addColumn<QString>("line");
    QTest::newRow("empty") << "";
    QTest::newRow("white space only") << " \r\n";
    QTest::newRow("header only") << ">>graph6<<";
    QTest::newRow("order -1 (code 62)") << ">";
    QTest::newRow("order 33 (code 96)") << QStringLiteral("`") + repeated('?', 88);
    QTest::newRow("long order form") << QStringLiteral("~?@?") + repeated('?', 300);
    QTest::newRow("short data, order 7") << "F???";
    QTest::newRow("short data, order 32") << QStringLiteral("_") + repeated('?', 82);
    QTest::newRow("blank inside") << "B w";
    QTest::newRow("Latin-1 letter") << QStringLiteral("B\u00e9");
    QTest::newRow("outside Latin-1") << QStringLiteral("B\u4e00");
    QTest::newRow("sparse6") << ":Bw";
}

void TestGraph6::badLines()
{
    QFETCH(QString, line);
    Graph g(QStringLiteral("graph"), true);
    buildGraph(g, 6, QStringLiteral("0-1,2-5"));
    g.best_backup();
    g.addEdge(3, 4);
    const GraphState before = stateOf(g);
    QSignalSpy console(&g, &Graph::signal_console);
    QSignalSpy changed(&g, &Graph::signal_best_graph_changed);

    QVERIFY(!g.loadg6(line, false));
    QVERIFY(stateOf(g) == before);
    QVERIFY(!g.loadg6(line, true));
    QVERIFY(stateOf(g) == before);
    std::istringstream in(line.toUtf8().toStdString() + "\n");
    QVERIFY(!g.loadg6(in));
    QVERIFY(stateOf(g) == before);

    QCOMPARE(changed.count(), 0);
    QCOMPARE(console.count(), 3);
    QCOMPARE(console.at(0).at(3).value<QColor>(), QColor(Qt::red));
}

void TestGraph6::shownResetsTheVertices()
{
    Graph g(QStringLiteral("graph"), true);
    QSignalSpy changed(&g, &Graph::signal_best_graph_changed);
    QVERIFY(g.loadg6(QStringLiteral("C~"), true));
    // The best graph holds the order's isolated vertices; the edges are in the current graph.
    QCOMPARE(g.graphData(), QStringLiteral("4 000000"));
    QCOMPARE(g.currentGraphData(), QStringLiteral("4 111111"));
    QCOMPARE(changed.count(), 0);
}

void TestGraph6::cellsBeyondTheOrderAreCleared()
{
    Graph g(QStringLiteral("G"), false);
    buildGraph(g, 6, QStringLiteral("2-5,0-4"));
    QVERIFY(g.loadg6(QStringLiteral("Bw"), false));
    QCOMPARE(edgeList(g), QStringLiteral("0-1,0-2,1-2"));
    for (int k = 3; k < 6; ++k)
        g.addNode();
    QCOMPARE(edgeList(g), QStringLiteral("0-1,0-2,1-2"));
}

void TestGraph6::stream_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("results"); // graph string after each call, "-" for a refusal
    QTest::newRow("two lines") << QByteArray("Bw\nC~\n") << QStringList{"3 111", "4 111111", "-"};
    QTest::newRow("CR LF") << QByteArray("Bw\r\nC~\r\n") << QStringList{"3 111", "4 111111", "-"};
    QTest::newRow("CR only") << QByteArray("A_\rBw") << QStringList{"2 1", "3 111", "-"};
    QTest::newRow("no final line end") << QByteArray("C~") << QStringList{"4 111111", "-"};
    QTest::newRow("bad line in between")
        << QByteArray("Bw\nB w x\n`???\nA_\n") << QStringList{"3 111", "-", "-", "2 1", "-"};
    QTest::newRow("header first") << QByteArray(">>graph6<<A_\nBw\n") << QStringList{"2 1", "3 111", "-"};
    QTest::newRow("empty stream") << QByteArray() << QStringList{"-", "-"};
    QTest::newRow("empty line") << QByteArray("\nBw\n") << QStringList{"-", "3 111", "-"};
    QTest::newRow("byte 0xff") << QByteArray("B\xffw\nBw\n") << QStringList{"-", "3 111", "-"};
}

void TestGraph6::stream()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, results);
    Graph g(QStringLiteral("G"), false);
    g.best_backup();
    const QString best = g.graphData();
    std::istringstream in(bytes.toStdString());
    for (const QString &expected : results) {
        const QString before = g.currentGraphData();
        const bool ok = g.loadg6(in);
        QCOMPARE(ok, expected != QLatin1String("-"));
        QCOMPARE(g.currentGraphData(), ok ? expected : before);
    }
    // The stream form never backs up into the best graph.
    QCOMPARE(g.graphData(), best);
}

void TestGraph6::streamOfGengFile()
{
    // The file exactly as geng writes it with its header; the expected graphs are the order-4
    // rows of the networkx reference, in geng's order.
    QStringList expected;
    for (const QString &l : readDataLines(QStringLiteral("graph6_geng.txt")))
        if (l.startsWith(QLatin1Char('C')))
            expected << l.section(QLatin1Char('\t'), 1, 1);
    QCOMPARE(expected.size(), 11);
    std::ifstream in(testDataPath(QStringLiteral("graph6_geng_header_4.g6")).toLocal8Bit().constData(),
                     std::ios::binary);
    QVERIFY(in.is_open());
    Graph g(QStringLiteral("G"), false);
    for (const QString &text : qAsConst(expected)) {
        QVERIFY(g.loadg6(in));
        QCOMPARE(g.currentGraphData(), text);
    }
    QVERIFY(!g.loadg6(in));
}

void TestGraph6::bothFormsAgree_data()
{
    QTest::addColumn<QByteArray>("line"); // Latin-1, without its line end
    QTest::addColumn<QString>("graph");   // what both forms read; "-" when both refuse
    const int max = Graph::MaxGraph6Line;
    const QByteArray triangle("Bw");
    QTest::newRow("short line") << triangle << "3 111";
    QTest::newRow("longest line") << triangle + QByteArray(max - 2, '~') << "3 111";
    QTest::newRow("one character too long") << triangle + QByteArray(max - 1, '~') << "-";
    QTest::newRow("too long, white space") << triangle + QByteArray(max, ' ') << "-";
    // Faults far into the surplus characters refuse the line in both forms alike.
    for (int at : {4095, 4096, 4097, 5000, max - 1}) {
        QTest::addRow("Latin-1 letter at %d", at) << triangle + QByteArray(at - 2, '?') + '\xe9' << "-";
        QTest::addRow("blank inside at %d", at) << triangle + QByteArray(at - 2, '?') + " ~"
                                                << "-";
    }
    QTest::newRow("header, then a long line")
        << QByteArray(">>graph6<<") + triangle + QByteArray(6000, '~') << "3 111";
}

void TestGraph6::bothFormsAgree()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, graph);
    const bool read = graph != QLatin1String("-");
    Graph g(QStringLiteral("G"), false);
    const QString before = g.currentGraphData();
    QCOMPARE(g.loadg6(QString::fromLatin1(line), false), read);
    QCOMPARE(g.currentGraphData(), read ? graph : before);

    // The stream form consumes the whole line, also when it refuses it: the next line reads.
    Graph h(QStringLiteral("H"), false);
    const QString kept = h.currentGraphData();
    std::istringstream in(line.toStdString() + "\nC~\n");
    QCOMPARE(h.loadg6(in), read);
    QCOMPARE(h.currentGraphData(), read ? graph : kept);
    QVERIFY(h.loadg6(in));
    QCOMPARE(h.currentGraphData(), QStringLiteral("4 111111"));
}

QTEST_MAIN(TestGraph6)
#include "tst_graph6.moc"
