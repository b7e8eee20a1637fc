#pragma once

#include "problem/Invariant.h"

// Balaban index J = m / (m - n + 2) times the sum over the edges {i, j} of
// 1 / sqrt(t(i) t(j)), t being the transmission. 0 for orders 0 and 1; a disconnected graph is
// an error (shape 0 x 0).
class invBALABAN : public Invariant
{
public:
    explicit invBALABAN(bool withDisplay);
    ~invBALABAN() override;

    void recompute() override;
};
