#include "problem/StructuralPenalties.h"

#include <cmath>

namespace
{
const int maxNodes = 32;
const double unavailable = 1e12;

inline int popcount(quint32 x)
{
    return __builtin_popcount(x);
}

inline quint32 lowMask(int n)
{
    return n >= 32 ? 0xffffffffu : ((1u << n) - 1u);
}

// The largest degree (0 without vertices) and the number of vertices that have it.
void largestDegree(const quint32 *adj, int n, int &delta, int &count)
{
    delta = 0;
    count = 0;
    for (int i = 0; i < n; ++i) {
        const int d = popcount(adj[i]);
        if (d > delta) {
            delta = d;
            count = 1;
        } else if (d == delta) {
            ++count;
        }
    }
}

// Components minus 1 of the graph whose neighbourhoods are given, counted as the search that
// restarts from the unvisited vertex of highest index whenever its queue runs empty.
double countExtraComponents(const quint32 *nb, int n)
{
    if (n == 0)
        return 0.0;
    if (n == 1)
        return 1.0;
    const quint32 all = lowMask(n);
    quint32 visited = 1u;
    quint32 frontier = 1u;
    int extra = 0;
    for (;;) {
        while (frontier) {
            quint32 next = 0;
            quint32 f = frontier;
            while (f) {
                const int u = __builtin_ctz(f);
                f &= f - 1;
                next |= nb[u];
            }
            next &= ~visited;
            visited |= next;
            frontier = next;
        }
        if (visited == all)
            break;
        const quint32 left = all & ~visited;
        const int highest = 31 - __builtin_clz(left);
        frontier = 1u << highest;
        visited |= frontier;
        ++extra;
    }
    return extra;
}
} // namespace

double StructuralPenalties::chemical(const quint32 *adj, int n)
{
    int delta = 0, count = 0;
    largestDegree(adj, n, delta, count);
    if (delta <= 4)
        return 0.0;
    return double(delta - 4) * n + count;
}

double StructuralPenalties::degmax(const quint32 *adj, int n, int bound, int relation)
{
    int delta = 0, count = 0;
    largestDegree(adj, n, delta, count);
    const int v = bound;
    switch (relation) {
    case LessEqual:
        return delta > v ? double(delta - v) * n + count : 0.0;
    case GreaterEqual:
        return v > delta ? double(v - delta) * n + count : 0.0;
    default:
        if (delta > v)
            return double(delta - v) * n + count;
        if (v > delta)
            return double(v - delta) * n;
        return 0.0;
    }
}

double StructuralPenalties::diameter(const quint32 *adj, int n, int bound, int relation)
{
    // Distances from every vertex; a breadth-first search per source over the row masks.
    quint8 distances[maxNodes][maxNodes];
    int d = 0;
    int queue[maxNodes];
    for (int s = 0; s < n; ++s) {
        quint8 *dist = distances[s];
        dist[s] = 0;
        quint32 visited = 1u << s;
        int head = 0, tail = 0;
        queue[tail++] = s;
        while (head < tail) {
            const int u = queue[head++];
            quint32 fresh = adj[u] & ~visited;
            visited |= fresh;
            while (fresh) {
                const int w = __builtin_ctz(fresh);
                fresh &= fresh - 1;
                dist[w] = quint8(dist[u] + 1);
                d = qMax(d, int(dist[w]));
                queue[tail++] = w;
            }
        }
        if (visited != lowMask(n))
            return unavailable; // disconnected
    }
    const int v = bound;
    if (d == v || (d < v && relation == LessEqual) || (d > v && relation == GreaterEqual))
        return 0.0;
    if (n == 0)
        return std::fabs(double(d - v)); // no pair at all: only the distance to the bound counts
    int k = 0;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            if (distances[i][j] == d)
                ++k;
    return std::fabs(double(k) / (double(n) * n) + d - v);
}

double StructuralPenalties::regular(const quint32 *adj, int n, int degree)
{
    double sum = 0.0;
    for (int i = 0; i < n; ++i)
        sum += std::fabs(double(popcount(adj[i]) - degree));
    return sum;
}

int StructuralPenalties::edges(const quint32 *adj, int n)
{
    int m = 0;
    for (int i = 0; i < n; ++i)
        m += popcount(adj[i]);
    return m / 2;
}

double StructuralPenalties::components(const quint32 *adj, int n)
{
    return countExtraComponents(adj, n);
}

double StructuralPenalties::complementComponents(const quint32 *adj, int n)
{
    quint32 bar[maxNodes];
    const quint32 all = lowMask(n);
    for (int i = 0; i < n; ++i)
        bar[i] = ~adj[i] & all & ~(1u << i);
    return countExtraComponents(bar, n);
}
