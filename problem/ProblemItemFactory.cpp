#include "problem/ProblemItemFactory.h"

#include <QString>

Calculus *ProblemItemFactory::make(const QString &keyword, bool withDisplay)
{
    Q_UNUSED(keyword);
    Q_UNUSED(withDisplay);
    return nullptr;
}
