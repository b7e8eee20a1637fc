#pragma once

#include "problem/Invariant.h"

// Vertex connectivity by augmenting paths: 0 for a disconnected graph and for orders 0 and 1, n - 1
// for the complete graph K_n. Without a graph it also says so on the standard error stream.
class invNCONN : public Invariant
{
public:
    explicit invNCONN(bool withDisplay);
    ~invNCONN() override;

    void recompute() override;
};
