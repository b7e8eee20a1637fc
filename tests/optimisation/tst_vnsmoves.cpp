#include "graph/Random.h"
#include "optimisation/OptimalSolutions.h"
#include "optimisation/SearchFixtures.h"
#include "optimisation/SignatureTables.h"
#include "optimisation/Solution.h"
#include "optimisation/VNS.h"

#include <QtTest>

#include <cmath>

typedef QVector<QPair<int, int>> EdgeList;

// Graph strings of a few graphs with known degrees.
static QString graphString(int n, const EdgeList &edgeList)
{
    QString bits;
    for (int i = 1; i < n; ++i)
        for (int j = 0; j < i; ++j) {
            bool e = false;
            for (const auto &p : edgeList)
                e |= (p.first == i && p.second == j) || (p.first == j && p.second == i);
            bits += e ? QLatin1Char('1') : QLatin1Char('0');
        }
    return QString::number(n) + QLatin1Char(' ') + bits;
}

static EdgeList cycle(int n)
{
    EdgeList e;
    for (int i = 0; i < n; ++i)
        e.append({i, (i + 1) % n});
    return e;
}

static EdgeList circulant(int n, const QVector<int> &steps)
{
    EdgeList e;
    for (int i = 0; i < n; ++i)
        for (int s : steps)
            e.append({i, (i + s) % n});
    return e;
}

static EdgeList complete(int n)
{
    EdgeList e;
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j)
            e.append({i, j});
    return e;
}

static EdgeList star(int n)
{
    EdgeList e;
    for (int i = 1; i < n; ++i)
        e.append({0, i});
    return e;
}

static EdgeList petersen()
{
    EdgeList e;
    for (int i = 0; i < 5; ++i) {
        e.append({i, (i + 1) % 5});
        e.append({i, i + 5});
        e.append({5 + i, 5 + (i + 2) % 5});
    }
    return e;
}

static EdgeList cube()
{
    EdgeList e;
    for (int i = 0; i < 8; ++i)
        for (int b = 1; b < 8; b <<= 1)
            if (!(i & b))
                e.append({i, i | b});
    return e;
}

static QString randomGraphString(int n, quint32 seed)
{
    tsy_srand(seed);
    EdgeList e;
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j)
            if (tsy_rand() < 0.5)
                e.append({i, j});
    return graphString(n, e);
}

class TestVnsMoves : public QObject
{
    Q_OBJECT

private slots:
    void switchMovesKeepDegrees_data();
    void switchMovesKeepDegrees();
    void quintMovesKeepRegularity_data();
    void quintMovesKeepRegularity();
    void perturbWithoutMoves_data();
    void perturbWithoutMoves();
    void signatureRoundTrip_data();
    void signatureRoundTrip();
    void tableRewritesKeepInvariants_data();
    void tableRewritesKeepInvariants();
    void descentReachesLocalOptimum_data();
    void descentReachesLocalOptimum();
    void descentOnTinyGraphRecentresOnly();
    void publicationLine();
};

void TestVnsMoves::switchMovesKeepDegrees_data()
{
    QTest::addColumn<QString>("graph");
    QTest::addColumn<int>("k");
    QTest::addColumn<bool>("mayChange");
    QTest::newRow("random 8, k 1") << randomGraphString(8, 1) << 1 << true;
    QTest::newRow("random 12, k 5") << randomGraphString(12, 2) << 5 << true;
    QTest::newRow("random 20, k 20") << randomGraphString(20, 3) << 20 << true;
    QTest::newRow("random 32, k 32") << randomGraphString(32, 4) << 32 << true;
    QTest::newRow("path 10, k 6") << graphString(10, cycle(10).mid(0, 9)) << 6 << true;
    QTest::newRow("two vertices") << graphString(2, {{0, 1}}) << 3 << false;
    QTest::newRow("star has no switch") << graphString(9, star(9)) << 8 << false;
    QTest::newRow("complete has no switch") << graphString(7, complete(7)) << 8 << false;
    QTest::newRow("empty has no switch") << graphString(7, {}) << 8 << false;
}

void TestVnsMoves::switchMovesKeepDegrees()
{
    QFETCH(QString, graph);
    QFETCH(int, k);
    QFETCH(bool, mayChange);
    SearchFixture f(QStringLiteral("SIZE"), true, 10, false);
    OptimalSolutions best;
    VNS w(&f.problem, &f.graph, 0, nullptr, &best);
    Graph *g = w.getOwnGraph();
    for (quint32 seed = 1; seed <= 5; ++seed) {
        QVERIFY(g->loadCurrentGraph(graph));
        const QVector<int> before = degreesOf(*g);
        tsy_srand(seed);
        w.perturb(k);
        QCOMPARE(degreesOf(*g), before);
        if (!mayChange)
            QCOMPARE(g->currentGraphData(), graph);
        // The worker's own archive holds exactly the evaluated result.
        QCOMPARE(w.getLocal()->size(), 1);
        QCOMPARE(w.getLocal()->lastSolution()->getGraph(), g->currentGraphData());
    }
}

