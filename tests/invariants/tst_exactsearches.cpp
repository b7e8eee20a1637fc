// The exact searches (CHROMATIC, CHROMATICVAL, DOMINATION, NCONN, STABLEMAX) against the plain
// exhaustive searches written out below, on every graph of 1 to 8 vertices and on fixed random
// graphs of 9 to 14 vertices; against networkx (vertex connectivity, stability number) and a
// plain enumeration of dominating sets on those and on larger graphs; and against values known
// for named graphs. The data comes from tests/generators/exact_reference.py.

#include "InvariantTestGraphs.h"
#include "invariants/ExactSearch.h"
#include "invariants/InvariantFactory.h"
#include "support/TestData.h"

#include <QtTest>

#include <memory>
#include <random>

using namespace testgraphs;

namespace
{

// ---- The plain searches: every candidate in turn, no bound beyond the best found ----------------

struct Adjacency {
    int n = 0;
    bool a[32][32] = {};
};

Adjacency adjacencyOf(Graph *g)
{
    Adjacency m;
    m.n = g->getNbNodes();
    for (int i = 0; i < m.n; ++i)
        for (int j = 0; j < m.n; ++j)
            m.a[i][j] = g->edge(i, j);
    return m;
}

// Degeneracy-like order, greedy colouring, then backtracking over the colourings in
// lexicographic order along the order, each new colour one above the largest so far; returns the
// chromatic number and the first colouring found with that many colours.
int plainChromatic(const Adjacency &g, QVector<int> &result)
{
    const int n = g.n;
    bool copy[32][32];
    int deg[32], colour[32] = {}, opener[32] = {}, order[32];
    for (int i = 0; i < n; ++i) {
        deg[i] = 0;
        for (int j = 0; j < n; ++j) {
            copy[i][j] = g.a[i][j];
            deg[i] += g.a[i][j];
        }
    }
    for (int k = 1, removed = 0; removed < n;) {
        bool any = false;
        for (int v = 0; v < n; ++v) {
            if (deg[v] > k)
                continue;
            for (int u = 0; u < n; ++u)
                if (copy[v][u]) {
                    copy[v][u] = copy[u][v] = false;
                    --deg[u];
                }
            deg[v] = n;
            order[n - 1 - removed] = v;
            ++removed;
            any = true;
        }
        if (!any)
            ++k;
    }
    const auto smallestFrom = [&](int v, int from) {
        for (int c = from;; ++c) {
            bool free = true;
            for (int u = 0; u < n && free; ++u)
                if (g.a[v][u] && colour[u] == c)
                    free = false;
            if (free)
                return c;
        }
    };
    int best = 0;
    for (int p = 0; p < n; ++p) {
        const int v = order[p];
        colour[v] = smallestFrom(v, 1);
        opener[v] = colour[v] > best;
        best = qMax(best, colour[v]);
    }
    result = QVector<int>(colour, colour + n);
    for (long steps = 0; steps < 100000000L; ++steps) {
        int k = 0;
        for (int p = 0, count = 0; p < n; ++p) {
            count += opener[order[p]];
            if (count == best) {
                k = p + 1;
                break;
            }
        }
        int p = -1;
        for (int q = k - 2; q >= 1; --q)
            if (!opener[order[q]] && colour[order[q]] < best) {
                p = q;
                break;
            }
        for (int q = qMax(p, 0) + 1; q < n; ++q) {
            colour[order[q]] = 0;
            opener[order[q]] = 0;
        }
        if (p < 0)
            return best;
        int m = 0;
        for (int q = 0; q <= p; ++q)
            m += opener[order[q]];
        int v = order[p];
        colour[v] = smallestFrom(v, colour[v] + 1);
        if (colour[v] > m) {
            opener[v] = 1;
            m = colour[v];
        }
        if (colour[v] >= best)
            continue;
        for (int q = p + 1; q < n; ++q) {
            v = order[q];
            colour[v] = smallestFrom(v, 1);
            if (colour[v] > m) {
                opener[v] = 1;
                m = colour[v];
            }
            if (q == n - 1) {
                if (m < best) {
                    best = m;
                    result = QVector<int>(colour, colour + n);
                }
                break;
            }
            if (colour[v] >= best)
                break;
        }
    }
    return -1; // not finished: reported as a mismatch
}

// Vertex sets in lexicographic order, depth first, never larger than the best set found.
int plainDomination(const Adjacency &g)
{
    const int n = g.n;
    int best = n + 1;
    int cover[32] = {}, chosen[32] = {};
    const auto flip = [&](int v, int d) {
        chosen[v] += d;
        cover[v] += d;
        for (int j = 0; j < n; ++j)
            if (g.a[v][j])
                cover[j] += d;
    };
    const auto undominated = [&](int from) {
        for (int u = from; u < n; ++u)
            if (!cover[u] && !chosen[u])
                return u;
        return -1;
    };
    const auto largestChosen = [&] {
        for (int v = n - 1; v >= 0; --v)
            if (chosen[v])
                return v;
        return -1;
    };
    flip(0, 1);
    int size = 1, last = 0;
    for (;;) {
        int u = undominated(0);
        if (u < 0)
            best = size;
        while (u >= 0 && size < best - 1 && last < n - 1) {
            flip(++last, 1);
            ++size;
            u = undominated(u);
            if (u < 0)
                best = size;
        }
        if (best == 1)
            return best;
        if (size >= best) {
            flip(last, -1);
            --size;
            last = largestChosen();
        }
        for (;;) {
            flip(last, -1);
            if (last < n - 1) {
                flip(++last, 1);
                break;
            }
            if (--size == 0)
                return best;
            last = largestChosen();
        }
    }
}

// Removal sets in index order, removal before keeping, tested by a search over the kept vertices.
int plainConnectivity(const Adjacency &g)
{
    const int n = g.n;
    int best = n - 1;
    bool removed[32] = {};
    int pos = 0;
    for (;;) {
        int mark[32] = {};
        int queue[32], head = 0, tail = 0;
        for (int s = 0; s < n; ++s)
            if (!removed[s]) {
                mark[s] = 2;
                queue[tail++] = s;
                break;
            }
        while (head < tail) {
            const int x = queue[head++];
            for (int b = 0; b < n; ++b)
                if (!removed[b] && g.a[x][b] && !mark[b]) {
                    mark[b] = 1;
                    queue[tail++] = b;
                }
        }
        bool split = false;
        int r = 0;
        for (int v = 0; v < n; ++v) {
            r += removed[v];
            if (!removed[v] && !mark[v])
                split = true;
        }
        if (split)
            best = r;
        else if (r < best - 1 && pos < n) {
            removed[pos++] = true;
            continue;
        }
        int j = qMin(pos, n - 1);
        while (j >= 0 && !removed[j])
            --j;
        if (j < 0)
            return best;
        removed[j] = false;
        pos = j + 1;
    }
}

// Every stable set, grouped by its smallest vertex.
int plainStability(const Adjacency &g)
{
    const int n = g.n;
    if (n <= 1)
        return n;
    int stack[32];
    for (int i = 0; i < n; ++i)
        stack[i] = -1;
    int best = 1, top = 1, cand = 1;
    for (int s = 0; s <= n - 2; ++s) {
        stack[0] = s;
        for (;;) {
            for (; cand < n; ++cand) {
                bool joins = true;
                for (int i = 0; i < top && joins; ++i)
                    joins = !g.a[cand][stack[i]];
                if (joins) {
                    stack[top] = cand;
                    best = qMax(best, top + 1);
                    ++top;
                }
            }
            --top;
            cand = stack[top] + 1;
            stack[top] = -1;
            if (stack[0] < 0)
                break;
        }
    }
    return best;
}

// ---- Reference data ----------------------------------------------------------------------------

struct Reference {
    QString g6;     // graph6, or a graph string when it holds a blank
    int kappa = -1; // -1: not given
    int alpha = -1;
    int gamma = -1;
    QString families; // "" when not given
    QString name;
};

QVector<Reference> readReference(const QString &file)
{
    QVector<Reference> out;
    for (const QString &line : readDataLines(file)) {
        const QStringList f = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (f.size() < 5)
            continue;
        Reference r;
        r.g6 = f[0];
        const auto number = [](const QString &s) { return s == QLatin1String("-") ? -1 : s.toInt(); };
        r.kappa = number(f[1]);
        r.alpha = number(f[2]);
        r.gamma = number(f[3]);
        if (f[4] != QLatin1String("-"))
            r.families = f[4];
        out.append(r);
    }
    return out;
}

const char *const familyKeys[] = {"TREE", "PATH", "STAR", "SPIDER", "CATERPILLAR", "LOBSTER", "COMET"};

bool isProperColouring(const Adjacency &g, const QVector<double> &c)
{
    for (int i = 0; i < g.n; ++i)
        for (int j = 0; j < g.n; ++j)
            if (g.a[i][j] && c[i] == c[j])
                return false;
    return true;
}

// Mycielski's construction: vertices v, copies n + v adjacent to the neighbours of v, and one
// apex 2n adjacent to every copy. It raises the chromatic number by one and keeps triangles out.
EdgeList mycielski(int n, const EdgeList &e)
{
    EdgeList out = e;
    for (const auto &p : e) {
        out.append({n + p.first, p.second});
        out.append({n + p.second, p.first});
    }
    for (int v = 0; v < n; ++v)
        out.append({n + v, 2 * n});
    return out;
}

EdgeList cycleEdges(int n)
{
    EdgeList e;
    for (int i = 0; i < n; ++i)
        e.append({i, (i + 1) % n});
    return e;
}

QString completeMultipartite(const QVector<int> &parts)
{
    EdgeList e;
    QVector<int> part;
    for (int p = 0; p < parts.size(); ++p)
        for (int k = 0; k < parts[p]; ++k)
            part.append(p);
    for (int i = 0; i < part.size(); ++i)
        for (int j = i + 1; j < part.size(); ++j)
            if (part[i] != part[j])
                e.append({i, j});
    return graphString(part.size(), e);
}

} // namespace

