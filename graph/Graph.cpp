#include "graph/Graph.h"

#include "dialogs/Prompt.h"
#include "graph/Edge.h"
#include "graph/GraphFile.h"
#include "graph/Node.h"
#include "graph/Random.h"

#include <QBrush>
#include <QFile>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QMutexLocker>
#include <QPainter>
#include <QPdfWriter>
#include <QPen>
#include <QPrinter>
#include <QSaveFile>
#include <QWheelEvent>

#include <cmath>

#include <cstring>
#include <iostream>
#include <istream>

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
void symmetricRows(const quint32 *cells, int n, quint32 *rows)
{
    const quint32 m = lowMask(n);
    int i = 0;
    for (; i < n; ++i)
        rows[i] = cells[i] & m & ~bit(i);
    for (; i < 32; ++i)
        rows[i] = 0u;
}

// A readable excerpt of refused input for the console.
QString excerpt(const QString &s)
{
    QString e = s.left(40);
    if (s.size() > 40)
        e += QStringLiteral("...");
    return e;
}

inline int pairCount(int n)
{
    return n * (n - 1) / 2;
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

// ---------------------------------------------------------------- graph strings

namespace
{

QString rowsToString(int n, const quint32 *rows)
{
    QString s = QString::number(n) + QLatin1Char(' ');
    if (n < 2)
        return s;
    s.reserve(s.size() + pairCount(n));
    for (int i = 1; i < n; ++i)
        for (int j = 0; j < i; ++j)
            s += (rows[i] & bit(j)) ? QLatin1Char('1') : QLatin1Char('0');
    return s;
}

} // namespace

QString Graph::graphData()
{
    QMutexLocker graphLock(&graphMutex);
    quint32 rows[MaxNodes];
    symmetricRows(best, bestOrder, rows);
    return rowsToString(bestOrder, rows);
}

QString Graph::currentGraphData()
{
    quint32 rows[MaxNodes];
    const int n = adjacencyRows(rows);
    return rowsToString(n, rows);
}

bool Graph::parseGraphString(const QString &s, Parsed &out, QString &error) const
{
    // White space around the string (a line end, a blank lost or added by an editor) is not part of it.
    const QString t = s.trimmed();
    if (t.isEmpty()) {
        error = QStringLiteral("the string is empty");
        return false;
    }
    const int blank = t.indexOf(QLatin1Char(' '));
    const QStringRef orderPart = blank < 0 ? t.midRef(0) : t.leftRef(blank);
    QStringRef bits;
    if (blank >= 0) {
        bits = t.midRef(blank + 1);
        const int next = bits.indexOf(QLatin1Char(' '));
        if (next >= 0)
            bits = bits.left(next);
    }

    int n = 0;
    if (!GraphFile::readOrder(orderPart.toString(), n, error))
        return false;
    const int need = pairCount(n);
    if (bits.size() < need) {
        error =
            QStringLiteral("order %1 needs %2 pair characters, found %3").arg(n).arg(need).arg(bits.size());
        return false;
    }
    for (int p = 0; p < need; ++p) {
        const QChar c = bits.at(p);
        if (c != QLatin1Char('0') && c != QLatin1Char('1')) {
            error = QStringLiteral("pair character %1 is \"%2\", not 0 or 1").arg(p + 1).arg(c);
            return false;
        }
    }

    out.n = n;
    std::memset(out.rows, 0, sizeof out.rows);
    int p = 0;
    for (int i = 1; i < n; ++i) {
        for (int j = 0; j < i; ++j, ++p) {
            if (bits.at(p) == QLatin1Char('1')) {
                out.rows[i] |= bit(j);
                out.rows[j] |= bit(i);
            }
        }
    }
    return true;
}

void Graph::refuse(const QString &what, const QString &error)
{
    const QString text = what + QStringLiteral(" refused: ") + error + QLatin1Char('.');
    std::cerr << text.toLocal8Bit().constData() << std::endl;
    emit signal_console(text, false, 0, QColor(Qt::red));
}

void Graph::applyParsed(const Parsed &p)
{
    {
        QMutexLocker adjLock(&adjMutex);
        std::memcpy(cur, p.rows, sizeof cur);
        order.store(p.n);
    }
    setExistence(p.n);
    newStamp();
}

void Graph::resetVertices(int n, bool backup)
{
    clear();
    if (backup)
        best_backup();
    for (int k = 0; k < n; ++k)
        addNode();
    if (backup)
        best_backup();
}

bool Graph::loadtsy(QString s, bool show)
{
    Parsed p;
    QString error;
    if (!parseGraphString(s, p, error)) {
        refuse(QStringLiteral("Graph string \"%1\"").arg(excerpt(s)), error);
        return false;
    }
    if (show)
        resetVertices(p.n, true);
    applyParsed(p);
    best_backup();
    if (show) {
        slot_unselect();
        emit signal_best_graph_changed();
    }
    return true;
}

bool Graph::loadCurrentGraph(QString s)
{
    Parsed p;
    QString error;
    if (!parseGraphString(s, p, error)) {
        refuse(QStringLiteral("Graph string \"%1\"").arg(excerpt(s)), error);
        return false;
    }
    applyParsed(p);
    return true;
}

// ---------------------------------------------------------------- graph6

bool Graph::parseGraph6(const QString &s, Parsed &out, QString &error) const
{
    // One length rule for both forms, measured without the line end: the stream form keeps one
    // character beyond the limit, so it sees every line that is too long as too long.
    int length = s.size();
    while (length > 0 && (s.at(length - 1) == QLatin1Char('\n') || s.at(length - 1) == QLatin1Char('\r')))
        --length;
    if (length > MaxGraph6Line) {
        error = QStringLiteral("the line is longer than %1 characters").arg(MaxGraph6Line);
        return false;
    }
    QString t = s.trimmed();
    static const QString header = QStringLiteral(">>graph6<<");
    if (t.startsWith(header))
        t = t.mid(header.size()).trimmed();
    if (t.isEmpty()) {
        error = QStringLiteral("the line holds no graph");
        return false;
    }
    for (int k = 0; k < t.size(); ++k) {
        const ushort c = t.at(k).unicode();
        if (c < 63 || c > 126) {
            error = QStringLiteral("character %1 (code %2) is outside the graph6 alphabet").arg(k + 1).arg(c);
            return false;
        }
    }
    const int n = t.at(0).unicode() - 63;
    if (n > MaxNodes) {
        error = n == 63 ? QStringLiteral("orders of 63 and more are above %1").arg(MaxNodes)
                        : QStringLiteral("the order %1 is above %2").arg(n).arg(MaxNodes);
        return false;
    }
    const int pairs = pairCount(n);
    const int need = (pairs + 5) / 6;
    if (t.size() - 1 < need) {
        error =
            QStringLiteral("order %1 needs %2 data characters, found %3").arg(n).arg(need).arg(t.size() - 1);
        return false;
    }

    out.n = n;
    std::memset(out.rows, 0, sizeof out.rows);
    int k = 0;
    for (int j = 1; j < n; ++j) {
        for (int i = 0; i < j; ++i, ++k) {
            const int value = t.at(1 + k / 6).unicode() - 63;
            if ((value >> (5 - k % 6)) & 1) {
                out.rows[i] |= bit(j);
                out.rows[j] |= bit(i);
            }
        }
    }
    return true;
}

bool Graph::loadg6(QString s, bool show)
{
    Parsed p;
    QString error;
    if (!parseGraph6(s, p, error)) {
        refuse(QStringLiteral("graph6 line \"%1\"").arg(excerpt(s)), error);
        return false;
    }
    if (show)
        resetVertices(p.n, true);
    applyParsed(p);
    return true;
}

bool Graph::loadg6(std::istream &in)
{
    // The whole line is consumed (the stream's length bounds the loop) and handed to the same
    // check as the string form; beyond the length limit one more character is kept, enough for
    // that check to refuse the line.
    std::string line;
    bool any = false;
    for (int c = in.get(); c != std::char_traits<char>::eof(); c = in.get()) {
        any = true;
        if (c == '\n')
            break;
        if (c == '\r') {
            if (in.peek() == '\n')
                in.get();
            break;
        }
        if (line.size() <= std::size_t(MaxGraph6Line))
            line.push_back(static_cast<char>(c));
    }
    if (!any)
        return false;
    const QString s = QString::fromLatin1(line.data(), static_cast<int>(line.size()));
    Parsed p;
    QString error;
    if (!parseGraph6(s, p, error)) {
        refuse(QStringLiteral("graph6 line \"%1\"").arg(excerpt(s)), error);
        return false;
    }
    resetVertices(p.n, false);
    applyParsed(p);
    return true;
}

// ---------------------------------------------------------------- drawing

void Graph::update_display()
{
    QMutexLocker graphLock(&graphMutex);
    QMutexLocker adjLock(&adjMutex);
    quint32 rows[MaxNodes];
    symmetricRows(best, bestOrder, rows);
    for (int i = 0; i < MaxNodes; ++i) {
        Node *node = nodes[i];
        const bool shown = i < bestOrder;
        node->setVisibleMark(shown);
        node->setExists(shown);
        node->updateVisible();
        for (int j = 0; j < i; ++j)
            edges[i][j]->resetVisible((rows[i] & bit(j)) != 0);
        node->updateVisible();
    }
}

void Graph::setViolated(bool v)
{
    if (v == violated)
        return;
    violated = v;
    if (!displayed)
        return;
    setBackgroundBrush(QBrush(v ? Qt::gray : Qt::white, Qt::SolidPattern));
    viewport()->update();
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

void Graph::slot_unselect()
{
    for (Node *node : qAsConst(nodes)) {
        node->setSelected(false);
        if (displayed)
            node->update();
    }
}

// ---------------------------------------------------------------- positions, labels, colours

namespace
{

// The position a vertex is drawn at: the item's own position on screen, the stored coordinates
// for a headless graph (whose items never get a scene position).
QPointF drawnPos(const Node *node)
{
    return node->isDisplayed() ? node->pos() : QPointF(node->getCoordX(), node->getCoordY());
}

} // namespace

void Graph::setPos(int k, QPointF p)
{
    if (k < 0 || k >= getNbNodes() || !std::isfinite(p.x()) || !std::isfinite(p.y()))
        return;
    nodes[k]->setPosition(p.x(), p.y());
}

void Graph::setPos(int k, double x, double y, double z)
{
    if (k < 0 || k >= getNbNodes() || !std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z))
        return;
    nodes[k]->setPosition(x, y, z);
}

void Graph::scaleCoords(double w, double h)
{
    const int n = bestOrder;
    if (n <= 0 || !std::isfinite(w) || !std::isfinite(h))
        return;
    double minX = nodes[0]->getCoordX();
    double maxX = minX;
    double minY = nodes[0]->getCoordY();
    double maxY = minY;
    for (int k = 1; k < n; ++k) {
        minX = std::min(minX, nodes[k]->getCoordX());
        maxX = std::max(maxX, nodes[k]->getCoordX());
        minY = std::min(minY, nodes[k]->getCoordY());
        maxY = std::max(maxY, nodes[k]->getCoordY());
    }
    if (maxX - minX < 0.1)
        maxX = minX + 10.0;
    if (maxY - minY < 0.1)
        maxY = minY + 10.0;
    for (int k = 0; k < n; ++k) {
        Node *v = nodes[k];
        v->setPosition((v->getCoordX() - minX) * w / (maxX - minX) - w / 2.0,
                       (v->getCoordY() - minY) * h / (maxY - minY) - h / 2.0);
    }
}

void Graph::setLabels(QVector<double> v)
{
    for (int i = 0; i < MaxNodes; ++i) {
        if (v.isEmpty())
            nodes[i]->setLabel(QString());
        else if (i < v.size())
            nodes[i]->setLabel(QString::number(v[i], 'g', 6));
        if (displayed)
            nodes[i]->update();
    }
}

void Graph::setELabels(QVector<QVector<double>> m, bool show)
{
    const int n = bestOrder;
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < i; ++j) {
            if (!edge(i, j))
                continue;
            // A matrix smaller than the graph labels nothing rather than reading past its end.
            const bool inside = i < m.size() && j < m[i].size();
            edges[i][j]->setLabel(show && inside ? QString::number(m[i][j], 'g', 6) : QString());
            if (displayed)
                edges[i][j]->update();
        }
    }
}

