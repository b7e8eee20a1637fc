#include "invariants/invRANDIC.h"

#include "invariants/InvariantKit.h"

#include <cmath>

invRANDIC::invRANDIC(bool withDisplay)
{
    InvariantKit::describe(
        this, withDisplay, QStringLiteral("RANDIC"),
        QStringLiteral(
            R"(Randi\'c index, defined as $\chi = \sum_{(i,j)\in E}\frac{1}{\sqrt{\delta_i \delta_j}}$ where $\delta_i$ is the degree of the vertex $i$.)"),
        QStringLiteral(
            R"(Randic index = Sum{(i,j) in E} [1/sqrt(d(i) * d(j))] where d(i) is the degree of the vertex i.)"),
        QStringLiteral("1"), QStringLiteral("1"));
    initDisplay(true);
}

invRANDIC::~invRANDIC() = default;

void invRANDIC::recompute()
{
    if (!graph) {
        setFailed();
        return;
    }
    quint32 adj[32];
    const int n = InvariantKit::readRows(graph, adj);
    error = false;
    rows = 1;
    cols = 1;
    // The degrees go to column 0 first; rows 1 to n-1 keep them after the value is written,
    // which the per-vertex analyst report of the item shows.
    for (int i = 0; i < n; ++i)
        M[i][0] = InvariantKit::degree(adj, i);
    // 1/sqrt(d(i) d(j)) = w(d(i)) w(d(j)) with w(d) = 1/sqrt(d), taken from a table of the 32
    // possible degrees instead of a square root and a division per edge.
    static const struct Weights {
        double w[33];
        Weights()
        {
            w[0] = 0.0;
            for (int d = 1; d <= 32; ++d)
                w[d] = 1.0 / std::sqrt(double(d));
        }
    } table;
    double w[32];
    for (int i = 0; i < n; ++i)
        w[i] = table.w[InvariantKit::degree(adj, i)];
    double sum = 0.0;
    for (int i = 0; i < n; ++i) {
        double row = 0.0;
        for (quint32 x = adj[i] & ~InvariantKit::upTo(i); x; x &= x - 1)
            row += w[InvariantKit::lowest(x)];
        sum += w[i] * row;
    }
    M[0][0] = sum;
}
