#pragma once

#include <QColor>
#include <QGraphicsView>
#include <QMutex>
#include <QPoint>
#include <QString>
#include <QVector>

#include <atomic>
#include <iosfwd>

class Node;
class Edge;
class QGraphicsRectItem;

// One simple undirected graph of at most 32 vertices, and the view that draws it.
//
// A Graph holds two graphs on the same 32 vertex slots: the current graph, on which every edit
// and every reader works, and the best graph, the snapshot taken by best_backup(), which is what
// is drawn, saved and written by graphData().
//
// Threads: Graph is a QGraphicsView, so every Graph (displayed or headless) is constructed and
// destroyed on the GUI thread; clone() constructs one too. A headless graph (displayed = false)
// creates no scene and calls no widget method after construction, so a worker thread may then own
// and use it. A graph and the problem evaluated on it belong to one thread at a time; the two
// mutexes only make single operations safe against a concurrent reader.
//
// Change stamps come from one process-wide counter and are never handed out twice, so a stamp
// names one state of one graph and is a safe cache key across graphs.
class Graph : public QGraphicsView
{
    Q_OBJECT

public:
    static constexpr int MaxNodes = 32;

    Graph(QString name, bool displayed);
    ~Graph() override;

    // ---- reading the current graph ----
    int getNbNodes() const { return order.load(std::memory_order_relaxed); }
    // True when 0 <= i, j < order, i != j and the pair is an edge; false otherwise.
    bool edge(int i, int j);
    // Number of edges among the vertices below the order.
    int getNbEdges();
    // Copies the current adjacency into rows[0..31] under one lock: bit j of rows[i] is set when
    // edge(i, j) holds; the diagonal and every row and column at or beyond the order are zero.
    // Returns the order.
    int adjacencyRows(quint32 *rows);
    // The change stamp: differs whenever the current graph may have changed.
    int getID() const { return stamp.load(std::memory_order_relaxed); }

    // ---- editing the current graph ----
    // Adds {i, j} when both lie below the order and differ (true also when it was there).
    // Takes a fresh stamp on every call, also when it refuses.
    bool addEdge(int i, int j);
    // Clears {i, j} for 0 <= i, j <= 31; true when the pair was an edge. Takes a fresh stamp
    // on every call inside 0..31.
    bool remEdge(int i, int j);
    // Flips cell [i][j] only (not [j][i]); nothing outside 0..31. The stamp is not moved.
    void toggleEdge(int i, int j);
    // Adds an isolated vertex (its row and column are cleared); false at 32 vertices.
    bool addNode();
    // Removes the last vertex and its edges; false at order 0.
    bool remNode();
    // Removes vertex k: the last vertex moves into slot k. False unless 0 <= k < order.
    bool remNode(int k);
    // Order 0, no edges.
    void clear();
    // A random graph on n vertices (n clamped to 0..32), each pair an edge with probability 1/2.
    void randomGraph(int n);
    // Complement of the current graph; the stamp is deliberately kept, so that an item
    // computed on the complement can invert before and after without invalidating the others.
    void invert();
    // Random relabelling of the current graph; stamp, best graph and items untouched.
    void shuffle();
    // Makes the current graph a copy of g's current graph (the best graph is untouched).
    void copy(Graph *g);
    // A new headless graph named "Clone" holding this current graph; the caller owns it.
    // Call on the GUI thread (it constructs a view).
    Graph *clone();

    // ---- the best graph ----
    // As edge(), on the best graph and the best order.
    bool bestEdge(int i, int j);
    // best graph := current graph; backup stamp := change stamp.
    void best_backup();
    // current graph := best graph; change stamp := backup stamp.
    void best_restore();
    // Fresh stamp, best_backup(), then signal_best_graph_changed().
    void changeBest();
    void lock();
    void unlock();