class TestExactSearches : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void againstReference_data();
    void againstReference();
    void namedGraphs_data();
    void namedGraphs();
    void degenerate_data();
    void degenerate();
    void families_data();
    void families();

private:
    double value(const QString &key);
    Outcome outcome(const QString &key);

    std::unique_ptr<Graph> graph;
    QMap<QString, std::shared_ptr<Calculus>> items;
};

void TestExactSearches::initTestCase()
{
    graph.reset(new Graph(QStringLiteral("exact"), false));
    for (const char *k : {"CHROMATIC", "CHROMATICVAL", "DOMINATION", "NCONN", "STABLEMAX"})
        items.insert(k, std::shared_ptr<Calculus>(InvariantFactory::make(k, false)));
    for (const char *k : familyKeys)
        items.insert(k, std::shared_ptr<Calculus>(InvariantFactory::make(k, false)));
    for (auto &item : items) {
        QVERIFY(item);
        item->setGraph(graph.get());
    }
}

Outcome TestExactSearches::outcome(const QString &key)
{
    Calculus *item = items.value(key).get();
    item->compute(true);
    return outcomeOf(item);
}

double TestExactSearches::value(const QString &key)
{
    const Outcome o = outcome(key);
    return o.rows == 1 && o.cols == 1 && !o.error ? o.values[0] : -999.0;
}

