#include "invariants/ExactSearch.h"

#include "invariants/InvariantKit.h"

#include <cstring>

namespace
{

using K = InvariantKit;

quint32 bit(int v)
{
    return 1u << v;
}

// Decides whether the colouring in `colour` (0 = uncoloured, else 1..k) extends to every vertex
// with at most k colours, and completes it when it does. The branching vertex is the most
// saturated one (most distinct colours among its coloured neighbours), ties broken by the most
// uncoloured neighbours; its candidates are the colours in use that it may take and one fresh
// label, since unused labels are interchangeable. A vertex with fewer constraints than colours
// (distinct neighbour colours plus uncoloured neighbours) can always be coloured last, so such
// vertices are peeled off before branching and coloured greedily once the rest succeeded.
class ColourSearch
{
public:
    ColourSearch(const quint32 *rows, int n, int k) : adj(rows), vertices(n), colours(k)
    {
        full = k >= 32 ? 0xFFFFFFFFu : (bit(k) - 1u);
        std::memset(colour, 0, sizeof colour);
    }

    // Completes `colour` from its present entries; false (uncoloured entries back at 0) when
    // impossible.
    bool complete()
    {
        quint32 forbid[32];
        quint32 used = 0;
        quint32 open = 0;
        for (int v = 0; v < vertices; ++v) {
            forbid[v] = 0;
            if (colour[v])
                used |= bit(colour[v] - 1);
            else
                open |= bit(v);
        }
        for (int v = 0; v < vertices; ++v) {
            if (colour[v])
                continue;
            for (quint32 u = adj[v]; u; u &= u - 1)
                if (const int c = colour[K::lowest(u)])
                    forbid[v] |= bit(c - 1);
            if (forbid[v] == full)
                return false;
        }
        return extend(open, forbid, used);
    }

    int colour[32];

private:
    bool extend(quint32 open, const quint32 *forbid, quint32 used)
    {
        // Peel the vertices that can always be coloured last (repeat: peeling frees others).
        int peeled[32];
        int nPeeled = 0;
        quint32 hard = open;
        for (bool again = true; again;) {
            again = false;
            for (quint32 u = hard; u; u &= u - 1) {
                const int v = K::lowest(u);
                if (K::popcount(forbid[v]) + K::popcount(adj[v] & hard) < colours) {
                    hard &= ~bit(v);
                    peeled[nPeeled++] = v;
                    again = true;
                }
            }
        }
        if (!branch(hard, forbid, used))
            return false;
        // The last peeled vertex saw the fewest others still open, so it goes first.
        for (int i = nPeeled - 1; i >= 0; --i) {
            const int v = peeled[i];
            quint32 taken = 0;
            for (quint32 u = adj[v]; u; u &= u - 1)
                if (const int c = colour[K::lowest(u)])
                    taken |= bit(c - 1);
            colour[v] = K::lowest(~taken) + 1;
        }
        return true;
    }

    bool branch(quint32 open, const quint32 *forbid, quint32 used)
    {
        if (!open)
            return true;
        int v = -1;
        int bestSat = -1;
        int bestDeg = -1;
        for (quint32 u = open; u; u &= u - 1) {
            const int w = K::lowest(u);
            const int sat = K::popcount(forbid[w]);
            const int deg = K::popcount(adj[w] & open);
            if (sat > bestSat || (sat == bestSat && deg > bestDeg)) {
                v = w;
                bestSat = sat;
                bestDeg = deg;
            }
        }
        quint32 candidates = used & ~forbid[v];
        if (K::popcount(used) < colours)
            candidates |= bit(K::lowest(~used & full));
        const quint32 rest = open & ~bit(v);
        quint32 next[32];
        for (; candidates; candidates &= candidates - 1) {
            const int c = K::lowest(candidates);
            const quint32 cb = bit(c);
            std::memcpy(next, forbid, sizeof(quint32) * vertices);
            bool ok = true;
            for (quint32 u = adj[v] & rest; u; u &= u - 1) {
                const int w = K::lowest(u);
                next[w] |= cb;
                if (next[w] == full) {
                    ok = false;
                    break;
                }
            }
            if (!ok)
                continue;
            colour[v] = c + 1;
            if (extend(rest, next, used | cb))
                return true;
        }
        colour[v] = 0;
        return false;
    }

