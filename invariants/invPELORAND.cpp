#include "invariants/invPELORAND.h"

#include "invariants/InvariantKit.h"

invPELORAND::invPELORAND(bool withDisplay)
{
    InvariantKit::describe(this, withDisplay, QStringLiteral("PELORAND"),
                           QStringLiteral(R"(Squared sum of pk)"), QStringLiteral("n"), QStringLiteral("1"));
    initDisplay(true);
}

invPELORAND::~invPELORAND() = default;

void invPELORAND::recompute()
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
        double sum = 0.0;
        for (quint32 x = adj[v]; x; x &= x - 1) {
            const int p = count[InvariantKit::lowest(x)];
            sum += p * p;
        }
        value[v] = sum;
    }
    for (int v = 0; v < n; ++v)
        M[v][0] = value[v];
    rows = n;
    cols = 1;
}