void TestVnsMoves::quintMovesKeepRegularity_data()
{
    QTest::addColumn<QString>("graph");
    QTest::addColumn<int>("degree");
    QTest::addColumn<int>("k");
    QTest::addColumn<bool>("canChange");
    QTest::newRow("cycle 8") << graphString(8, cycle(8)) << 2 << 3 << true;
    QTest::newRow("cycle 20") << graphString(20, cycle(20)) << 2 << 10 << true;
    QTest::newRow("petersen") << graphString(10, petersen()) << 3 << 4 << true;
    QTest::newRow("cube") << graphString(8, cube()) << 3 << 6 << true;
    QTest::newRow("circulant 12 (1,2)") << graphString(12, circulant(12, {1, 2})) << 4 << 12 << true;
    QTest::newRow("circulant 32 (1,5,9)") << graphString(32, circulant(32, {1, 5, 9})) << 6 << 30 << true;
    QTest::newRow("complete 6") << graphString(6, complete(6)) << 5 << 4 << false;
}

void TestVnsMoves::quintMovesKeepRegularity()
{
    QFETCH(QString, graph);
    QFETCH(int, degree);
    QFETCH(int, k);
    QFETCH(bool, canChange);
    SearchFixture f(QStringLiteral("SIZE"), true, 10, false);
    OptimalSolutions best;
    VNS w(&f.problem, &f.graph, 0, nullptr, &best);
    w.getOwnProblem()->setRegular(true);
    w.getOwnProblem()->setRegDegree(degree);
    Graph *g = w.getOwnGraph();
    QVERIFY(g->loadCurrentGraph(graph));
    QCOMPARE(w.getOwnProblem()->isRegular(), 0.0);
    bool changed = false;
    for (quint32 seed = 1; seed <= 10; ++seed) {
        tsy_srand(seed);
        w.perturb(k);
        for (int d : degreesOf(*g))
            QCOMPARE(d, degree);
        changed |= g->currentGraphData() != graph;
    }
    QCOMPARE(changed, canChange);
}

void TestVnsMoves::perturbWithoutMoves_data()
{
    QTest::addColumn<QString>("graph");
    QTest::addColumn<int>("k");
    QTest::addColumn<bool>("localReplaced");
    QTest::newRow("k 0 on six vertices") << randomGraphString(6, 9) << 0 << true;
    QTest::newRow("k -3 on six vertices") << randomGraphString(6, 9) << -3 << true;
    QTest::newRow("one vertex") << QStringLiteral("1 ") << 4 << false;
    QTest::newRow("no vertex") << QStringLiteral("0 ") << 4 << false;
}

void TestVnsMoves::perturbWithoutMoves()
{
    QFETCH(QString, graph);
    QFETCH(int, k);
    QFETCH(bool, localReplaced);
    SearchFixture f(QStringLiteral("SIZE"), true, 6, false);
    OptimalSolutions best;
    VNS w(&f.problem, &f.graph, 0, nullptr, &best);
    Eval marker;
    marker.push_back(5.0);
    marker.addZ(QVector<double>{1.0});
    QVERIFY(w.getLocal()->addSolution(new Solution(&marker, QStringLiteral("marker"))));
    Graph *g = w.getOwnGraph();
    QVERIFY(g->loadCurrentGraph(graph));
    w.perturb(k);
    QCOMPARE(g->currentGraphData(), graph);
    QCOMPARE(w.getLocal()->size(), 1);
    QCOMPARE(w.getLocal()->lastSolution()->getGraph(), localReplaced ? graph : QStringLiteral("marker"));
}

void TestVnsMoves::signatureRoundTrip_data()
{
    QTest::addColumn<int>("order");
    QTest::addColumn<int>("size");
    QTest::newRow("quad on 5") << 5 << 4;
    QTest::newRow("quad on 32") << 32 << 4;
    QTest::newRow("quint on 5") << 5 << 5;
    QTest::newRow("quint on 17") << 17 << 5;
    QTest::newRow("quint on 32") << 32 << 5;
}

