#pragma once

#include "problem/Constraint.h"

// A constraint item for the tests of the item base: a 1 x 1 result of 1.
class TestConstraintItem : public Constraint
{
public:
    explicit TestConstraintItem(bool display = false,
                                const QString &keyword = QStringLiteral("TESTCONSTRAINT"))
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
