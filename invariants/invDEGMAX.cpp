#include "invariants/invDEGMAX.h"

#include "invariants/InvariantKit.h"

invDEGMAX::invDEGMAX(bool withDisplay)
{
    InvariantKit::describe(this, withDisplay, QStringLiteral("DEGMAX"),
                           QStringLiteral(R"(Maximum degree among vertices of the graph.)"),
                           QStringLiteral("1"), QStringLiteral("1"));
    initDisplay(true);
}

invDEGMAX::~invDEGMAX() = default;

void invDEGMAX::recompute()
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
    int best = 0;
    for (int i = 0; i < n; ++i) {
        const int d = InvariantKit::degree(adj, i);
        if (d >= best)
            best = d;
    }
    M[0][0] = best;
}
