#include "invariants/invCENTRALITY.h"

#include "invariants/InvariantKit.h"

invCENTRALITY::invCENTRALITY(bool withDisplay)
{
    InvariantKit::describe(
        this, withDisplay, QStringLiteral("CENTRALITY"),
        QStringLiteral(R"(Betweenness adjusted centrality : Sum of betweenness of edges adjacent to v.)"),
        QStringLiteral("n"), QStringLiteral("1"));
    initDisplay(true);
}

invCENTRALITY::~invCENTRALITY() = default;

void invCENTRALITY::recompute()
{
    if (!loadEdgeBetweenness())
        return;
    ShortestPathFrame::rowSumsToFirstColumn(M, frame.order());
    cols = 1;
}
