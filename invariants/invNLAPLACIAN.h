#pragma once

#include "problem/Invariant.h"

// Normalised Laplacian matrix: 1 on the whole diagonal (isolated vertices included) and
// -1 / sqrt(d(i) d(j)) for every adjacent pair.
class invNLAPLACIAN : public Invariant
{
public:
    explicit invNLAPLACIAN(bool withDisplay);
    ~invNLAPLACIAN() override;

    void recompute() override;
};
