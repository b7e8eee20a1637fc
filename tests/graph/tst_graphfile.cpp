#include "graph/Graph.h"
#include "graph/Node.h"
#include "graph/Random.h"

#include "GraphTestHelpers.h"
#include "support/ScriptedPrompt.h"
#include "support/TestData.h"

#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <iostream>
#include <sstream>
#include <sys/resource.h>

namespace
{

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writeBytes(const QString &path, const QByteArray &data)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(data), qint64(data.size()));
}

// Names and positions of the vertices below the order, as one comparable text.
QString look(Graph &g)
{
    QStringList out;
    for (int k = 0; k < g.getNbNodes(); ++k) {
        const Node *v = g.getNode(k);
        out << QStringLiteral("%1@%2,%3").arg(v->nodeName()).arg(v->getCoordX()).arg(v->getCoordY());
    }
    return out.join(QLatin1Char(';'));
}

// The path 0-1-2 with default names at (0,0), (10.5,-3), (1234567,0.5).
void path3(Graph &g)
{
    buildGraph(g, 3, QStringLiteral("0-1,1-2"));
    g.best_backup();
    for (int k = 0; k < 3; ++k)
        g.getNode(k)->setNodeName(QStringLiteral("Node %1").arg(k + 1));
    g.setPos(0, QPointF(0, 0));
    g.setPos(1, QPointF(10.5, -3));
    g.setPos(2, QPointF(1234567, 0.5));
}

const QByteArray path3File = "3\nNode 1\t0\t0\nNode 2\t10.5\t-3\nNode 3\t1.23457e+06\t0.5\n"
                             "0\t1\t0\t1\t0\t1\t0\t1\t0\t";

} // namespace

class TestGraphFile : public QObject
{
    Q_OBJECT

private slots:
    void init() { tmp.reset(new QTemporaryDir); }
    void writtenText_data();
    void writtenText();
    void roundTripReferenceSets_data();
    void roundTripReferenceSets();
    void accepted_data();
    void accepted();
    void refused_data();
    void refused();
    void reopenedAsRead_data();
    void reopenedAsRead();
    void autosaveTakesFreshStamp();
    void failedWriteKeepsPreviousFile();
    void dialogs_data();
    void dialogs();

private:
    QString path(const QString &name) const { return tmp->filePath(name); }
    QScopedPointer<QTemporaryDir> tmp;
};

void TestGraphFile::writtenText_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("empty");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("graph file, path") << "graph" << false << path3File;
    QTest::newRow("graph file, empty graph") << "graph" << true << QByteArray("0\n");
    // Each edge once, pairs i < j, and the count agrees with the lines.
    QTest::newRow("edge list, path") << "edges" << false
                                     << QByteArray(
                                            "3\n2\nNode 1\t0\t0\nNode 2\t10.5\t-3\nNode 3\t1.23457e+06\t0.5\n"
                                            "Node 1\tNode 2\t1\t0\nNode 2\tNode 3\t1\t0\n");
    QTest::newRow("edge list, empty graph") << "edges" << true << QByteArray("0\n0\n");
}

void TestGraphFile::writtenText()
{
    QFETCH(QString, kind);
    QFETCH(bool, empty);
    QFETCH(QByteArray, expected);
    Graph g(QStringLiteral("g"), false);
    if (empty) {
        g.clear();
        g.best_backup();
    } else {
        path3(g);
    }
    const QString file = path(QStringLiteral("out"));
    QVERIFY(kind == QLatin1String("graph") ? g.save(file) : g.export_graph(file));
    QCOMPARE(readAll(file), expected);
    QVERIFY(g.errorString().isEmpty());
}

void TestGraphFile::roundTripReferenceSets_data()
{
    QTest::addColumn<QString>("set");
    QTest::newRow("all graphs on 1 to 7 vertices") << "graph6_geng.txt";
    QTest::newRow("random graphs on 8 to 32 vertices") << "graph6_large.txt";
}

