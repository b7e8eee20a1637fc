#pragma once

#include "problem/Family.h"

// A family item for the tests of the item base: a 1 x 1 result of 1.
class TestFamilyItem : public Family
{
public:
    explicit TestFamilyItem(bool display = false, const QString &keyword = QStringLiteral("TESTFAMILY"))
    {
        name = keyword;
        withDisplay = display;
        initDisplay(true);
    }

    void recompute() override
    {
        M[0][0] = 1.0;
        rows = cols = 1;
    }
};