void Graph::setColors(QVector<double> v)
{
    for (int i = 0; i < MaxNodes; ++i) {
        if (v.isEmpty()) {
            nodes[i]->setColorIndex(0);
        } else if (i < v.size()) {
            // A value that is no number or too large for an index shows as the first colour.
            const double c = v[i];
            nodes[i]->setColorIndex(std::isfinite(c) && std::fabs(c) < 1e9 ? static_cast<int>(c) : 0);
        }
        if (displayed)
            nodes[i]->update();
    }
}

void Graph::resetLabels()
{
    setLabels(QVector<double>());
}

void Graph::resetColors()
{
    setColors(QVector<double>());
}

void Graph::hilight(int k)
{
    for (int i = 0; i < MaxNodes; ++i) {
        if (i == k)
            nodes[i]->hilight();
        else
            nodes[i]->unhilight();
        if (displayed)
            nodes[i]->update();
    }
    emit signal_hilight_node(k);
}

void Graph::center()
{
    const int n = bestOrder;
    if (n < 2)
        return;
    double mx = 0.0;
    double my = 0.0;
    double mz = 0.0;
    for (int k = 0; k < n; ++k) {
        const QPointF p = drawnPos(nodes[k]);
        mx += p.x();
        my += p.y();
        mz += nodes[k]->getCoordZ();
    }
    mx /= n;
    my /= n;
    mz /= n;
    for (int k = 0; k < n; ++k) {
        const QPointF p = drawnPos(nodes[k]);
        nodes[k]->setPosition(p.x() - mx, p.y() - my, nodes[k]->getCoordZ() - mz);
    }
}

