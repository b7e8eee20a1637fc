#include "operators/DistanceOperator.h"

#include <cmath>

void DistanceOperator::distance(const QString &keyword, Norm norm)
{
    if (!requireOneShapePair())
        return;
    const Calculus *a = arg1;
    const Calculus *b = arg2;
    double s = 0.0;
    for (int i = 0; i < a->rows; ++i)
        for (int j = 0; j < a->cols; ++j) {
            const double d = a->M[i][j] - b->M[i][j];
            s += norm == Norm::Euclidean ? d * d : std::fabs(d);
        }
    succeed(keyword, 1, 1, QStringLiteral("1"), QStringLiteral("1"));
    M[0][0] = norm == Norm::Euclidean ? std::sqrt(s) : s;
    // An unread argument 3 or 4 in error says nothing about this distance; an argument that is
    // read and in error does, so the result keeps that flag.
    error = a->error || b->error;
}
