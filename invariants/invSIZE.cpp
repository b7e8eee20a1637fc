#include "invariants/invSIZE.h"

#include "invariants/InvariantKit.h"

invSIZE::invSIZE(bool withDisplay)
{
    InvariantKit::describe(
        this, withDisplay, QStringLiteral("SIZE"),
        QStringLiteral(R"(Size of the graph, $m = |E|$, the number of edges of the graph.)"),
        QStringLiteral("1"), QStringLiteral("1"));
    initDisplay(true);
}

invSIZE::~invSIZE() = default;

void invSIZE::recompute()
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
    int twice = 0;
    for (int i = 0; i < n; ++i)
        twice += InvariantKit::degree(adj, i);
    M[0][0] = twice / 2;
}