    const quint32 *adj;
    int vertices;
    int colours;
    quint32 full;
};

// Colours in saturation order, each vertex the smallest colour its neighbours leave: an upper
// bound for the chromatic number.
int greedyColours(const quint32 *rows, int n)
{
    quint32 forbid[32] = {};
    quint32 open = K::allVertices(n);
    int most = 0;
    while (open) {
        int v = -1;
        int bestSat = -1;
        int bestDeg = -1;
        for (quint32 u = open; u; u &= u - 1) {
            const int w = K::lowest(u);
            const int sat = K::popcount(forbid[w]);
            const int deg = K::popcount(rows[w] & open);
            if (sat > bestSat || (sat == bestSat && deg > bestDeg)) {
                v = w;
                bestSat = sat;
                bestDeg = deg;
            }
        }
        const int c = K::lowest(~forbid[v]);
        if (c + 1 > most)
            most = c + 1;
        open &= ~bit(v);
        for (quint32 u = rows[v]; u; u &= u - 1)
            forbid[K::lowest(u)] |= bit(c);
    }
    return most;
}

// Largest clique: branch on the candidates in reverse order of a greedy colouring of them, which
// bounds the clique that each branch can still reach.
class CliqueSearch
{
public:
    explicit CliqueSearch(const quint32 *rows) : adj(rows) {}

    void expand(int size, quint32 candidates)
    {
        int vertex[32];
        int bound[32];
        int count = 0;
        int c = 0;
        for (quint32 uncoloured = candidates; uncoloured;) {
            ++c;
            for (quint32 q = uncoloured; q;) {
                const int v = K::lowest(q);
                q &= ~adj[v] & ~bit(v);
                uncoloured &= ~bit(v);
                vertex[count] = v;
                bound[count] = c;
                ++count;
            }
        }
        for (int i = count - 1; i >= 0; --i) {
            if (size + bound[i] <= best)
                return;
            const int v = vertex[i];
            const quint32 next = candidates & adj[v];
            if (next)
                expand(size + 1, next);
            else if (size + 1 > best)
                best = size + 1;
            candidates &= ~bit(v);
        }
    }

    int best = 0;

private:
    const quint32 *adj;
};

// Smallest dominating set: choose a dominator for the undominated vertex with the fewest
// candidates, each candidate in turn, and leave it out of the later branches (every set holding it
// was met in its own branch). A branch ends when the chosen count plus a lower bound cannot beat
// the best set: the undominated vertices divided by the largest new cover of one candidate, or a
// set of undominated vertices whose candidate dominators are pairwise disjoint.
class DominationSearch
{
public:
    DominationSearch(const quint32 *rows, int n) : vertices(n)
    {
        all = K::allVertices(n);
        for (int v = 0; v < n; ++v)
            closed[v] = rows[v] | bit(v);
    }

    int greedy() const
    {
        quint32 dominated = 0;
        int count = 0;
        while (dominated != all) {
            int bestW = 0;
            int bestCover = -1;
            for (int w = 0; w < vertices; ++w) {
                const int cover = K::popcount(closed[w] & ~dominated);
                if (cover > bestCover) {
                    bestCover = cover;
                    bestW = w;
                }
            }
            dominated |= closed[bestW];
            ++count;
        }
        return count;
    }

