#pragma once

#include "invariants/PathFlowInvariant.h"

// Distance-weighted betweenness, squared: every ordered vertex pair adds its path flow on an edge
// divided by twice the square of its distance. A disconnected graph is an error with an n x n
// result of zeros.
class invDBETWEENNESS2 : public PathFlowInvariant
{
public:
    explicit invDBETWEENNESS2(bool withDisplay);
    ~invDBETWEENNESS2() override;

    void recompute() override;
};
