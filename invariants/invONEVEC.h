#pragma once

#include "problem/Invariant.h"

// The column of n ones.
class invONEVEC : public Invariant
{
public:
    explicit invONEVEC(bool withDisplay);
    ~invONEVEC() override;

    void recompute() override;
};
