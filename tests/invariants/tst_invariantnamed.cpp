// The invariants on named graph families, against closed forms, and the shapes and failures of
// the small and degenerate cases.

#include "InvariantTestGraphs.h"
#include "invariants/InvariantFactory.h"
#include "problem/CalculusDisplay.h"

#include <QCheckBox>
#include <QtTest>

#include <cmath>
#include <memory>

using namespace testgraphs;

namespace
{

const QStringList allKeywords = {
    "ADJACENCY",   "BALABAN",   "CLAWS",           "COMNEIGH",      "DEGMAX",       "DEGMIN",   "DEGREES",
    "DIAMETER",    "DISTANCES", "DISTCLOSESTLEAF", "DTRANSMISSION", "ECCENTRICITY", "HARARY",   "IDENTITY",
    "KCHERRIES",   "KIRCHHOFF", "LAPLACIAN",       "MODULARITY",    "NLAPLACIAN",   "NUMERO",   "ONEMAT",
    "ONEVEC",      "ORDER",     "PENDING",         "PLATT",         "RADIUS",       "RANDIC",   "SIZE",
    "SLLAPLACIAN", "SUMDISTP",  "TRANSMISSION",    "TRIANGLES",     "WIENER",       "ZAGREBM1", "ZAGREBM2"};

double binomial(int n, int k)
{
    if (k < 0 || k > n)
        return 0.0;
    double r = 1.0;
    for (int i = 1; i <= k; ++i)
        r = r * (n - k + i) / i;
    return r;
}

const double Far = 1e12;

} // namespace

class TestInvariantNamed : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void closedForms_data();
    void closedForms();
    void results_data();
    void results();
    void catalogue_data();
    void catalogue();
    void withoutGraph_data();
    void withoutGraph();
    void unknownKeywords_data();
    void unknownKeywords();
    void displayedItem();
    void kirchhoffStatusText_data();
    void kirchhoffStatusText();
    void degreesLeftInColumn_data();
    void degreesLeftInColumn();
    void sumLeftOnFailure_data();
    void sumLeftOnFailure();

private:
    Outcome run(const QString &key, const QString &graphText, bool complement = false);

    std::unique_ptr<Graph> graph;
    std::unique_ptr<Calculus> current;
};

void TestInvariantNamed::initTestCase()
{
    graph.reset(new Graph(QStringLiteral("named"), false));
}

void TestInvariantNamed::cleanup()
{
    current.reset();
}

Outcome TestInvariantNamed::run(const QString &key, const QString &graphText, bool complement)
{
    current.reset(InvariantFactory::make(key, false));
    if (!current)
        return Outcome();
    return computeOn(current.get(), graph.get(), graphText, complement);
}

