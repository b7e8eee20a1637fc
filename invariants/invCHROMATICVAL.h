#pragma once

#include "problem/Invariant.h"

// A colouring with the fewest colours, labels 1 to the chromatic number: along the removal order of
// ExactSearch::removalOrder, the lexicographically first such colouring (each vertex in turn the
// smallest label that still allows a minimum colouring). Orders 0 and 1 fail (0 x 0).
class invCHROMATICVAL : public Invariant
{
public:
    explicit invCHROMATICVAL(bool withDisplay);
    ~invCHROMATICVAL() override;

    void recompute() override;
};
