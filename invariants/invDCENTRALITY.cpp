#include "invariants/invDCENTRALITY.h"

#include "invariants/InvariantKit.h"

invDCENTRALITY::invDCENTRALITY(bool withDisplay)
{
    InvariantKit::describe(this, withDisplay, QStringLiteral("DCENTRALITY"),
                           QStringLiteral(R"(Sum of DBETWEENNESS of adjacent edges.)"), QStringLiteral("n"),
                           QStringLiteral("1"));
    initDisplay(true);
}

invDCENTRALITY::~invDCENTRALITY() = default;

void invDCENTRALITY::recompute()
{
    if (!graph) {
        setFailed();
        return;
    }
    const bool connected = flow.compute(graph, PathFlow::Weight::InverseDistance, M);
    const int n = flow.order();
    error = !connected;
    rows = n;
    cols = n;
    if (!connected)
        return;
    ShortestPathFrame::rowSumsToFirstColumn(M, n);
    cols = 1;
}
