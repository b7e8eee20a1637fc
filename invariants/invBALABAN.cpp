#include "invariants/invBALABAN.h"

#include "invariants/InvariantKit.h"

#include <cmath>

invBALABAN::invBALABAN(bool withDisplay)
{
    InvariantKit::describe(
        this, withDisplay, QStringLiteral("BALABAN"),
        QStringLiteral(
            R"(Balaban index, defined as $\frac{m}{m-n+2} \sum_{(i,j)\in E}\frac{1}{\sqrt{t_i t_j}}$ where $t_i$ is the transmission of the vertex $i$, $m$ the number of edges and $n$ the number of vertices.)"),
        QStringLiteral(
            R"(Balaban index, defined as J = m/(m-n+2) Sum{(i,j) in E} [1/sqrt(ti * tj)] where ti is the transmission of the vertex i, m the number of edges and n the number of vertices.)"),
        QStringLiteral("1"), QStringLiteral("1"));
    initDisplay(true);
}

invBALABAN::~invBALABAN() = default;

void invBALABAN::recompute()
{
    if (!graph) {
        setFailed();
        return;
    }
    quint32 adj[32];
    const int n = InvariantKit::readRows(graph, adj);
    error = false;
    int m = 0;
    for (int i = 0; i < n; ++i)
        m += InvariantKit::degree(adj, i);
    m /= 2;
    rows = 1;
    cols = 1;
    if (!InvariantKit::allDistances(adj, n, M, InvariantKit::Unreached)) {
        setFailed();
        return;
    }
    // Transmissions on the diagonal; the distances are whole numbers, so the sums are exact.
    for (int u = 0; u < n; ++u) {
        double *d = M[u].data();
        int t = 0;
        for (int k = 0; k < n; ++k)
            if (k != u)
                t += int(d[k]);
        d[u] = t;
    }
    double sum = 0.0;
    for (int u = 0; u < n; ++u) {
        for (quint32 x = adj[u] & ~InvariantKit::upTo(u); x; x &= x - 1) {
            const int v = InvariantKit::lowest(x);
            sum += 1.0 / std::sqrt(M[u][u] * M[v][v]);
        }
    }
    M[0][0] = sum * (double(m) / double(m - n + 2));
}
