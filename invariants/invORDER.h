#pragma once

#include "problem/Invariant.h"

// Order: the number of vertices.
class invORDER : public Invariant
{
public:
    explicit invORDER(bool withDisplay);
    ~invORDER() override;

    void recompute() override;
};