void TestInvariantNamed::closedForms_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("graphText");
    QTest::addColumn<double>("expected");

    const auto add = [](const char *key, const char *graphName, const QString &g, double v) {
        QTest::addRow("%s %s", key, graphName) << QString::fromLatin1(key) << g << v;
    };

    // The Petersen graph: 3-regular, 10 vertices, 15 edges, girth 5, diameter 2; every vertex has
    // 3 vertices at distance 1 and 6 at distance 2; Laplacian spectrum 0, 2^5, 5^4.
    const QString p = petersen();
    add("WIENER", "Petersen", p, 75);
    add("HARARY", "Petersen", p, 30);
    add("KIRCHHOFF", "Petersen", p, 33);
    add("BALABAN", "Petersen", p, 15.0 / 7.0);
    add("ZAGREBM1", "Petersen", p, 90);
    add("ZAGREBM2", "Petersen", p, 135);
    add("PLATT", "Petersen", p, 60);
    add("RANDIC", "Petersen", p, 5);
    add("DIAMETER", "Petersen", p, 2);
    add("RADIUS", "Petersen", p, 2);
    add("TRIANGLES", "Petersen", p, 0);
    add("CLAWS", "Petersen", p, 10);
    add("DEGMAX", "Petersen", p, 3);
    add("DEGMIN", "Petersen", p, 3);
    add("ORDER", "Petersen", p, 10);
    add("SIZE", "Petersen", p, 15);
    add("PENDING", "Petersen", p, 0);

    // The 5-cube on 32 vertices: C(5,k) vertices at distance k; Laplacian spectrum 2k with
    // multiplicity C(5,k); bipartite, so every neighbourhood is independent.
    const QString q5 = hypercube(5);
    double harmonic = 0.0;
    for (int k = 1; k <= 5; ++k)
        harmonic += binomial(5, k) / k;
    add("WIENER", "Q5", q5, 32.0 * 5 * 16 / 2);
    add("HARARY", "Q5", q5, 32.0 * harmonic / 2);
    add("KIRCHHOFF", "Q5", q5, 32.0 * harmonic / 2);
    add("DIAMETER", "Q5", q5, 5);
    add("RADIUS", "Q5", q5, 5);
    add("RANDIC", "Q5", q5, 16);
    add("ZAGREBM1", "Q5", q5, 32 * 25);
    add("ZAGREBM2", "Q5", q5, 80 * 25);
    add("PLATT", "Q5", q5, 80 * 8);
    add("TRIANGLES", "Q5", q5, 0);
    add("CLAWS", "Q5", q5, 0);
    add("BALABAN", "Q5", q5, 80.0 / 50.0 * 80.0 / 80.0);

    // Claws are counted only at centres of degree exactly 3 with an independent neighbourhood.
    add("CLAWS", "K1,3", star(4), 1);
    add("CLAWS", "K1,4", star(5), 0);
    add("CLAWS", "K1,31", star(32), 0);
    add("CLAWS", "K3,3", completeBipartite(3, 3), 6);
    add("CLAWS", "K4,4", completeBipartite(4, 4), 0);
    add("CLAWS", "K4", complete(4), 0);
    add("CLAWS", "K32", complete(32), 0);
    add("CLAWS", "C6", cycle(6), 0);
    add("CLAWS", "empty5", edgeless(5), 0);

    for (int n : {4, 5, 9, 16, 31, 32}) {
        const QByteArray pn = "P" + QByteArray::number(n);
        const QByteArray cn = "C" + QByteArray::number(n);
        const QByteArray sn = "S" + QByteArray::number(n);
        const QByteArray kn = "K" + QByteArray::number(n);
        const QString P = path(n), C = cycle(n), S = star(n), K = complete(n);
        const double N = n;

        double hPath = 0.0;
        for (int d = 1; d < n; ++d)
            hPath += double(n - d) / d;
        add("WIENER", pn, P, N * (N * N - 1) / 6);
        add("HARARY", pn, P, hPath);
        add("KIRCHHOFF", pn, P, N * (N * N - 1) / 6); // a tree: resistance = distance
        add("DIAMETER", pn, P, n - 1);
        add("RADIUS", pn, P, n / 2);
        add("RANDIC", pn, P, 2 / std::sqrt(2.0) + (N - 3) / 2);
        add("ZAGREBM1", pn, P, 4 * N - 6);
        add("ZAGREBM2", pn, P, 4 * N - 8);
        add("PLATT", pn, P, 2 * N - 4);
        add("PENDING", pn, P, 2);
        add("DEGMAX", pn, P, 2);
        add("DEGMIN", pn, P, 1);
        add("CLAWS", pn, P, 0);

        double hCycle = 0.0; // sum over the other vertices of 1/d, from one vertex
        for (int d = 1; d < n; ++d)
            hCycle += 1.0 / std::min(d, n - d);
        add("WIENER", cn, C, n % 2 == 0 ? N * N * N / 8 : N * (N * N - 1) / 8);
        add("HARARY", cn, C, N * hCycle / 2);
        add("KIRCHHOFF", cn, C, (N * N * N - N) / 12);
        add("DIAMETER", cn, C, n / 2);
        add("RADIUS", cn, C, n / 2);
        add("RANDIC", cn, C, N / 2);
        add("ZAGREBM1", cn, C, 4 * N);
        add("ZAGREBM2", cn, C, 4 * N);
        add("PLATT", cn, C, 2 * N);
        add("BALABAN", cn, C, n % 2 == 0 ? 2.0 : 2 * N * N / (N * N - 1));
        add("TRIANGLES", cn, C, 0);
        add("PENDING", cn, C, 0);

        add("WIENER", sn, S, (N - 1) * (N - 1));
        add("HARARY", sn, S, (N - 1) + (N - 1) * (N - 2) / 4);
        add("KIRCHHOFF", sn, S, (N - 1) * (N - 1));
        add("DIAMETER", sn, S, 2);
        add("RADIUS", sn, S, 1);
        add("RANDIC", sn, S, std::sqrt(N - 1));
        add("ZAGREBM1", sn, S, N * (N - 1));
        add("ZAGREBM2", sn, S, (N - 1) * (N - 1));
        add("PLATT", sn, S, (N - 1) * (N - 2));
        add("BALABAN", sn, S, std::pow(N - 1, 1.5) / std::sqrt(2 * N - 3));
        add("PENDING", sn, S, N - 1);
        add("DEGMAX", sn, S, N - 1);
        add("DEGMIN", sn, S, 1);

        const double m = N * (N - 1) / 2;
        add("WIENER", kn, K, m);
        add("HARARY", kn, K, m);
        add("KIRCHHOFF", kn, K, N - 1);
        add("DIAMETER", kn, K, 1);
        add("RADIUS", kn, K, 1);
        add("RANDIC", kn, K, N / 2);
        add("ZAGREBM1", kn, K, N * (N - 1) * (N - 1));
        add("ZAGREBM2", kn, K, m * (N - 1) * (N - 1));
        add("PLATT", kn, K, N * (N - 1) * (N - 2));
        add("TRIANGLES", kn, K, binomial(n, 3));
        add("BALABAN", kn, K, m * m / ((m - N + 2) * (N - 1)));
        add("SIZE", kn, K, m);
        add("ORDER", kn, K, N);
    }
}

