#include "operators/operCEIL.h"

#include <cmath>

operCEIL::operCEIL(bool withDisplay) : OperatorFrame(1)
{
    const QString text = QStringLiteral("ceil values of the entries of the value, vector or matrix.");
    setUp(QStringLiteral("CEIL"), withDisplay, text, text);
}

void operCEIL::recompute()
{
    const Calculus *a = arg1;
    // CEIL keeps its size labels on every failure.
    if (!a) {
        fail(QStringLiteral("Missing argument"), false);
        return;
    }
    if (isEmpty(a)) {
        fail(QStringLiteral("Argument error"), false);
        return;
    }
    succeed(QStringLiteral("CEIL"), a->rows, a->cols, a->sRows, a->sCols);
    for (int i = 0; i < rows; ++i) {
        double *out = M[i].data();
        const double *in = a->M[i].constData();
        for (int j = 0; j < cols; ++j)
            out[j] = std::ceil(in[j]);
    }
}
