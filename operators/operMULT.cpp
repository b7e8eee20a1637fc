#include "operators/operMULT.h"

operMULT::operMULT(bool withDisplay) : OperatorFrame(4)
{
    setUp(QStringLiteral("*"), withDisplay,
          QStringLiteral(
              "Matrix or vector multiplication. A matrix or vector may also be multiplied by a value."),
          QStringLiteral(
              "Matrix or vector multiplication.\n A matrix or vector may also be multiplied by a value."));
}

void operMULT::recompute()
{
    const Calculus *a = arg1;
    const Calculus *b = arg2;
    if (!a || !b) {
        fail(QStringLiteral("Missing arguments"), true);
        return;
    }
    if (isEmpty(a)) {
        fail(QStringLiteral("Argument error"), true);
        return;
    }
    const QString keyword = QStringLiteral("*");
    if (isValue(b)) {
        succeed(keyword, a->rows, a->cols, a->sRows, a->sCols);
        const double v = b->M[0][0];
        mapEntries(a, [v](double x) { return x * v; });
        return;
    }
    if (isValue(a)) {
        // An empty argument 2 gives an empty product; its own failure already flags this item.
        succeed(keyword, b->rows, b->cols, b->sRows, b->sCols);
        const double v = a->M[0][0];
        mapEntries(b, [v](double y) { return y * v; });
        return;
    }
    if (a->cols != b->rows) {
        fail(QStringLiteral("ARG SIZE DIFFER"), true);
        return;
    }
    const int m = a->cols;
    succeed(keyword, a->rows, b->cols, a->sRows, b->sCols);
    for (int i = 0; i < rows; ++i) {
        const double *x = a->M[i].constData();
        double *out = M[i].data();
        for (int j = 0; j < cols; ++j) {
            double s = 0.0;
            for (int k = 0; k < m; ++k)
                s += x[k] * b->M[k][j];
            out[j] = s;
        }
    }
}