void TestInvariantNamed::closedForms()
{
    QFETCH(QString, key);
    QFETCH(QString, graphText);
    QFETCH(double, expected);

    const Outcome o = run(key, graphText);
    QVERIFY(!o.error);
    QCOMPARE(o.rows, 1);
    QCOMPARE(o.cols, 1);
    QVERIFY2(
        std::fabs(o.values[0] - expected) <= 1e-7 * std::max(1.0, std::fabs(expected)),
        qPrintable(QStringLiteral("%1, expected %2").arg(o.values[0], 0, 'g', 15).arg(expected, 0, 'g', 15)));
}

void TestInvariantNamed::results_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("graphText");
    QTest::addColumn<bool>("complement");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("cols");
    QTest::addColumn<bool>("error");
    QTest::addColumn<QVector<double>>("values");

    const QString none = edgeless(0);
    const QString one = edgeless(1);
    const QString p2 = path(2);
    const QString p3 = path(3);
    const QString twoEdges = graphString(4, {{0, 1}, {2, 3}});
    const QString edgeAndIsolated = graphString(3, {{0, 1}});
    const QString k13 = star(4);
    const auto row = [](const char *name, const char *key, const QString &g, int r, int c, bool err,
                        const QVector<double> &v, bool complement = false) {
        QTest::newRow(name) << QString::fromLatin1(key) << g << complement << r << c << err << v;
    };

    // The graph without vertices: empty results, no error; the values are 0.
    for (const char *k : {"DISTANCES", "ADJACENCY", "COMNEIGH", "IDENTITY", "ONEMAT", "LAPLACIAN",
                          "SLLAPLACIAN", "NLAPLACIAN", "MODULARITY"})
        row(qPrintable(QStringLiteral("order 0 %1").arg(k)), k, none, 0, 0, false, {});
    for (const char *k : {"ECCENTRICITY", "TRANSMISSION", "DTRANSMISSION", "DISTCLOSESTLEAF", "SUMDISTP",
                          "DEGREES", "KCHERRIES", "ONEVEC", "NUMERO"})
        row(qPrintable(QStringLiteral("order 0 %1").arg(k)), k, none, 0, 1, false, {});
    for (const char *k : {"WIENER", "HARARY", "DIAMETER", "RADIUS", "BALABAN", "CLAWS", "DEGMAX", "DEGMIN",
                          "ORDER", "SIZE", "PENDING", "TRIANGLES", "PLATT", "RANDIC", "ZAGREBM1", "ZAGREBM2"})
        row(qPrintable(QStringLiteral("order 0 %1").arg(k)), k, none, 1, 1, false, {0});
    row("order 0 KIRCHHOFF", "KIRCHHOFF", none, 0, 0, true, {});

    // One vertex.
    row("order 1 DISTANCES", "DISTANCES", one, 1, 1, false, {0});
    row("order 1 RADIUS", "RADIUS", one, 1, 1, false, {0});
    row("order 1 DISTCLOSESTLEAF", "DISTCLOSESTLEAF", one, 0, 0, true, {});
    row("order 1 SUMDISTP", "SUMDISTP", one, 1, 1, false, {0});
    row("order 1 NLAPLACIAN", "NLAPLACIAN", one, 1, 1, false, {1});
    row("order 1 MODULARITY", "MODULARITY", one, 1, 1, false, {0});
    row("order 1 IDENTITY", "IDENTITY", one, 1, 1, false, {1});
    row("order 1 NUMERO", "NUMERO", one, 1, 1, false, {1});
    row("order 1 KIRCHHOFF", "KIRCHHOFF", one, 0, 0, true, {});
    row("order 1 BALABAN", "BALABAN", one, 1, 1, false, {0});

    // One edge.
    row("P2 DISTANCES", "DISTANCES", p2, 2, 2, false, {0, 1, 1, 0});
    row("P2 DISTCLOSESTLEAF", "DISTCLOSESTLEAF", p2, 2, 1, false, {0, 0});
    row("P2 SUMDISTP", "SUMDISTP", p2, 2, 1, false, {1, 1});
    row("P2 DTRANSMISSION", "DTRANSMISSION", p2, 2, 1, false, {1, 1});
    row("P2 KCHERRIES", "KCHERRIES", p2, 2, 1, false, {1, 1});
    row("P2 MODULARITY", "MODULARITY", p2, 2, 2, false, {-0.5, 0.5, 0.5, -0.5});
    row("P2 BALABAN", "BALABAN", p2, 1, 1, false, {1});
    row("P2 KIRCHHOFF", "KIRCHHOFF", p2, 0, 0, true, {});
    row("P2 RANDIC", "RANDIC", p2, 1, 1, false, {1});
    row("P2 PLATT", "PLATT", p2, 1, 1, false, {0});
    row("two isolated BALABAN", "BALABAN", edgeless(2), 0, 0, true, {});

    // The path 0-1-2.
    row("P3 ECCENTRICITY", "ECCENTRICITY", p3, 3, 1, false, {2, 1, 2});
    row("P3 TRANSMISSION", "TRANSMISSION", p3, 3, 1, false, {3, 2, 3});
    row("P3 DTRANSMISSION", "DTRANSMISSION", p3, 3, 1, false, {1.5, 2, 1.5});
    row("P3 DISTCLOSESTLEAF", "DISTCLOSESTLEAF", p3, 3, 1, false, {0, 1, 0});
    row("P3 SUMDISTP", "SUMDISTP", p3, 3, 1, false, {2, 2, 2});
    row("P3 HARARY", "HARARY", p3, 1, 1, false, {2.5});
    row("P3 LAPLACIAN", "LAPLACIAN", p3, 3, 3, false, {1, -1, 0, -1, 2, -1, 0, -1, 1});
    row("P3 SLLAPLACIAN", "SLLAPLACIAN", p3, 3, 3, false, {1, 1, 0, 1, 2, 1, 0, 1, 1});
    row("P3 MODULARITY", "MODULARITY", p3, 3, 3, false, {-0.25, 0.5, -0.25, 0.5, -1, 0.5, -0.25, 0.5, -0.25});
    row("P3 KIRCHHOFF", "KIRCHHOFF", p3, 1, 1, false, {4});
    row("P3 BALABAN", "BALABAN", p3, 1, 1, false, {4 / std::sqrt(6.0)});
    row("K3 BALABAN", "BALABAN", complete(3), 1, 1, false, {2.25});
    row("P3 complement KIRCHHOFF", "KIRCHHOFF", p3, 0, 0, true, {}, true);

    // Star with centre 0 and three leaves.
    row("K1,3 DEGREES", "DEGREES", k13, 4, 1, false, {3, 1, 1, 1});
    row("K1,3 KCHERRIES", "KCHERRIES", k13, 4, 1, false, {3, 0, 0, 0});
    row("K1,3 DISTCLOSESTLEAF", "DISTCLOSESTLEAF", k13, 4, 1, false, {1, 0, 0, 0});
    row("K1,3 SUMDISTP", "SUMDISTP", k13, 4, 1, false, {3, 4, 4, 4});
    row("K1,3 RANDIC", "RANDIC", k13, 1, 1, false, {std::sqrt(3.0)});

    // Two disjoint edges: every distance invariant fails, some keep their shape.
    QVector<double> apart = {0, 1, Far, Far, 1, 0, Far, Far, Far, Far, 0, 1, Far, Far, 1, 0};
    row("2K2 DISTANCES", "DISTANCES", twoEdges, 4, 4, true, apart);
    row("2K2 ECCENTRICITY", "ECCENTRICITY", twoEdges, 4, 1, true, {Far, Far, Far, Far});
    row("2K2 RADIUS", "RADIUS", twoEdges, 1, 1, true, {Far});
    const double t = 1 + 2 * Far;
    row("2K2 TRANSMISSION", "TRANSMISSION", twoEdges, 4, 1, true, {t, t, t, t});
    const double dt = 1 + 2e-12;
    row("2K2 DTRANSMISSION", "DTRANSMISSION", twoEdges, 4, 1, true, {dt, dt, dt, dt});
    for (const char *k :
         {"WIENER", "HARARY", "DIAMETER", "DISTCLOSESTLEAF", "SUMDISTP", "BALABAN", "KIRCHHOFF"})
        row(qPrintable(QStringLiteral("2K2 %1").arg(k)), k, twoEdges, 0, 0, true, {});

    // No vertex of degree 1.
    row("C5 SUMDISTP", "SUMDISTP", cycle(5), 5, 1, false, {0, 0, 0, 0, 0});
    row("C5 DISTCLOSESTLEAF", "DISTCLOSESTLEAF", cycle(5), 0, 0, true, {});
    row("K4 PENDING", "PENDING", complete(4), 1, 1, false, {0});

    // Isolated vertices.
    row("edge+isolated NLAPLACIAN", "NLAPLACIAN", edgeAndIsolated, 3, 3, false,
        {1, -1, 0, -1, 1, 0, 0, 0, 1});
    row("edge+isolated LAPLACIAN", "LAPLACIAN", edgeAndIsolated, 3, 3, false, {1, -1, 0, -1, 1, 0, 0, 0, 0});
    row("edge+isolated KIRCHHOFF", "KIRCHHOFF", edgeAndIsolated, 0, 0, true, {});
    row("edge+isolated DEGMIN", "DEGMIN", edgeAndIsolated, 1, 1, false, {0});
    row("empty3 MODULARITY", "MODULARITY", edgeless(3), 3, 3, false, QVector<double>(9, 0.0));
    row("empty3 NLAPLACIAN", "NLAPLACIAN", edgeless(3), 3, 3, false, {1, 0, 0, 0, 1, 0, 0, 0, 1});

    // Common neighbours.
    row("C4 COMNEIGH", "COMNEIGH", cycle(4), 4, 4, false, {0, 0, 2, 0, 0, 0, 0, 2, 2, 0, 0, 0, 0, 2, 0, 0});
    row("K4 COMNEIGH", "COMNEIGH", complete(4), 4, 4, false,
        {0, 2, 2, 2, 2, 0, 2, 2, 2, 2, 0, 2, 2, 2, 2, 0});
    row("K3,3 COMNEIGH", "COMNEIGH", completeBipartite(3, 3), 6, 6, false,
        {0, 3, 3, 0, 0, 0, 3, 0, 3, 0, 0, 0, 3, 3, 0, 0, 0, 0,
         0, 0, 0, 0, 3, 3, 0, 0, 0, 3, 0, 3, 0, 0, 0, 3, 3, 0});

    // Constant vectors and matrices.
    row("order 3 IDENTITY", "IDENTITY", p3, 3, 3, false, {1, 0, 0, 0, 1, 0, 0, 0, 1});
    row("order 3 ONEMAT", "ONEMAT", p3, 3, 3, false, QVector<double>(9, 1.0));
    row("order 3 ONEVEC", "ONEVEC", p3, 3, 1, false, {1, 1, 1});
    row("order 3 NUMERO", "NUMERO", p3, 3, 1, false, {1, 2, 3});

    // The complement flag: the complement of K4 has 4 vertices and no edge.
    row("complement K4 ORDER", "ORDER", complete(4), 1, 1, false, {4}, true);
    row("complement K4 SIZE", "SIZE", complete(4), 1, 1, false, {0}, true);
    row("complement K4 BALABAN", "BALABAN", complete(4), 0, 0, true, {}, true);
    row("complement P3 ADJACENCY", "ADJACENCY", p3, 3, 3, false, {0, 0, 1, 0, 0, 0, 1, 0, 0}, true);

    // Path on 32 vertices: eccentricity max(i, 31 - i); transmission i(i+1)/2 + (31-i)(32-i)/2.
    QVector<double> ecc, trans;
    for (int i = 0; i < 32; ++i) {
        ecc.append(std::max(i, 31 - i));
        trans.append(i * (i + 1) / 2 + (31 - i) * (32 - i) / 2);
    }
    row("P32 ECCENTRICITY", "ECCENTRICITY", path(32), 32, 1, false, ecc);
    row("P32 TRANSMISSION", "TRANSMISSION", path(32), 32, 1, false, trans);
}

