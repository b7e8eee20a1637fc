#pragma once

#include "problem/Invariant.h"

// Chromatic number by an exact colouring search (clique bound, saturation-ordered branch and
// bound). Orders 0 and 1 fail (0 x 0).
class invCHROMATIC : public Invariant
{
public:
    explicit invCHROMATIC(bool withDisplay);
    ~invCHROMATIC() override;

    void recompute() override;
};
