#pragma once

#include <QStringList>

class Calculus;
class QString;

// Makes the statistics items "HISTOGRAM" and "PLOT" by keyword for the item factory.
class StatisticsFactory
{
public:
    // A new item for an exact, case-sensitive keyword; null for any other keyword.
    static Calculus *make(const QString &keyword, bool withDisplay);
    static const QStringList &keywords();
};
