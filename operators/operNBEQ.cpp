#include "operators/operNBEQ.h"

#include <cmath>

operNBEQ::operNBEQ(bool withDisplay) : OperatorFrame(3)
{
    setUp(QStringLiteral("NBEQ"), withDisplay,
          QStringLiteral("Frequency of a given value in the vector or matrix provided as first argument "
                         "args=[matrix or vector,value (default=0),epsilon (default=1e-6)]."),
          QStringLiteral("Frequency of a given value in the vector or matrix provided as first argument. "
                         "Args=[matrix or vector,value (default=0),epsilon (default=1e-6)]."));
}

void operNBEQ::recompute()
{
    const Calculus *a = arg1;
    if (!a) {
        fail(QStringLiteral("Missing arguments"), true);
        return;
    }
    const double v = !arg2 || isEmpty(arg2) ? 0.0 : arg2->M[0][0];
    const double t = !arg3 || isEmpty(arg3) ? 1e-6 : arg3->M[0][0];
    succeed(QStringLiteral("NBEQ"), 1, 1, QStringLiteral("1"), QStringLiteral("1"));
    // An empty argument 1 counts nothing.
    double count = 0.0;
    for (int i = 0; i < a->rows; ++i)
        for (int j = 0; j < a->cols; ++j)
            if (t > std::fabs(a->M[i][j] - v))
                count += 1.0;
    M[0][0] = count;
}
