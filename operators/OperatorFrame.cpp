#include "operators/OperatorFrame.h"

#include <cmath>

OperatorFrame::OperatorFrame(int acceptedArguments) : accepted(qBound(1, acceptedArguments, 4)) {}

void OperatorFrame::setUp(const QString &keyword, bool display, const QString &latexText,
                          const QString &plainText)
{
    name = keyword;
    withDisplay = display;
    initDisplay(false);
    latexDef = latexText;
    textDef = plainText;
}

bool OperatorFrame::setLink2(Link *l)
{
    return accepted >= 2 && Operator::setLink2(l);
}

bool OperatorFrame::setLink3(Link *l)
{
    return accepted >= 3 && Operator::setLink3(l);
}

bool OperatorFrame::setLink4(Link *l)
{
    return accepted >= 4 && Operator::setLink4(l);
}

bool OperatorFrame::setArg2(Calculus *c)
{
    return accepted >= 2 && Operator::setArg2(c);
}

bool OperatorFrame::setArg3(Calculus *c)
{
    return accepted >= 3 && Operator::setArg3(c);
}

bool OperatorFrame::setArg4(Calculus *c)
{
    return accepted >= 4 && Operator::setArg4(c);
}

void OperatorFrame::fail(const QString &text, bool resetLabels)
{
    saveTooltip(text);
    rows = 0;
    cols = 0;
    if (resetLabels) {
        sRows = QStringLiteral("NA");
        sCols = QStringLiteral("NA");
    }
    error = true;
}

void OperatorFrame::succeed(const QString &text, int r, int c, const QString &labelRows,
                            const QString &labelCols)
{
    saveTooltip(text);
    rows = r;
    cols = c;
    sRows = labelRows;
    sCols = labelCols;
}

bool OperatorFrame::requireOneShapePair()
{
    if (!arg1 || !arg2) {
        fail(QStringLiteral("Missing arguments"), true);
        return false;
    }
    if (isEmpty(arg1)) {
        fail(QStringLiteral("Argument error"), true);
        return false;
    }
    if (!sameShape(arg1, arg2)) {
        fail(QStringLiteral("ARG SIZE DIFFER"), true);
        return false;
    }
    return true;
}

int OperatorFrame::truncatedPosition(double v)
{
    if (!(std::fabs(v) < 2147483648.0))
        return 0;
    return int(std::trunc(v));
}
