#include "operators/operMAX.h"

#include <cmath>
#include <limits>

operMAX::operMAX(bool withDisplay)
{
    setUp(QStringLiteral("MAX"), withDisplay,
          QStringLiteral("Maximum value over a vector or a matrix. Not to be confused with MMAX."),
          QStringLiteral("Maximum value over a vector or a matrix.\n Not to be confused with MMAX."));
}

void operMAX::recompute()
{
    const Calculus *a = prepare(QStringLiteral("MAX"));
    if (!a)
        return;
    // Start from the first entry, not from a sentinel: every finite or infinite entry can be the
    // answer, however large its magnitude.
    double best = std::numeric_limits<double>::quiet_NaN();
    for (int i = 0; i < a->rows; ++i)
        for (int j = 0; j < a->cols; ++j) {
            const double v = a->M[i][j];
            if (v > best || (std::isnan(best) && !std::isnan(v)))
                best = v;
        }
    M[0][0] = best;
}
