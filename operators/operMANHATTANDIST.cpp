#include "operators/operMANHATTANDIST.h"

operMANHATTANDIST::operMANHATTANDIST(bool withDisplay)
{
    const QString text = QStringLiteral("MANHATTAN distance between 2 vectors or matrices");
    setUp(QStringLiteral("MANHATTANDIST"), withDisplay, text, text);
}

void operMANHATTANDIST::recompute()
{
    distance(QStringLiteral("MANHATTANDIST"), Norm::Manhattan);
}