void TestGraphFile::roundTripReferenceSets()
{
    QFETCH(QString, set);
    const QStringList lines = readDataLines(set);
    QVERIFY(lines.size() > 30);
    tsy_srand(5);
    Graph out(QStringLiteral("out"), false);
    Graph in(QStringLiteral("in"), false);
    const QString file = path(QStringLiteral("g.gtsy3"));
    for (const QString &line : lines) {
        const QString s = line.split(QLatin1Char('\t')).at(1);
        QVERIFY(out.loadtsy(s, false));
        for (int k = 0; k < out.getNbNodes(); ++k) {
            out.getNode(k)->setNodeName(QStringLiteral("v%1 é").arg(k));
            out.setPos(k, QPointF(tsy_rand(1000) - 500.25, tsy_rand(1000) * 0.125));
        }
        QVERIFY(out.save(file));
        const qint64 before = in.getID();
        QVERIFY2(in.open(file), qPrintable(in.errorString()));
        QCOMPARE(in.graphData(), s);
        QCOMPARE(in.currentGraphData(), s);
        QCOMPARE(look(in), look(out));
        QVERIFY(in.getID() != before);
    }
}

void TestGraphFile::accepted_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("edges");
    QTest::newRow("path as written") << path3File << "0-1,1-2";
    QTest::newRow("upper triangle wins over lower")
        << QByteArray("3\na\t0\t0\nb\t1\t1\nc\t2\t2\n0\t1\t1\t0\t0\t0\t0\t1\t0\t") << "0-1,0-2";
    QTest::newRow("any non-zero value is an edge")
        << QByteArray("2\na\t0\t0\nb\t1\t1\n0\t7\t0\t0\t") << "0-1";
    QTest::newRow("CR LF line ends, no closing tab")
        << QByteArray("2\r\na\t0\t0\r\nb\t1\t1\r\n0\t1\t1\t0\r\n") << "0-1";
    QTest::newRow("trailing lines ignored")
        << QByteArray("2\na\t0\t0\nb\t1\t1\n0\t0\t0\t0\t\n\nmore\n") << "";
    QTest::newRow("empty graph with a line end") << QByteArray("0\n") << "";
    QTest::newRow("order with leading zeros") << QByteArray("0002\na\t0\t0\nb\t1\t1\n0\t1\t1\t0\t") << "0-1";
    QTest::newRow("cell of many digits")
        << QByteArray("2\na\t0\t0\nb\t1\t1\n0\t100000000000000000000\t0\t0\t") << "0-1";
    QTest::newRow("fields beyond the third ignored")
        << QByteArray("2\na\t0\t0\tx\nb\t1\t1\ty\n0\t1\t1\t0\t") << "0-1";
}

void TestGraphFile::accepted()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, edges);
    const QString file = path(QStringLiteral("a.gtsy3"));
    writeBytes(file, text);
    Graph g(QStringLiteral("g"), false);
    QSignalSpy changed(&g, &Graph::signal_best_graph_changed);
    QVERIFY2(g.open(file), qPrintable(g.errorString()));
    QCOMPARE(edgeList(g), edges);
    QCOMPARE(bestEdgeList(g), edges);
    QCOMPARE(changed.count(), 1);
}

void TestGraphFile::refused_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("reason"); // must appear in the error text
    QTest::newRow("empty file") << QByteArray() << "line 1:";
    QTest::newRow("blank file") << QByteArray("\n\n") << "line 1:";
    QTest::newRow("order not a number") << QByteArray("three\n") << "line 1:";
    QTest::newRow("negative order") << QByteArray("-1\n") << "line 1:";
    QTest::newRow("order 33") << QByteArray("33\n") << "line 1: the order 33 is above 32";
    QTest::newRow("huge order") << QByteArray("99999999999999999999\n") << "line 1:";
    QTest::newRow("order 33 with leading zeros")
        << QByteArray("000033\n") << "line 1: the order 33 is above 32";
    QTest::newRow("truncated in the vertex lines") << QByteArray("3\na\t0\t0\nb\t1\t1") << "line 4:";
    QTest::newRow("adjacency line missing") << QByteArray("2\na\t0\t0\nb\t1\t1\n") << "line 4:";
    QTest::newRow("fewer vertex lines than the order")
        << QByteArray("3\na\t0\t0\nb\t1\t1\n0\t1\t0\t1\t0\t0\t0\t0\t0\t")
        << "line 5: the adjacency line is missing";
    QTest::newRow("vertex line of two fields") << QByteArray("2\na\t0\nb\t1\t1\n0\t1\t1\t0\t") << "line 2:";
    QTest::newRow("x not a number") << QByteArray("2\na\tx\t0\nb\t1\t1\n0\t1\t1\t0\t") << "line 2: the x";
    QTest::newRow("y not finite") << QByteArray("2\na\t0\t0\nb\t1\tnan\n0\t1\t1\t0\t") << "line 3: the y";
    QTest::newRow("too few cells") << QByteArray("2\na\t0\t0\nb\t1\t1\n0\t1\t1\t")
                                   << "line 4: the adjacency line holds 3";
    QTest::newRow("too many cells") << QByteArray("2\na\t0\t0\nb\t1\t1\n0\t1\t1\t0\t1\t") << "line 4:";
    QTest::newRow("cell not a number")
        << QByteArray("2\na\t0\t0\nb\t1\t1\n0\tyes\t1\t0\t") << "line 4: adjacency value 2";
    QTest::newRow("autosave file given as graph file")
        << QByteArray("2\n12345\na\t0\t0\nb\t1\t1\n0\t1\t1\t0\t") << "line 2:";
    QTest::newRow("binary garbage") << QByteArray("\x01\x02\xff\x00zz", 6) << "line 1:";
}