    void search(int count, quint32 dominated, quint32 allowed)
    {
        if (dominated == all) {
            if (count < best)
                best = count;
            return;
        }
        if (count + 1 >= best)
            return;
        const quint32 open = all & ~dominated;
        int widest = 0;
        for (quint32 a = allowed; a; a &= a - 1) {
            const int cover = K::popcount(closed[K::lowest(a)] & open);
            if (cover > widest)
                widest = cover;
        }
        if (widest == 0)
            return;
        const int need = K::popcount(open);
        int bound = (need + widest - 1) / widest;
        int target = -1;
        int fewest = 33;
        quint32 packed = 0;
        int packing = 0;
        for (quint32 o = open; o; o &= o - 1) {
            const int u = K::lowest(o);
            const quint32 dominators = closed[u] & allowed;
            const int d = K::popcount(dominators);
            if (d == 0)
                return;
            if (d < fewest) {
                fewest = d;
                target = u;
            }
            if (!(dominators & packed)) {
                packed |= dominators;
                ++packing;
            }
        }
        if (packing > bound)
            bound = packing;
        if (count + bound >= best)
            return;
        // The widest covers first: good sets early make the bound bite.
        int cand[32];
        int cover[32];
        int m = 0;
        for (quint32 d = closed[target] & allowed; d; d &= d - 1) {
            const int w = K::lowest(d);
            const int c = K::popcount(closed[w] & open);
            int i = m++;
            for (; i > 0 && cover[i - 1] < c; --i) {
                cand[i] = cand[i - 1];
                cover[i] = cover[i - 1];
            }
            cand[i] = w;
            cover[i] = c;
        }
        for (int i = 0; i < m; ++i) {
            search(count + 1, dominated | closed[cand[i]], allowed);
            allowed &= ~bit(cand[i]);
            if (count + 1 >= best)
                return;
        }
    }

    int best = 0;
    quint32 all = 0;

private:
    quint32 closed[32];
    int vertices;
};

bool connected(const quint32 *rows, int n)
{
    if (n <= 1)
        return true;
    const quint32 all = K::allVertices(n);
    quint32 seen = 1u;
    quint32 frontier = 1u;
    while (frontier) {
        quint32 next = 0;
        for (quint32 f = frontier; f; f &= f - 1)
            next |= rows[K::lowest(f)];
        frontier = next & all & ~seen;
        seen |= frontier;
    }
    return seen == all;
}

} // namespace

int ExactSearch::chromaticNumber(const quint32 *rows, int n)
{
    if (n <= 0)
        return 0;
    const int lower = cliqueNumber(rows, n);
    const int upper = greedyColours(rows, n);
    // Colourable with k colours implies colourable with k + 1, so the first k that fails going
    // down settles it.
    for (int k = upper - 1; k >= lower; --k) {
        ColourSearch s(rows, n, k);
        if (!s.complete())
            return k + 1;
    }
    return lower;
}

void ExactSearch::removalOrder(const quint32 *rows, int n, int *order)
{
    quint32 left[32];
    for (int v = 0; v < n; ++v)
        left[v] = rows[v];
    quint32 removed = 0;
    int count = 0;
    // Every scan either removes a vertex or raises the threshold, which never passes n - 1.
    for (int threshold = 1; count < n;) {
        bool any = false;
        for (int v = 0; v < n; ++v) {
            if ((removed & bit(v)) || K::popcount(left[v]) > threshold)
                continue;
            for (quint32 u = left[v]; u; u &= u - 1)
                left[K::lowest(u)] &= ~bit(v);
            left[v] = 0;
            removed |= bit(v);
            order[n - 1 - count] = v;
            ++count;
            any = true;
        }
        if (!any)
            ++threshold;
    }
}

bool ExactSearch::firstColouring(const quint32 *rows, int n, const int *order, int k, int *colour)
{
    if (n <= 0)
        return true;
    if (k <= 0)
        return false;
    ColourSearch s(rows, n, k);
    if (!s.complete())
        return false;
    // A complete k-colouring that agrees with every vertex fixed so far.
    int witness[32];
    std::memcpy(witness, s.colour, sizeof(int) * n);
    int fixed[32] = {};
    int most = 0;
    for (int pos = 0; pos < n; ++pos) {
        const int v = order[pos];
        quint32 taken = 0;
        for (quint32 u = rows[v]; u; u &= u - 1)
            if (const int c = fixed[K::lowest(u)])
                taken |= bit(c - 1);
        const int limit = most + 1 < k ? most + 1 : k;
        int chosen = 0;
        for (int c = 1; c <= limit && !chosen; ++c) {
            if (taken & bit(c - 1))
                continue;
            if (witness[v] == c || (c == most + 1 && witness[v] > most)) {
                // Labels above `most` are not used by fixed vertices: swap them in the witness.
                const int other = witness[v];
                if (other != c)
                    for (int w = 0; w < n; ++w) {
                        if (witness[w] == other)
                            witness[w] = c;
                        else if (witness[w] == c)
                            witness[w] = other;
                    }
                chosen = c;
                break;
            }
            std::memcpy(s.colour, fixed, sizeof(int) * n);
            s.colour[v] = c;
            if (s.complete()) {
                std::memcpy(witness, s.colour, sizeof(int) * n);
                chosen = c;
            }
        }
        // The witness always offers its own colour for v, so some colour was chosen.
        fixed[v] = chosen;
        if (chosen > most)
            most = chosen;
    }
    std::memcpy(colour, fixed, sizeof(int) * n);
    return true;
}

