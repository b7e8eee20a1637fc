#include "invariants/invSUURBALLE.h"

#include "invariants/InvariantKit.h"

invSUURBALLE::invSUURBALLE(bool withDisplay)
{
    InvariantKit::describe(
        this, withDisplay, QStringLiteral("SUURBALLE"),
        QStringLiteral(
            R"(Suurballe index, $\sum_{v,w \in V} c(v,w)$, where $c(v,w)$ is the size of the shortest cycle involving vertices $v$ and $w$.)"),
        QStringLiteral("1"), QStringLiteral("1"));
    initDisplay(true);
}

invSUURBALLE::~invSUURBALLE() = default;

void invSUURBALLE::recompute()
{
    if (!graph) {
        setFailed();
        return;
    }
    frame.load(graph);
    const int n = frame.order();
    error = false;
    double sum = 0.0;
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < i; ++j) {
            const int c = frame.distance(i, j) < ShortestPathFrame::Far ? shortestCycle(j, i) : 0;
            M[i][j] = c;
            M[j][i] = c;
            sum += c;
        }
    }
    M[0][0] = sum;
    if (!frame.connected()) {
        setFailed();
        return;
    }
    rows = 1;
    cols = 1;
}

int invSUURBALLE::shortestCycle(int s, int t) const
{
    // A cycle through s and t is a pair of s-t paths without a common inner vertex. The cheapest
    // pair is a minimum-cost flow of two units from s to t in which every other vertex passes
    // one unit: vertex v is split into v_in (node 2v) and v_out (node 2v + 1), joined by an arc
    // of capacity 1 and cost 0, and every edge uv gives the arcs u_out -> v_in and v_out -> u_in
    // of capacity 1 and cost 1. The first unit takes a breadth-first path; the second a
    // cheapest path of the residual graph, found by Dijkstra on costs reduced by the distances
    // from s (every reduced cost is 0, 1 or 2).
    const quint32 *adj = frame.rows();
    const int n = frame.order();
    quint32 flowOut[32] = {}; // flowOut[u]: the w whose arc u_out -> w_in carries a unit
    quint32 flowIn[32] = {};  // the transpose
    quint32 through = 0;      // inner vertices of the first path
    for (int v = t; v != s;) {
        const int u = InvariantKit::lowest(adj[v] & frame.level(s, frame.distance(s, v) - 1));
        flowOut[u] |= 1u << v;
        flowIn[v] |= 1u << u;
        if (u != s)
            through |= 1u << u;
        v = u;
    }

    constexpr int Unset = 1 << 30;
    int best[64];
    bool done[64];
    for (int x = 0; x < 2 * n; ++x) {
        best[x] = Unset;
        done[x] = false;
    }
    const int source = 2 * s + 1;
    const int sink = 2 * t;
    best[source] = 0;
    // Each round settles one node, so there are at most 2n rounds.
    for (int round = 0; round < 2 * n; ++round) {
        int x = -1;
        for (int y = 0; y < 2 * n; ++y)
            if (!done[y] && best[y] < Unset && (x < 0 || best[y] < best[x]))
                x = y;
        if (x < 0 || x == sink)
            break;
        done[x] = true;
        const int v = x / 2;
        const auto relax = [&](int y, int cost) {
            const int reduced = cost + frame.distance(s, v) - frame.distance(s, y / 2);
            if (best[x] + reduced < best[y])
                best[y] = best[x] + reduced;
        };
        if (x & 1) {
            for (quint32 w = adj[v] & ~flowOut[v]; w; w &= w - 1)
                relax(2 * InvariantKit::lowest(w), 1);
            if (through & (1u << v))
                relax(2 * v, 0); // back through the vertex arc
        } else {
            if (v != s && v != t && !(through & (1u << v)))
                relax(2 * v + 1, 0);
            for (quint32 u = flowIn[v]; u; u &= u - 1)
                relax(2 * InvariantKit::lowest(u) + 1, -1); // undo a unit of the first path
        }
    }
    if (best[sink] >= Unset)
        return 0;
    // Real cost of the second unit: reduced cost plus d(s, t); the first unit cost d(s, t).
    return best[sink] + 2 * frame.distance(s, t);
}
