#include "optimisation/OptimalSolutions.h"
#include "optimisation/ProblemSnapshot.h"
#include "optimisation/SearchFixtures.h"
#include "optimisation/Solution.h"
#include "optimisation/VNS.h"
#include "support/TestData.h"

#include <QtTest>

#include <cmath>

// End-to-end searches on small orders whose optima come from a brute force over nauty-geng's
// output (tests/data/search_optima.txt). Seeded and bounded by evaluations, so they repeat.
class TestSearchOptima : public QObject
{
    Q_OBJECT

private slots:
    void findsKnownOptimum_data();
    void findsKnownOptimum();
    void keepsBestConstrainedGraph_data();
    void keepsBestConstrainedGraph();

private:
    static double reference(const QString &name, int order);
};

double TestSearchOptima::reference(const QString &name, int order)
{
    for (const QString &line : readDataLines(QStringLiteral("search_optima.txt"))) {
        const QStringList f = line.split(QLatin1Char('\t'));
        if (f.size() == 3 && f[0] == name && f[1].toInt() == order)
            return f[2].toDouble();
    }
    return std::nan("");
}

void TestSearchOptima::findsKnownOptimum_data()
{
    QTest::addColumn<QString>("invariant");
    QTest::addColumn<bool>("minimise");
    QTest::addColumn<bool>("connected");
    QTest::addColumn<QString>("constraint");
    QTest::addColumn<int>("order");
    QTest::addColumn<QString>("reference");
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("threads");

    QTest::newRow("max WIENER connected 7")
        << "WIENER" << false << true << "" << 7 << "max_wiener_connected" << 11u << 1;
    QTest::newRow("min WIENER connected 7")
        << "WIENER" << true << true << "" << 7 << "min_wiener_connected" << 12u << 1;
    QTest::newRow("max SIZE connected 7")
        << "SIZE" << false << true << "" << 7 << "max_size_connected" << 13u << 1;
    QTest::newRow("min RANDIC connected 7")
        << "RANDIC" << true << true << "" << 7 << "min_randic_connected" << 14u << 1;
    QTest::newRow("max SIZE triangle-free 7")
        << "SIZE" << false << false << "TRIANGLES" << 7 << "max_size_trianglefree" << 15u << 1;
    QTest::newRow("max WIENER connected 6, two workers")
        << "WIENER" << false << true << "" << 6 << "max_wiener_connected" << 16u << 2;
    // Three vertices: no quad to rewrite, no edge switch to shake with.
    QTest::newRow("max WIENER connected 3")
        << "WIENER" << false << true << "" << 3 << "max_wiener_connected" << 18u << 1;
    QTest::newRow("min WIENER connected 3")
        << "WIENER" << true << true << "" << 3 << "min_wiener_connected" << 19u << 1;
    QTest::newRow("min RANDIC connected 3")
        << "RANDIC" << true << true << "" << 3 << "min_randic_connected" << 20u << 1;
    QTest::newRow("max SIZE triangle-free 3")
        << "SIZE" << false << false << "TRIANGLES" << 3 << "max_size_trianglefree" << 21u << 1;
    QTest::newRow("max SIZE triangle-free 6, two workers")
        << "SIZE" << false << false << "TRIANGLES" << 6 << "max_size_trianglefree" << 17u << 2;
}

void TestSearchOptima::findsKnownOptimum()
{
    QFETCH(QString, invariant);
    QFETCH(bool, minimise);
    QFETCH(bool, connected);
    QFETCH(QString, constraint);
    QFETCH(int, order);
    QFETCH(QString, reference);
    QFETCH(quint32, seed);
    QFETCH(int, threads);

    const double optimum = TestSearchOptima::reference(reference, order);
    QVERIFY(!std::isnan(optimum));

    SearchFixture f(invariant, minimise, order, connected);
    if (!constraint.isEmpty())
        f.addAtMost(constraint, 0.0);
    OptimalSolutions archive;
    const ProblemSnapshot start = ProblemSnapshot::take(&f.problem, &f.graph);
    QVector<VNS *> workers;
    for (int t = 0; t < threads; ++t) {
        auto *w = new VNS(&f.problem, &f.graph, t, nullptr, &archive);
        w->setSeed(seed);
        w->slot_set_max_evals(20000);
        w->init(order, 0, 0, 0, 0, false, &archive, start);
        workers.append(w);
    }
    for (VNS *w : workers)
        w->start();
    for (VNS *w : workers)
        QVERIFY(w->wait(60000));

    QVERIFY(archive.size() >= 1);
    const Solution *s = archive.lastSolution();
    QVERIFY(!s->getValue()->violated());
    const double found = s->getValue()->z(0).at(0);
    const double expected = minimise ? optimum : -optimum;
    QVERIFY2(std::fabs(found - expected) < 1e-6,
             qPrintable(QStringLiteral("found %1, optimum %2").arg(found).arg(expected)));
    // The archived graph really has that value (evaluated again on a fresh board).
    double again = 0;
    bool violated = true;
    QVERIFY(f.evaluate(s->getGraph(), again, violated));
    QVERIFY(!violated);
    QCOMPARE(again, found);
    for (VNS *w : workers) {
        QVERIFY(w->evaluations() >= 20000);
        QVERIFY(archive.isClosed());
    }
    qDeleteAll(workers);
}

