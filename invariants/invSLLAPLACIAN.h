#pragma once

#include "problem/Invariant.h"

// Signless Laplacian matrix D + A.
class invSLLAPLACIAN : public Invariant
{
public:
    explicit invSLLAPLACIAN(bool withDisplay);
    ~invSLLAPLACIAN() override;

    void recompute() override;
};
