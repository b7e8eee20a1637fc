#include "graph/Graph.h"
#include "graph/Isomorphic.h"
#include "graph/Random.h"
#include "graph/ShuffleCheck.h"

#include "GraphTestHelpers.h"
#include "support/ScriptedPrompt.h"
#include "support/TestData.h"

#include <QSignalSpy>
#include <QtTest>

#include <algorithm>
#include <random>

namespace
{

// The graph string of s relabelled by a random permutation p (vertex i of s becomes p[i]),
// built here from the pair bits alone. Also returns p.
QString relabel(const QString &s, std::mt19937 &rng, QVector<int> *perm = nullptr)
{
    const int blank = s.indexOf(QLatin1Char(' '));
    const int n = s.left(blank).toInt();
    const QString bits = s.mid(blank + 1);
    QVector<int> p(n);
    std::iota(p.begin(), p.end(), 0);
    std::shuffle(p.begin(), p.end(), rng);
    QVector<QVector<bool>> adj(n, QVector<bool>(n, false));
    int k = 0;
    for (int i = 1; i < n; ++i)
        for (int j = 0; j < i; ++j, ++k)
            if (bits.at(k) == QLatin1Char('1'))
                adj[p[i]][p[j]] = adj[p[j]][p[i]] = true;
    QString out = QString::number(n) + QLatin1Char(' ');
    for (int i = 1; i < n; ++i)
        for (int j = 0; j < i; ++j)
            out += adj[i][j] ? QLatin1Char('1') : QLatin1Char('0');
    if (perm)
        *perm = p;
    return out;
}

bool pairBit(const QString &s, int i, int j)
{
    if (i < j)
        std::swap(i, j);
    const int blank = s.indexOf(QLatin1Char(' '));
    return s.at(blank + 1 + i * (i - 1) / 2 + j) == QLatin1Char('1');
}

// True when c maps the edges of a exactly onto the edges of b.
bool mapsEdges(const QString &a, const QString &b, const QVector<int> &c)
{
    const int n = c.size();
    QVector<int> sorted = c;
    std::sort(sorted.begin(), sorted.end());
    for (int i = 0; i < n; ++i)
        if (sorted[i] != i)
            return false;
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j)
            if (pairBit(a, i, j) != pairBit(b, c[i], c[j]))
                return false;
    return true;
}

QString named(const QString &name)
{
    for (const QString &line : readDataLines(QStringLiteral("isomorphism_named.txt")))
        if (line.section(QLatin1Char('\t'), 0, 0) == name)
            return line.section(QLatin1Char('\t'), 1, 1);
    return QString();
}

} // namespace

class TestIsomorphic : public QObject
{
    Q_OBJECT

private slots:
    void quickAnswers_data();
    void quickAnswers();
    void relabelledCopies_data();
    void relabelledCopies();
    void cospectralPairsNeverAnswerOne();
    void budgetAndStopFlag_data();
    void budgetAndStopFlag();
    void shuffleCheck_data();
    void shuffleCheck();
};

// Answers that need no search: sizes, spectra (path and star on four vertices share order and
// size but not their spectrum) and identity.
void TestIsomorphic::quickAnswers_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<int>("answer");
    QTest::newRow("different orders") << "3 111"
                                      << "4 111000" << -1;
    QTest::newRow("different sizes") << "4 111000"
                                     << "4 110000" << -1;
    QTest::newRow("path and star on 4") << "4 101001"
                                        << "4 110100" << 0;
    QTest::newRow("identical") << "5 1010010110"
                               << "5 1010010110" << 1;
    QTest::newRow("empty graphs") << "0 "
                                  << "0 " << 1;
    QTest::newRow("one vertex") << "1 "
                                << "1 " << 1;
    // "x" is a non-edge: the same path.
    QTest::newRow("odd character in the first string") << "3 1x1"
                                                       << "3 101" << 1;
    QTest::newRow("second order beyond 32") << "3 101"
                                            << "40 1" << -1;
}

void TestIsomorphic::quickAnswers()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(int, answer);
    Isomorphic iso;
    iso.setTrace(false);
    iso.setG1(a);
    iso.setG2(b);
    QCOMPARE(iso.isIsomorphic(), answer);
    QCOMPARE(iso.getEvaluations(), 0);
}

void TestIsomorphic::relabelledCopies_data()
{
    QTest::addColumn<QString>("graph");
    QTest::addColumn<int>("nodeLimit"); // 0: the spectral search alone
    for (int limit : {20000, 0}) {
        const QString how = limit ? QString() : QStringLiteral(", spectral search");
        QTest::newRow(qPrintable("path 0-1-2 against 1-0-2" + how)) << "3 101" << limit;
        for (const char *name : {"petersen", "heawood", "cube", "moebius-kantor"})
            QTest::newRow(qPrintable(name + how)) << named(QLatin1String(name)) << limit;
    }
    QTest::newRow("dodecahedron") << named(QStringLiteral("dodecahedron")) << 20000;
    QTest::newRow("hypercube 5") << named(QStringLiteral("hypercube 5")) << 20000;
    for (const QString &line : readDataLines(QStringLiteral("graph6_large.txt"))) {
        const QString s = line.section(QLatin1Char('\t'), 1, 1);
        const int n = s.section(QLatin1Char(' '), 0, 0).toInt();
        if (n >= 8 && n <= 32)
            QTest::newRow(qPrintable(QStringLiteral("random %1").arg(n))) << s << 20000;
    }
}

