// Graph: the adjacency model, the change stamps and the best graph with its backup and restore.
#include "graph/Graph.h"

#include "graph/Edge.h"
#include "graph/GraphInternal.h"
#include "graph/Node.h"
#include "graph/Random.h"

#include <QBrush>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QMutexLocker>
#include <QPainter>
#include <QPen>

#include <cstring>
#include <iostream>

using namespace GraphInternal;

namespace
{

// Every stamp of every graph comes from here, so no two states ever share one. Each thread takes
// the stamps in blocks: search workers editing their own graphs then touch the shared counter
// once per block instead of once per edit. 64 bits never wrap, so a stamp is never reused.
std::atomic<qint64> stampCounter{0};
constexpr qint64 StampBlock = 4096;

qint64 nextStamp()
{
    thread_local qint64 next = 0;
    thread_local qint64 end = 0;
    if (next == end) {
        next = stampCounter.fetch_add(StampBlock, std::memory_order_relaxed) + 1;
        end = next + StampBlock;
    }
    return next++;
}

} // namespace

Graph::Graph(QString name, bool displayed)
    : QGraphicsView(static_cast<QWidget *>(nullptr)), name(name), displayed(displayed)
{
    std::memset(cur, 0, sizeof cur);
    std::memset(best, 0, sizeof best);

    if (displayed) {
        graphScene = new QGraphicsScene(this);
        selectionBand = new QGraphicsRectItem();
        selectionBand->setBrush(QBrush(Qt::yellow, Qt::SolidPattern));
        selectionBand->setPen(QPen(Qt::red));
        selectionBand->setZValue(1000.0);
        selectionBand->setOpacity(0.5);
        selectionBand->hide();
        graphScene->addItem(selectionBand);
        setScene(graphScene);
        setContextMenuPolicy(Qt::CustomContextMenu);
        setCacheMode(QGraphicsView::CacheBackground);
        setRenderHint(QPainter::Antialiasing, true);
        setBackgroundBrush(QBrush(Qt::white, Qt::SolidPattern));
        setMouseTracking(true);
    }

    {
        QMutexLocker graphLock(&graphMutex);
        QMutexLocker adjLock(&adjMutex);
        nodes.resize(MaxNodes);
        edges = QVector<QVector<Edge *>>(MaxNodes, QVector<Edge *>(MaxNodes, nullptr));
        for (int k = 0; k < MaxNodes; ++k) {
            const double x = (tsy_qrand() % 2000) / 10.0;
            const double y = (tsy_qrand() % 2000) / 10.0;
            Node *node =
                new Node(x, y, 10.0, 10.0, QStringLiteral("Node ") + QString::number(k + 1), this, displayed);
            nodes[k] = node;
            if (displayed)
                graphScene->addItem(node);
            for (int j = 0; j < k; ++j) {
                Edge *e = new Edge(node, nodes[j]);
                edges[k][j] = e;
                edges[j][k] = e;
                if (displayed)
                    graphScene->addItem(e);
                e->resetVisible(false);
                node->addENeighbor(e);
                nodes[j]->addENeighbor(e);
            }
        }
    }

    stamp.store(nextStamp());
    backupStamp = nextStamp();

    randomGraph(10);
    best_backup();
    update_display();
    setViolated(false);
}

Graph::~Graph()
{
    // Edge items first (each once), then the vertex items; the scene goes with the view.
    for (int i = 0; i < edges.size(); ++i)
        for (int j = 0; j < i; ++j)
            delete edges[i][j];
    qDeleteAll(nodes);
}

void Graph::newStamp()
{
    stamp.store(nextStamp(), std::memory_order_relaxed);
}

bool Graph::edge(int i, int j)
{
    const int n = getNbNodes();
    if (i < 0 || j < 0 || i >= n || j >= n || i == j)
        return false;
    QMutexLocker adjLock(&adjMutex);
    return ((cur[i] >> j) | (cur[j] >> i)) & 1u;
}

int Graph::getNbEdges()
{
    quint32 rows[MaxNodes];
    adjacencyRows(rows);
    int twice = 0;
    for (quint32 r : rows)
        twice += qPopulationCount(r);
    return twice / 2;
}

