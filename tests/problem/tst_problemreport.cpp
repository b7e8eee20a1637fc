#include "graph/Graph.h"
#include "problem/Constraint.h"
#include "problem/Invariant.h"
#include "problem/Problem.h"
#include "problem/invConstant.h"

#include <QtTest>

#include <cmath>

using Values = QVector<double>;

namespace
{
// A vertex vector: entry i is 10 * (i + 1).
class VertexVector : public Invariant
{
public:
    explicit VertexVector(const QString &keyword) { name = keyword; }
    void recompute() override
    {
        const int n = graph->getNbNodes();
        rows = n;
        cols = 1;
        for (int i = 0; i < n; ++i)
            M[i][0] = 10.0 * (i + 1);
    }
};

class Value : public Invariant
{
public:
    explicit Value(double v) : v(v) { name = QStringLiteral("VALUE"); }
    double v;
    bool failing = false;
    void recompute() override
    {
        if (failing) {
            rows = 0;
            cols = 0;
            error = true;
            return;
        }
        rows = 1;
        cols = 1;
        M[0][0] = v;
    }
};

class Penalty : public Constraint
{
public:
    void recompute() override
    {
        rows = 1;
        cols = 1;
        M[0][0] = 0.0;
    }
};

bool same(const Values &a, const Values &b)
{
    if (a.size() != b.size())
        return false;
    for (int i = 0; i < a.size(); ++i) {
        if (std::isnan(a[i]) != std::isnan(b[i]))
            return false;
        if (!std::isnan(a[i]) && a[i] != b[i])
            return false;
    }
    return true;
}

const double NaN = std::nan("");
} // namespace

class TestProblemReport : public QObject
{
    Q_OBJECT

private slots:
    void columns_data();
    void columns();
    void edgeCases_data();
    void edgeCases();
};

void TestProblemReport::columns_data()
{
    QTest::addColumn<QString>("mode");  // report mode of the vector item: none, graph, node, vector
    QTest::addColumn<QString>("given"); // given name of the value item
    QTest::addColumn<QStringList>("graphHeaders");
    QTest::addColumn<Values>("graphRow");
    QTest::addColumn<QStringList>("vertexHeaders");
    QTest::addColumn<Values>("vertex2Row");

    QTest::newRow("vector item as Vector")
        << "vector"
        << "W" << QStringList{"W", "DEGREES[1]", "DEGREES[2]", "DEGREES[3]"} << Values{7, 10, 20, 30}
        << QStringList{"W", "DEGREES[1]", "DEGREES[2]", "DEGREES[3]"} << Values{7, 10, 20, 30};
    QTest::newRow("vector item as Node Value")
        << "node"
        << "W" << QStringList{"W", "DEGREES[1]", "DEGREES[2]", "DEGREES[3]"} << Values{7, 10, 20, 30}
        << QStringList{"W", "DEGREES"} << Values{7, 20};
    QTest::newRow("vector item as Graph Value") << "graph"
                                                << "W" << QStringList{"W", "DEGREES"} << Values{7, 10}
                                                << QStringList{"W", "DEGREES"} << Values{7, 10};
    QTest::newRow("vector item not reported")
        << "none"
        << "" << QStringList{"VALUE"} << Values{7} << QStringList{"VALUE"} << Values{7};
}

void TestProblemReport::columns()
{
    QFETCH(QString, mode);
    QFETCH(QString, given);
    QFETCH(QStringList, graphHeaders);
    QFETCH(Values, graphRow);
    QFETCH(QStringList, vertexHeaders);
    QFETCH(Values, vertex2Row);

    Graph g(QStringLiteral("g"), false);
    QVERIFY(g.loadCurrentGraph(QStringLiteral("3 110")));
    Problem p(&g, QStringLiteral("t"), false);
    auto *value = new Value(7);
    value->setGivenName(given);
    value->setInReport(true);
    p.addInvariantItemLoadMode(value);
    auto *vec = new VertexVector(QStringLiteral("DEGREES"));
    vec->setInReport(mode != QLatin1String("none"));
    vec->setNodInReport(mode == QLatin1String("node"));
    vec->setVecInReport(mode == QLatin1String("vector"));
    p.addInvariantItemLoadMode(vec);
    auto *c = new Penalty;
    c->setInReport(true); // constraints never report
    p.addConstraintItem(c);
    p.compute(true);

    QCOMPARE(p.getReportNames(false), graphHeaders);
    QCOMPARE(p.getReportValues(), graphRow);
    QCOMPARE(p.getReportNames(true), vertexHeaders);
    QCOMPARE(p.getReportValues(2), vertex2Row);
}

void TestProblemReport::edgeCases_data()
{
    QTest::addColumn<QString>("graph");
    QTest::addColumn<QString>("kind"); // value or vector
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("fail");
    QTest::addColumn<QStringList>("graphHeaders");
    QTest::addColumn<Values>("graphRow");
    QTest::addColumn<QStringList>("vertexHeaders");

    QTest::newRow("nothing marked") << "3 110"
                                    << "none"
                                    << "X"
                                    << "graph" << false << QStringList{} << Values{} << QStringList{};
    QTest::newRow("no name and no keyword")
        << "3 110"
        << "value"
        << ""
        << "graph" << false << QStringList{"NA"} << Values{7} << QStringList{"NA"};
    QTest::newRow("value asked per vertex")
        << "3 110"
        << "value"
        << "V"
        << "node" << false << QStringList{"V[1]", "V[2]", "V[3]"} << Values{7, NaN, NaN} << QStringList{"V"};
    QTest::newRow("vector on one vertex")
        << "1"
        << "vector"
        << "D"
        << "vector" << false << QStringList{"D"} << Values{10} << QStringList{"D"};
    QTest::newRow("vector on no vertex") << "0"
                                         << "vector"
                                         << "D"
                                         << "vector" << false << QStringList{} << Values{} << QStringList{};
    QTest::newRow("value in error") << "3 110"
                                    << "value"
                                    << "V"
                                    << "graph" << true << QStringList{"V"} << Values{NaN} << QStringList{"V"};
}

void TestProblemReport::edgeCases()
{
    QFETCH(QString, graph);
    QFETCH(QString, kind);
    QFETCH(QString, keyword);
    QFETCH(QString, mode);
    QFETCH(bool, fail);
    QFETCH(QStringList, graphHeaders);
    QFETCH(Values, graphRow);
    QFETCH(QStringList, vertexHeaders);

    Graph g(QStringLiteral("g"), false);
    QVERIFY(g.loadCurrentGraph(graph));
    Problem p(&g, QStringLiteral("t"), false);
    if (kind != QLatin1String("none")) {
        Calculus *item = nullptr;
        if (kind == QLatin1String("value")) {
            auto *v = new Value(7);
            v->failing = fail;
            item = v;
        } else {
            item = new VertexVector(QStringLiteral("D"));
        }
        item->name = keyword;
        item->setInReport(true);
        item->setNodInReport(mode == QLatin1String("node"));
        item->setVecInReport(mode == QLatin1String("vector"));
        p.addInvariantItemLoadMode(item);
    }
    p.compute(true);
    QCOMPARE(p.getReportNames(false), graphHeaders);
    QVERIFY2(same(p.getReportValues(), graphRow), "graph row");
    QCOMPARE(p.getReportNames(true), vertexHeaders);
    for (int v = 1; v <= g.getNbNodes(); ++v)
        QCOMPARE(p.getReportValues(v).size(), vertexHeaders.size());
}

QTEST_MAIN(TestProblemReport)
#include "tst_problemreport.moc"