void TestIsomorphic::relabelledCopies()
{
    QFETCH(QString, graph);
    QFETCH(int, nodeLimit);
    QVERIFY(!graph.isEmpty());
    std::mt19937 rng(3);
    Isomorphic iso;
    iso.setTrace(false);
    iso.setSeed(17);
    iso.setNodeLimit(nodeLimit);
    QVERIFY(iso.setG1(graph));
    for (int round = 0; round < 3; ++round) {
        const QString copy = graph == QLatin1String("3 101") ? QStringLiteral("3 110") : relabel(graph, rng);
        QVERIFY(iso.setG2(copy));
        QCOMPARE(iso.isIsomorphic(), 1);
        QVERIFY(iso.getEvaluations() <= iso.getBudget());
        QVERIFY(mapsEdges(graph, copy, iso.correspondence()));
    }
}

void TestIsomorphic::cospectralPairsNeverAnswerOne()
{
    const QStringList pairs = readDataLines(QStringLiteral("isomorphism_cospectral.txt"));
    QVERIFY(pairs.size() >= 30);
    Isomorphic iso;
    iso.setTrace(false);
    for (int limit : {20000, 0}) {
        iso.setNodeLimit(limit);
        iso.setBudget(limit ? 100000 : 2000);
        for (const QString &line : pairs) {
            const QStringList f = line.split(QLatin1Char('\t'));
            iso.setG1(f.at(1));
            iso.setG2(f.at(2));
            QVERIFY2(iso.isIsomorphic() == 0, qPrintable(line));
            // The exact search proves it without touching a spectrum.
            if (limit)
                QCOMPARE(iso.getEvaluations(), 0);
        }
    }
}

void TestIsomorphic::budgetAndStopFlag_data()
{
    QTest::addColumn<int>("budget");
    QTest::addColumn<bool>("stopped");
    QTest::newRow("budget of 1") << 1 << false;
    QTest::newRow("budget of 500") << 500 << false;
    QTest::newRow("stop flag raised") << 100000 << true;
}

// The spectral search alone on a pair it does not settle quickly (a random graph and a
// relabelling of it) ends on its budget or its stop flag, with the answer 0.
void TestIsomorphic::budgetAndStopFlag()
{
    QFETCH(int, budget);
    QFETCH(bool, stopped);
    QString random12;
    for (const QString &line : readDataLines(QStringLiteral("graph6_large.txt")))
        if (line.section(QLatin1Char('\t'), 1, 1).startsWith(QLatin1String("12 ")))
            random12 = line.section(QLatin1Char('\t'), 1, 1);
    std::mt19937 rng(9);
    const QStringList f{QString(), random12, relabel(random12, rng)};
    Isomorphic iso;
    iso.setTrace(false);
    iso.setNodeLimit(0);
    iso.setBudget(budget);
    std::atomic<bool> stop{stopped};
    iso.setStopFlag(&stop);
    iso.setG1(f.at(1));
    iso.setG2(f.at(2));
    QCOMPARE(iso.isIsomorphic(), 0);
    QVERIFY(iso.wasHalted());
    QCOMPARE(iso.getEvaluations(), stopped ? 0 : budget);
}

void TestIsomorphic::shuffleCheck_data()
{
    QTest::addColumn<QString>("graph");
    QTest::addColumn<int>("rounds");
    QTest::addColumn<int>("cancelAt");
    QTest::newRow("petersen, 10 rounds") << named(QStringLiteral("petersen")) << 10 << -1;
    QTest::newRow("dodecahedron, 5 rounds") << named(QStringLiteral("dodecahedron")) << 5 << -1;
    QTest::newRow("hypercube 5, cancelled") << named(QStringLiteral("hypercube 5")) << 100 << 0;
    // So many rounds that Cancel always comes long before the last one.
    QTest::newRow("petersen, cancelled after 2") << named(QStringLiteral("petersen")) << 100000 << 2;
}

void TestIsomorphic::shuffleCheck()
{
    QFETCH(QString, graph);
    QFETCH(int, rounds);
    QFETCH(int, cancelAt);
    ScriptedPrompt prompt;
    prompt.cancelProgressAt = cancelAt;
    Graph g(QStringLiteral("graph"), true);
    QVERIFY(g.loadtsy(graph, true));
    const GraphState before = stateOf(g);
    // The relabellings drawn from the same seed, each one from the one before.
    Graph reference(QStringLiteral("reference"), false); // made first: a new graph draws its positions
    tsy_srand(99);
    QVERIFY(reference.loadtsy(graph, false));
    QStringList relabelled;
    for (int i = 0; i < rounds; ++i) {
        reference.shuffle();
        relabelled << reference.currentGraphData();
    }
    tsy_srand(99);
    QSignalSpy published(&g, &Graph::signal_best_graph_changed);
    const ShuffleCheck::Result r = ShuffleCheck::run(&g, rounds, &g);
    QCOMPARE(r.rounds, rounds);
    if (cancelAt < 0) {
        QVERIFY(!r.cancelled);
        QCOMPARE(r.tested, rounds);
        QCOMPARE(r.isomorphic, rounds);
    } else {
        QVERIFY(r.cancelled);
        QVERIFY(r.tested < rounds);
        if (cancelAt == 0)
            QCOMPARE(r.tested, 0);
    }
    QCOMPARE(r.answers.size(), r.tested);
    if (r.tested == 0) {
        // Nothing was tested: the graph is as it was shown.
        QVERIFY(stateOf(g) == before);
        QCOMPARE(published.count(), 0);
    } else {
        // The graph is the last relabelling tested, drawn and announced as the best graph.
        QCOMPARE(g.graphData(), relabelled.at(r.tested - 1));
        QCOMPARE(g.currentGraphData(), relabelled.at(r.tested - 1));
        QVERIFY(g.getID() != before.stamp);
        QCOMPARE(published.count(), 1);
    }
}

QTEST_MAIN(TestIsomorphic)
#include "tst_isomorphic.moc"
