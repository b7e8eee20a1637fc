#include "invariants/invDEGMIN.h"

#include "invariants/InvariantKit.h"

invDEGMIN::invDEGMIN(bool withDisplay)
{
    InvariantKit::describe(this, withDisplay, QStringLiteral("DEGMIN"),
                           QStringLiteral(R"(Minimum degree among vertices of the graph.)"),
                           QStringLiteral("1"), QStringLiteral("1"));
    initDisplay(true);
}

invDEGMIN::~invDEGMIN() = default;

void invDEGMIN::recompute()
{
    if (!graph) {
        setFailed();
        return;
    }
    quint32 adj[32];
    const int n = InvariantKit::readRows(graph, adj);
    error = false;
    rows = 1;
    cols = 1;
    int best = n;
    for (int i = 0; i < n; ++i) {
        const int d = InvariantKit::degree(adj, i);
        if (d <= best)
            best = d;
    }
    M[0][0] = best;
}
