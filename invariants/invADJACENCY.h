#pragma once

#include "problem/Invariant.h"

// Adjacency matrix: 1 for each adjacent pair, 0 elsewhere (the diagonal too).
class invADJACENCY : public Invariant
{
public:
    explicit invADJACENCY(bool withDisplay);
    ~invADJACENCY() override;

    void recompute() override;
};
