#pragma once

// Small helpers shared by the files that implement Graph (Graph.cpp, GraphText.cpp, GraphView.cpp,
// GraphEditing.cpp); not part of the graph's interface.

#include "graph/Node.h"

#include <QPointF>
#include <QString>
#include <QtGlobal>

namespace GraphInternal
{

// The bits of the columns below n.
inline quint32 lowMask(int n)
{
    return n >= 32 ? 0xffffffffu : (1u << n) - 1u;
}

inline quint32 bit(int j)
{
    return 1u << j;
}

// rows := the adjacency below n without the diagonal (every writer keeps both cells of a pair equal).
inline void symmetricRows(const quint32 *cells, int n, quint32 *rows)
{
    const quint32 m = lowMask(n);
    int i = 0;
    for (; i < n; ++i)
        rows[i] = cells[i] & m & ~bit(i);
    for (; i < 32; ++i)
        rows[i] = 0u;
}

inline int pairCount(int n)
{
    return n * (n - 1) / 2;
}

// The position a vertex is drawn at: the item's own position on screen, the stored coordinates
// for a headless graph (whose items never get a scene position).
inline QPointF drawnPos(const Node *node)
{
    return node->isDisplayed() ? node->pos() : QPointF(node->getCoordX(), node->getCoordY());
}

} // namespace GraphInternal
