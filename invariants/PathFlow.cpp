#include "invariants/PathFlow.h"

#include "invariants/InvariantKit.h"

bool PathFlow::compute(Graph *g, Weight weight, QVector<QVector<double>> &out)
{
    frame.load(g);
    const int n = frame.order();
    ShortestPathFrame::clear(out, n);
    if (!frame.connected())
        return false;
    for (int L = 1; L < n; ++L) {
        switch (weight) {
        case Weight::InverseDistance:
            weights[L] = 1.0 / (L + L);
            break;
        case Weight::InverseSquaredDistance:
            weights[L] = 1.0 / (2.0 * L * L);
            break;
        case Weight::Half:
            weights[L] = 0.5;
            break;
        }
    }
    const quint32 *adj = frame.rows();
    // The edges that lead from u one step nearer to t do not depend on the source, and the flow
    // is linear in what enters: so one sweep per target t, from its farthest level inwards,
    // carries the weighted unit of every source at once.
    for (int t = 0; t < n; ++t) {
        for (int v = 0; v < n; ++v)
            carried[v] = v == t ? 0.0 : weights[frame.distance(t, v)];
        for (int k = frame.depth(t); k >= 1; --k) {
            for (quint32 x = frame.level(t, k); x; x &= x - 1) {
                const int u = InvariantKit::lowest(x);
                const quint32 onward = adj[u] & frame.level(t, k - 1);
                const double share = carried[u] / InvariantKit::popcount(onward);
                for (quint32 y = onward; y; y &= y - 1) {
                    const int w = InvariantKit::lowest(y);
                    out[u][w] += share;
                    out[w][u] += share;
                    carried[w] += share;
                }
            }
        }
    }
    return true;
}