void Graph::rotate(double a, double b, double c)
{
    center();
    const double ca = std::cos(a), sa = std::sin(a);
    const double cb = std::cos(b), sb = std::sin(b);
    const double cc = std::cos(c), sc = std::sin(c);
    for (int k = 0; k < bestOrder; ++k) {
        const QPointF p = drawnPos(nodes[k]);
        const double x = p.x();
        const double y = p.y();
        const double z = nodes[k]->getCoordZ();
        const double y1 = y * ca - z * sa;
        const double z1 = z * ca + y * sa;
        const double x2 = x * cb + z1 * sb;
        const double z2 = z1 * cb - x * sb;
        const double x3 = x2 * cc - y1 * sc;
        const double y3 = y1 * cc + x2 * sc;
        nodes[k]->setPosition(x3, y3, z2);
    }
}

void Graph::scaleView(double f)
{
    if (!std::isfinite(f) || f <= 0.0)
        return;
    const double w = transform().scale(f, f).mapRect(QRectF(0, 0, 1, 1)).width();
    if (w < 0.07 || w > 100.0)
        return;
    scale(f, f);
}

void Graph::wheelEvent(QWheelEvent *e)
{
    // The wheel only zooms: a notch away from the user (+120) halves the area, toward doubles it.
    scaleView(std::exp2(-e->angleDelta().y() / 240.0));
    e->accept();
}

