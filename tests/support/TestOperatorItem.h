#pragma once

#include "problem/Operator.h"

#include <atomic>

// An operator for the tests of the item base: the sum of the first value of each present argument,
// read through the arguments' own readers. It neither sets nor clears the error flag.
class TestOperatorItem : public Operator
{
public:
    explicit TestOperatorItem(bool display = false, const QString &keyword = QStringLiteral("TESTOP"))
    {
        name = keyword;
        withDisplay = display;
        initDisplay(false);
        textDef = QStringLiteral("Sum of the arguments.");
        latexDef = QStringLiteral("$\\sum a_k$");
    }

    void recompute() override
    {
        ++calls;
        errorOnEntry = error;
        double s = 0.0;
        for (int k = 1; k <= 4; ++k) {
            if (argument(k))
                s += argument(k)->getValue(1);
        }
        M[0][0] = s;
        rows = cols = 1;
        sRows = sCols = QStringLiteral("1");
        saveTooltip(QStringLiteral("Sum"));
    }

    std::atomic<int> calls{0};
    bool errorOnEntry = false;
};
