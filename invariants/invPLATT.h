#pragma once

#include "problem/Invariant.h"

// Platt index: the sum over the edges {i, j} of d(i) + d(j) - 2.
class invPLATT : public Invariant
{
public:
    explicit invPLATT(bool withDisplay);
    ~invPLATT() override;

    void recompute() override;
};
