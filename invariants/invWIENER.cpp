#include "invariants/invWIENER.h"

#include "invariants/InvariantKit.h"

invWIENER::invWIENER(bool withDisplay)
{
    InvariantKit::describe(
        this, withDisplay, QStringLiteral("WIENER"),
        QStringLiteral(
            R"(Wiener index, $\sum_{v,w \in V} d(v,w)$, where $d(v,w)$ is the geodesic distance between vertices $v$ and $w$.)"),
        QStringLiteral("1"), QStringLiteral("1"));
    initDisplay(true);
}

invWIENER::~invWIENER() = default;

void invWIENER::recompute()
{
    if (!graph) {
        setFailed();
        return;
    }
    quint32 adj[32];
    const int n = InvariantKit::readRows(graph, adj);
    error = false;
    const bool connected = InvariantKit::allDistances(adj, n, M, InvariantKit::Unreached);
    double sum = 0.0;
    for (int i = 1; i < n; ++i) {
        const double *d = M[i].constData();
        for (int j = 0; j < i; ++j)
            sum += d[j];
    }
    M[0][0] = sum;
    error = !connected;
    rows = connected ? 1 : 0;
    cols = rows;
}
