#pragma once

#include "operators/OperatorFrame.h"

// Entry-by-entry combination of two to four arguments ("+", "-", ".*", "MMAX", "MMIN").
//
// A 1 x 1 value as argument 1 or 2 is combined with every entry of the other argument, which gives the
// result its shape; otherwise arguments 1 and 2 must have one shape. Arguments 3 and 4, when linked,
// are folded into the running result on every path and must have the result's shape: a linked
// argument is never silently left out.
class ElementwiseOperator : public OperatorFrame
{
protected:
    ElementwiseOperator() : OperatorFrame(4) {}

    // Op provides:
    //   static double combine(double x, double y): x the running (or shape-giving) entry, y the other;
    //   static double leftValue(double v, double y): argument 1 is the value v, y an entry of argument 2.
    // labelsOnPairFailure: whether the failures before the result's shape is known (missing argument,
    // empty argument 1, arguments 1 and 2 of different shapes) reset the size labels to "NA"; a
    // misfit argument 3 or 4 always does.
    // extrasOnEveryPath: arguments 3 and 4 are folded in also when argument 1 or 2 is a value ("+");
    // otherwise they are read on the equal-shape path only and ignored, even when linked, as soon as
    // one of the first two is a value.
    template <class Op>
    void combineArguments(const QString &keyword, bool labelsOnPairFailure, bool extrasOnEveryPath = false);
};

template <class Op>
void ElementwiseOperator::combineArguments(const QString &keyword, bool labelsOnPairFailure,
                                           bool extrasOnEveryPath)
{
    const Calculus *a = arg1;
    const Calculus *b = arg2;
    if (!a || !b) {
        fail(QStringLiteral("Missing arguments"), labelsOnPairFailure);
        return;
    }
    if (isEmpty(a)) {
        fail(QStringLiteral("Argument error"), labelsOnPairFailure);
        return;
    }
    // 0: argument 2 is a value; 1: argument 1 is a value; 2: one shape.
    int path;
    if (isValue(b))
        path = 0;
    else if (isValue(a))
        path = 1;
    else if (sameShape(a, b))
        path = 2;
    else {
        fail(QStringLiteral("ARG SIZE DIFFER"), labelsOnPairFailure);
        return;
    }
    const Calculus *shape = path == 1 ? b : a;
    const bool extras = extrasOnEveryPath || path == 2;
    const Calculus *c = extras ? arg3 : nullptr;
    const Calculus *d = extras ? arg4 : nullptr;
    if ((c && !sameShape(c, shape)) || (d && !sameShape(d, shape))) {
        fail(QStringLiteral("ARG SIZE DIFFER"), true);
        return;
    }

    succeed(keyword, shape->rows, shape->cols, shape->sRows, shape->sCols);
    // Row pointers: one detach check per row instead of one per entry.
    const int r = rows;
    const int k = cols;
    for (int i = 0; i < r; ++i) {
        double *out = M[i].data();
        if (path == 0) {
            const double *x = a->M[i].constData();
            const double v = b->M[0][0];
            for (int j = 0; j < k; ++j)
                out[j] = Op::combine(x[j], v);
        } else if (path == 1) {
            const double v = a->M[0][0];
            const double *y = b->M[i].constData();
            for (int j = 0; j < k; ++j)
                out[j] = Op::leftValue(v, y[j]);
        } else {
            const double *x = a->M[i].constData();
            const double *y = b->M[i].constData();
            for (int j = 0; j < k; ++j)
                out[j] = Op::combine(x[j], y[j]);
        }
        for (const Calculus *extra : {c, d}) {
            if (!extra)
                continue;
            const double *z = extra->M[i].constData();
            for (int j = 0; j < k; ++j)
                out[j] = Op::combine(out[j], z[j]);
        }
    }
}
