#include "invariants/invPELORAND2.h"

#include "invariants/InvariantKit.h"

invPELORAND2::invPELORAND2(bool withDisplay)
{
    InvariantKit::describe(this, withDisplay, QStringLiteral("PELORAND2"),
                           QStringLiteral(R"(0 or 1 depending if the rooted graph has property.)"),
                           QStringLiteral("n"), QStringLiteral("1"));
    initDisplay(true);
}

invPELORAND2::~invPELORAND2() = default;

void invPELORAND2::recompute()
{
    rootedLeafValues([this](int v, const int *count) {
        // Uneven: the largest count exceeds the smallest by 2 or more, or at least two
        // neighbours are at the smallest and two above it. No neighbour: 0.
        const quint32 *adj = frame.rows();
        int least = frame.order();
        int most = 0;
        for (quint32 x = adj[v]; x; x &= x - 1) {
            const int p = count[InvariantKit::lowest(x)];
            least = qMin(least, p);
            most = qMax(most, p);
        }
        int atLeast = 0;
        int above = 0;
        for (quint32 x = adj[v]; x; x &= x - 1) {
            if (count[InvariantKit::lowest(x)] == least)
                ++atLeast;
            else
                ++above;
        }
        return adj[v] && (most - least >= 2 || (atLeast >= 2 && above >= 2)) ? 1.0 : 0.0;
    });
}