int Graph::adjacencyRows(quint32 *rows)
{
    QMutexLocker adjLock(&adjMutex);
    const int n = getNbNodes();
    symmetricRows(cur, n, rows);
    return n;
}

bool Graph::addEdge(int i, int j)
{
    newStamp();
    const int n = getNbNodes();
    if (i < 0 || j < 0 || i >= n || j >= n || i == j)
        return false;
    QMutexLocker adjLock(&adjMutex);
    cur[i] |= bit(j);
    cur[j] |= bit(i);
    return true;
}

bool Graph::remEdge(int i, int j)
{
    if (i < 0 || j < 0 || i >= MaxNodes || j >= MaxNodes)
        return false;
    newStamp();
    QMutexLocker adjLock(&adjMutex);
    const bool was = ((cur[i] >> j) | (cur[j] >> i)) & 1u;
    cur[i] &= ~bit(j);
    cur[j] &= ~bit(i);
    return was;
}

void Graph::toggleEdge(int i, int j)
{
    if (i < 0 || j < 0 || i >= MaxNodes || j >= MaxNodes)
        return;
    QMutexLocker adjLock(&adjMutex);
    if (i == j)
        return;
    cur[i] ^= bit(j);
    cur[j] ^= bit(i);
}

void Graph::setExistence(int n)
{
    for (int k = 0; k < MaxNodes; ++k)
        nodes[k]->setExists(k < n);
}

bool Graph::addNode()
{
    const int n = getNbNodes();
    if (n >= MaxNodes)
        return false;
    {
        // A cell left over from an earlier, larger graph must not become an edge of the new vertex.
        QMutexLocker adjLock(&adjMutex);
        cur[n] = 0;
        for (int i = 0; i < MaxNodes; ++i)
            cur[i] &= ~bit(n);
        order.store(n + 1);
    }
    if (displayed) {
        const QPointF p = mapToScene(mousePos);
        nodes[n]->setPosition(p.x(), p.y());
    } else {
        nodes[n]->setPosition(mousePos.x(), mousePos.y());
    }
    setExistence(n + 1);
    newStamp();
    update_display();
    return true;
}

bool Graph::remNode()
{
    const int n = getNbNodes();
    if (n <= 0)
        return false;
    {
        QMutexLocker adjLock(&adjMutex);
        const int m = n - 1;
        cur[m] = 0;
        for (int i = 0; i < MaxNodes; ++i)
            cur[i] &= ~bit(m);
        order.store(m);
    }
    setExistence(n - 1);
    newStamp();
    update_display();
    return true;
}

bool Graph::remNode(int k)
{
    const int n = getNbNodes();
    if (k < 0 || k >= n)
        return false;
    const int m = n - 1;
    {
        QMutexLocker adjLock(&adjMutex);
        if (m != k) {
            // The last vertex takes over slot k; cell [k][k] keeps its value.
            for (int b = 0; b < m; ++b) {
                if (b == k)
                    continue;
                if (cur[m] & bit(b))
                    cur[k] |= bit(b);
                else
                    cur[k] &= ~bit(b);
                if (cur[b] & bit(m))
                    cur[b] |= bit(k);
                else
                    cur[b] &= ~bit(k);
            }
        }
        cur[m] = 0;
        for (int i = 0; i < MaxNodes; ++i)
            cur[i] &= ~bit(m);
        order.store(m);
    }
    setExistence(m);
    newStamp();
    update_display();
    return true;
}

void Graph::clear()
{
    {
        QMutexLocker adjLock(&adjMutex);
        std::memset(cur, 0, sizeof cur);
        order.store(0);
    }
    setExistence(0);
    newStamp();
}

void Graph::randomGraph(int n)
{
    // Orders the model cannot hold end at the nearest one it can.
    n = qBound(0, n, static_cast<int>(MaxNodes));
    clear();
    while (getNbNodes() < n)
        addNode();
    {
        QMutexLocker adjLock(&adjMutex);
        for (int i = 0; i < n; ++i) {
            for (int j = i + 1; j < n; ++j) {
                if (is_odd(tsy_qrand())) {
                    cur[i] |= bit(j);
                    cur[j] |= bit(i);
                } else {
                    cur[i] &= ~bit(j);
                    cur[j] &= ~bit(i);
                }
            }
        }
    }
    newStamp();
}

