#include "invariants/invTRANSMISSION.h"

#include "invariants/InvariantKit.h"

invTRANSMISSION::invTRANSMISSION(bool withDisplay)
{
    InvariantKit::describe(this, withDisplay, QStringLiteral("TRANSMISSION"),
                           QStringLiteral(R"(Sum of distances to other vertices.)"), QStringLiteral("n"),
                           QStringLiteral("1"));
    initDisplay(true);
}

invTRANSMISSION::~invTRANSMISSION() = default;

void invTRANSMISSION::recompute()
{
    if (!graph) {
        setFailed();
        return;
    }
    quint32 adj[32];
    const int n = InvariantKit::readRows(graph, adj);
    error = false;
    const bool connected = InvariantKit::allDistances(adj, n, M, InvariantKit::Unreached);
    for (int i = 0; i < n; ++i) {
        double *d = M[i].data();
        double sum = d[0];
        for (int j = 1; j < n; ++j)
            sum += d[j];
        d[0] = sum;
    }
    error = !connected;
    rows = n;
    cols = 1;
}
