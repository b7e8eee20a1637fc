#include "invariants/invIINDEX.h"

#include "invariants/InvariantKit.h"

invIINDEX::invIINDEX(bool withDisplay)
{
    InvariantKit::describe(this, withDisplay, QStringLiteral("IINDEX"),
                           QStringLiteral(R"(I-Index for identifying actors between communities.)"),
                           QStringLiteral("n"), QStringLiteral("1"));
    initDisplay(true);
}

invIINDEX::~invIINDEX() = default;

void invIINDEX::recompute()
{
    if (!graph) {
        setFailed();
        return;
    }
    frame.load(graph);
    const int n = frame.order();
    error = false;
    rows = n;
    cols = n;
    ShortestPathFrame::clear(M, n);
    if (!frame.connected()) {
        error = true;
        return;
    }
    const quint32 *adj = frame.rows();
    for (int v = 0; v < n; ++v) {
        double value = 0.0;
        for (quint32 x = adj[v]; x; x &= x - 1) {
            const int i = InvariantKit::lowest(x);
            for (quint32 y = adj[v] & ~InvariantKit::upTo(i); y; y &= y - 1) {
                const int j = InvariantKit::lowest(y);
                double a, b, c;
                frame.split(i, j, a, b, c);
                value += a * b / c;
            }
        }
        M[v][0] = value;
    }
    cols = 1;
}
