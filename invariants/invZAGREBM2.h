#pragma once

#include "problem/Invariant.h"

// Second Zagreb index: the sum over the edges {i, j} of d(i) d(j).
class invZAGREBM2 : public Invariant
{
public:
    explicit invZAGREBM2(bool withDisplay);
    ~invZAGREBM2() override;

    void recompute() override;
};
