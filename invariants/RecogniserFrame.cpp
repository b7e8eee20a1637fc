#include "invariants/RecogniserFrame.h"

#include "invariants/InvariantKit.h"

RecogniserFrame::RecogniserFrame(bool withDisplay, const QString &keyword, const QString &description)
{
    InvariantKit::describe(this, withDisplay, keyword, description, QStringLiteral("1"), QStringLiteral("1"));
    initDisplay(true);
}

RecogniserFrame::~RecogniserFrame() = default;

void RecogniserFrame::recompute()
{
    if (!graph) {
        setFailed();
        return;
    }
    n = InvariantKit::readRows(graph, adj);
    if (n < 2) {
        setFailed();
        return;
    }
    rows = 1;
    cols = 1;
    error = !InvariantKit::allDistances(adj, n, M, InvariantKit::Unreached);
    double d = 0.0;
    endA = 0;
    endB = 0;
    for (int i = 1; i < n; ++i)
        for (int j = 0; j < i; ++j)
            if (M[i][j] > d) {
                d = M[i][j];
                endA = i;
                endB = j;
            }
    int edges = 0;
    leaves = 0;
    maxDegree = 0;
    for (int v = 0; v < n; ++v) {
        degree[v] = InvariantKit::degree(adj, v);
        edges += degree[v];
        if (degree[v] == 1)
            ++leaves;
        if (degree[v] > maxDegree)
            maxDegree = degree[v];
    }
    edges /= 2;
    // A disconnected graph has an unreached pair; a connected one with n edges or more a cycle.
    bool member = false;
    if (!error && edges == n - 1) {
        diameter = int(d);
        member = acceptsTree();
    }
    M[0][0] = member ? 1.0 : 0.0;
}