void TestGraphFile::refused()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, reason);
    const QString file = path(QStringLiteral("bad.gtsy3"));
    writeBytes(file, text);
    Graph g(QStringLiteral("g"), false);
    for (int k = 0; k < g.getNbNodes(); ++k)
        g.setPos(k, QPointF(k, -k));
    const GraphState before = stateOf(g);
    const QString looks = look(g);
    QSignalSpy changed(&g, &Graph::signal_best_graph_changed);
    std::ostringstream err;
    std::streambuf *const saved = std::cerr.rdbuf(err.rdbuf());
    const bool opened = g.open(file);
    std::cerr.rdbuf(saved);
    QVERIFY(!opened);
    QVERIFY2(err.str().rfind("ERROR IN FILE FORMAT\n", 0) == 0, err.str().c_str());
    QVERIFY2(g.errorString().contains(reason), qPrintable(g.errorString()));
    QVERIFY(stateOf(g) == before);
    QCOMPARE(look(g), looks);
    QCOMPARE(changed.count(), 0);
}

void TestGraphFile::reopenedAsRead_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("looks"); // names and places as read, and after a save and reopen
    // A carriage return inside a name cannot be written inside a line: it reads as the blank
    // that the writer puts in its place.
    QTest::newRow("carriage return in a name")
        << QByteArray("2\nA\rB\t0\t0\n\rb\r\t1\t1\n0\t1\t1\t0\t") << "A B@0,0; b @1,1";
    // Places beyond ten million would put the vertex out of the view's reach.
    QTest::newRow("huge and tiny coordinates")
        << QByteArray("3\na\t1e300\t-1e400\nb\t-12345678\t9999999\nc\t1e-300\t0\n"
                      "0\t1\t0\t1\t0\t1\t0\t1\t0\t")
        << "a@1e+07,-1e+07;b@-1e+07,1e+07;c@1e-300,0";
}

void TestGraphFile::reopenedAsRead()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, looks);
    const QString file = path(QStringLiteral("in.gtsy3"));
    writeBytes(file, text);
    Graph g(QStringLiteral("graph"), true);
    QVERIFY2(g.open(file), qPrintable(g.errorString()));
    QCOMPARE(look(g), looks);
    const QString saved = path(QStringLiteral("saved.gtsy3"));
    QVERIFY(g.save(saved));
    Graph h(QStringLiteral("graph"), true);
    QVERIFY2(h.open(saved), qPrintable(h.errorString()));
    QCOMPARE(look(h), looks);
    QCOMPARE(h.graphData(), g.graphData());
}

