#include "invariants/InvariantKit.h"

#include "graph/Graph.h"
#include "problem/Calculus.h"

void InvariantKit::describe(Calculus *item, bool withDisplay, const QString &keyword, const QString &latex,
                            const QString &text, const QString &sRows, const QString &sCols)
{
    item->name = keyword;
    item->withDisplay = withDisplay;
    item->latexDef = latex;
    item->textDef = text;
    item->sRows = sRows;
    item->sCols = sCols;
}

int InvariantKit::readRows(Graph *g, quint32 *rows)
{
    if (!g) {
        for (int i = 0; i < 32; ++i)
            rows[i] = 0;
        return 0;
    }
    return g->adjacencyRows(rows);
}

int InvariantKit::order(Graph *g)
{
    return g ? g->getNbNodes() : 0;
}

quint32 InvariantKit::distancesFrom(const quint32 *rows, int n, int s, double *row, double unreached)
{
    for (int t = 0; t < n; ++t)
        row[t] = unreached;
    row[s] = 0.0;
    const quint32 all = allVertices(n);
    quint32 seen = 1u << s;
    quint32 frontier = seen;
    double d = 0.0;
    // Each round reaches at least one new vertex, so there are at most n rounds.
    while (frontier) {
        d += 1.0;
        quint32 next = 0;
        for (quint32 f = frontier; f; f &= f - 1)
            next |= rows[lowest(f)];
        next &= all & ~seen;
        seen |= next;
        for (quint32 x = next; x; x &= x - 1)
            row[lowest(x)] = d;
        frontier = next;
    }
    return seen;
}

bool InvariantKit::allDistances(const quint32 *rows, int n, QVector<QVector<double>> &m, double unreached)
{
    const quint32 all = allVertices(n);
    bool ok = true;
    for (int s = 0; s < n; ++s) {
        if (distancesFrom(rows, n, s, m[s].data(), unreached) != all)
            ok = false;
    }
    return ok;
}

void InvariantKit::eccentricitiesToFirstColumn(QVector<QVector<double>> &m, int n)
{
    for (int i = 0; i < n; ++i) {
        double *d = m[i].data();
        double e = 0.0;
        for (int j = 0; j < n; ++j)
            if (d[j] > e)
                e = d[j];
        d[0] = e;
    }
}
