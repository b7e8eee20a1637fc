#include "operators/operRANDICTYPE.h"

#include "invariants/InvariantKit.h"

#include <cmath>

operRANDICTYPE::operRANDICTYPE(bool withDisplay) : OperatorFrame(1)
{
    setUp(QStringLiteral("RANDICTYPE"), withDisplay,
          QStringLiteral("Randic type construction of a matrix from a vector $v$ by computing "
                         "$\\frac{1}{\\sqrt{v_i v_j}}\\quad \\forall (i,j)\\in E$."),
          QStringLiteral("Randic type construction of a matrix from a vector v by computing "
                         "$\\frac{1}{\\sqrt{v_i v_j}}\\quad \\forall (i,j)\\in E$."));
}

void operRANDICTYPE::recompute()
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
    if (!isVector(a) || isValue(a)) {
        fail(QStringLiteral("RANDICTYPE needs a vector as argument"), true);
        return;
    }
    quint32 adjacency[32];
    const int n = InvariantKit::readRows(graph, adjacency);
    const bool column = a->cols == 1;
    // Every vertex needs its entry; further entries are not used.
    if ((column ? a->rows : a->cols) < n) {
        fail(QStringLiteral("RANDICTYPE needs a vector with an entry for each vertex"), true);
        return;
    }
    succeed(QStringLiteral("RandicType invariant 1/sqrt(i)sqrt(j)"), n, n, QStringLiteral("n"),
            QStringLiteral("n"));
    for (int i = 0; i < n; ++i) {
        const double vi = column ? a->M[i][0] : a->M[0][i];
        for (int j = 0; j < n; ++j) {
            const double vj = column ? a->M[j][0] : a->M[0][j];
            M[i][j] = (adjacency[i] & (1u << j)) ? 1.0 / std::sqrt(vi * vj) : 0.0;
        }
    }
}
