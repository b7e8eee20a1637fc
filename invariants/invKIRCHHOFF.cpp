#include "invariants/invKIRCHHOFF.h"

#include "invariants/InvariantKit.h"

invKIRCHHOFF::invKIRCHHOFF(bool withDisplay)
{
    InvariantKit::describe(
        this, withDisplay, QStringLiteral("KIRCHHOFF"),
        QStringLiteral(
            R"(KIRCHHOFF index defined as $n\sum_{k=1}^{n-1}\frac{1}{\mu_k}$, where $\mu_k$ is the $k^{th}$ eigenvalue of the laplacian matrix of $G$.)"),
        QStringLiteral("1"), QStringLiteral("1"));
    initDisplay(true);
}

invKIRCHHOFF::~invKIRCHHOFF() = default;

void invKIRCHHOFF::recompute()
{
    error = false;
    if (!graph) {
        setFailed();
        return;
    }
    saveTooltip(QStringLiteral("Kirchhoff"));
    quint32 adj[32];
    const int n = InvariantKit::readRows(graph, adj);
    if (n < 3) {
        setFailed();
        return;
    }
    // The Laplacian goes into the n x n block; the shape changes only on success.
    for (int i = 0; i < n; ++i) {
        double *r = M[i].data();
        for (int j = 0; j < n; ++j)
            r[j] = (adj[i] >> j) & 1u ? -1.0 : 0.0;
        r[i] = InvariantKit::degree(adj, i);
    }
    if (!spectrum.compute(M, n)) {
        // Without a spectrum there is no value; say so instead of reporting a number.
        saveTooltip(QStringLiteral("Kirchhoff: ") + spectrum.errorText());
        setFailed();
        return;
    }
    const double *mu = spectrum.data(); // decreasing; mu[n - 1] is the eigenvalue 0
    if (mu[n - 2] < 1e-6) {
        // a second eigenvalue 0: the graph is disconnected
        setFailed();
        return;
    }
    double sum = 0.0;
    for (int k = 0; k <= n - 2; ++k)
        sum += 1.0 / mu[k];
    M[0][0] = n * sum;
    rows = 1;
    cols = 1;
}
