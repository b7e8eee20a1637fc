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
    if (!loadFlow(PathFlow::Weight::InverseDistance))
        return;
    ShortestPathFrame::rowSumsToFirstColumn(M, flow.order());
    cols = 1;
}
