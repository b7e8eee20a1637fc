#include "operators/OperatorFactory.h"

#include <QString>

Calculus *OperatorFactory::make(const QString &keyword, bool withDisplay)
{
    Q_UNUSED(keyword);
    Q_UNUSED(withDisplay);
    return nullptr;
}
