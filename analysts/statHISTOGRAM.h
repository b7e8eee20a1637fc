#pragma once

#include "problem/Statistics.h"

// "HISTOGRAM": shows the entries of one vector argument (a row or a column) as the bars of its
// dialog; its result is that vector as a column.
class statHISTOGRAM : public Statistics
{
public:
    explicit statHISTOGRAM(bool withDisplay);

    void recompute() override;
};
