#include "operators/ConstraintFrame.h"

void ConstraintFrame::setUp(const QString &keyword, bool display, const QString &description)
{
    name = keyword;
    withDisplay = display;
    initDisplay(false);
    latexDef = description;
    textDef = description;
}