void TestExactSearches::againstReference_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("plainUpTo"); // the plain searches run up to this order
    QTest::newRow("all graphs, 1 to 8 vertices") << "exact_small.txt" << 8;
    QTest::newRow("random graphs and trees, 9 to 32 vertices") << "exact_random.txt" << 14;
    QTest::newRow("seeded random graphs, 9 to 14 vertices") << "" << 14;
}

void TestExactSearches::againstReference()
{
    QFETCH(QString, file);
    QFETCH(int, plainUpTo);
    QVector<Reference> refs = readReference(file);
    if (file.isEmpty()) {
        // Only the plain searches as reference: every density, 9 to 14 vertices.
        std::mt19937 rng(13);
        for (int k = 0; k < 600; ++k) {
            const int n = 9 + k % 6;
            std::bernoulli_distribution coin(std::uniform_real_distribution<double>(0.1, 0.9)(rng));
            EdgeList e;
            for (int i = 0; i < n; ++i)
                for (int j = i + 1; j < n; ++j)
                    if (coin(rng))
                        e.append({i, j});
            Reference r;
            r.g6 = graphString(n, e);
            refs.append(r);
        }
    }
    QVERIFY2(refs.size() > 200, qPrintable(file));
    QStringList failures;
    const auto expect = [&](const Reference &r, const char *what, double got, double want) {
        if (got != want && failures.size() < 20)
            failures << QStringLiteral("%1 %2: %3, expected %4").arg(r.g6, what).arg(got).arg(want);
    };
    for (const Reference &r : refs) {
        QVERIFY(r.g6.contains(QLatin1Char(' ')) ? graph->loadtsy(r.g6, false) : graph->loadg6(r.g6, false));
        const Adjacency g = adjacencyOf(graph.get());
        const int n = g.n;
        if (r.kappa >= 0) {
            expect(r, "NCONN/networkx", value("NCONN"), r.kappa);
            expect(r, "STABLEMAX/networkx", value("STABLEMAX"), r.alpha);
        }
        if (r.gamma >= 0)
            expect(r, "DOMINATION/enumeration", value("DOMINATION"), r.gamma);

        const double chi = n >= 2 ? value("CHROMATIC") : -1;
        const Outcome labels = outcome("CHROMATICVAL");
        if (n >= 2) {
            // Whatever the order: a proper colouring with labels 1 to the chromatic number.
            expect(r, "CHROMATICVAL proper", isProperColouring(g, labels.values), 1);
            expect(r, "CHROMATICVAL largest label",
                   *std::max_element(labels.values.begin(), labels.values.end()), chi);
        }
        if (n >= 2 && n <= plainUpTo) {
            QVector<int> plainLabels;
            expect(r, "CHROMATIC/plain", chi, plainChromatic(g, plainLabels));
            QVector<double> want(plainLabels.begin(), plainLabels.end());
            if (labels.values != want && failures.size() < 20)
                failures << r.g6 + QStringLiteral(" CHROMATICVAL differs from the plain search");
            expect(r, "NCONN/plain", value("NCONN"), plainConnectivity(g));
        }
        if (n >= 1 && n <= plainUpTo) {
            expect(r, "DOMINATION/plain", value("DOMINATION"), plainDomination(g));
            expect(r, "STABLEMAX/plain", value("STABLEMAX"), plainStability(g));
        }
        if (!r.families.isEmpty()) {
            bool connected = r.kappa > 0;
            for (int f = 0; f < 7; ++f) {
                const Outcome o = outcome(familyKeys[f]);
                expect(r, familyKeys[f], o.values.value(0, -1), r.families[f] == QLatin1Char('1') ? 1 : 0);
                expect(r, "error flag", o.error, !connected);
            }
        }
    }
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QLatin1Char('\n'))));
}