void Graph::invert()
{
    QMutexLocker adjLock(&adjMutex);
    const int n = getNbNodes();
    const quint32 m = lowMask(n);
    // Every cell below the order flips once, the diagonal too (no reader sees it).
    for (int i = 0; i < n; ++i)
        cur[i] ^= m;
}

void Graph::shuffle()
{
    const int n = getNbNodes();
    if (n < 2)
        return;
    QMutexLocker adjLock(&adjMutex);
    for (int i = 0; i < n; ++i) {
        int r = tsy_qrand() % (n - 1);
        if (r == i)
            r = n - 1;
        std::swap(cur[i], cur[r]);
        for (int row = 0; row < n; ++row) {
            const quint32 w = cur[row];
            if (((w >> i) ^ (w >> r)) & 1u)
                cur[row] = w ^ (bit(i) | bit(r));
        }
    }
    // The relabelled graph has the same invariants but not the same vertex vectors: a value
    // cached per vertex must not survive it.
    newStamp();
}

void Graph::copy(Graph *g)
{
    if (g == nullptr)
        return;
    // The source is read under its own lock only, so two graphs copying each other never deadlock,
    // and copying a graph onto itself is harmless.
    quint32 rows[MaxNodes];
    const int n = g->adjacencyRows(rows);
    {
        QMutexLocker adjLock(&adjMutex);
        std::memcpy(cur, rows, sizeof cur);
        order.store(n);
    }
    setExistence(n);
    newStamp();
}

Graph *Graph::clone()
{
    Graph *c = new Graph(QStringLiteral("Clone"), false);
    c->copy(this);
    return c;
}

bool Graph::bestEdge(int i, int j)
{
    QMutexLocker graphLock(&graphMutex);
    if (i < 0 || j < 0 || i >= bestOrder || j >= bestOrder || i == j)
        return false;
    return ((best[i] >> j) | (best[j] >> i)) & 1u;
}

void Graph::best_backup()
{
    QMutexLocker graphLock(&graphMutex);
    QMutexLocker adjLock(&adjMutex);
    const int n = getNbNodes();
    const quint32 m = lowMask(n);
    for (int i = 0; i < MaxNodes; ++i)
        best[i] = i < n ? cur[i] & m : 0u;
    bestOrder = n;
    for (int k = 0; k < MaxNodes; ++k) {
        nodes[k]->setExists(k < n);
        nodes[k]->setVisibleMark(k < n);
    }
    backupStamp = getID();
}

void Graph::best_restore()
{
    QMutexLocker graphLock(&graphMutex);
    QMutexLocker adjLock(&adjMutex);
    stamp.store(backupStamp);
    std::memcpy(cur, best, sizeof cur);
    order.store(bestOrder);
    setExistence(bestOrder);
}

void Graph::changeBest()
{
    newStamp();
    best_backup();
    emit signal_best_graph_changed();
}

void Graph::lock()
{
    graphMutex.lock();
}

void Graph::unlock()
{
    graphMutex.unlock();
}

Node *Graph::getNode(int k) const
{
    return k >= 0 && k < nodes.size() ? nodes[k] : nullptr;
}

Edge *Graph::getEdge(int i, int j) const
{
    if (i < 0 || j < 0 || i >= MaxNodes || j >= MaxNodes || i == j)
        return nullptr;
    return edges[i][j];
}

void Graph::display()
{
    QMutexLocker graphLock(&graphMutex);
    const int n = getNbNodes();
    std::cerr << "ID = " << getID() << std::endl;
    const auto dump = [n](const quint32 *cells) {
        for (int i = 0; i < n; ++i) {
            for (int j = 0; j < n; ++j)
                std::cerr << ((cells[i] >> j) & 1u) << " ";
            std::cerr << std::endl;
        }
    };
    std::cerr << "--best graph--" << std::endl;
    dump(best);
    std::cerr << "--cur graph--" << std::endl;
    {
        QMutexLocker adjLock(&adjMutex);
        dump(cur);
    }
    std::cerr << "-------" << std::endl;
}
