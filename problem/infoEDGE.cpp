#include "problem/infoEDGE.h"

#include "graph/Graph.h"

infoEDGE::infoEDGE(const QString &keyword, bool withDisplay) : InfoItem(keyword, withDisplay) {}

bool infoEDGE::copiedShape(int &r, int &c, QString &reason) const
{
    const int n = graph ? graph->getNbNodes() : 0;
    if (arg1->cols != n || arg1->rows != n) {
        reason = QStringLiteral("Argument should be a matrix n x n");
        return false;
    }
    r = n;
    c = n;
    return true;
}
