#pragma once

#include "problem/Eval.h"

#include <QString>

// One result of the search: a graph string with its own copy of the graph's evaluation.
// A Solution never changes after construction; readers of a shared archive only need the
// archive's lock to keep it alive.
class Solution
{
public:
    // Copies *e into storage of its own (the caller keeps e and may refill it in place) and
    // stores the graph string.
    Solution(const Eval *e, const QString &graph);
    // A separate copy of other, for handing one result to a second archive.
    explicit Solution(const Solution *other);

    Eval *getValue() { return &value; }
    const Eval *getValue() const { return &value; }
    QString getGraph() const { return graph; }

    // Number of objective vectors.
    int sizeZ() const { return value.sizeZ(); }
    // Number of violation values.
    int size() const { return value.size(); }
    // Violation value i, or 0.0 outside 0..size()-1.
    double violation(int i) const;

    // Writes the evaluation's text form and a line end to the standard error stream.
    void display() const;

private:
    QString graph;
    Eval value;
};