void TestExactSearches::namedGraphs_data()
{
    QTest::addColumn<QString>("graph");
    QTest::addColumn<int>("chromatic");
    QTest::addColumn<int>("stability"); // -1: not asserted here
    QTest::addColumn<int>("domination");
    QTest::addColumn<int>("connectivity");

    EdgeList m = cycleEdges(5); // Mycielski M3
    const EdgeList groetzsch = mycielski(5, m);
    const EdgeList m5 = mycielski(11, groetzsch);
    // The Chvatal graph: the smallest triangle-free 4-regular graph of chromatic number 4.
    const EdgeList chvatal = {{0, 1},  {0, 4},  {0, 6},  {0, 9}, {1, 2},  {1, 5},  {1, 7},  {2, 3},
                              {2, 6},  {2, 8},  {3, 4},  {3, 7}, {3, 9},  {4, 5},  {4, 8},  {5, 10},
                              {5, 11}, {6, 10}, {6, 11}, {7, 8}, {7, 11}, {8, 10}, {9, 10}, {9, 11}};

    QTest::newRow("Petersen") << petersen() << 3 << 4 << 3 << 3;
    QTest::newRow("Groetzsch") << graphString(11, groetzsch) << 4 << 5 << 3 << 3;
    QTest::newRow("Mycielski M5") << graphString(23, m5) << 5 << -1 << -1 << -1;
    // Twice Mycielski's construction from C7: 31 vertices, no triangle, chromatic number 5.
    QTest::newRow("Mycielski of C7, twice")
        << graphString(31, mycielski(15, mycielski(7, cycleEdges(7)))) << 5 << -1 << -1 << -1;
    // The Kneser graph KG(7, 2): chromatic number 7 - 2 * 2 + 2 (Lovasz), stability number 6
    // (Erdos-Ko-Rado).
    EdgeList kneser;
    QVector<int> pairs;
    for (int m = 0; m < 128; ++m)
        if (qPopulationCount(quint32(m)) == 2)
            pairs.append(m);
    for (int i = 0; i < pairs.size(); ++i)
        for (int j = i + 1; j < pairs.size(); ++j)
            if (!(pairs[i] & pairs[j]))
                kneser.append({i, j});
    QTest::newRow("Kneser KG(7,2)") << graphString(21, kneser) << 5 << 6 << -1 << -1;
    QTest::newRow("Chvatal") << graphString(12, chvatal) << 4 << 4 << -1 << 4;
    QTest::newRow("C7") << cycle(7) << 3 << 3 << 3 << 2;
    QTest::newRow("C31") << cycle(31) << 3 << 15 << 11 << 2;
    QTest::newRow("C32") << cycle(32) << 2 << 16 << 11 << 2;
    QTest::newRow("P32") << path(32) << 2 << 16 << 11 << 1;
    QTest::newRow("K(2,3,4)") << completeMultipartite({2, 3, 4}) << 3 << 4 << 2 << 5;
    QTest::newRow("K(4,4,4,4,4,4,4,4)")
        << completeMultipartite({4, 4, 4, 4, 4, 4, 4, 4}) << 8 << 4 << 2 << 28;
    QTest::newRow("K(1,1,10,10)") << completeMultipartite({1, 1, 10, 10}) << 4 << 10 << 1 << 12;
    QTest::newRow("K(16,16)") << completeBipartite(16, 16) << 2 << 16 << 2 << 16;
    QTest::newRow("K32") << complete(32) << 32 << 1 << 1 << 31;
    QTest::newRow("32 isolated vertices") << edgeless(32) << 1 << 32 << 32 << 0;
    QTest::newRow("star K(1,31)") << star(32) << 2 << 31 << 1 << 1;
    QTest::newRow("cube Q5") << hypercube(5) << 2 << 16 << 7 << 5;
    QTest::newRow("cube Q4") << hypercube(4) << 2 << 8 << 4 << 4;
    QTest::newRow("C5 + C5 apart") << graphString(10, cycleEdges(5) +
                                                          EdgeList{{5, 6}, {6, 7}, {7, 8}, {8, 9}, {9, 5}})
                                   << 3 << 4 << 4 << 0;
}

