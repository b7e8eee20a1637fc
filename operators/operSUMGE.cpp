#include "operators/operSUMGE.h"

operSUMGE::operSUMGE(bool withDisplay) : OperatorFrame(2)
{
    setUp(QStringLiteral("SUMGE"), withDisplay,
          QStringLiteral("Summation of the terms of a matrix that are greater than or equal to the second "
                         "argument. By default, the value of the second argument is 0."),
          QStringLiteral("Summation of the terms of a matrix that are greater than or equal to the second "
                         "argument.\n By default, the value of the second argument is 0."));
}

void operSUMGE::recompute()
{
    const Calculus *a = arg1;
    if (!a) {
        fail(QStringLiteral("Missing arguments"), true);
        return;
    }
    // The tolerance is folded into the threshold once.
    const double threshold = (!arg2 || isEmpty(arg2) ? 0.0 : arg2->M[0][0]) + -1e-6;
    succeed(QStringLiteral("SUMGE"), 1, 1, QStringLiteral("1"), QStringLiteral("1"));
    double sum = 0.0;
    for (int i = 0; i < a->rows; ++i)
        for (int j = 0; j < a->cols; ++j)
            if (a->M[i][j] >= threshold)
                sum += a->M[i][j];
    M[0][0] = sum;
}