void TestInvariantNamed::results()
{
    QFETCH(QString, key);
    QFETCH(QString, graphText);
    QFETCH(bool, complement);
    QFETCH(int, rows);
    QFETCH(int, cols);
    QFETCH(bool, error);
    QFETCH(QVector<double>, values);

    const Outcome o = run(key, graphText, complement);
    QCOMPARE(o.error, error);
    QCOMPARE(o.rows, rows);
    QCOMPARE(o.cols, cols);
    QCOMPARE(o.values.size(), values.size());
    for (int k = 0; k < values.size(); ++k)
        QVERIFY2(
            std::fabs(o.values[k] - values[k]) <= 1e-9 * std::max(1.0, std::fabs(values[k])),
            qPrintable(QStringLiteral("entry %1: %2, expected %3").arg(k).arg(o.values[k]).arg(values[k])));
}

void TestInvariantNamed::catalogue_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("sRows");
    QTest::addColumn<QString>("sCols");

    const QStringList values = {"BALABAN",   "CLAWS",     "DEGMAX",  "DEGMIN",   "DIAMETER", "HARARY",
                                "KIRCHHOFF", "ORDER",     "PENDING", "PLATT",    "RADIUS",   "RANDIC",
                                "SIZE",      "TRIANGLES", "WIENER",  "ZAGREBM1", "ZAGREBM2"};
    const QStringList vectors = {"DEGREES", "DISTCLOSESTLEAF", "DTRANSMISSION", "ECCENTRICITY", "KCHERRIES",
                                 "NUMERO",  "ONEVEC",          "SUMDISTP",      "TRANSMISSION"};
    for (const QString &k : allKeywords) {
        const QString r = values.contains(k) ? "1" : "n";
        const QString c = values.contains(k) || vectors.contains(k) ? "1" : "n";
        QTest::newRow(qPrintable(k)) << k << r << c;
    }
}

