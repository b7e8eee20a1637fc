#pragma once

#include "problem/Invariant.h"

// Radius: the smallest eccentricity; 0 for the graph without vertices. On a disconnected graph
// the value is 1e12 and the error flag is set (shape 1 x 1).
class invRADIUS : public Invariant
{
public:
    explicit invRADIUS(bool withDisplay);
    ~invRADIUS() override;

    void recompute() override;
};
