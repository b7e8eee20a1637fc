#pragma once

#include <QString>
#include <QVector>
#include <QtAlgorithms>
#include <QtGlobal>

class Calculus;
class Graph;

// What the graph invariant items have in common: their catalogue fields, one read of the graph
// as row bit masks, and breadth-first searches on those masks.
//
// Every invariant reads its graph once per computation through Graph::adjacencyRows(), which
// copies the adjacency under one lock (bit j of rows[i] is set when i and j are adjacent; the
// diagonal and everything at or beyond the order are clear). All further work is done on the
// copy, so a computation neither takes a lock per pair nor allocates.
class InvariantKit
{
public:
    // Sets the keyword, the display flag, both descriptions and both size labels. The caller
    // then sets up its board display (Calculus::initDisplay), which needs the keyword.
    static void describe(Calculus *item, bool withDisplay, const QString &keyword, const QString &latex,
                         const QString &text, const QString &sRows, const QString &sCols);
    // Same, with one description for both fields.
    static void describe(Calculus *item, bool withDisplay, const QString &keyword, const QString &doc,
                         const QString &sRows, const QString &sCols)
    {
        describe(item, withDisplay, keyword, doc, doc, sRows, sCols);
    }

    // The item's graph as 32 row masks; returns the order. Null graph: order 0, rows cleared.
    static int readRows(Graph *g, quint32 *rows);

    // Distance of a pair that no search connects: most distance invariants use 1e12; the
    // diameter and the sums of leaf distances use 64, beyond any distance of 32 vertices.
    static constexpr double Unreached = 1e12;
    static constexpr double UnreachedShort = 64.0;

    // The order alone, for the items that need nothing else of the graph; 0 without a graph.
    static int order(Graph *g);

    // The vertices 0..n-1 as a mask (n from 0 to 32).
    static quint32 allVertices(int n) { return n >= 32 ? 0xFFFFFFFFu : ((1u << n) - 1u); }
    // The vertices 0..i as a mask (i from 0 to 31), to keep the pairs i < j of a row.
    static quint32 upTo(int i) { return i >= 31 ? 0xFFFFFFFFu : ((2u << i) - 1u); }
    static int popcount(quint32 x) { return int(qPopulationCount(x)); }
    static int degree(const quint32 *rows, int v) { return popcount(rows[v]); }
    // Index of the lowest set bit of a non-zero mask.
    static int lowest(quint32 x) { return int(qCountTrailingZeroBits(x)); }

    // Breadth-first search from s: row[t] := d(s, t) for every t below n that s reaches,
    // row[t] := unreached for the others. Returns the mask of the reached vertices.
    static quint32 distancesFrom(const quint32 *rows, int n, int s, double *row, double unreached);
    // The distance matrix in the leading n x n block of m (one search per vertex), unreached
    // pairs set to the given value. Returns true when the graph is connected (order 0 counts as
    // connected).
    static bool allDistances(const quint32 *rows, int n, QVector<QVector<double>> &m, double unreached);
    // Replaces entry [i][0] of the distance matrix in m by the largest distance of row i (the
    // eccentricity of vertex i; unreached pairs count with their stored value).
    static void eccentricitiesToFirstColumn(QVector<QVector<double>> &m, int n);
};
