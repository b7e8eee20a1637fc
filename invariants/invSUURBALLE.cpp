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
    if (!loadFrame())
        return;
    const int n = frame.order();
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

    // Dijkstra with a bucket per reduced distance. A residual path passes each of the 2n nodes
    // once and pays at most 1 per node, so no reduced distance exceeds 2n (the reduced
    // distance of x is its real cost minus d(s, x)).
    constexpr int Buckets = 2 * 32 + 3;
    constexpr int Unset = 1 << 30;
    quint32 pendingIn[Buckets] = {};
    quint32 pendingOut[Buckets] = {};
    int bestIn[32], bestOut[32];
    for (int v = 0; v < n; ++v) {
        bestIn[v] = Unset;
        bestOut[v] = Unset;
    }
    quint32 doneIn = 0, doneOut = 0;
    const auto reach = [&](bool out, int y, int cost) {
        int &b = out ? bestOut[y] : bestIn[y];
        if (cost < b && cost < Buckets) {
            b = cost;
            (out ? pendingOut : pendingIn)[cost] |= 1u << y;
        }
    };
    reach(true, s, 0);
    for (int d = 0; d < Buckets && !(doneIn & (1u << t)); ++d) {
        // A bucket refills only through arcs of reduced cost 0, at most once per node.
        while ((pendingIn[d] | pendingOut[d]) && !(doneIn & (1u << t))) {
            if (pendingOut[d]) {
                const int v = InvariantKit::lowest(pendingOut[d]);
                pendingOut[d] &= pendingOut[d] - 1;
                if ((doneOut & (1u << v)) || bestOut[v] != d)
                    continue;
                doneOut |= 1u << v;
                const int dv = frame.distance(s, v);
                for (quint32 w = adj[v] & ~flowOut[v]; w; w &= w - 1) {
                    const int x = InvariantKit::lowest(w);
                    reach(false, x, d + 1 + dv - frame.distance(s, x));
                }
                if (through & (1u << v))
                    reach(false, v, d); // back through the vertex arc
            } else {
                const int v = InvariantKit::lowest(pendingIn[d]);
                pendingIn[d] &= pendingIn[d] - 1;
                if ((doneIn & (1u << v)) || bestIn[v] != d)
                    continue;
                doneIn |= 1u << v;
                if (v == t)
                    break;
                const int dv = frame.distance(s, v);
                if (v != s && !(through & (1u << v)))
                    reach(true, v, d);
                for (quint32 u = flowIn[v]; u; u &= u - 1) {
                    const int x = InvariantKit::lowest(u);
                    reach(true, x, d - 1 + dv - frame.distance(s, x)); // undo a unit of the first path
                }
            }
        }
    }
    if (!(doneIn & (1u << t)))
        return 0;
    // Real cost of the second unit: reduced cost plus d(s, t); the first unit cost d(s, t).
    return bestIn[t] + 2 * frame.distance(s, t);
}