void TestVnsMoves::signatureRoundTrip()
{
    QFETCH(int, order);
    QFETCH(int, size);
    SearchFixture f(QStringLiteral("SIZE"), true, order, false);
    OptimalSolutions best;
    VNS w(&f.problem, &f.graph, 0, nullptr, &best);
    Graph *g = w.getOwnGraph();
    QVERIFY(g->loadCurrentGraph(randomGraphString(order, 77)));
    tsy_srand(5);
    for (int round = 0; round < 200; ++round) {
        int v[5];
        for (int c = 0; c < size; ++c) {
            bool fresh;
            do {
                v[c] = tsy_rand(order);
                fresh = true;
                for (int d = 0; d < c; ++d)
                    fresh &= v[d] != v[c];
            } while (!fresh);
        }
        quint32 before[32], after[32];
        g->adjacencyRows(before);
        const int code = tsy_rand(size == 4 ? 64 : 1024);
        if (size == 4)
            w.setQuadGraph(v, code);
        else
            w.setQuintGraph(v, code);
        QCOMPARE(size == 4 ? w.quadSignature(v) : w.quintSignature(v), code);
        // Pairs outside the tuple are untouched.
        g->adjacencyRows(after);
        for (int i = 0; i < order; ++i)
            for (int j = 0; j < order; ++j) {
                bool inside = false, inI = false, inJ = false;
                for (int c = 0; c < size; ++c) {
                    inI |= v[c] == i;
                    inJ |= v[c] == j;
                }
                inside = inI && inJ;
                if (!inside)
                    QCOMPARE(bool(after[i] & (1u << j)), bool(before[i] & (1u << j)));
            }
        // Writing the present signature changes nothing but the change stamp.
        const qint64 stamp = g->getID();
        const QString now = g->currentGraphData();
        if (size == 4)
            w.setQuadGraph(v, code);
        else
            w.setQuintGraph(v, code);
        QCOMPARE(g->currentGraphData(), now);
        QVERIFY(g->getID() != stamp);
    }
}

void TestVnsMoves::tableRewritesKeepInvariants_data()
{
    QTest::addColumn<int>("table");
    QTest::newRow("quadSize keeps the edge count") << 0;
    QTest::newRow("quintSize keeps the edge count") << 1;
    QTest::newRow("quintReg keeps every degree") << 2;
}

void TestVnsMoves::tableRewritesKeepInvariants()
{
    QFETCH(int, table);
    SearchFixture f(QStringLiteral("SIZE"), true, 9, false);
    OptimalSolutions best;
    VNS w(&f.problem, &f.graph, 0, nullptr, &best);
    Graph *g = w.getOwnGraph();
    QVERIFY(g->loadCurrentGraph(randomGraphString(9, 31)));
    const int v[5] = {7, 2, 5, 0, 8};
    const SignatureTables::Table &t = table == 0   ? w.getQuadSize()
                                      : table == 1 ? w.getQuintSize()
                                                   : w.getQuintReg();
    QCOMPARE(t.size(), table == 0 ? 64 : 1024);
    for (int c = 0; c < t.size(); ++c) {
        for (int d : t[c]) {
            if (table == 0)
                w.setQuadGraph(v, c);
            else
                w.setQuintGraph(v, c);
            const int edges = g->getNbEdges();
            const QVector<int> degrees = degreesOf(*g);
            if (table == 0)
                w.setQuadGraph(v, d);
            else
                w.setQuintGraph(v, d);
            QCOMPARE(g->getNbEdges(), edges);
            if (table == 2)
                QCOMPARE(degreesOf(*g), degrees);
        }
    }
}

void TestVnsMoves::descentReachesLocalOptimum_data()
{
    QTest::addColumn<QString>("invariant");
    QTest::addColumn<bool>("minimise");
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("edges");
    QTest::newRow("max SIZE from empty") << "SIZE" << false << graphString(6, {}) << 15;
    QTest::newRow("max SIZE from a path") << "SIZE" << false << graphString(7, cycle(7).mid(0, 6)) << 21;
    QTest::newRow("min SIZE from complete") << "SIZE" << true << graphString(6, complete(6)) << 0;
    QTest::newRow("min TRIANGLES from complete") << "TRIANGLES" << true << graphString(5, complete(5)) << -1;
}

