#include "operators/operSUM.h"

operSUM::operSUM(bool withDisplay)
{
    setUp(QStringLiteral("SUM"), withDisplay,
          QStringLiteral("Sum of the values in a vector or matrix. Not to be confused with + which adds "
                         "corresponding elements of different matrices."),
          QStringLiteral("Sum of the values in a vector or matrix.\n Not to be confused with + which adds "
                         "corresponding elements of different matrices."));
}

void operSUM::recompute()
{
    const Calculus *a = prepare(QStringLiteral("SUM"));
    if (!a)
        return;
    double s = 0.0;
    for (int i = 0; i < a->rows; ++i)
        for (int j = 0; j < a->cols; ++j)
            s += a->M[i][j];
    M[0][0] = s;
}
