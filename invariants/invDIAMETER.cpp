#include "invariants/invDIAMETER.h"

#include "invariants/InvariantKit.h"

invDIAMETER::invDIAMETER(bool withDisplay)
{
    InvariantKit::describe(this, withDisplay, QStringLiteral("DIAMETER"),
                           QStringLiteral(R"(Maximum distance between pairs of vertices.)"),
                           QStringLiteral("1"), QStringLiteral("1"));
    initDisplay(true);
}

invDIAMETER::~invDIAMETER() = default;

void invDIAMETER::recompute()
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
    double d = 0.0;
    for (int i = 0; i < n; ++i) {
        const double *r = M[i].constData();
        for (int j = 0; j < n; ++j)
            if (r[j] > d)
                d = r[j];
    }
    M[0][0] = d;
    rows = 1;
    cols = 1;
}
