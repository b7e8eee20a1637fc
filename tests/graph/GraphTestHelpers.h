#pragma once

#include "graph/Graph.h"

#include <QString>
#include <QStringList>

// Shared by the graph tests: edge sets written as "i-j,i-j" with i < j, pairs in row order.

// The edges of the current graph, read through edge().
inline QString edgeList(Graph &g)
{
    QStringList out;
    const int n = g.getNbNodes();
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j)
            if (g.edge(i, j))
                out << QStringLiteral("%1-%2").arg(i).arg(j);
    return out.join(QLatin1Char(','));
}

// The edges of the best graph, read through bestEdge().
inline QString bestEdgeList(Graph &g)
{
    QStringList out;
    for (int i = 0; i < Graph::MaxNodes; ++i)
        for (int j = i + 1; j < Graph::MaxNodes; ++j)
            if (g.bestEdge(i, j))
                out << QStringLiteral("%1-%2").arg(i).arg(j);
    return out.join(QLatin1Char(','));
}

// Makes the current graph n vertices with the listed edges, through the model operations.
inline void buildGraph(Graph &g, int n, const QString &edges)
{
    g.clear();
    for (int k = 0; k < n; ++k)
        g.addNode();
    const QStringList pairs = edges.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString &p : pairs) {
        const QStringList ends = p.split(QLatin1Char('-'));
        g.addEdge(ends.at(0).toInt(), ends.at(1).toInt());
    }
}

// Everything a refused read must leave as it was.
struct GraphState {
    QString current;
    QString best;
    qint64 stamp;
    int order;
    bool operator==(const GraphState &o) const
    {
        return current == o.current && best == o.best && stamp == o.stamp && order == o.order;
    }
};

inline GraphState stateOf(Graph &g)
{
    return GraphState{g.currentGraphData(), g.graphData(), g.getID(), g.getNbNodes()};
}
