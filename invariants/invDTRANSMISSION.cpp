#include "invariants/invDTRANSMISSION.h"

#include "invariants/InvariantKit.h"

invDTRANSMISSION::invDTRANSMISSION(bool withDisplay)
{
    InvariantKit::describe(this, withDisplay, QStringLiteral("DTRANSMISSION"),
                           QStringLiteral(R"(Sum of inverse distances to other vertices.)"),
                           QStringLiteral("n"), QStringLiteral("1"));
    initDisplay(true);
}

invDTRANSMISSION::~invDTRANSMISSION() = default;

void invDTRANSMISSION::recompute()
{
    if (!graph) {
        setFailed();
        return;
    }
    quint32 adj[32];
    const int n = InvariantKit::readRows(graph, adj);
    error = false;
    const bool connected = InvariantKit::allDistances(adj, n, M, InvariantKit::Unreached);
    // The sum gathers on the diagonal (which holds 0), then moves into column 0.
    for (int i = 0; i < n; ++i) {
        double *d = M[i].data();
        for (int j = 0; j < n; ++j)
            if (j != i)
                d[i] += 1.0 / d[j];
    }
    for (int i = 0; i < n; ++i)
        M[i][0] = M[i][i];
    error = !connected;
    rows = n;
    cols = 1;
}
