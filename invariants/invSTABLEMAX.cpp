#include "invariants/invSTABLEMAX.h"

#include "invariants/ExactSearch.h"
#include "invariants/InvariantKit.h"

invSTABLEMAX::invSTABLEMAX(bool withDisplay)
{
    InvariantKit::describe(
        this, withDisplay, QStringLiteral("STABLEMAX"),
        QStringLiteral(
            R"(Stability number, the cardinality of the largest set of vertices that are pairwise non adjacent.)"),
        QStringLiteral("1"), QStringLiteral("1"));
    initDisplay(true);
}

invSTABLEMAX::~invSTABLEMAX() = default;

void invSTABLEMAX::recompute()
{
    if (!graph) {
        setFailed();
        return;
    }
    quint32 adj[32];
    const int n = InvariantKit::readRows(graph, adj);
    error = false;
    M[0][0] = ExactSearch::stabilityNumber(adj, n);
    rows = 1;
    cols = 1;
}