void Graph::slot_set_node_radius(double r)
{
    if (!std::isfinite(r) || r <= 0.0)
        return;
    for (Node *node : qAsConst(nodes))
        node->setRadius(r);
}

void Graph::slot_setScalePos(int s)
{
    scalePos = s;
}

void Graph::slot_scalePosition()
{
    if (!displayed)
        return;
    const double h = scalePos / 2.0;
    QRectF box;
    for (int k = 0; k < MaxNodes; ++k) {
        const QPointF p = nodes[k]->pos();
        box = k == 0 ? QRectF(p, QSizeF(0, 0)) : box.united(QRectF(p, QSizeF(0, 0)));
    }
    // An axis on which every item sits at the same place has no extent to stretch: it goes to 0.
    const auto fit = [h](double v, double lo, double extent) {
        return extent > 1e-9 ? (v - lo) * 2.0 * h / extent - h : 0.0;
    };
    for (Node *node : qAsConst(nodes)) {
        const QPointF p = node->pos();
        node->QGraphicsItem::setPos(fit(p.x(), box.left(), box.width()), fit(p.y(), box.top(), box.height()));
    }
}

void Graph::slot_randomPosition()
{
    if (!displayed)
        return;
    for (int i = 0; i < MaxNodes; ++i) {
        const double t = i * 6.2831853 / MaxNodes;
        const double r = tsy_rand() * 150.0;
        nodes[i]->QGraphicsItem::setPos(r * std::sin(t), r * std::cos(t));
    }
}

