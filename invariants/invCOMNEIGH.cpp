#include "invariants/invCOMNEIGH.h"

#include "invariants/InvariantKit.h"

invCOMNEIGH::invCOMNEIGH(bool withDisplay)
{
    InvariantKit::describe(this, withDisplay, QStringLiteral("COMNEIGH"),
                           QStringLiteral(R"(Number of common neighbors)"), QStringLiteral("n"),
                           QStringLiteral("n"));
    initDisplay(true);
}

invCOMNEIGH::~invCOMNEIGH() = default;

void invCOMNEIGH::recompute()
{
    if (!graph) {
        setFailed();
        return;
    }
    quint32 adj[32];
    const int n = InvariantKit::readRows(graph, adj);
    error = false;
    rows = n;
    cols = n;
    for (int i = 0; i < n; ++i) {
        M[i][i] = 0.0;
        for (int j = i + 1; j < n; ++j) {
            const double c = InvariantKit::popcount(adj[i] & adj[j]);
            M[i][j] = c;
            M[j][i] = c;
        }
    }
}
