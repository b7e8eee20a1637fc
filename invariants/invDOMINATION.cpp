#include "invariants/invDOMINATION.h"

#include "invariants/ExactSearch.h"
#include "invariants/InvariantKit.h"

invDOMINATION::invDOMINATION(bool withDisplay)
{
    InvariantKit::describe(
        this, withDisplay, QStringLiteral("DOMINATION"),
        QStringLiteral(
            R"(Cardinality of the minimum dominating set $S$ such that $\forall v \in V$ either $v\in S$, or $(v,w)\in E$ and $w \in S$.)"),
        QStringLiteral(
            R"(Cardinality of the minimum dominating set S such that for all vertex v, either v is in S, or v is adjacent to a vertex in S.)"),
        QStringLiteral("1"), QStringLiteral("1"));
    initDisplay(true);
}

invDOMINATION::~invDOMINATION() = default;

void invDOMINATION::recompute()
{
    if (!graph) {
        setFailed();
        return;
    }
    quint32 adj[32];
    const int n = InvariantKit::readRows(graph, adj);
    error = false;
    // The graph without vertices keeps the item's documented value 1 (its search starts from n + 1).
    M[0][0] = n == 0 ? 1.0 : ExactSearch::dominationNumber(adj, n);
    rows = 1;
    cols = 1;
}
