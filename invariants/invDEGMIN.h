#pragma once

#include "problem/Invariant.h"

// Smallest vertex degree (0 for the graph without vertices).
class invDEGMIN : public Invariant
{
public:
    explicit invDEGMIN(bool withDisplay);
    ~invDEGMIN() override;

    void recompute() override;
};
