#pragma once

#include "problem/Invariant.h"

// Size: the number of edges.
class invSIZE : public Invariant
{
public:
    explicit invSIZE(bool withDisplay);
    ~invSIZE() override;

    void recompute() override;
};
