#pragma once

#include "invariants/ShortestPathInvariant.h"

// I-index: for each vertex v, the sum over the pairs {i, j} of its neighbours of A * B / C, where A
// and B count the vertices strictly nearer to i and to j and C counts (from 1) the edges between
// the two sides, half for an edge at a tied vertex. A disconnected graph is an error with an
// n x n result of zeros.
class invIINDEX : public ShortestPathInvariant
{
public:
    explicit invIINDEX(bool withDisplay);
    ~invIINDEX() override;

    void recompute() override;
};
