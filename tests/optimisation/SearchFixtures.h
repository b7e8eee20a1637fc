#pragma once

// Small extremal problems for the search tests, built from the real item catalogue.

#include "graph/Graph.h"
#include "problem/BuildCalculus.h"
#include "problem/Calculus.h"
#include "problem/Eval.h"
#include "problem/Problem.h"
#include "problem/invConstant.h"

#include <QString>
#include <QVector>

#include <memory>

// A headless graph and board holding one objective over one invariant (none when the invariant
// is empty), optionally with "invariant <= bound". Construct on the GUI thread.
class SearchFixture
{
public:
    SearchFixture(const QString &invariant, bool minimise, int order, bool connected = true)
        : graph(QStringLiteral("user"), false), problem(&graph, QStringLiteral("problem"), false)
    {
        graph.randomGraph(order);
        problem.setNbNod(order);
        problem.setConnected(connected);
        if (invariant.isEmpty())
            return; // a problem of constraints only
        Calculus *value = catalogue.makeCalculus(invariant, false);
        problem.addInvariantItem(value);
        Calculus *z = catalogue.makeCalculus(QStringLiteral("Z"), false);
        z->setMin(minimise);
        problem.addZItem(z);
        problem.link1(value, z);
    }

    // Adds the constraint "invariant <= bound".
    void addAtMost(const QString &invariant, double bound)
    {
        Calculus *value = catalogue.makeCalculus(invariant, false);
        problem.addInvariantItem(value);
        auto *constant = static_cast<invConstant *>(catalogue.makeConstant(false));
        constant->loadData(1, 1, QVector<double>{bound});
        problem.addOperatorItem(constant);
        Calculus *le = catalogue.makeCalculus(QStringLiteral("<="), false);
        problem.addConstraintItem(le);
        problem.link1(value, le);
        problem.link2(constant, le);
    }

    // Objective value (as minimised) and feasibility of a graph string on this problem.
    bool evaluate(const QString &graphString, double &objective, bool &violated)
    {
        Graph g(QStringLiteral("check"), false);
        if (!g.loadCurrentGraph(graphString))
            return false;
        std::unique_ptr<Problem> p(problem.clone());
        p->setGraph(&g);
        Eval e;
        p->eval(&e);
        if (e.sizeZ() != 1 || e.z(0).size() != 1)
            return false;
        objective = e.z(0).at(0);
        violated = e.violated();
        return true;
    }

    BuildCalculus catalogue;
    Graph graph;
    Problem problem;
};

// Degree of every vertex of g's current graph.
inline QVector<int> degreesOf(Graph &g)
{
    quint32 rows[32];
    const int n = g.adjacencyRows(rows);
    QVector<int> d(n);
    for (int i = 0; i < n; ++i)
        d[i] = __builtin_popcount(rows[i]);
    return d;
}
