#include "invariants/invORDER.h"

#include "invariants/InvariantKit.h"

#include <iostream>

invORDER::invORDER(bool withDisplay)
{
    InvariantKit::describe(this, withDisplay, QStringLiteral("ORDER"),
                           QStringLiteral(R"(Order of the graph, $n = |V|$ the number of vertices of $G$.)"),
                           QStringLiteral("1"), QStringLiteral("1"));
    initDisplay(true);
}

invORDER::~invORDER() = default;

void invORDER::recompute()
{
    if (!graph) {
        std::cerr << "invORDER no graph" << std::endl;
        setFailed();
        return;
    }
    const int n = InvariantKit::order(graph);
    error = false;
    rows = 1;
    cols = 1;
    M[0][0] = n;
}