    // ---- graph strings: "n" blank then n(n-1)/2 bits, pairs (1,0),(2,0),(2,1),(3,0),... ----
    QString graphData();        // the best graph
    QString currentGraphData(); // the current graph
    // Replaces the current and the best graph by the graph of s. With show, the vertices are
    // reset through addNode(), the selection is cleared and signal_best_graph_changed() is
    // emitted. A malformed string is refused (false, message on the console), the graph unchanged.
    bool loadtsy(QString s, bool show);
    // Replaces the current graph only; false (graph unchanged) for a malformed string.
    bool loadCurrentGraph(QString s);

    // ---- graph6 input (orders 0..32) ----
    // Reads one graph6 line (a ">>graph6<<" header and surrounding white space, CR and LF
    // allowed) into the current graph. With show, the vertices are reset first and the best
    // graph becomes the order's isolated vertices. False (graph unchanged) for a bad line.
    bool loadg6(QString s, bool show);
    // Reads the next line of the stream in the same way (vertices reset, no backup). The whole
    // line is consumed, also when it is refused. False at the end of the stream.
    bool loadg6(std::istream &in);

    // ---- drawing, as far as the model needs it ----
    // Shows the best graph: vertex i when i < best order, edge {i, j} when the best graph has it.
    void update_display();
    // Grey background for a best graph that violates the problem's constraints.
    void setViolated(bool v);
    bool isViolated() const { return violated; }

    bool isDisplayed() const { return displayed; }
    QString getName() const { return name; }
    // Vertex item k (0..31), or null outside.
    Node *getNode(int k) const;
    // The edge item of the pair {i, j} (0..31, i != j), or null.
    Edge *getEdge(int i, int j) const;

public slots:
    // Clears the selected state of every vertex item and repaints.
    void slot_unselect();

signals:
    void signal_start_vns();
    void signal_stop_vns();
    void coordschanged();
    void signal_best_graph_changed();
    void signal_set_edit_mode(bool);
    void signal_console(QString text, bool debug, int level, QColor colour);
    void signal_hilight_node(int);
    void signal_place_graph();
    void signal_load_next();

private:
    // The checked content of a graph string or graph6 line: order and row masks.
    struct Parsed {
        int n = 0;
        quint32 rows[MaxNodes] = {};
    };
    bool parseGraphString(const QString &s, Parsed &out, QString &error) const;
    bool parseGraph6(const QString &s, Parsed &out, QString &error) const;
    // Order, existence marks and current cells from p (cells beyond the order cleared),
    // with a fresh stamp.
    void applyParsed(const Parsed &p);
    // Empties the graph and adds n vertices through addNode() (the vertex reset of the readers);
    // with backup, the best graph becomes those isolated vertices.
    void resetVertices(int n, bool backup);
    void setExistence(int n);
    void refuse(const QString &what, const QString &error);
    void newStamp();

    QGraphicsScene *graphScene = nullptr;
    QVector<Node *> nodes;
    QVector<QVector<Edge *>> edges;
    // Adjacency as row bit masks: bit j of cur[i] is cell [i][j]. Cells at and beyond the order
    // are kept clear; the diagonal may be set by invert() but is never read.
    quint32 cur[MaxNodes];
    quint32 best[MaxNodes];
    // Only toggleEdge() can set one cell of a pair without the other; until it does, the rows are
    // symmetric and readers skip the transposition.
    bool curOneSided = false;
    bool bestOneSided = false;
    QString name;
    int addMode = 0;
    bool altDown = false;
    int scalePos = 0;
    std::atomic<int> stamp{0};
    int backupStamp = 0;
    int refreshTimer = 0;
    int refreshPeriod = 200;
    int animTimer = 0;
    int animPeriod = 500;
    bool displayed;
    bool violated = false;
    QMutex graphMutex;
    QMutex adjMutex;
    std::atomic<int> order{0};
    int bestOrder = 0;
    QPoint mousePos;
    QString workingDir;
    bool bandActive = false;
    QPointF pressPoint;
    QGraphicsRectItem *selectionBand = nullptr;
    bool dragged = false;
};