void Graph::slot_print()
{
    QPrinter printer(QPrinter::HighResolution);
    if (!Prompt::current()->print(this, &printer))
        return;
    QPainter painter;
    if (!painter.begin(&printer)) {
        Prompt::current()->warning(this, QStringLiteral("Warning"), QStringLiteral("Failed to print graph."));
        return;
    }
    render(&painter, QRectF(), QRect(), Qt::KeepAspectRatio);
    painter.end();
}

bool Graph::printToFile(QString file)
{
    fileError.clear();
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly)) {
        fileError = QStringLiteral("cannot write %1: %2").arg(file, out.errorString());
        return false;
    }
    {
        QPdfWriter pdf(&out);
        pdf.setPageOrientation(QPageLayout::Landscape);
        pdf.setResolution(1200);
        QPainter painter;
        if (!painter.begin(&pdf)) {
            out.cancelWriting();
            fileError = QStringLiteral("cannot draw into %1").arg(file);
            return false;
        }
        render(&painter, QRectF(), QRect(), Qt::KeepAspectRatio);
        painter.end();
    }
    if (out.error() != QFileDevice::NoError || !out.flush() || !out.commit()) {
        fileError = QStringLiteral("cannot write %1: %2").arg(file, out.errorString());
        out.cancelWriting();
        return false;
    }
    return true;
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

// ---------------------------------------------------------------- graph files

QString Graph::autosavePath() const
{
    return workingDir.isEmpty() ? QStringLiteral(".tsygr") : workingDir + QStringLiteral("/.tsygr");
}

QByteArray Graph::fileText(bool withStamp, bool edgeList)
{
    GraphFile f;
    {
        QMutexLocker graphLock(&graphMutex);
        const int n = getNbNodes();
        f.order = n;
        f.stamp = getID();
        f.vertices.resize(n);
        for (int k = 0; k < n; ++k) {
            const QPointF p = drawnPos(nodes[k]);
            f.vertices[k] = GraphFile::Vertex{nodes[k]->nodeName(), p.x(), p.y()};
        }
        quint32 rows[MaxNodes];
        symmetricRows(best, bestOrder, rows);
        const quint32 m = lowMask(n);
        for (int i = 0; i < MaxNodes; ++i)
            f.rows[i] = i < n ? rows[i] & m : 0u;
    }
    return edgeList ? f.edgeListText() : f.graphText(withStamp);
}

bool Graph::writeFile(const QString &fileName, const QByteArray &text)
{
    fileError.clear();
    QSaveFile out(fileName);
    if (!out.open(QIODevice::WriteOnly)) {
        fileError = QStringLiteral("cannot write %1: %2").arg(fileName, out.errorString());
        return false;
    }
    // commit() alone can pass after a buffered write was cut short: check every step.
    if (out.write(text) != text.size() || !out.flush() || out.error() != QFileDevice::NoError) {
        fileError = QStringLiteral("cannot write %1: %2").arg(fileName, out.errorString());
        out.cancelWriting();
        return false;
    }
    if (!out.commit()) {
        fileError = QStringLiteral("cannot write %1: %2").arg(fileName, out.errorString());
        return false;
    }
    return true;
}

bool Graph::save(QString fileName)
{
    return writeFile(fileName, fileText(false, false));
}

bool Graph::export_graph(QString fileName)
{
    return writeFile(fileName, fileText(false, true));
}

bool Graph::autosave()
{
    if (writeFile(autosavePath(), fileText(true, false)))
        return true;
    emit signal_console(QStringLiteral("Graph autosave failed: ") + fileError, false, 1, QColor(Qt::red));
    return false;
}

