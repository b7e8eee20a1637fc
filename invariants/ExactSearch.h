#pragma once

#include <QtGlobal>

// Exact combinatorial searches on a graph of at most 32 vertices given as row bit masks (bit j of
// rows[i] set when i and j are adjacent, diagonal and bits at or beyond n clear), as
// InvariantKit::readRows gives them.
//
// They are evaluated for every candidate graph of a search run, so each one prunes hard:
// colourings by saturation-ordered branch and bound under a clique bound, cliques and stable sets
// by colour-bounded branch and bound, dominating sets by a cover search bounded by packings, and
// the vertex connectivity by unit-capacity augmenting paths. All storage is on the stack.
class ExactSearch
{
public:
    // Chromatic number; 0 for n = 0.
    static int chromaticNumber(const quint32 *rows, int n);

    // The vertex order of the colouring items: vertices whose degree in the shrinking graph is at
    // most a threshold k (from 1, raised when a full scan removes none) are removed in index order
    // as a scan reaches them; the first one removed stands last. order[0..n-1] := the order.
    static void removalOrder(const quint32 *rows, int n, int *order);

    // The lexicographically first proper colouring with colours 1..k along the given order:
    // order[0] gets the smallest colour it can, then order[1], and so on, each time the smallest
    // colour that still leaves the rest colourable with k colours. colour[v] := label of v.
    // False (colour untouched) when the graph has no k-colouring.
    static bool firstColouring(const quint32 *rows, int n, const int *order, int k, int *colour);

    // Largest set of pairwise adjacent vertices; 0 for n = 0.
    static int cliqueNumber(const quint32 *rows, int n);
    // Largest set of pairwise non-adjacent vertices; 0 for n = 0.
    static int stabilityNumber(const quint32 *rows, int n);

    // Smallest dominating set (every vertex in it or adjacent to it); 0 for n = 0.
    static int dominationNumber(const quint32 *rows, int n);

    // Smallest number of vertices whose removal disconnects the graph, n - 1 when no removal of
    // at most n - 2 vertices does (complete graphs); 0 for a disconnected graph and for n <= 1.
    static int vertexConnectivity(const quint32 *rows, int n);

    // Local connectivity of two distinct non-adjacent vertices: the largest number of internally
    // vertex-disjoint paths from s to t, counted up to cap (the search stops there).
    static int disjointPaths(const quint32 *rows, int n, int s, int t, int cap);
};