void TestInvariantNamed::catalogue()
{
    QFETCH(QString, key);
    QFETCH(QString, sRows);
    QFETCH(QString, sCols);

    std::unique_ptr<Calculus> c(InvariantFactory::make(key, false));
    QVERIFY(c);
    QCOMPARE(c->name, key);
    QCOMPARE(c->category, QStringLiteral("Invariant"));
    QCOMPARE(c->getSRows(), sRows);
    QCOMPARE(c->getSCols(), sCols);
    QVERIFY(!c->latexDef.isEmpty());
    QVERIFY(!c->textDef.isEmpty());
    QCOMPARE(c->textDocumentation(), key + QStringLiteral(" : ") + c->textDef + QLatin1Char('\n'));
    // headless: no dialog, no board set-up
    QVERIFY(!c->getCalculusDisplay());
    QVERIFY(c->toolTip().isEmpty());
    QVERIFY(!(c->flags() & QGraphicsItem::ItemIsMovable));
    // an invariant takes no argument
    std::unique_ptr<Calculus> other(InvariantFactory::make(QStringLiteral("ORDER"), false));
    QVERIFY(!c->setArg1(other.get()));
    QVERIFY(!c->setArg4(other.get()));
}

void TestInvariantNamed::withoutGraph_data()
{
    QTest::addColumn<QString>("key");
    for (const QString &k : allKeywords)
        QTest::newRow(qPrintable(k)) << k;
}

