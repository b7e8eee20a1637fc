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
    // The item refuses its result when an entry lies below -1e-6, and also when it is already in
    // error because an argument is: a root taken from a failed argument is not offered as a result.
    bool refused = error;
    for (int i = 0; i < a->rows && !refused; ++i)
        for (int j = 0; j < a->cols; ++j)
            if (a->M[i][j] < -1e-6) {
                refused = true;
                break;
            }
    if (refused) {
        fail(QStringLiteral("SQRT needs non negative arguments."), true);
        return;
    }
    succeed(QStringLiteral("SQRT"), a->rows, a->cols, a->sRows, a->sCols);
    mapEntries(a, [](double x) { return x < 1e-6 ? 0.0 : std::sqrt(x); });
}
