#include "operators/operIFGE.h"

operIFGE::operIFGE(bool withDisplay) : OperatorFrame(4)
{
    setUp(QStringLiteral("IFGE"), withDisplay,
          QStringLiteral("If the first argument is larger or equal to the second (term by term, of same "
                         "dimension). Returns the third value, vector or matrix. Otherwise the fourth value, "
                         "vector or matrix is returned."),
          QStringLiteral("If the first argument is larger or equal to the second (term by term, of same "
                         "dimension).\n returns the third value, vector or matrix.\n Otherwise the fourth "
                         "value, vector or matrix is returned."));
}

void operIFGE::recompute()
{
    const Calculus *a[4] = {arg1, arg2, arg3, arg4};
    for (const Calculus *x : a)
        if (!x) {
            fail(QStringLiteral("Missing arguments"), true);
            return;
        }
    for (const Calculus *x : a)
        if (isEmpty(x)) {
            fail(QStringLiteral("Argument error"), true);
            return;
        }
    // Every position of the alternatives needs a condition: conditions may be larger (their further
    // entries are not used), never smaller.
    if (!sameShape(a[0], a[1]) || !sameShape(a[2], a[3]) || a[0]->rows < a[2]->rows ||
        a[0]->cols < a[2]->cols) {
        fail(QStringLiteral("ARG SIZE ERROR"), true);
        return;
    }
    succeed(QStringLiteral("IFGE"), a[2]->rows, a[2]->cols, a[2]->sRows, a[2]->sCols);
    for (int i = 0; i < rows; ++i)
        for (int j = 0; j < cols; ++j)
            M[i][j] = a[0]->M[i][j] >= a[1]->M[i][j] + -1e-6 ? a[2]->M[i][j] : a[3]->M[i][j];
}
