#pragma once

#include "graph/Graph.h"
#include "problem/Invariant.h"

#include <atomic>

// An invariant for the tests of the item base: its value is the number of edges it sees, and it
// records how often and under which locks it was recomputed.
class TestInvariantItem : public Invariant
{
public:
    explicit TestInvariantItem(bool display = false, const QString &keyword = QStringLiteral("TESTINV"))
    {
        name = keyword;
        withDisplay = display;
        initDisplay(true);
        sRows = QStringLiteral("1");
        sCols = QStringLiteral("1");
        textDef = QStringLiteral("Edges seen by the test invariant.");
        latexDef = QStringLiteral("$|E|$");
    }

    void recompute() override
    {
        ++calls;
        // Non-recursive mutexes held by this thread refuse a second lock.
        computeLockHeld = !computeMutex.tryLock();
        if (!computeLockHeld)
            computeMutex.unlock();
        valueLockHeld = !valueMutex.tryLock();
        if (!valueLockHeld)
            valueMutex.unlock();
        errorOnEntry = error;
        stampSeen = graph->getID();
        quint32 adj[32];
        const int n = graph->adjacencyRows(adj);
        int twice = 0;
        for (int i = 0; i < n; ++i)
            twice += __builtin_popcount(adj[i]);
        edgesSeen = twice / 2;
        if (fail) {
            rows = cols = 0;
            sRows = sCols = QStringLiteral("NA");
            error = true;
            saveTooltip(QStringLiteral("Argument error"));
            return;
        }
        M[0][0] = edgesSeen;
        rows = cols = 1;
        saveTooltip(name);
    }

    std::atomic<int> calls{0};
    bool fail = false;
    bool computeLockHeld = false;
    bool valueLockHeld = false;
    bool errorOnEntry = false;
    qint64 stampSeen = 0;
    int edgesSeen = -1;
};
