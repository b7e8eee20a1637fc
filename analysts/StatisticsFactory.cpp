#include "analysts/StatisticsFactory.h"

#include "analysts/statHISTOGRAM.h"
#include "analysts/statPLOT.h"

#include <QString>

Calculus *StatisticsFactory::make(const QString &keyword, bool withDisplay)
{
    if (keyword == QLatin1String("HISTOGRAM"))
        return new statHISTOGRAM(withDisplay);
    if (keyword == QLatin1String("PLOT"))
        return new statPLOT(withDisplay);
    return nullptr;
}

const QStringList &StatisticsFactory::keywords()
{
    static const QStringList list{"HISTOGRAM", "PLOT"};
    return list;
}