bool Graph::readFile(const QString &fileName, bool withStamp, bool announce)
{
    fileError.clear();
    QFile in(fileName);
    if (!in.open(QIODevice::ReadOnly)) {
        fileError = QStringLiteral("cannot open %1: %2").arg(fileName, in.errorString());
        return false;
    }
    GraphFile f;
    QString error;
    const bool tooLarge = in.size() > GraphFile::MaxBytes;
    const QByteArray data = in.read(GraphFile::MaxBytes + 1);
    if (tooLarge || !GraphFile::parse(data, withStamp, f, error)) {
        if (tooLarge)
            error = QStringLiteral("the file is larger than %1 bytes").arg(GraphFile::MaxBytes);
        fileError = fileName + QStringLiteral(", ") + error;
        // The fixed line that scripts watching the error stream look for, then the details.
        std::cerr << "ERROR IN FILE FORMAT" << std::endl;
        refuse(QStringLiteral("Graph file"), fileError);
        return false;
    }

    if (announce)
        emit signal_console(QStringLiteral("Graph:") + QString::number(f.order), false, 1, QColor(Qt::gray));
    resetVertices(f.order, false);
    for (int k = 0; k < f.order; ++k) {
        nodes[k]->setNodeName(f.vertices[k].name);
        if (displayed)
            nodes[k]->setToolTip(f.vertices[k].name);
        nodes[k]->setPosition(f.vertices[k].x, f.vertices[k].y);
        nodes[k]->setSelected(false);
    }
    Parsed p;
    p.n = f.order;
    std::memcpy(p.rows, f.rows, sizeof p.rows);
    applyParsed(p);
    // The stored stamp named a state of another process: the loaded graph takes a fresh one.
    changeBest();
    update_display();
    return true;
}

bool Graph::open(QString fileName)
{
    return readFile(fileName, false, true);
}

bool Graph::autoload()
{
    return readFile(autosavePath(), true, false);
}

void Graph::slot_load_graph()
{
    const QString file = Prompt::current()->openFileName(this, QStringLiteral("Choose graph to load"),
                                                         workingDir, QStringLiteral("*.gtsy3"));
    if (file.isEmpty())
        return;
    if (!open(file))
        Prompt::current()->warning(this, QStringLiteral("Warning"),
                                   QStringLiteral("Failed to load graph.\n") + fileError);
    update_display();
}

void Graph::slot_save_graph()
{
    const QString file = Prompt::current()->saveFileName(this, QStringLiteral("Save graph as"), workingDir,
                                                         QStringLiteral("*.gtsy3"));
    if (file.isEmpty())
        return;
    if (!save(file))
        Prompt::current()->warning(this, QStringLiteral("Warning"),
                                   QStringLiteral("Failed to save graph.\n") + fileError);
}

void Graph::slot_export_graph()
{
    const QString file = Prompt::current()->saveFileName(this, QStringLiteral("Export graph as"), workingDir,
                                                         QStringLiteral("*.cg"));
    if (file.isEmpty())
        return;
    if (!export_graph(file))
        Prompt::current()->warning(this, QStringLiteral("Warning"),
                                   QStringLiteral("Failed to export graph.\n") + fileError);
}

// ---------------------------------------------------------------- hand editing

void Graph::publishEdit()
{
    newStamp();
    best_backup();
    emit signal_best_graph_changed();
    update_display();
}

QPointF Graph::pointerScenePos() const
{
    return displayed ? mapToScene(mousePos) : QPointF(mousePos);
}

void Graph::addAtPointer(int mode)
{
    const QPointF p = pointerScenePos();
    const int k = getNbNodes();
    if (k >= MaxNodes)
        return;
    {
        QMutexLocker adjLock(&adjMutex);
        cur[k] = 0;
        for (int i = 0; i < MaxNodes; ++i)
            cur[i] &= ~bit(k);
        order.store(k + 1);
    }
    setExistence(k + 1);
    nodes[k]->setSelected(mode == 0);
    nodes[k]->setPosition(p.x(), p.y(), 0.0);
    for (int u = 0; u < k; ++u) {
        if (nodes[u]->isSelected())
            addEdge(u, k);
        else
            remEdge(u, k);
    }
    if (mode == 2) {
        for (Node *node : qAsConst(nodes))
            node->setSelected(false);
        nodes[k]->setSelected(true);
    }
    if (displayed)
        for (Node *node : qAsConst(nodes))
            node->update();
    publishEdit();
}

void Graph::addK()
{
    addAtPointer(0);
}

void Graph::addBip()
{
    addAtPointer(1);
}

void Graph::addTail()
{
    addAtPointer(2);
}

