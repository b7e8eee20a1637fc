#include "operators/operEUCLIDIANDIST.h"

operEUCLIDIANDIST::operEUCLIDIANDIST(bool withDisplay)
{
    const QString text = QStringLiteral("Euclidian distance between 2 vectors or matrices");
    setUp(QStringLiteral("EUCLIDIANDIST"), withDisplay, text, text);
}

void operEUCLIDIANDIST::recompute()
{
    distance(QStringLiteral("EUCLIDIANDIST"), Norm::Euclidean);
}
