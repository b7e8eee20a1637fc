#pragma once

#include "problem/Operator.h"

#include <QString>

// Shared shape of the operator items: the construction steps, the arity (argument slots above the
// accepted count are refused, so the board can never link them) and the helpers of the recompute
// frame (failure epilogue, success prologue, shape tests).
//
// Every recompute checks the shapes of the arguments it needs before it reads a single entry, and
// writes its result in place into the 32 x 32 grid M without allocating.
class OperatorFrame : public Operator
{
public:
    // Arguments 1..acceptedArguments (1 to 4) are accepted, the others refused.
    int acceptedArguments() const { return accepted; }

    bool setLink2(Link *l) override;
    bool setLink3(Link *l) override;
    bool setLink4(Link *l) override;
    bool setArg2(Calculus *c) override;
    bool setArg3(Calculus *c) override;
    bool setArg4(Calculus *c) override;

protected:
    explicit OperatorFrame(int acceptedArguments);

    // Keyword, display flag, board set-up of a displayed item, then both descriptions.
    void setUp(const QString &keyword, bool display, const QString &latexText, const QString &plainText);

    // The failure epilogue: status text, a 0 x 0 result, the error flag set; the size labels become
    // "NA" only when resetLabels. The entries of M are left as they are.
    void fail(const QString &text, bool resetLabels);
    // A successful result of r x c with its status text and size labels.
    void succeed(const QString &text, int r, int c, const QString &labelRows, const QString &labelCols);

    // Arguments 1 and 2 present, argument 1 not empty and both of one shape (no value is broadcast,
    // a row never meets a column); otherwise the failure epilogue and false.
    bool requireOneShapePair();

    // Writes f(entry) of argument a into the result, over the result's current rows x cols.
    template <class F> void mapEntries(const Calculus *a, F f)
    {
        for (int i = 0; i < rows; ++i) {
            double *out = M[i].data();
            const double *in = a->M[i].constData();
            for (int j = 0; j < cols; ++j)
                out[j] = f(in[j]);
        }
    }

    // A position typed as a number, truncated toward zero; a NaN or a value beyond the int range
    // gives 0, which no 1-based position accepts.
    static int truncatedPosition(double v);

    // A vector: one row or one column (a single value included).
    static bool isVector(const Calculus *c) { return c->rows == 1 || c->cols == 1; }
    static bool isValue(const Calculus *c) { return c->rows == 1 && c->cols == 1; }
    static bool isEmpty(const Calculus *c) { return c->rows == 0 || c->cols == 0; }
    static bool sameShape(const Calculus *a, const Calculus *b)
    {
        return a->rows == b->rows && a->cols == b->cols;
    }

private:
    int accepted;
};