void Graph::slot_set_add_k()
{
    addMode = 0;
}

void Graph::slot_set_add_bip()
{
    addMode = 1;
}

void Graph::slot_set_add_tail()
{
    addMode = 2;
}

void Graph::slot_invert_select()
{
    for (Node *node : qAsConst(nodes)) {
        node->toggleSelected();
        if (displayed)
            node->update();
    }
}

namespace
{
// The selected vertices below n, in index order.
QVector<int> selectedBelow(const QVector<Node *> &nodes, int n)
{
    QVector<int> s;
    for (int k = 0; k < n; ++k)
        if (nodes[k]->isSelected())
            s.append(k);
    return s;
}
} // namespace

void Graph::slot_adde()
{
    const QVector<int> s = selectedBelow(nodes, getNbNodes());
    for (int a = 0; a < s.size(); ++a)
        for (int b = a + 1; b < s.size(); ++b)
            addEdge(s[a], s[b]);
    publishEdit();
}

void Graph::slot_reme()
{
    const QVector<int> s = selectedBelow(nodes, getNbNodes());
    for (int a = 0; a < s.size(); ++a)
        for (int b = a + 1; b < s.size(); ++b)
            remEdge(s[a], s[b]);
    publishEdit();
}

void Graph::slot_complement()
{
    const QVector<int> s = selectedBelow(nodes, getNbNodes());
    for (int a = 0; a < s.size(); ++a) {
        for (int b = a + 1; b < s.size(); ++b) {
            if (edge(s[a], s[b]))
                remEdge(s[a], s[b]);
            else
                addEdge(s[a], s[b]);
        }
    }
    publishEdit();
}

void Graph::slot_addv()
{
    addNode();
    publishEdit();
}

namespace
{
// The vertex in slot a takes over what the user sees of the vertex in slot b and back: name,
// position, depth, label, colour, selection and highlight. The items stay in their slots, so
// every edge item keeps its two ends and its place in the incident lists.
void swapVertexLook(Node *a, Node *b)
{
    const QString name = a->nodeName(), label = a->getLabel();
    const QPointF pos = drawnPos(a);
    const double z = a->getCoordZ();
    const int colour = a->getColorIndex();
    const bool selected = a->isSelected(), high = a->isHighlighted();
    const QPointF posB = drawnPos(b);

    a->setNodeName(b->nodeName());
    a->setLabel(b->getLabel());
    a->setPosition(posB.x(), posB.y(), b->getCoordZ());
    a->setColorIndex(b->getColorIndex());
    a->setSelected(b->isSelected());
    b->isHighlighted() ? a->hilight() : a->unhilight();

    b->setNodeName(name);
    b->setLabel(label);
    b->setPosition(pos.x(), pos.y(), z);
    b->setColorIndex(colour);
    b->setSelected(selected);
    high ? b->hilight() : b->unhilight();
    if (a->isDisplayed()) {
        a->setToolTip(a->nodeName());
        b->setToolTip(b->nodeName());
    }
}
} // namespace

void Graph::slot_remv()
{
    best_restore();
    {
        QMutexLocker adjLock(&adjMutex);
        int n = getNbNodes();
        // Downwards, so the vertex moved into slot k has been passed already.
        for (int k = n - 1; k >= 0; --k) {
            if (!nodes[k]->isSelected())
                continue;
            const int last = n - 1;
            cur[k] = 0;
            for (int i = 0; i < MaxNodes; ++i)
                cur[i] &= ~bit(k);
            if (k != last) {
                cur[k] = cur[last];
                for (int i = 0; i < MaxNodes; ++i)
                    if (cur[i] & bit(last))
                        cur[i] |= bit(k);
                swapVertexLook(nodes[k], nodes[last]);
            }
            cur[last] = 0;
            for (int i = 0; i < MaxNodes; ++i)
                cur[i] &= ~bit(last);
            cur[k] &= ~bit(k);
            // The deleted vertex's item now waits beyond the order; a vertex added there later
            // must not come back selected.
            nodes[last]->setSelected(false);
            --n;
            order.store(n);
        }
    }
    setExistence(getNbNodes());
    publishEdit();
}

