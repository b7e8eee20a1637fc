#pragma once

#include "problem/Invariant.h"

// The n x n matrix of ones.
class invONEMAT : public Invariant
{
public:
    explicit invONEMAT(bool withDisplay);
    ~invONEMAT() override;

    void recompute() override;
};
