#pragma once

#include "invariants/PathFlowInvariant.h"

// Distance-weighted betweenness: every ordered vertex pair adds its path flow on an edge divided
// by twice its distance. A disconnected graph is an error with an n x n result of zeros.
class invDBETWEENNESS : public PathFlowInvariant
{
public:
    explicit invDBETWEENNESS(bool withDisplay);
    ~invDBETWEENNESS() override;

    void recompute() override;
};
