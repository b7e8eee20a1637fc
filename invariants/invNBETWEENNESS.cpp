#include "invariants/invNBETWEENNESS.h"

#include "invariants/InvariantKit.h"

#include <cmath>

invNBETWEENNESS::invNBETWEENNESS(bool withDisplay)
{
    InvariantKit::describe(this, withDisplay, QStringLiteral("NBETWEENNESS"),
                           QStringLiteral(R"(Normalized Betweenness matrix.)"), QStringLiteral("n"),
                           QStringLiteral("n"));
    initDisplay(true);
}

invNBETWEENNESS::~invNBETWEENNESS() = default;

void invNBETWEENNESS::recompute()
{
    if (!loadFlow(PathFlow::Weight::Half))
        return;
    const int n = flow.order();
    // All row sums first, then the divisions.
    double root[32];
    for (int i = 0; i < n; ++i) {
        double s = 0.0;
        for (int j = 0; j < n; ++j)
            s += M[i][j];
        root[i] = std::sqrt(s);
    }
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            // Only a single vertex has a row sum of 0 (in a connected graph of order 2 or more
            // every vertex has an edge); its entry is 0, not 0 / 0.
            const double scale = root[i] * root[j];
            M[i][j] = scale > 0.0 ? M[i][j] / scale : 0.0;
        }
    }
}
