#include "operators/operSQRT.h"

#include <cmath>

operSQRT::operSQRT(bool withDisplay) : OperatorFrame(1)
{
    const QString text = QStringLiteral("Term by term square root.");
    setUp(QStringLiteral("SQRT"), withDisplay, text, text);
}

void operSQRT::recompute()
{
    const Calculus *a = arg1;
    if (!a) {
        fail(QStringLiteral("Missing argument"), true);
        return;
    }
    if (isEmpty(a)) {
        fail(QStringLiteral("Argument error"), true);
        return;
    }
    // Only a negative entry earns the message below; an argument in error still yields the roots of
    // what it holds, flagged like the result of any other operator.
    for (int i = 0; i < a->rows; ++i)
        for (int j = 0; j < a->cols; ++j)
            if (a->M[i][j] < -1e-6) {
                fail(QStringLiteral("SQRT needs non negative arguments."), true);
                return;
            }
    succeed(QStringLiteral("SQRT"), a->rows, a->cols, a->sRows, a->sCols);
    mapEntries(a, [](double x) { return x < 1e-6 ? 0.0 : std::sqrt(x); });
}
