#include "operators/operCOL.h"

operCOL::operCOL(bool withDisplay) : OperatorFrame(2)
{
    setUp(
        QStringLiteral("COLUMN"), withDisplay,
        QStringLiteral("Selection of a column in a matrix. The second argument indicates the number of the "
                       "column to select. The output is a column vector."),
        QStringLiteral("Selection of a column in a matrix.\n The second argument indicates the number of the "
                       "column to select.\n The output is a column vector."));
}

void operCOL::recompute()
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
    if (!isValue(b)) {
        fail(QStringLiteral("The second argument should be a number"), true);
        return;
    }
    const int c = truncatedPosition(b->getValue(1));
    if (c < 1 || c > a->cols) {
        fail(QStringLiteral("Invalid column number"), true);
        return;
    }
    succeed(QStringLiteral("COLUMN"), a->rows, 1, a->sRows, QStringLiteral("1"));
    for (int i = 0; i < rows; ++i)
        M[i][0] = a->M[i][c - 1];
}
