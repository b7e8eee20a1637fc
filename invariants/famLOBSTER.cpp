#include "invariants/famLOBSTER.h"

#include <cmath>

famLOBSTER::famLOBSTER(bool withDisplay)
    : RecogniserFrame(
          withDisplay, QStringLiteral("LOBSTER"),
          QStringLiteral(
              "Boolean function that indicates wether the graph is a lobster. A lobster is a tree that "
              "is made in such a way that if you remove all its leaves, then you have a caterpillar. The "
              "distance between any vertex and the root path is at most 2."))
{
}

famLOBSTER::~famLOBSTER() = default;

bool famLOBSTER::acceptsTree() const
{
    // In a tree, v lies on the path from a to b exactly when d(v, a) + d(v, b) = d(a, b).
    quint32 onPath = 0;
    for (int v = 0; v < n; ++v)
        if (std::fabs(M[v][endA] + M[v][endB] - diameter) < 1e-6)
            onPath |= 1u << v;
    for (int v = 0; v < n; ++v) {
        if (onPath & (1u << v))
            continue;
        double nearest = M[v][endA];
        for (int w = 0; w < n && nearest > 2.0; ++w)
            if ((onPath & (1u << w)) && M[v][w] < nearest)
                nearest = M[v][w];
        if (nearest > 2.0)
            return false;
    }
    return true;
}
