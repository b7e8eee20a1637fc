#include "operators/ReductionOperator.h"

const Calculus *ReductionOperator::prepare(const QString &keyword)
{
    const Calculus *a = arg1;
    if (!a) {
        fail(QStringLiteral("Missing arguments"), true);
        return nullptr;
    }
    if (isEmpty(a)) {
        fail(QStringLiteral("Argument error"), true);
        return nullptr;
    }
    succeed(keyword, 1, 1, QStringLiteral("1"), QStringLiteral("1"));
    return a;
}