void TestInvariantNamed::withoutGraph()
{
    QFETCH(QString, key);
    std::unique_ptr<Calculus> c(InvariantFactory::make(key, false));
    QVERIFY(c);
    for (int i = 0; i < 32; ++i)
        for (int j = 0; j < 32; ++j)
            c->M[i][j] = i * 32 + j + 0.5;
    c->rows = 3;
    c->cols = 3;
    c->recompute();
    QVERIFY(c->error);
    QCOMPARE(c->rows, 0);
    QCOMPARE(c->cols, 0);
    for (int i = 0; i < 32; ++i)
        for (int j = 0; j < 32; ++j)
            QCOMPARE(c->M[i][j], i * 32 + j + 0.5);
}

void TestInvariantNamed::unknownKeywords_data()
{
    QTest::addColumn<QString>("keyword");
    QTest::newRow("DISTANCE") << "DISTANCE";
    QTest::newRow("SUURBALLE") << "SUURBALLE";
    QTest::newRow("lower case") << "wiener";
    QTest::newRow("blank") << "WIENER ";
    QTest::newRow("empty") << "";
}

void TestInvariantNamed::unknownKeywords()
{
    QFETCH(QString, keyword);
    QVERIFY(!InvariantFactory::make(keyword, false));
}

void TestInvariantNamed::displayedItem()
{
    std::unique_ptr<Calculus> shown(InvariantFactory::make(QStringLiteral("DISTANCES"), true));
    std::unique_ptr<Calculus> headless(InvariantFactory::make(QStringLiteral("DISTANCES"), false));
    QVERIFY(shown && headless);
    QVERIFY(shown->getCalculusDisplay());
    QVERIFY(!shown->getCalculusDisplay()->isVisible());
    QCOMPARE(shown->toolTip(), QStringLiteral("DISTANCES"));
    QVERIFY(shown->flags() & QGraphicsItem::ItemIsMovable);
    QVERIFY(shown->flags() & QGraphicsItem::ItemIsSelectable);
    // the "Complement" box is offered
    bool offered = false;
    for (QCheckBox *box : shown->getCalculusDisplay()->findChildren<QCheckBox *>())
        if (box->text() == QLatin1String("Complement"))
            offered = box->isEnabled();
    QVERIFY(offered);
    QCOMPARE(shown->textDocumentation(), headless->textDocumentation());
    QCOMPARE(shown->latexDocumentation(), headless->latexDocumentation());
}

