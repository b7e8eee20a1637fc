#pragma once

#include "problem/Invariant.h"

// Wiener index: the sum of the distances over the unordered vertex pairs. A disconnected
// graph is an error (shape 0 x 0).
class invWIENER : public Invariant
{
public:
    explicit invWIENER(bool withDisplay);
    ~invWIENER() override;

    void recompute() override;
};