void Graph::mousePressEvent(QMouseEvent *e)
{
    mousePos = e->pos();
    bandActive = true;
    pressPoint = mapToScene(e->pos());
    Node *found = nullptr;
    if (graphScene) {
        const QList<QGraphicsItem *> hit = graphScene->items(pressPoint);
        for (QGraphicsItem *item : hit) {
            for (Node *node : qAsConst(nodes))
                if (item == node && node->getVisible() && node->isVisible())
                    found = node;
        }
    }
    Node::setNodeUnderMouse(found);
    dragged = false;
    if (found) {
        bandActive = false;
    } else if (selectionBand) {
        selectionBand->setRect(QRectF(pressPoint, QSizeF(0, 0)));
        selectionBand->show();
    }
    e->accept();
}

void Graph::mouseMoveEvent(QMouseEvent *e)
{
    mousePos = e->pos();
    const QPointF q = mapToScene(mousePos);
    if (bandActive && selectionBand && graphScene) {
        const QRectF band = QRectF(pressPoint, q).normalized();
        selectionBand->setRect(band);
        // The band only adds to the selection.
        const QList<QGraphicsItem *> inside = graphScene->items(band, Qt::IntersectsItemShape);
        for (Node *node : qAsConst(nodes)) {
            if (node->getVisible() && inside.contains(node) && !node->isSelected()) {
                node->setSelected(true);
                node->update();
            }
        }
    }
    Node *pressed = Node::nodeUnderMouse();
    if (pressed && pressed->getGraph() == this) {
        pressed->setPosition(q.x(), q.y(), 0.0);
        dragged = true;
    }
    update_display();
    e->accept();
}

void Graph::mouseReleaseEvent(QMouseEvent *e)
{
    Node *pressed = Node::nodeUnderMouse();
    if (!bandActive && pressed && pressed->getGraph() == this && !dragged) {
        pressed->toggleSelected();
        pressed->update();
    }
    dragged = false;
    bandActive = false;
    if (selectionBand)
        selectionBand->hide();
    Node::setNodeUnderMouse(nullptr);
    e->accept();
}

void Graph::mouseDoubleClickEvent(QMouseEvent *e)
{
    mousePos = e->pos();
    switch (addMode) {
    case 0:
        addK();
        break;
    case 1:
        addBip();
        break;
    case 2:
        addTail();
        break;
    default:
        break;
    }
    e->accept();
}

void Graph::keyPressEvent(QKeyEvent *e)
{
    // Every key starts from the graph on the screen.
    best_restore();
    constexpr double step = 0.04908738515625;
    switch (e->key()) {
    case Qt::Key_Minus:
        scaleView(1.0 / 1.1);
        break;
    case Qt::Key_Alt:
        altDown = true;
        break;
    case Qt::Key_Plus:
        scaleView(1.1);
        break;
    case Qt::Key_Right:
        altDown ? rotate(0, 0, step) : rotate(0, step, 0);
        break;
    case Qt::Key_Left:
        altDown ? rotate(0, 0, -step) : rotate(0, -step, 0);
        break;
    case Qt::Key_Up:
        rotate(step, 0, 0);
        break;
    case Qt::Key_Down:
        rotate(-step, 0, 0);
        break;
    case Qt::Key_R:
        emit signal_start_vns();
        break;
    case Qt::Key_H:
        emit signal_stop_vns();
        break;
    case Qt::Key_Space:
        emit signal_load_next();
        break;
    case Qt::Key_U:
        slot_unselect();
        break;
    case Qt::Key_Backspace:
        slot_reme();
        break;
    case Qt::Key_A:
        slot_adde();
        break;
    case Qt::Key_D:
        slot_remv();
        break;
    case Qt::Key_N:
        slot_addv();
        break;
    case Qt::Key_T:
        addTail();
        break;
    case Qt::Key_B:
        addBip();
        break;
    case Qt::Key_K:
        addK();
        break;
    case Qt::Key_I:
        slot_invert_select();
        break;
    case Qt::Key_C:
        slot_complement();
        break;
    case Qt::Key_M:
        emit signal_place_graph();
        break;
    case Qt::Key_P:
        slot_print();
        break;
    default:
        break;
    }
    update_display();
    e->accept();
}

void Graph::keyReleaseEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Alt)
        altDown = false;
    e->accept();
}