// With every rewrite tried (agressivity 300), a pass without acceptance means that no quad
// rewrite improves the graph: for SIZE that is only the complete or the empty graph.
void TestVnsMoves::descentReachesLocalOptimum()
{
    QFETCH(QString, invariant);
    QFETCH(bool, minimise);
    QFETCH(QString, start);
    QFETCH(int, edges);
    const int n = start.section(QLatin1Char(' '), 0, 0).toInt();
    SearchFixture f(invariant, minimise, n, false);
    OptimalSolutions best;
    VNS w(&f.problem, &f.graph, 0, nullptr, &best);
    w.slot_set_agressivity(300);
    QVERIFY(w.getOwnGraph()->loadCurrentGraph(start));
    tsy_srand(3);
    QVERIFY(w.ls_stoquad(false));
    if (edges >= 0)
        QCOMPARE(w.getOwnGraph()->getNbEdges(), edges);
    // The job archive's latest solution is the graph the descent ended on.
    QCOMPARE(best.lastSolution()->getGraph(), w.getOwnGraph()->currentGraphData());
    double value = 0;
    bool violated = true;
    QVERIFY(f.evaluate(w.getOwnGraph()->currentGraphData(), value, violated));
    if (invariant == QLatin1String("TRIANGLES"))
        QCOMPARE(value, 0.0);
    // Weights are recentred: the entries above 0.01 in magnitude have mean zero.
    double sum = 0;
    int count = 0;
    for (int s = 0; s < 64; ++s)
        for (int t = 0; t < 64; ++t)
            if (std::fabs(w.weight(s, t)) > 0.01) {
                sum += w.weight(s, t);
                ++count;
            }
    QVERIFY(count > 0);
    QVERIFY(std::fabs(sum / count) < 1e-9);
    // A second descent from the optimum finds nothing.
    QVERIFY(!w.ls_stoquad(false));
}

void TestVnsMoves::descentOnTinyGraphRecentresOnly()
{
    SearchFixture f(QStringLiteral("SIZE"), false, 3, false);
    OptimalSolutions best;
    VNS w(&f.problem, &f.graph, 0, nullptr, &best);
    QVERIFY(w.getOwnGraph()->loadCurrentGraph(QStringLiteral("3 010")));
    w.setWeight(1, 2, 2.0);
    w.setWeight(3, 4, -0.5);
    w.setWeight(5, 6, 1.5);
    w.setWeight(7, 8, 0.005);
    QVERIFY(!w.ls_stoquad(false));
    QCOMPARE(w.getOwnGraph()->currentGraphData(), QStringLiteral("3 010"));
    QCOMPARE(w.weight(1, 2), 1.0);
    QCOMPARE(w.weight(3, 4), -1.5);
    QCOMPARE(w.weight(5, 6), 0.5);
    QCOMPARE(w.weight(7, 8), 0.005);
    QCOMPARE(w.weight(0, 0), 0.0);
    // The initial step put the unchanged graph into both archives.
    QCOMPARE(best.size(), 1);
    QCOMPARE(w.getLocal()->size(), 1);
}

void TestVnsMoves::publicationLine()
{
    SearchFixture f(QStringLiteral("SIZE"), true, 4, false);
    OptimalSolutions best;
    VNS w(&f.problem, &f.graph, 2, nullptr, &best);
    QSignalSpy lines(&w, &VNS::signal_console);
    QSignalSpy published(&w, &VNS::signal_publish_graph);

    w.best_backup(QStringLiteral("Restart"));
    QCOMPARE(lines.count(), 0);
    QCOMPARE(published.count(), 0);

    Eval e;
    e.addZ(QVector<double>{3.5});
    e.push_back(0.0);
    e.push_back(0.0);
    QVERIFY(best.addSolution(new Solution(&e, QStringLiteral("4 101010"))));
    w.best_backup(QStringLiteral("Restart"));
    QCOMPARE(lines.count(), 1);
    const QString line = lines.at(0).at(0).toString();
    const QRegularExpression form(QStringLiteral(
        "^Restart \\[2\\] : <3\\.5 >\\[0\\]\\[0\\]\\t time = \\d+/600000 nb evals = \\d+ #sol = 1 :1$"));
    QVERIFY2(form.match(line).hasMatch(), qPrintable(line));
    QCOMPARE(lines.at(0).at(1).toBool(), false);
    QCOMPARE(lines.at(0).at(2).toInt(), 1);
    QCOMPARE(lines.at(0).at(4).toInt(), 2);
    QCOMPARE(published.count(), 1);
    QCOMPARE(published.at(0).at(0).toString(), QStringLiteral("4 101010"));
    QCOMPARE(published.at(0).at(1).toLongLong(), VNS::lastPublication());
    QCOMPARE(w.getOwnGraph()->currentGraphData(), QStringLiteral("4 101010"));
}

QTEST_MAIN(TestVnsMoves)
#include "tst_vnsmoves.moc"
