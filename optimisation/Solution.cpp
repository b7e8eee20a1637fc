#include "optimisation/Solution.h"

#include <iostream>

Solution::Solution(const Eval *e, const QString &graph) : graph(graph)
{
    // The archive hands the record to other workers' threads, while e goes on being refilled in
    // place by its owner: the two must share no storage.
    if (e) {
        value.copy(e);
        value.detach();
    }
}

// Records that are never written again may share their storage.
Solution::Solution(const Solution *other) : graph(other->graph), value(other->value) {}

double Solution::violation(int i) const
{
    if (i < 0 || i >= value.size())
        return 0.0;
    return value.value(i);
}

void Solution::display() const
{
    std::cerr << value.display().toUtf8().constData() << std::endl;
}
