#pragma once

#include "problem/Invariant.h"

// Diameter: the largest distance between two vertices; 0 for orders 0 and 1. A disconnected
// graph is an error (shape 0 x 0).
class invDIAMETER : public Invariant
{
public:
    explicit invDIAMETER(bool withDisplay);
    ~invDIAMETER() override;

    void recompute() override;
};
