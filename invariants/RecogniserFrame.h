#pragma once

#include "problem/Family.h"

// What the tree family recognisers share: the distances (kept in the result matrix), the
// diameter with the first pair found at that distance, the tree pre-test, the degrees and leaves.
// recompute() answers 1 or 0: 0 for a graph that is not a tree, else the family's own test.
// Orders 0 and 1 fail (0 x 0); a disconnected graph answers 0 with the error flag set.
class RecogniserFrame : public Family
{
public:
    RecogniserFrame(bool withDisplay, const QString &keyword, const QString &description);
    ~RecogniserFrame() override;

    void recompute() final;

protected:
    // The family's test, asked only of trees on at least two vertices.
    virtual bool acceptsTree() const = 0;

    // Of the last computation (M[i][j] holds d(i, j) while acceptsTree() runs):
    int n = 0;
    quint32 adj[32] = {};
    int degree[32] = {};
    int leaves = 0;    // vertices of degree 1
    int maxDegree = 0; // largest degree
    int diameter = 0;
    // The first pair (i, j), i > j, in the scan i = 1.., j = 0..i-1 at the largest distance.
    int endA = 0;
    int endB = 0;
};
