#include "invariants/ShortestPathFrame.h"

#include "invariants/InvariantKit.h"

bool ShortestPathFrame::load(Graph *g)
{
    quint32 rows[32];
    const int order = InvariantKit::readRows(g, rows);
    load(rows, order);
    return g != nullptr;
}

void ShortestPathFrame::load(const quint32 *rows, int order)
{
    n = qBound(0, order, 32);
    const quint32 all = InvariantKit::allVertices(n);
    int twice = 0;
    for (int v = 0; v < 32; ++v) {
        adj[v] = v < n ? (rows[v] & all & ~(1u << v)) : 0u;
        twice += InvariantKit::popcount(adj[v]);
    }
    m = twice / 2;
    isConnected = true;
    for (int s = 0; s < n; ++s)
        search(s);
}

void ShortestPathFrame::search(int s)
{
    const quint32 all = InvariantKit::allVertices(n);
    for (int t = 0; t < n; ++t)
        dist[s][t] = Far;
    dist[s][s] = 0;
    quint32 seen = 1u << s;
    levels[s][0] = seen;
    balls[s][0] = seen;
    int k = 0;
    // Each round reaches at least one new vertex, so there are fewer than n rounds.
    for (quint32 frontier = seen; frontier;) {
        quint32 next = 0;
        for (quint32 f = frontier; f; f &= f - 1)
            next |= adj[InvariantKit::lowest(f)];
        next &= all & ~seen;
        if (!next)
            break;
        ++k;
        seen |= next;
        levels[s][k] = next;
        balls[s][k] = seen;
        for (quint32 x = next; x; x &= x - 1)
            dist[s][InvariantKit::lowest(x)] = k;
        frontier = next;
    }
    lastLevel[s] = k;
    if (seen != all)
        isConnected = false;
}

int ShortestPathFrame::degree(int v) const
{
    return InvariantKit::popcount(adj[v]);
}

quint32 ShortestPathFrame::nearer(int i, int j) const
{
    // k is nearer to i when it lies on level d of i but outside the ball of radius d around j.
    quint32 out = 0;
    const int dj = lastLevel[j];
    for (int d = 0; d <= lastLevel[i]; ++d)
        out |= levels[i][d] & ~balls[j][d < dj ? d : dj];
    return out;
}

int ShortestPathFrame::edgesBetween(quint32 a, quint32 b) const
{
    if (InvariantKit::popcount(a) > InvariantKit::popcount(b))
        qSwap(a, b);
    int count = 0;
    for (; a; a &= a - 1)
        count += InvariantKit::popcount(adj[InvariantKit::lowest(a)] & b);
    return count;
}

void ShortestPathFrame::split(int i, int j, double &a, double &b, double &c) const
{
    const quint32 sideI = nearer(i, j);
    const quint32 sideJ = nearer(j, i);
    const quint32 tied = InvariantKit::allVertices(n) & ~sideI & ~sideJ;
    a = InvariantKit::popcount(sideI);
    b = InvariantKit::popcount(sideJ);
    c = 1.0 + edgesBetween(sideI, sideJ) + 0.5 * edgesBetween(tied, sideI | sideJ);
}

bool ShortestPathFrame::assignLeaves(int v, int *count) const
{
    for (int k = 0; k < n; ++k)
        count[k] = 0;
    for (int leaf = 0; leaf < n; ++leaf) {
        if (degree(leaf) != 1)
            continue;
        int chosen = -1;
        int best = Far;
        for (quint32 x = adj[v]; x; x &= x - 1) {
            const int k = InvariantKit::lowest(x);
            if (dist[leaf][k] < best) {
                best = dist[leaf][k];
                chosen = k;
            }
        }
        if (chosen < 0)
            return false;
        ++count[chosen];
    }
    return true;
}

void ShortestPathFrame::edgeBetweenness(QVector<QVector<double>> &out)
{
    clear(out, n);
    for (int s = 0; s < n; ++s) {
        const int last = lastLevel[s];
        // Number of shortest paths from s, level by level (exact in double up to 2^53; at 32
        // vertices there are fewer than 3^10 per pair).
        for (int v = 0; v < n; ++v) {
            paths[v] = 0.0;
            carried[v] = 0.0;
        }
        paths[s] = 1.0;
        for (int k = 1; k <= last; ++k) {
            for (quint32 x = levels[s][k]; x; x &= x - 1) {
                const int v = InvariantKit::lowest(x);
                double p = 0.0;
                for (quint32 u = adj[v] & levels[s][k - 1]; u; u &= u - 1)
                    p += paths[InvariantKit::lowest(u)];
                paths[v] = p;
            }
        }
        // From the farthest level back: the edge vw (v one level nearer to s) carries the share
        // paths[v] / paths[w] of every pair (s, t) whose shortest paths run through w.
        for (int k = last; k >= 1; --k) {
            for (quint32 x = levels[s][k]; x; x &= x - 1) {
                const int w = InvariantKit::lowest(x);
                const double perPath = (1.0 + carried[w]) / paths[w];
                for (quint32 u = adj[w] & levels[s][k - 1]; u; u &= u - 1) {
                    const int v = InvariantKit::lowest(u);
                    const double share = paths[v] * perPath;
                    out[v][w] += share;
                    out[w][v] += share;
                    carried[v] += share;
                }
            }
        }
    }
    // Every unordered pair was met once from each end.
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            out[i][j] *= 0.5;
}

void ShortestPathFrame::rowSumsToFirstColumn(QVector<QVector<double>> &mat, int n)
{
    for (int i = 0; i < n; ++i) {
        double *row = mat[i].data();
        for (int j = 1; j < n; ++j)
            row[0] += row[j];
    }
}

void ShortestPathFrame::clear(QVector<QVector<double>> &mat, int n)
{
    for (int i = 0; i < n; ++i) {
        double *row = mat[i].data();
        for (int j = 0; j < n; ++j)
            row[j] = 0.0;
    }
}