void TestExactSearches::namedGraphs()
{
    QFETCH(QString, graph);
    QFETCH(int, chromatic);
    QFETCH(int, stability);
    QFETCH(int, domination);
    QFETCH(int, connectivity);
    QVERIFY(this->graph->loadtsy(graph, false));
    QCOMPARE(value("CHROMATIC"), double(chromatic));
    const Outcome labels = outcome("CHROMATICVAL");
    QVERIFY(isProperColouring(adjacencyOf(this->graph.get()), labels.values));
    QCOMPARE(*std::max_element(labels.values.begin(), labels.values.end()), double(chromatic));
    if (stability >= 0)
        QCOMPARE(value("STABLEMAX"), double(stability));
    if (domination >= 0)
        QCOMPARE(value("DOMINATION"), double(domination));
    if (connectivity >= 0)
        QCOMPARE(value("NCONN"), double(connectivity));
}

void TestExactSearches::degenerate_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("graph"); // empty: no graph attached
    QTest::addColumn<bool>("error");
    QTest::addColumn<QVector<double>>("values"); // empty: 0 x 0

    using V = QVector<double>;
    for (const char *k : {"CHROMATIC", "CHROMATICVAL", "DOMINATION", "NCONN", "STABLEMAX"})
        QTest::newRow(qPrintable(QStringLiteral("%1 without graph").arg(k))) << k << QString() << true << V{};
    QTest::newRow("CHROMATIC order 0") << "CHROMATIC"
                                       << "0 " << true << V{};
    QTest::newRow("CHROMATIC order 1") << "CHROMATIC"
                                       << "1 " << true << V{};
    QTest::newRow("CHROMATICVAL order 1") << "CHROMATICVAL"
                                          << "1 " << true << V{};
    QTest::newRow("CHROMATIC K2") << "CHROMATIC" << complete(2) << false << V{2};
    QTest::newRow("CHROMATICVAL 3 isolated") << "CHROMATICVAL" << edgeless(3) << false << V{1, 1, 1};
    QTest::newRow("CHROMATICVAL K4") << "CHROMATICVAL" << complete(4) << false << V{4, 3, 2, 1};
    // The path 0-1-2 is ordered 2, 1, 0.
    QTest::newRow("CHROMATICVAL P3") << "CHROMATICVAL" << path(3) << false << V{1, 2, 1};
    // The graph without vertices has the documented values 1 and -1.
    QTest::newRow("DOMINATION order 0") << "DOMINATION"
                                        << "0 " << false << V{1};
    QTest::newRow("DOMINATION order 1") << "DOMINATION"
                                        << "1 " << false << V{1};
    QTest::newRow("NCONN order 0") << "NCONN"
                                   << "0 " << false << V{-1};
    QTest::newRow("NCONN order 1") << "NCONN"
                                   << "1 " << false << V{0};
    QTest::newRow("NCONN K2") << "NCONN" << complete(2) << false << V{1};
    QTest::newRow("NCONN two isolated") << "NCONN" << edgeless(2) << false << V{0};
    QTest::newRow("STABLEMAX order 0") << "STABLEMAX"
                                       << "0 " << false << V{0};
    QTest::newRow("STABLEMAX order 1") << "STABLEMAX"
                                       << "1 " << false << V{1};
}

