#pragma once

#include "problem/Invariant.h"

// Harary index: the sum of the inverse distances over the unordered vertex pairs. A
// disconnected graph is an error (shape 0 x 0).
class invHARARY : public Invariant
{
public:
    explicit invHARARY(bool withDisplay);
    ~invHARARY() override;

    void recompute() override;
};