int ExactSearch::cliqueNumber(const quint32 *rows, int n)
{
    if (n <= 0)
        return 0;
    CliqueSearch s(rows);
    s.expand(0, K::allVertices(n));
    return s.best;
}

int ExactSearch::stabilityNumber(const quint32 *rows, int n)
{
    quint32 complement[32];
    const quint32 all = K::allVertices(n);
    for (int v = 0; v < n; ++v)
        complement[v] = all & ~rows[v] & ~bit(v);
    return cliqueNumber(complement, n);
}

int ExactSearch::dominationNumber(const quint32 *rows, int n)
{
    if (n <= 0)
        return 0;
    DominationSearch s(rows, n);
    s.best = s.greedy();
    s.search(0, 0, s.all);
    return s.best;
}

int ExactSearch::disjointPaths(const quint32 *rows, int n, int s, int t, int cap)
{
    // Each vertex v is split into an entry v and an exit 32 + v joined by an arc of capacity 1;
    // an edge {u, v} gives the arcs exit u -> entry v and exit v -> entry u. Unit capacities on
    // those arcs change nothing, as no exit but the source's passes more than one unit.
    quint64 residual[64];
    for (int v = 0; v < n; ++v) {
        residual[v] = quint64(1) << (32 + v);
        residual[32 + v] = rows[v];
    }
    const int source = 32 + s;
    const int sink = t;
    int flow = 0;
    // Every common neighbour c is a path s, c, t of its own; they start the flow.
    for (quint32 common = rows[s] & rows[t]; common && flow < cap; common &= common - 1) {
        const int c = K::lowest(common);
        residual[source] &= ~(quint64(1) << c);
        residual[c] = quint64(1) << source;
        residual[32 + c] = (residual[32 + c] & ~(quint64(1) << sink)) | (quint64(1) << c);
        residual[sink] |= quint64(1) << (32 + c);
        ++flow;
    }
    int parent[64];
    int queue[64];
    while (flow < cap) {
        quint64 seen = quint64(1) << source;
        int head = 0;
        int tail = 0;
        queue[tail++] = source;
        bool reached = false;
        // Each node enters the queue once, so a search takes at most 64 steps.
        while (head < tail && !reached) {
            const int x = queue[head++];
            for (quint64 next = residual[x] & ~seen; next; next &= next - 1) {
                const int y = int(qCountTrailingZeroBits(next));
                seen |= quint64(1) << y;
                parent[y] = x;
                if (y == sink) {
                    reached = true;
                    break;
                }
                queue[tail++] = y;
            }
        }
        if (!reached)
            break;
        for (int y = sink; y != source;) {
            const int x = parent[y];
            residual[x] &= ~(quint64(1) << y);
            residual[y] |= quint64(1) << x;
            y = x;
        }
        ++flow;
    }
    return flow;
}

int ExactSearch::vertexConnectivity(const quint32 *rows, int n)
{
    if (n <= 1 || !connected(rows, n))
        return 0;
    // Removing the neighbours of a vertex of least degree isolates it (complete graphs: n - 1).
    int best = n - 1;
    for (int v = 0; v < n; ++v)
        if (K::degree(rows, v) < best)
            best = K::degree(rows, v);
    // A smallest separator S misses one of the vertices 0..|S|; the first such vertex i is
    // separated from some later vertex j, so only those pairs need their local connectivity.
    for (int i = 0; i <= best && i < n; ++i)
        for (int j = i + 1; j < n; ++j)
            if (!(rows[i] & bit(j))) {
                const int k = disjointPaths(rows, n, i, j, best);
                if (k < best)
                    best = k;
            }
    return best;
}
