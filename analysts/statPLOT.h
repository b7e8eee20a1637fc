#pragma once

#include "problem/Statistics.h"

// "PLOT": shows the entry pairs of two vector arguments of one shape as the points of its dialog;
// its result has one row per entry: argument 1's entry, then argument 2's.
class statPLOT : public Statistics
{
public:
    explicit statPLOT(bool withDisplay);

    void recompute() override;
};
