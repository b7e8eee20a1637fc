#pragma once

#include "problem/Invariant.h"

// Number of claws centred on vertices of degree exactly 3: such a vertex adds 1 when its three
// neighbours are pairwise non-adjacent; a vertex of any other degree adds nothing.
class invCLAWS : public Invariant
{
public:
    explicit invCLAWS(bool withDisplay);
    ~invCLAWS() override;

    void recompute() override;
};
