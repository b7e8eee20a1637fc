#pragma once

#include <QString>

class Graph;
class Problem;

// The user's problem and graph as they stand when a run or a load starts: the problem text, the
// structural requirements and the current graph string. Taken on the GUI thread and applied by
// a worker to its private board, so the worker never reads the user's board.
class ProblemSnapshot
{
public:
    // Reads problem and graph (either may be null); call on the thread that owns them.
    static ProblemSnapshot take(Problem *problem, Graph *graph);

    // Loads the problem text into target and copies the structural requirements, among them
    // the order, the edge count and its switch (which a search job then overrides).
    // False when the text was refused (target keeps its previous problem).
    bool applyTo(Problem *target) const;

    bool hasProblem() const { return withProblem; }
    QString problemText() const { return text; }
    QString graphString() const { return graph; }

private:
    bool withProblem = false;
    QString text;
    QString graph;
    bool regular = false;
    int regDegree = 4;
    bool degmax = false;
    int degmaxType = -1;
    int degmaxValue = 9;
    bool diameter = false;
    int diameterValue = 9;
    int diameterType = -1;
    bool connected = true;
    bool chemical = false;
    bool connectedBar = false;
    bool fixNbArcs = false;
    int nbArcs = 10;
    int nbNod = 10;
};
