#pragma once

#include "problem/Invariant.h"

// Domination number by a bounded cover search; the empty set dominates the graph of order 0, so
// that graph gives 0.
class invDOMINATION : public Invariant
{
public:
    explicit invDOMINATION(bool withDisplay);
    ~invDOMINATION() override;

    void recompute() override;
};
