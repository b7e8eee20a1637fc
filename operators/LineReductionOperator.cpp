#include "operators/LineReductionOperator.h"

#include <cmath>
#include <limits>

void LineReductionOperator::reduceLines(const QString &keyword, Line line, Reduce reduce)
{
    const Calculus *a = arg1;
    if (!a) {
        fail(QStringLiteral("Missing arguments"), true);
        return;
    }
    if (isEmpty(a)) {
        fail(QStringLiteral("Argument error"), true);
        return;
    }
    const bool byRow = line == Line::Row;
    if (byRow)
        succeed(keyword, a->rows, 1, a->sRows, QStringLiteral("1"));
    else
        succeed(keyword, 1, a->cols, QStringLiteral("1"), a->sCols);
    const int lines = byRow ? a->rows : a->cols;
    const int length = byRow ? a->cols : a->rows;
    for (int l = 0; l < lines; ++l) {
        double acc = reduce == Reduce::Sum ? 0.0 : std::numeric_limits<double>::quiet_NaN();
        for (int k = 0; k < length; ++k) {
            const double v = byRow ? a->M[l][k] : a->M[k][l];
            if (reduce == Reduce::Sum)
                acc += v;
            else if (v > acc || (std::isnan(acc) && !std::isnan(v)))
                acc = v;
        }
        if (byRow)
            M[l][0] = acc;
        else
            M[0][l] = acc;
    }
}
