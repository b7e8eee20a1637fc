#pragma once

#include "problem/Statistics.h"

// A statistics item for the tests of the item base: a 1 x 1 result of 1.
class TestStatisticsItem : public Statistics
{
public:
    explicit TestStatisticsItem(bool display = false,
                                const QString &keyword = QStringLiteral("TESTSTATISTICS"))
    {
        name = keyword;
        withDisplay = display;
        initDisplay(false);
    }

    void recompute() override
    {
        M[0][0] = 1.0;
        rows = cols = 1;
    }
};
