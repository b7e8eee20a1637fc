#include "invariants/famCOMET.h"

#include "invariants/InvariantKit.h"

famCOMET::famCOMET(bool withDisplay)
    : RecogniserFrame(withDisplay, QStringLiteral("COMET"),
                      QStringLiteral("Boolean function that indicates wether the graph is a comet."))
{
}

famCOMET::~famCOMET() = default;

bool famCOMET::acceptsTree() const
{
    if (leaves != maxDegree)
        return false;
    // Each leg of two edges or more ends in exactly one such edge; one-edge legs hang on the centre.
    int longLegs = 0;
    for (int v = 0; v < n; ++v)
        if (degree[v] == 2)
            for (quint32 u = adj[v]; u; u &= u - 1)
                if (degree[InvariantKit::lowest(u)] == 1)
                    ++longLegs;
    return longLegs == 1;
}
