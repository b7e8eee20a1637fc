#include "invariants/invCHROMATIC.h"

#include "invariants/ExactSearch.h"
#include "invariants/InvariantKit.h"

invCHROMATIC::invCHROMATIC(bool withDisplay)
{
    InvariantKit::describe(
        this, withDisplay, QStringLiteral("CHROMATIC"),
        QStringLiteral(
            R"(Chromatic number, the minimum number of colors that are needed to color each vertex such that two adjacent vertices do not share the same color.)"),
        QStringLiteral("1"), QStringLiteral("1"));
    initDisplay(true);
}

invCHROMATIC::~invCHROMATIC() = default;

void invCHROMATIC::recompute()
{
    if (!graph) {
        setFailed();
        return;
    }
    quint32 adj[32];
    const int n = InvariantKit::readRows(graph, adj);
    if (n < 2) {
        setFailed();
        return;
    }
    error = false;
    M[0][0] = ExactSearch::chromaticNumber(adj, n);
    rows = 1;
    cols = 1;
}
