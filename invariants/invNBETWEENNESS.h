#pragma once

#include "invariants/PathFlowInvariant.h"

// Normalised betweenness: B_ij / sqrt(s_i s_j), B the edge betweenness built from path flows and
// s_i its row sum. A disconnected graph is an error with an n x n result of zeros.
class invNBETWEENNESS : public PathFlowInvariant
{
public:
    explicit invNBETWEENNESS(bool withDisplay);
    ~invNBETWEENNESS() override;

    void recompute() override;
};