// "TRIANGLES <= -1" holds for no graph; its violation, triangles + 1, is smallest (1) on the
// triangle-free graphs, and the largest of those on n vertices has floor(n^2 / 4) edges
// (Mantel). The job archive then only ever holds violated solutions; it must keep the best of
// them through every pruning, to the end of the job. "TRIANGLES <= 0" alone, without an
// objective, asks for any triangle-free graph, which the search must find and keep.
void TestSearchOptima::keepsBestConstrainedGraph_data()
{
    QTest::addColumn<QString>("objective"); // maximised; empty: no objective at all
    QTest::addColumn<double>("bound");
    QTest::addColumn<int>("order");
    QTest::addColumn<int>("threads");
    QTest::addColumn<int>("edges"); // of the best graph; -1: any
    QTest::newRow("infeasible, constraint only, 7") << "" << -1.0 << 7 << 1 << -1;
    QTest::newRow("infeasible, constraint only, 9, two workers") << "" << -1.0 << 9 << 2 << -1;
    QTest::newRow("infeasible, max SIZE, 7") << "SIZE" << -1.0 << 7 << 1 << 12;
    QTest::newRow("infeasible, max SIZE, 6, two workers") << "SIZE" << -1.0 << 6 << 2 << 9;
    QTest::newRow("feasible, constraint only, 7") << "" << 0.0 << 7 << 1 << -1;
    QTest::newRow("feasible, constraint only, 12, two workers") << "" << 0.0 << 12 << 2 << -1;
}

void TestSearchOptima::keepsBestConstrainedGraph()
{
    QFETCH(QString, objective);
    QFETCH(double, bound);
    QFETCH(int, order);
    QFETCH(int, threads);
    QFETCH(int, edges);

    SearchFixture f(objective, false, order, false);
    f.addAtMost(QStringLiteral("TRIANGLES"), bound);
    QVERIFY(f.graph.loadCurrentGraph(
        QStringLiteral("%1 %2").arg(order).arg(QString(order * (order - 1) / 2, '1'))));
    OptimalSolutions archive;
    const ProblemSnapshot start = ProblemSnapshot::take(&f.problem, &f.graph);
    QVector<VNS *> workers;
    for (int t = 0; t < threads; ++t) {
        auto *w = new VNS(&f.problem, &f.graph, t, nullptr, &archive);
        w->setSeed(21u + t);
        w->slot_set_max_evals(8000);
        w->init(order, 0, 0, 0, 0, false, &archive, start);
        workers.append(w);
    }
    for (VNS *w : workers)
        w->start();
    for (VNS *w : workers)
        QVERIFY(w->wait(60000));
    qDeleteAll(workers);

    QVERIFY(archive.size() >= 1);
    QCOMPARE(archive.lastSolution()->getValue()->violated(), bound < 0);
    for (const QString &g : archive.graphs()) {
        // Triangle-free, counted here from the graph string.
        const int n = g.section(QLatin1Char(' '), 0, 0).toInt();
        const QString bits = g.section(QLatin1Char(' '), 1);
        auto adjacent = [&](int i, int j) {
            if (i < j)
                std::swap(i, j);
            return bits.at(i * (i - 1) / 2 + j) == QLatin1Char('1');
        };
        int triangles = 0;
        for (int a = 0; a < n; ++a)
            for (int b = a + 1; b < n; ++b)
                for (int c = b + 1; c < n; ++c)
                    triangles += adjacent(a, b) && adjacent(a, c) && adjacent(b, c);
        QCOMPARE(triangles, 0);
        if (edges >= 0)
            QCOMPARE(bits.count(QLatin1Char('1')), edges);
    }
}

QTEST_MAIN(TestSearchOptima)
#include "tst_searchoptima.moc"