void TestInvariantNamed::kirchhoffStatusText_data()
{
    QTest::addColumn<QString>("graphText");
    QTest::addColumn<bool>("error");
    QTest::newRow("order 1") << edgeless(1) << true;
    QTest::newRow("disconnected") << graphString(4, {{0, 1}, {2, 3}}) << true;
    QTest::newRow("K5") << complete(5) << false;
}

void TestInvariantNamed::kirchhoffStatusText()
{
    QFETCH(QString, graphText);
    QFETCH(bool, error);
    const Outcome o = run(QStringLiteral("KIRCHHOFF"), graphText);
    QCOMPARE(o.error, error);
    QCOMPARE(current->getTooltip(), QStringLiteral("Kirchhoff"));
}

void TestInvariantNamed::degreesLeftInColumn_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<double>("value");
    // star with centre 0 and leaves 1, 2, 3
    QTest::newRow("PLATT") << "PLATT" << 6.0;
    QTest::newRow("RANDIC") << "RANDIC" << std::sqrt(3.0);
    QTest::newRow("ZAGREBM1") << "ZAGREBM1" << 12.0;
    QTest::newRow("ZAGREBM2") << "ZAGREBM2" << 9.0;
}

void TestInvariantNamed::degreesLeftInColumn()
{
    QFETCH(QString, key);
    QFETCH(double, value);
    // The per-vertex analyst report of these value items reads column 0: the value first, then
    // the degrees of vertices 1 to n-1.
    run(key, star(4));
    QCOMPARE(current->getValue(1), value);
    QCOMPARE(current->getValue(2), 1.0);
    QCOMPARE(current->getValue(3), 1.0);
    QCOMPARE(current->getValue(4), 1.0);
}

