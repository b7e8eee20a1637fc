#include "operators/operMOMENT.h"

#include "invariants/InvariantKit.h"
#include "problem/CalculusDisplay.h"

operMOMENT::operMOMENT(bool withDisplay) : OperatorFrame(1), weights(32, 0.0)
{
    setUp(
        QStringLiteral("MOMENT"), withDisplay,
        QStringLiteral("Inertia moment for each vertex, $\\sum_{v\\in V} d(u,v) w(v)$. Where d(u,v) is the "
                       "distance between vertex $u$ and $v$ and $w(v)$ is the weight of the vertex $v$ given "
                       "as vector argument (default=degree)."),
        QStringLiteral("Inertia moment for each vertex u.\n The sum of d(u,v) w(v).\n Where d(u,v) is the "
                       "distance between vertex u and v,\n and w(v) is the weight of the vertex v given as "
                       "vector argument (default=degree)."));
    if (display)
        display->enableInvertGraph(true);
    sRows = QStringLiteral("n");
    sCols = QStringLiteral("1");
}

void operMOMENT::recompute()
{
    quint32 adjacency[32];
    const int n = InvariantKit::readRows(graph, adjacency);
    const Calculus *a = arg1;
    // The weights come from the argument only when it fits; otherwise the degrees are used and an
    // argument in error has no say in the result. When its values are used, so is its error flag.
    const bool useArgument = a && a->cols == 1 && a->rows == n && n > 0;
    double *w = weights.data();
    for (int i = 0; i < n; ++i)
        w[i] = useArgument ? a->M[i][0] : double(InvariantKit::degree(adjacency, i));
    error = useArgument && a->error;

    // The distance table lives in the item's own n x n corner; row i is read before entry [i][0]
    // receives the moment of vertex i.
    if (!InvariantKit::allDistances(adjacency, n, M, InvariantKit::Unreached))
        error = true;
    for (int i = 0; i < n; ++i) {
        double m = 0.0;
        for (int j = 0; j < n; ++j)
            if (j != i)
                m += M[i][j] * w[j];
        M[i][0] = m;
    }
    rows = n;
    cols = 1;
}
