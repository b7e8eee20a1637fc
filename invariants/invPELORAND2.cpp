#include "invariants/invPELORAND2.h"

#include "invariants/InvariantKit.h"

invPELORAND2::invPELORAND2(bool withDisplay)
{
    InvariantKit::describe(this, withDisplay, QStringLiteral("PELORAND2"),
                           QStringLiteral(R"(0 or 1 depending if the rooted graph has property.)"),
                           QStringLiteral("n"), QStringLiteral("1"));
    initDisplay(true);
}

invPELORAND2::~invPELORAND2() = default;

void invPELORAND2::recompute()
{
    if (!graph) {
        setFailed();
        return;
    }
    frame.load(graph);
    const int n = frame.order();
    // A disconnected graph is an error, but the values are still given when every leaf finds a
    // neighbour of each root.
    error = !frame.connected();
    const quint32 *adj = frame.rows();
    double value[32];
    for (int v = 0; v < n; ++v) {
        int count[32];
        if (!frame.assignLeaves(v, count)) {
            setFailed();
            return;
        }
        // Uneven: the largest count exceeds the smallest by 2 or more, or at least two
        // neighbours are at the smallest and two above it. No neighbour: 0.
        int least = n;
        int most = 0;
        for (quint32 x = adj[v]; x; x &= x - 1) {
            const int p = count[InvariantKit::lowest(x)];
            least = qMin(least, p);
            most = qMax(most, p);
        }
        int atLeast = 0;
        int above = 0;
        for (quint32 x = adj[v]; x; x &= x - 1) {
            if (count[InvariantKit::lowest(x)] == least)
                ++atLeast;
            else
                ++above;
        }
        value[v] = adj[v] && (most - least >= 2 || (atLeast >= 2 && above >= 2)) ? 1.0 : 0.0;
    }
    for (int v = 0; v < n; ++v)
        M[v][0] = value[v];
    rows = n;
    cols = 1;
}
