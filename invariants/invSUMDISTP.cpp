#include "invariants/invSUMDISTP.h"

#include "invariants/InvariantKit.h"

invSUMDISTP::invSUMDISTP(bool withDisplay)
{
    InvariantKit::describe(this, withDisplay, QStringLiteral("SUMDISTP"),
                           QStringLiteral(R"(Sum of distances to pending vertices.)"), QStringLiteral("n"),
                           QStringLiteral("1"));
    initDisplay(true);
}

invSUMDISTP::~invSUMDISTP() = default;

void invSUMDISTP::recompute()
{
    if (!graph) {
        setFailed();
        return;
    }
    quint32 adj[32];
    const int n = InvariantKit::readRows(graph, adj);
    error = false;
    if (!InvariantKit::allDistances(adj, n, M, InvariantKit::UnreachedShort)) {
        setFailed();
        return;
    }
    quint32 leaves = 0;
    for (int i = 0; i < n; ++i)
        if (InvariantKit::degree(adj, i) == 1)
            leaves |= 1u << i;
    for (int i = 0; i < n; ++i) {
        double sum = 0.0;
        for (quint32 x = leaves; x; x &= x - 1)
            sum += M[i][InvariantKit::lowest(x)];
        M[i][0] = sum;
    }
    rows = n;
    cols = 1;
}
