#pragma once

#include "problem/Invariant.h"

// The column 1, 2, ..., n.
class invNUMERO : public Invariant
{
public:
    explicit invNUMERO(bool withDisplay);
    ~invNUMERO() override;

    void recompute() override;
};
