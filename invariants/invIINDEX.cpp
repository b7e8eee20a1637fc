#include "invariants/invIINDEX.h"

#include "invariants/InvariantKit.h"

invIINDEX::invIINDEX(bool withDisplay)
{
    InvariantKit::describe(this, withDisplay, QStringLiteral("IINDEX"),
                           QStringLiteral(R"(I-Index for identifying actors between communities.)"),
                           QStringLiteral("n"), QStringLiteral("1"));
    initDisplay(true);
}

invIINDEX::~invIINDEX() = default;

void invIINDEX::recompute()
{
    if (!loadForSplits())
        return;
    const int n = frame.order();
    const quint32 *adj = frame.rows();
    // The score of a pair of neighbours does not depend on the vertex they share: score each pair
    // with a common neighbour once.
    double score[32][32];
    for (int i = 0; i < n; ++i) {
        for (int j = i + 1; j < n; ++j) {
            if (adj[i] & adj[j]) {
                double a, b, c;
                frame.split(i, j, a, b, c);
                score[i][j] = a * b / c;
            }
        }
    }
    for (int v = 0; v < n; ++v) {
        double value = 0.0;
        for (quint32 x = adj[v]; x; x &= x - 1) {
            const int i = InvariantKit::lowest(x);
            for (quint32 y = adj[v] & ~InvariantKit::upTo(i); y; y &= y - 1)
                value += score[i][InvariantKit::lowest(y)];
        }
        M[v][0] = value;
    }
    cols = 1;
}
