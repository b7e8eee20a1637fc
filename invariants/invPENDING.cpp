#include "invariants/invPENDING.h"

#include "invariants/InvariantKit.h"

invPENDING::invPENDING(bool withDisplay)
{
    InvariantKit::describe(this, withDisplay, QStringLiteral("PENDING"),
                           QStringLiteral(R"(Number of pending vertices, vertices of degree 1.)"),
                           QStringLiteral("1"), QStringLiteral("1"));
    initDisplay(true);
}

invPENDING::~invPENDING() = default;

void invPENDING::recompute()
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
    int count = 0;
    for (int i = 0; i < n; ++i)
        if (InvariantKit::degree(adj, i) == 1)
            ++count;
    M[0][0] = count;
}
