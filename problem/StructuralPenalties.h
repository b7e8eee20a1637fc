#pragma once

#include <QtGlobal>

// The penalties of the structural requirements of a problem, measured on a snapshot of the
// adjacency: rows[i] holds bit j when vertices i and j are adjacent, for an order n of 0 to 32.
// Each penalty is 0 when the requirement holds and grows with the distance to it.
class StructuralPenalties
{
public:
    // Relation codes of a bound, as the board stores them.
    enum Relation { LessEqual = -1, Equal = 0, GreaterEqual = 1 };

    // Largest degree above 4: (excess) * n + number of vertices of largest degree.
    static double chemical(const quint32 *adj, int n);
    // Largest degree against bound under relation.
    static double degmax(const quint32 *adj, int n, int bound, int relation);
    // Diameter against bound under relation; 1e12 for a disconnected graph.
    static double diameter(const quint32 *adj, int n, int bound, int relation);
    // Sum over the vertices of |degree - degree wanted|.
    static double regular(const quint32 *adj, int n, int degree);
    // Number of edges (rows counted once per pair).
    static int edges(const quint32 *adj, int n);
    // Components minus one (1 for a single vertex, 0 for the empty graph).
    static double components(const quint32 *adj, int n);
    // The same for the complement.
    static double complementComponents(const quint32 *adj, int n);
};