void TestExactSearches::degenerate()
{
    QFETCH(QString, key);
    QFETCH(QString, graph);
    QFETCH(bool, error);
    QFETCH(QVector<double>, values);
    std::unique_ptr<Calculus> item(InvariantFactory::make(key, false));
    QVERIFY(item);
    Outcome o;
    if (graph.isEmpty()) {
        item->recompute();
        o = outcomeOf(item.get());
    } else {
        o = computeOn(item.get(), this->graph.get(), graph);
    }
    QCOMPARE(o.error, error);
    QCOMPARE(o.rows, values.size());
    QCOMPARE(o.values, values);
}

void TestExactSearches::families_data()
{
    QTest::addColumn<QString>("graph");
    QTest::addColumn<bool>("complement");
    QTest::addColumn<bool>("error");
    QTest::addColumn<QString>("answers"); // TREE PATH STAR SPIDER CATERPILLAR LOBSTER COMET; "" for 0 x 0

    QTest::newRow("order 0") << "0 " << false << true << "";
    QTest::newRow("order 1") << "1 " << false << true << "";
    QTest::newRow("K2") << complete(2) << false << false << "1110110";
    QTest::newRow("two isolated") << edgeless(2) << false << true << "0000000";
    QTest::newRow("tree and isolated vertex")
        << graphString(4, {{0, 1}, {1, 2}}) << false << true << "0000000";
    QTest::newRow("triangle") << complete(3) << false << false << "0000000";
    // The tip of the third leg lies 3 away from every longest path.
    QTest::newRow("three legs of 3")
        << graphString(10, {{0, 1}, {1, 2}, {2, 3}, {0, 4}, {4, 5}, {5, 6}, {0, 7}, {7, 8}, {8, 9}}) << false
        << false << "1001000";
    QTest::newRow("complement of P5") << complementString(path(5)) << true << false << "1101110";
}

void TestExactSearches::families()
{
    QFETCH(QString, graph);
    QFETCH(bool, complement);
    QFETCH(bool, error);
    QFETCH(QString, answers);
    for (int f = 0; f < 7; ++f) {
        std::unique_ptr<Calculus> item(InvariantFactory::make(familyKeys[f], false));
        const Outcome o = computeOn(item.get(), this->graph.get(), graph, complement);
        QVERIFY2(o.error == error, familyKeys[f]);
        if (answers.isEmpty()) {
            QVERIFY2(o.rows == 0 && o.cols == 0, familyKeys[f]);
        } else {
            QVERIFY2(o.rows == 1 && o.cols == 1, familyKeys[f]);
            QVERIFY2(o.values[0] == (answers[f] == QLatin1Char('1') ? 1.0 : 0.0), familyKeys[f]);
        }
    }
}

QTEST_MAIN(TestExactSearches)
#include "tst_exactsearches.moc"
