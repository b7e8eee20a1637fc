#include "problem/ProblemItemFactory.h"

#include "problem/Z.h"
#include "problem/invConstant.h"
#include "problem/invPARAM.h"

#include <QString>

Calculus *ProblemItemFactory::make(const QString &keyword, bool withDisplay)
{
    if (keyword == QLatin1String("Z") || keyword == QLatin1String("OBJECTIVE"))
        return new Z(withDisplay);
    if (keyword == QLatin1String("CONSTANT"))
        return new invConstant(withDisplay);
    if (keyword == QLatin1String("PARAM 1") || keyword == QLatin1String("PARAM 2"))
        return new invPARAM(keyword, withDisplay);
    return nullptr;
}
