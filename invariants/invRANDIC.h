#pragma once

#include "problem/Invariant.h"

// Randic index: the sum over the edges {i, j} of 1 / sqrt(d(i) d(j)); both ends of an edge
// have degree at least 1.
class invRANDIC : public Invariant
{
public:
    explicit invRANDIC(bool withDisplay);
    ~invRANDIC() override;

    void recompute() override;
};
