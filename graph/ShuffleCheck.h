#pragma once

#include "graph/Isomorphic.h"

#include <QVector>

class Graph;
class QWidget;

// The shuffle command's work: relabels the shown graph at random a number of times and tests
// every relabelling against the graph it came from with Isomorphic. The tests run on a worker
// thread behind a window-modal progress dialog (from the prompt interface) whose Cancel stops the
// running test before its next evaluation; the window stays responsive meanwhile.
//
// Each relabelling relabels the one before. The graph is left in the last relabelling that was
// tested, published as its best graph (changeBest(), so whoever follows the graph re-evaluates
// it) and redrawn; the vertex items keep their positions. When no test ran (Cancel at once, no
// rounds) the graph stays as it was shown. Call on the GUI thread.
class ShuffleCheck
{
public:
    struct Result {
        int rounds = 0;     // relabellings asked for
        int tested = 0;     // tests that ran to their answer
        int isomorphic = 0; // of those, the ones that answered 1
        long long evaluations = 0;
        bool cancelled = false;
        QVector<int> answers; // the tester's answer for each relabelling tested, in order
    };

    static Result run(Graph *graph, int rounds = 100, QWidget *parent = nullptr,
                      int budget = Isomorphic::DefaultBudget);
};
