#include "operators/operMULTTERMS.h"

operMULTTERMS::operMULTTERMS(bool withDisplay)
{
    setUp(QStringLiteral(".*"), withDisplay,
          QStringLiteral("Term by term multiplication of values, vectors or matrices."),
          QStringLiteral("Term by term multiplication of values, vectors or matrices."));
}

void operMULTTERMS::recompute()
{
    combineArguments<operMULTTERMS>(QStringLiteral(".*"), true);
}
