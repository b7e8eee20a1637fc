#pragma once

#include "problem/Invariant.h"

// Modularity matrix A - d d^T / (2m); the adjacency matrix (all zero) of an edgeless graph.
class invMODULARITY : public Invariant
{
public:
    explicit invMODULARITY(bool withDisplay);
    ~invMODULARITY() override;

    void recompute() override;
};
