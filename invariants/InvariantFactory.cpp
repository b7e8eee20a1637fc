#include "invariants/InvariantFactory.h"

#include <QString>

Calculus *InvariantFactory::make(const QString &keyword, bool withDisplay)
{
    Q_UNUSED(keyword);
    Q_UNUSED(withDisplay);
    return nullptr;
}
