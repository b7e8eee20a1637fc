#include "graph/Graph.h"

#include "graph/Edge.h"
#include "graph/Node.h"
#include "graph/Random.h"

#include <QBrush>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QMutexLocker>
#include <QPen>

#include <cstring>
#include <iostream>
#include <istream>

namespace
{

// Every stamp of every graph comes from here, so no two states ever share one.
std::atomic<quint32> stampCounter{0};

int nextStamp()
{
    return static_cast<int>(stampCounter.fetch_add(1, std::memory_order_relaxed) + 1u);
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

// In place: bit j of a[i] moves to bit i of a[j]. Block swaps of 16, 8, 4, 2 and 1 bits.
void transpose32(quint32 *a)
{
    quint32 m = 0x0000ffffu;
    for (int j = 16; j != 0; j >>= 1, m ^= (m << j)) {
        for (int k = 0; k < 32; k = ((k | j) + 1) & ~j) {
            const quint32 t = ((a[k] >> j) ^ a[k | j]) & m;
            a[k] ^= t << j;
            a[k | j] ^= t;
        }
    }
}

// rows := the symmetric adjacency below n (a pair is an edge when either cell is set), no diagonal.
void symmetricRows(const quint32 *cells, int n, bool oneSided, quint32 *rows)
{
    const quint32 m = lowMask(n);
    if (!oneSided) {
        for (int i = 0; i < 32; ++i)
            rows[i] = i < n ? cells[i] & m & ~bit(i) : 0u;
        return;
    }
    quint32 t[32];
    std::memcpy(t, cells, sizeof t);
    transpose32(t);
    for (int i = 0; i < 32; ++i)
        rows[i] = i < n ? (cells[i] | t[i]) & m & ~bit(i) : 0u;
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
    backupStamp = getID() - 1;

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
    symmetricRows(cur, n, curOneSided, rows);
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
    cur[i] ^= bit(j);
    curOneSided = curOneSided || i != j;
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
        curOneSided = false;
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
        curOneSided = false;
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
    bestOneSided = curOneSided;
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
    curOneSided = bestOneSided;
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
    symmetricRows(best, bestOrder, bestOneSided, rows);
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

    bool negative = false;
    QStringRef digits = orderPart;
    if (digits.startsWith(QLatin1Char('-'))) {
        negative = true;
        digits = digits.mid(1);
    }
    bool allDigits = !digits.isEmpty();
    for (QChar c : digits)
        allDigits = allDigits && c >= QLatin1Char('0') && c <= QLatin1Char('9');
    if (!allDigits) {
        error = QStringLiteral("the order \"%1\" is not a number").arg(excerpt(orderPart.toString()));
        return false;
    }
    if (negative) {
        error = QStringLiteral("the order %1 is negative").arg(excerpt(orderPart.toString()));
        return false;
    }
    // More than a few digits can only be too large; this also keeps the conversion from overflowing.
    const int n = digits.size() > 3 ? MaxNodes + 1 : digits.toInt();
    if (n > MaxNodes) {
        error = QStringLiteral("the order %1 is above %2").arg(excerpt(digits.toString())).arg(MaxNodes);
        return false;
    }
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
        curOneSided = false;
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
    // Longest line kept; a well-formed line of this model is under 100 characters, the rest of a
    // longer line is consumed and ignored like any surplus character.
    constexpr std::size_t keep = 4096;
    // A stream that never ends its line is not read forever.
    constexpr std::size_t limit = std::size_t(1) << 20;
    std::string line;
    bool any = false;
    std::size_t consumed = 0;
    bool tooLong = false;
    for (int c = in.get(); c != std::char_traits<char>::eof(); c = in.get()) {
        any = true;
        if (c == '\n')
            break;
        if (c == '\r') {
            if (in.peek() == '\n')
                in.get();
            break;
        }
        if (line.size() < keep)
            line.push_back(static_cast<char>(c));
        if (++consumed >= limit) {
            tooLong = true;
            break;
        }
    }
    if (!any)
        return false;
    const QString s = QString::fromLatin1(line.data(), static_cast<int>(line.size()));
    if (tooLong) {
        refuse(QStringLiteral("graph6 line \"%1\"").arg(excerpt(s)),
               QStringLiteral("no line end within %1 bytes").arg(limit));
        return false;
    }
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
    symmetricRows(best, bestOrder, bestOneSided, rows);
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
