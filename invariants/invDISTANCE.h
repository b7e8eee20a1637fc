#pragma once

#include "problem/Invariant.h"

// Distance matrix: d(i, j) for every pair, 1e12 between two components (then the
// error flag is set and the shape stays n x n).
class invDISTANCE : public Invariant
{
public:
    explicit invDISTANCE(bool withDisplay);
    ~invDISTANCE() override;

    void recompute() override;
};
