#include "optimisation/Solution.h"

#include <iostream>

Solution::Solution(const Eval *e, const QString &graph) : graph(graph)
{
    if (e)
        value.copy(e);
}

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
