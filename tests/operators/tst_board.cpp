#include "graph/Graph.h"
#include "problem/Eval.h"
#include "problem/Problem.h"

#include <QtTest>

#include <cmath>
#include <memory>

// End to end through the problem board: a problem text with objectives over "+", "-", "/" of
// invariants, a spectral objective and a "<=" constraint, evaluated on graphs whose order n, size m,
// Wiener index W and energy (sum of the absolute adjacency eigenvalues) are known in closed form.
class TestBoard : public QObject
{
    Q_OBJECT

private slots:
    void evaluate_data();
    void evaluate();
};

using Edges = QVector<QPair<int, int>>;

namespace
{

// One record: keyword, empty name, four flags, position, arguments 1 to 4, then the tail.
QString record(const QString &keyword, const QStringList &args, const QString &tail = QString())
{
    QStringList f{keyword, QString(), "0", "0", "0", "0", "0", "0"};
    for (int k = 0; k < 4; ++k)
        f << (k < args.size() ? args[k] : QStringLiteral("NULL"));
    if (!tail.isEmpty())
        f << tail;
    return f.join(QLatin1Char('\t'));
}

// Evaluation stack:
//   0 ORDER n, 1 SIZE m, 2 WIENER W, 3 "+"(n, m), 4 "/"(W, n + m), 5 "-"(W / (n + m), n),
//   6 "-"(m, n), 7 "/"(W, m - n), 8 ADJACENCY, 9 EIGENVALUES, 10 ABS, 11 SUM.
// Objectives: min W / (n + m) - n; min W / (m - n); max energy. Constraint: m <= n.
QString problemText()
{
    QStringList r;
    r << record("ORDER", {}) << record("SIZE", {}) << record("WIENER", {}) << record("+", {"0", "1"})
      << record("/", {"2", "3"}) << record("-", {"4", "0"}) << record("-", {"1", "0"})
      << record("/", {"2", "6"}) << record("ADJACENCY", {}) << record("EIGENVALUES", {"8"})
      << record("ABS", {"9"}) << record("SUM", {"10"}) << record("<=", {"1", "0"})
      << record("Z", {"5"}, "min") << record("Z", {"7"}, "min") << record("Z", {"11"}, "max");
    return r.join(QStringLiteral("<NEW>")) + QStringLiteral("<NEW>DESC\tboard\t");
}

void setGraph(Graph *g, int n, const Edges &edges)
{
    g->clear();
    for (int i = 0; i < n; ++i)
        g->addNode();
    for (const auto &e : edges)
        g->addEdge(e.first, e.second);
}

} // namespace

void TestBoard::evaluate_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<Edges>("edges");
    QTest::addColumn<double>("wiener");
    QTest::addColumn<double>("energy");

    QTest::newRow("path P4") << 4 << Edges{{0, 1}, {1, 2}, {2, 3}} << 10.0 << 2 * std::sqrt(5.0);
    QTest::newRow("star K1,4") << 5 << Edges{{0, 1}, {0, 2}, {0, 3}, {0, 4}} << 16.0 << 4.0;
    QTest::newRow("complete K4") << 4 << Edges{{0, 1}, {0, 2}, {0, 3}, {1, 2}, {1, 3}, {2, 3}} << 6.0 << 6.0;
    QTest::newRow("cycle C5") << 5 << Edges{{0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 0}} << 15.0
                              << 2 + 2 * std::sqrt(5.0);
    Edges petersen;
    for (int i = 0; i < 5; ++i)
        petersen << qMakePair(i, (i + 1) % 5) << qMakePair(5 + i, 5 + (i + 2) % 5) << qMakePair(i, 5 + i);
    QTest::newRow("Petersen") << 10 << petersen << 75.0 << 16.0;
}

void TestBoard::evaluate()
{
    QFETCH(int, n);
    QFETCH(Edges, edges);
    QFETCH(double, wiener);
    QFETCH(double, energy);

    auto graph = std::make_unique<Graph>(QStringLiteral("board"), false);
    Problem problem(graph.get(), QStringLiteral("board"), false);
    QVERIFY(problem.openString(problemText()));
    problem.setNbNod(n);
    setGraph(graph.get(), n, edges);

    Eval e;
    problem.eval(&e);
    const double m = edges.size();
    const bool divisorZero = m == n; // W / (m - n) cannot be computed

    // Values: error flag, order penalty, connectedness penalty (on by default; every graph here is
    // connected), then the one constraint value max(0, m - n).
    QCOMPARE(e.size(), 4);
    QCOMPARE(e.value(0), divisorZero ? 1.0 : 0.0);
    QCOMPARE(e.value(1), 0.0);
    QCOMPARE(e.value(2), 0.0);
    QCOMPARE(e.value(3), std::max(0.0, m - n));
    QCOMPARE(e.violated(), divisorZero || m > n);

    QCOMPARE(e.sizeZ(), 3);
    QCOMPARE(e.z(0).size(), 1);
    QVERIFY(std::fabs(e.z(0)[0] - (wiener / (n + m) - n)) < 1e-12);
    if (!divisorZero) {
        QCOMPARE(e.z(1).size(), 1);
        QVERIFY(std::fabs(e.z(1)[0] - wiener / (m - n)) < 1e-12);
    }
    // A maximised objective is recorded negated.
    QCOMPARE(e.z(2).size(), 1);
    QVERIFY2(std::fabs(e.z(2)[0] + energy) < 1e-5, qPrintable(QString::number(e.z(2)[0], 'g', 17)));
}

QTEST_MAIN(TestBoard)
#include "tst_board.moc"
