#include "invariants/invRADIUS.h"

#include "invariants/InvariantKit.h"

invRADIUS::invRADIUS(bool withDisplay)
{
    InvariantKit::describe(this, withDisplay, QStringLiteral("RADIUS"),
                           QStringLiteral(R"(Minimum eccentricity : $r = \min_v \max_w d(v,w)$.)"),
                           QStringLiteral(R"(Minimum eccentricity.)"), QStringLiteral("1"),
                           QStringLiteral("1"));
    initDisplay(true);
}

invRADIUS::~invRADIUS() = default;

void invRADIUS::recompute()
{
    if (!graph) {
        setFailed();
        return;
    }
    quint32 adj[32];
    const int n = InvariantKit::readRows(graph, adj);
    error = false;
    const bool connected = InvariantKit::allDistances(adj, n, M, InvariantKit::Unreached);
    InvariantKit::eccentricitiesToFirstColumn(M, n);
    error = !connected;
    double r = n > 0 ? M[0][0] : 0.0;
    for (int i = 1; i < n; ++i)
        if (r > M[i][0])
            r = M[i][0];
    M[0][0] = r;
    rows = 1;
    cols = 1;
}
