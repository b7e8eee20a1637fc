#pragma once

#include <QVector>
#include <QtGlobal>

class Graph;

// The breadth-first frame of the shortest-path invariants: one read of the graph as row masks,
// one search from every vertex, and what the betweenness, cut and leaf invariants ask of it.
//
// Each search keeps its levels as bit masks (level k of s: the vertices at distance k from s) and
// the balls (the vertices at distance at most k), so "which vertices are nearer to i than to j"
// and "how many edges join two vertex sets" are a few mask operations. All storage is a fixed
// part of the object, sized for 32 vertices: a computation allocates nothing.
class ShortestPathFrame
{
public:
    // Distance of a pair that no search connects: beyond every distance of 32 vertices.
    static constexpr int Far = 64;

    // Reads the graph and searches from every vertex. False without a graph (the frame is then
    // the empty graph).
    bool load(Graph *g);
    // The same on row masks already read (bit j of rows[i] set when i and j are adjacent).
    void load(const quint32 *rows, int n);

    int order() const { return n; }
    bool connected() const { return isConnected; }
    const quint32 *rows() const { return adj; }
    int edges() const { return m; }
    int degree(int v) const;
    // d(s, t), or Far when t is not reachable from s.
    int distance(int s, int t) const { return dist[s][t]; }
    // The largest distance reached from s (0 for an isolated vertex).
    int depth(int s) const { return lastLevel[s]; }
    // The vertices at distance k from s (0 <= k <= depth(s)).
    quint32 level(int s, int k) const { return levels[s][k]; }

    // The vertices strictly nearer to i than to j (i itself included, j excluded).
    quint32 nearer(int i, int j) const;
    // Number of edges with one end in a and the other in b (a and b disjoint).
    int edgesBetween(quint32 a, quint32 b) const;
    // The two sides of the pair (i, j) and how well they are joined: a and b are the numbers of
    // vertices strictly nearer to i and to j; c is 1 plus the edges between the two sides plus
    // half the edges between a tied vertex and either side.
    void split(int i, int j, double &a, double &b, double &c) const;

    // Rooted at v, every leaf of the graph (a vertex of degree 1, v included) goes to the
    // neighbour of v nearest to it, the lowest index among equals: count[k] := the number of
    // leaves that neighbour k takes (0 for the other vertices). False when a leaf can go to no
    // neighbour (v has none, or the leaf lies in another component).
    bool assignLeaves(int v, int *count) const;

    // Edge betweenness: out[x][y] := the sum over unordered vertex pairs {s, t} of the share of
    // the shortest s-t paths that use the edge xy (0 off the edges), in the leading n x n block.
    // Shortest paths are counted level by level (never listed), so no graph overflows a table.
    void edgeBetweenness(QVector<QVector<double>> &out);

    // Entry [i][0] := the sum of row i of the leading n x n block, for every row i.
    static void rowSumsToFirstColumn(QVector<QVector<double>> &mat, int n);
    // The leading n x n block := 0.
    static void clear(QVector<QVector<double>> &mat, int n);

private:
    void search(int s);

    int n = 0;
    int m = 0;
    bool isConnected = true;
    quint32 adj[32] = {};
    int dist[32][32] = {};
    int lastLevel[32] = {};
    quint32 levels[32][33] = {};
    quint32 balls[32][33] = {};
    // Work of one source or target.
    double paths[32] = {};
    double carried[32] = {};
};
