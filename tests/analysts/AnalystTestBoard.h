#pragma once

// A headless user graph and board with WIENER, RANDIC, the largest adjacency eigenvalue
// (MAX of EIGENVALUES of ADJACENCY) and the per-vertex DEGREES marked for the analyst, and the
// reference values of every graph on 6 vertices (tests/data/analyst_geng6.txt, from networkx
// and numpy).

#include "graph/Graph.h"
#include "problem/BuildCalculus.h"
#include "problem/Calculus.h"
#include "problem/Problem.h"
#include "support/ScriptedPrompt.h"
#include "support/TestData.h"

#include <QStringList>
#include <QVector>

struct ReferenceGraph {
    QString graphString;
    bool connected = false;
    double wiener = 0; // only for connected graphs
    double randic = 0;
    double lambda1 = 0;
    QVector<double> degrees;
};

inline QVector<ReferenceGraph> readReferenceGraphs()
{
    QVector<ReferenceGraph> graphs;
    for (const QString &line : readDataLines(QStringLiteral("analyst_geng6.txt"))) {
        const QStringList f = line.split(QLatin1Char('\t'));
        if (f.size() != 6)
            return {};
        ReferenceGraph g;
        g.graphString = f[0];
        g.connected = f[1] == QLatin1String("1");
        g.wiener = g.connected ? f[2].toDouble() : 0.0;
        g.randic = f[3].toDouble();
        g.lambda1 = f[4].toDouble();
        for (const QString &d : f[5].split(QLatin1Char(',')))
            g.degrees << d.toDouble();
        graphs << g;
    }
    return graphs;
}

class AnalystTestBoard
{
public:
    AnalystTestBoard() : graph(QStringLiteral("user"), false), problem(&graph, QStringLiteral("user"), false)
    {
        BuildCalculus catalogue;
        for (const char *keyword : {"WIENER", "RANDIC", "DEGREES"}) {
            Calculus *item = catalogue.makeCalculus(QString::fromLatin1(keyword), false);
            problem.addInvariantItem(item);
            item->setInReport(true);
            if (item->name == QLatin1String("DEGREES"))
                item->setNodInReport(true);
        }
        Calculus *adjacency = catalogue.makeCalculus(QStringLiteral("ADJACENCY"), false);
        Calculus *eigenvalues = catalogue.makeCalculus(QStringLiteral("EIGENVALUES"), false);
        Calculus *largest = catalogue.makeCalculus(QStringLiteral("MAX"), false);
        problem.addInvariantItem(adjacency);
        problem.addOperatorItem(eigenvalues);
        problem.addOperatorItem(largest);
        problem.link1(adjacency, eigenvalues);
        problem.link1(eigenvalues, largest);
        largest->setInReport(true);
        problem.setNbNod(6);
        problem.setConnected(true);
        // The user's graph: a path on 6 vertices, so per-vertex columns are 6.
        graph.loadtsy(QStringLiteral("6 101001000100001"), false);
    }

    Graph graph;
    Problem problem;
};

// The value of reference graph g in the column named name; false when the column is unknown or
// the value has no reference (the Wiener index of a disconnected graph).
inline bool referenceValue(const ReferenceGraph &g, const QString &name, int vertex, double &value)
{
    if (name == QLatin1String("WIENER")) {
        value = g.wiener;
        return g.connected;
    }
    if (name == QLatin1String("RANDIC")) {
        value = g.randic;
        return true;
    }
    if (name == QLatin1String("MAX")) {
        value = g.lambda1;
        return true;
    }
    if (name == QLatin1String("DEGREES") && vertex >= 1 && vertex <= g.degrees.size()) {
        value = g.degrees[vertex - 1];
        return true;
    }
    if (name.startsWith(QLatin1String("DEGREES["))) {
        const int k = name.mid(8, name.size() - 9).toInt();
        if (k < 1 || k > g.degrees.size())
            return false;
        value = g.degrees[k - 1];
        return true;
    }
    return false;
}

// The shared test prompt, with a chosen answer to questions.
class AnsweringPrompt : public ScriptedPrompt
{
public:
    bool question(QWidget *parent, const QString &title, const QString &text) override
    {
        ScriptedPrompt::question(parent, title, text);
        return yes;
    }
    bool yes = true;
};
