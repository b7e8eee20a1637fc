#pragma once

#include "problem/Invariant.h"

// First Zagreb index: the sum over the vertices of the squared degree.
class invZAGREBM1 : public Invariant
{
public:
    explicit invZAGREBM1(bool withDisplay);
    ~invZAGREBM1() override;

    void recompute() override;
};
