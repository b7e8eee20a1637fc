#include "operators/operMIN.h"

#include <cmath>
#include <limits>

operMIN::operMIN(bool withDisplay)
{
    setUp(QStringLiteral("MIN"), withDisplay,
          QStringLiteral("Minimum value of a vector or matrix. Not to be confused with MMIN."),
          QStringLiteral("Minimum value of a vector or matrix.\n Not to be confused with MMIN."));
}

void operMIN::recompute()
{
    const Calculus *a = prepare(QStringLiteral("MIN"));
    if (!a)
        return;
    // Start from the first entry, not from a sentinel: every finite or infinite entry can be the
    // answer, however large its magnitude.
    double best = std::numeric_limits<double>::quiet_NaN();
    for (int i = 0; i < a->rows; ++i)
        for (int j = 0; j < a->cols; ++j) {
            const double v = a->M[i][j];
            if (v < best || (std::isnan(best) && !std::isnan(v)))
                best = v;
        }
    M[0][0] = best;
}
