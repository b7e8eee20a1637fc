#include "invariants/invBETWEENNESS.h"

#include "invariants/InvariantKit.h"

invBETWEENNESS::invBETWEENNESS(bool withDisplay)
{
    InvariantKit::describe(
        this, withDisplay, QStringLiteral("BETWEENNESS"),
        QStringLiteral(
            R"(Betweenness $b_{ij}$ as proposed by Dalbern (1977), the number of shortest paths among all pairs of vertices that are using the edge (i,j).)"),
        QStringLiteral(
            R"(Betweenness bij as proposed by Dalbern (1977), the number of shortest paths among all pairs of vertices that are using the edge (i,j).)"),
        QStringLiteral("n"), QStringLiteral("n"));
    initDisplay(true);
}

invBETWEENNESS::~invBETWEENNESS() = default;

void invBETWEENNESS::recompute()
{
    loadEdgeBetweenness();
}
