#pragma once

// Graphs and helpers shared by the invariant tests: graph strings of named graphs, built from
// their edge lists, and one computation of an item read back as plain values.

#include "graph/Graph.h"
#include "problem/Calculus.h"

#include <QPair>
#include <QString>
#include <QVector>

namespace testgraphs
{

using EdgeList = QVector<QPair<int, int>>;

// The graph string: order, a blank, then one character per pair (1,0), (2,0), (2,1), (3,0), ...
inline QString graphString(int n, const EdgeList &edges)
{
    QVector<QVector<bool>> a(n, QVector<bool>(n, false));
    for (const auto &e : edges) {
        a[e.first][e.second] = true;
        a[e.second][e.first] = true;
    }
    QString s = QString::number(n) + QLatin1Char(' ');
    for (int i = 1; i < n; ++i)
        for (int j = 0; j < i; ++j)
            s += a[i][j] ? QLatin1Char('1') : QLatin1Char('0');
    return s;
}

// The complement, by flipping every pair character.
inline QString complementString(const QString &s)
{
    const int blank = s.indexOf(QLatin1Char(' '));
    if (blank < 0)
        return s;
    QString out = s.left(blank + 1);
    for (int k = blank + 1; k < s.size(); ++k)
        out += s[k] == QLatin1Char('1') ? QLatin1Char('0') : QLatin1Char('1');
    return out;
}

inline QString path(int n)
{
    EdgeList e;
    for (int i = 0; i + 1 < n; ++i)
        e.append({i, i + 1});
    return graphString(n, e);
}

inline QString cycle(int n)
{
    EdgeList e;
    for (int i = 0; i < n; ++i)
        e.append({i, (i + 1) % n});
    return graphString(n, e);
}

// The star on n vertices: centre 0 and n - 1 leaves.
inline QString star(int n)
{
    EdgeList e;
    for (int i = 1; i < n; ++i)
        e.append({0, i});
    return graphString(n, e);
}

inline QString complete(int n)
{
    EdgeList e;
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j)
            e.append({i, j});
    return graphString(n, e);
}

inline QString edgeless(int n)
{
    return graphString(n, {});
}

// K(a, b): vertices 0..a-1 on one side, a..a+b-1 on the other.
inline QString completeBipartite(int a, int b)
{
    EdgeList e;
    for (int i = 0; i < a; ++i)
        for (int j = 0; j < b; ++j)
            e.append({i, a + j});
    return graphString(a + b, e);
}

// Outer 5-cycle 0..4, spokes i -- i+5, inner pentagram 5..9.
inline QString petersen()
{
    EdgeList e;
    for (int i = 0; i < 5; ++i) {
        e.append({i, (i + 1) % 5});
        e.append({i, i + 5});
        e.append({5 + i, 5 + (i + 2) % 5});
    }
    return graphString(10, e);
}

// The d-dimensional cube: vertices 0..2^d-1, adjacent when they differ in one bit.
inline QString hypercube(int d)
{
    const int n = 1 << d;
    EdgeList e;
    for (int v = 0; v < n; ++v)
        for (int b = 0; b < d; ++b)
            if (v < (v ^ (1 << b)))
                e.append({v, v ^ (1 << b)});
    return graphString(n, e);
}

// What one computation left: shape, error flag and the rows x cols block, row by row.
struct Outcome {
    int rows = 0;
    int cols = 0;
    bool error = false;
    QVector<double> values;
};

inline Outcome outcomeOf(const Calculus *item)
{
    Outcome o;
    o.rows = item->rows;
    o.cols = item->cols;
    o.error = item->error;
    for (int i = 0; i < o.rows; ++i)
        for (int j = 0; j < o.cols; ++j)
            o.values.append(item->M[i][j]);
    return o;
}

// Loads the graph string into g (current and best graph) and computes the item on it.
inline Outcome computeOn(Calculus *item, Graph *g, const QString &graph, bool complement = false)
{
    g->loadtsy(graph, false);
    item->setGraph(g);
    item->setInvertGraph(complement);
    item->compute(true);
    return outcomeOf(item);
}

} // namespace testgraphs
