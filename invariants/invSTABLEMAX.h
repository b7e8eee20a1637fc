#pragma once

#include "problem/Invariant.h"

// Stability number: the largest clique of the complement, by a colour-bounded clique search.
class invSTABLEMAX : public Invariant
{
public:
    explicit invSTABLEMAX(bool withDisplay);
    ~invSTABLEMAX() override;

    void recompute() override;
};
