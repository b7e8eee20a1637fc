#pragma once

#include "problem/Invariant.h"

// Largest vertex degree (0 for the graph without vertices).
class invDEGMAX : public Invariant
{
public:
    explicit invDEGMAX(bool withDisplay);
    ~invDEGMAX() override;

    void recompute() override;
};
