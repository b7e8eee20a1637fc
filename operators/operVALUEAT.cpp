#include "operators/operVALUEAT.h"

operVALUEAT::operVALUEAT(bool withDisplay) : OperatorFrame(2)
{
    setUp(QStringLiteral("VALUE AT"), withDisplay,
          QStringLiteral("Value at the position $i$ from the vector provided as first argument, $i$ being "
                         "provided as second argument."),
          QStringLiteral(
              "Value at the position i from the vector provided as first argument,\n i being provided "
              "as second argument."));
}

void operVALUEAT::recompute()
{
    const Calculus *a = arg1;
    Calculus *b = arg2;
    if (!a || !b) {
        fail(QStringLiteral("Missing arguments"), true);
        return;
    }
    if (isEmpty(a)) {
        fail(QStringLiteral("Argument error"), true);
        return;
    }
    if (!isVector(a)) {
        fail(QStringLiteral("The first argument should be a vector"), true);
        return;
    }
    if (!isValue(b)) {
        fail(QStringLiteral("The second argument should be a number"), true);
        return;
    }
    if (isValue(a)) {
        fail(QStringLiteral("Argument 1 should be a vector"), true);
        return;
    }
    const int i = truncatedPosition(b->getValue(1));
    const bool row = a->rows == 1;
    const int length = row ? a->cols : a->rows;
    if (i < 1 || i > length) {
        fail(QStringLiteral("Index out of bounds"), true);
        return;
    }
    const double v = row ? a->M[0][i - 1] : a->M[i - 1][0];
    succeed(QStringLiteral("VECTOR VALUE AT"), 1, 1, QStringLiteral("1"), QStringLiteral("1"));
    M[0][0] = v;
}
