#pragma once

#include "problem/Invariant.h"

// Eccentricity of every vertex: its largest distance to another vertex. On a disconnected
// graph every vertex gets 1e12 and the error flag is set (shape n x 1).
class invECCENTRICITY : public Invariant
{
public:
    explicit invECCENTRICITY(bool withDisplay);
    ~invECCENTRICITY() override;

    void recompute() override;
};
