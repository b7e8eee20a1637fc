#include "invariants/invNLAPLACIAN.h"

#include "invariants/InvariantKit.h"

#include <cmath>

invNLAPLACIAN::invNLAPLACIAN(bool withDisplay)
{
    InvariantKit::describe(
        this, withDisplay, QStringLiteral("NLAPLACIAN"),
        QStringLiteral(
            R"(Normalized Laplacian matrix,$I-A'$, where $A'= \{a'_{ij} = frac{a_{ij}}{\sqrt{d_id_j}}\}$.)"),
        QStringLiteral(
            R"(Normalized Laplacian matrix, the laplacian matrix with each row and each column divided by its degree.)"),
        QStringLiteral("n"), QStringLiteral("n"));
    initDisplay(true);
}

invNLAPLACIAN::~invNLAPLACIAN() = default;

void invNLAPLACIAN::recompute()
{
    if (!graph) {
        setFailed();
        return;
    }
    quint32 adj[32];
    const int n = InvariantKit::readRows(graph, adj);
    error = false;
    rows = n;
    cols = n;
    double degree[32];
    for (int i = 0; i < n; ++i)
        degree[i] = InvariantKit::degree(adj, i);
    for (int i = 0; i < n; ++i) {
        double *r = M[i].data();
        for (int j = 0; j < n; ++j)
            r[j] = (adj[i] >> j) & 1u ? -1.0 / std::sqrt(degree[i] * degree[j]) : 0.0;
        r[i] = 1.0;
    }
}