void TestInvariantNamed::sumLeftOnFailure_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("graphText");
    QTest::addColumn<double>("value");
    // A disconnected graph fails with shape 0 x 0, but entry [0][0] still holds the sum over the
    // unordered pairs, a pair in different components counting with the distance 1e12.
    const QString twoEdges = graphString(4, {{0, 1}, {2, 3}}); // 2 pairs at 1, 4 pairs apart
    const QString edgeAndIsolated = graphString(3, {{0, 1}});  // 1 pair at 1, 2 pairs apart
    QTest::newRow("2K2 WIENER") << "WIENER" << twoEdges << 2 + 4 * Far;
    QTest::newRow("K2+K1 WIENER") << "WIENER" << edgeAndIsolated << 1 + 2 * Far;
    QTest::newRow("3K1 WIENER") << "WIENER" << edgeless(3) << 3 * Far;
    QTest::newRow("2K2 HARARY") << "HARARY" << twoEdges << 2 + 4 / Far;
}

void TestInvariantNamed::sumLeftOnFailure()
{
    QFETCH(QString, key);
    QFETCH(QString, graphText);
    QFETCH(double, value);
    const Outcome o = run(key, graphText);
    QVERIFY(o.error);
    QCOMPARE(o.rows, 0);
    QCOMPARE(current->M[0][0], value);
}

QTEST_MAIN(TestInvariantNamed)
#include "tst_invariantnamed.moc"
