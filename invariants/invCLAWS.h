#pragma once

#include "problem/Invariant.h"

// Number of claws: induced subgraphs that are a star with three leaves. Every vertex c adds
// the number of triples of its neighbours that are pairwise non-adjacent, whatever its degree.
class invCLAWS : public Invariant
{
public:
    explicit invCLAWS(bool withDisplay);
    ~invCLAWS() override;

    void recompute() override;
};