void TestGraphFile::autosaveTakesFreshStamp()
{
    Graph g(QStringLiteral("g"), false);
    path3(g);
    g.setWD(tmp->path());
    QCOMPARE(g.autosavePath(), tmp->path() + QStringLiteral("/.tsygr"));
    QVERIFY(g.autosave());
    const QByteArray text = readAll(g.autosavePath());
    QCOMPARE(text, QByteArray("3\n") + QByteArray::number(g.getID()) + "\n" + path3File.mid(2));

    Graph h(QStringLiteral("h"), false);
    h.setWD(tmp->path());
    const qint64 before = h.getID();
    QVERIFY(h.autoload());
    QCOMPARE(h.graphData(), g.graphData());
    QCOMPARE(look(h), look(g));
    // A stamp read from a file could name a state of another graph: loading takes a new one.
    QVERIFY(h.getID() != g.getID());
    QVERIFY(h.getID() != before);

    // A graph file lacks the stamp line and is refused by the autosave reader.
    QVERIFY(g.save(g.autosavePath()));
    const GraphState kept = stateOf(h);
    QVERIFY(!h.autoload());
    QVERIFY(stateOf(h) == kept);
}

void TestGraphFile::failedWriteKeepsPreviousFile()
{
    const QString file = path(QStringLiteral("keep.gtsy3"));
    writeBytes(file, path3File);
    Graph g(QStringLiteral("g"), false);
    g.randomGraph(32);
    g.best_backup();

    // A size limit cuts the write short after 100 bytes, as a full disk would.
    struct rlimit old;
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 100;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = g.save(file);
    const bool exported = g.export_graph(file);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);

    QVERIFY(!saved);
    QVERIFY(!exported);
    QVERIFY(!g.errorString().isEmpty());
    QCOMPARE(readAll(file), path3File);
    QCOMPARE(QDir(tmp->path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("keep.gtsy3")});

    QVERIFY(!g.save(tmp->filePath(QStringLiteral("no/such/folder/g.gtsy3"))));
}

void TestGraphFile::dialogs_data()
{
    QTest::addColumn<QString>("slot");
    QTest::addColumn<QString>("answer"); // "" cancels; "bad" is a damaged file; "good" a valid one
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("changes");
    QTest::newRow("load cancelled") << "load"
                                    << ""
                                    << "" << false;
    QTest::newRow("load damaged") << "load"
                                  << "bad"
                                  << "Warning|Failed to load graph.\n"
                                  << false;
    QTest::newRow("load good") << "load"
                               << "good"
                               << "" << true;
    QTest::newRow("save cancelled") << "save"
                                    << ""
                                    << "" << false;
    QTest::newRow("save into missing folder") << "save"
                                              << "missing"
                                              << "Warning|Failed to save graph.\n"
                                              << false;
    QTest::newRow("export cancelled") << "export"
                                      << ""
                                      << "" << false;
    QTest::newRow("export into missing folder") << "export"
                                                << "missing"
                                                << "Warning|Failed to export graph.\n"
                                                << false;
}

void TestGraphFile::dialogs()
{
    QFETCH(QString, slot);
    QFETCH(QString, answer);
    QFETCH(QString, message);
    QFETCH(bool, changes);
    ScriptedPrompt prompt;
    writeBytes(path(QStringLiteral("bad")), "2\na\t0\t0\n");
    writeBytes(path(QStringLiteral("good")), path3File);
    prompt.fileAnswers << (answer.isEmpty() ? QString()
                                            : path(answer == QLatin1String("missing") ? "x/y" : answer));
    Graph g(QStringLiteral("g"), true);
    const GraphState before = stateOf(g);
    if (slot == QLatin1String("load"))
        g.slot_load_graph();
    else if (slot == QLatin1String("save"))
        g.slot_save_graph();
    else
        g.slot_export_graph();
    QCOMPARE(prompt.dialogCaptions.size(), 1);
    if (message.isEmpty()) {
        QVERIFY(prompt.messages.isEmpty());
    } else {
        QCOMPARE(prompt.messages.size(), 1);
        QVERIFY2(prompt.messages.first().startsWith(message), qPrintable(prompt.messages.first()));
    }
    QCOMPARE(!(stateOf(g) == before), changes);
    if (slot == QLatin1String("load") && answer == QLatin1String("bad"))
        QVERIFY(prompt.messages.first().contains(QStringLiteral("line 3:")));
    if (changes)
        QCOMPARE(bestEdgeList(g), QStringLiteral("0-1,1-2"));
}

QTEST_MAIN(TestGraphFile)
#include "tst_graphfile.moc"
