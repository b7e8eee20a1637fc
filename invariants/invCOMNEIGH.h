#pragma once

#include "problem/Invariant.h"

// Common-neighbour matrix: for every pair of distinct vertices, the number of vertices
// adjacent to both; 0 on the diagonal.
class invCOMNEIGH : public Invariant
{
public:
    explicit invCOMNEIGH(bool withDisplay);
    ~invCOMNEIGH() override;

    void recompute() override;
};
