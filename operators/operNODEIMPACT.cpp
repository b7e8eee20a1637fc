#include "operators/operNODEIMPACT.h"

#include "graph/Graph.h"

#include <QMutexLocker>

operNODEIMPACT::operNODEIMPACT(bool withDisplay) : OperatorFrame(1)
{
    const QString text =
        QStringLiteral("The impact on the value of the objective function of removing each vertex. "
                       "This operator provides a vector.");
    setUp(QStringLiteral("NODEIMPACT"), withDisplay, text, text);
}

// Recomputes, in stack order, the items up to argument 1; never this item or another of its kind,
// whose locks may be held. An argument outside the registry is recomputed on its own.
static void recomputeUpTo(const QString &keyword, Calculus *argument)
{
    bool reached = false;
    {
        QMutexLocker lock(&Calculus::c_mutex);
        for (Calculus *c : Calculus::vector_calculus) {
            if (c->name == keyword)
                break;
            c->compute(true);
            if (c == argument) {
                reached = true;
                break;
            }
        }
    }
    if (!reached)
        argument->compute(true);
}

void operNODEIMPACT::recompute()
{
    Calculus *a = arg1;
    if (!a) {
        fail(QStringLiteral("Missing argument"), true);
        return;
    }
    if (!isValue(a) || !graph) {
        fail(QStringLiteral("Argument error"), true);
        return;
    }
    const QString keyword = QStringLiteral("NODEIMPACT");
    const QString saved = graph->currentGraphData();
    const double base = a->getValue(1);
    const int n = graph->getNbNodes();
    succeed(keyword, n, 1, QStringLiteral("n"), QStringLiteral("1"));
    error = false;
    for (int k = 0; k < n; ++k) {
        graph->remNode(k);
        recomputeUpTo(keyword, a);
        M[k][0] = a->getValue(1) - base;
        const bool invalid = a->getError();
        graph->loadCurrentGraph(saved);
        if (invalid) {
            fail(QStringLiteral("Graph not valid"), true);
            break;
        }
    }
    recomputeUpTo(keyword, a);
}
