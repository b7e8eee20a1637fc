#pragma once

#include <QByteArray>
#include <QColor>
#include <QGraphicsView>
#include <QMutex>
#include <QPoint>
#include <QPointF>
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
// Change stamps (64-bit) come from one process-wide counter, in blocks per thread, and are never
// handed out twice, so a stamp names one state of one graph and is a safe cache key across graphs.
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
    qint64 getID() const { return stamp.load(std::memory_order_relaxed); }

    // ---- editing the current graph ----
    // Adds {i, j} when both lie below the order and differ (true also when it was there).
    // Takes a fresh stamp on every call, also when it refuses.
    bool addEdge(int i, int j);
    // Clears {i, j} for 0 <= i, j <= 31; true when the pair was an edge. Takes a fresh stamp
    // on every call inside 0..31.
    bool remEdge(int i, int j);
    // Flips the pair {i, j} (both cells, so the complement of invert() stays right); nothing for
    // i == j or outside 0..31. The stamp is not moved.
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
    // Random relabelling of the current graph with a fresh stamp; best graph and items untouched.
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
    // emitted. Every string is some graph: a first part that is no number is order 0, missing or
    // other pair characters than "1" are non-edges, the rest is ignored. Only an order outside
    // 0..32 is refused (false, message on the console), the graph unchanged.
    bool loadtsy(QString s, bool show);
    // Replaces the current graph only, read as loadtsy() reads; false (graph unchanged) for an
    // order outside 0..32.
    bool loadCurrentGraph(QString s);

    // ---- graph6 input (orders 0..32) ----
    // Longest graph6 line read, without its line end; longer lines are refused by both forms.
    static constexpr int MaxGraph6Line = 1 << 20;
    // Reads one graph6 line (a ">>graph6<<" header and surrounding white space, CR and LF
    // allowed) into the current graph. With show, the vertices are reset first and the best
    // graph becomes the order's isolated vertices. False (graph unchanged) for a bad line.
    bool loadg6(QString s, bool show);
    // Reads the next line of the stream (ended by LF, CR or CR LF) and checks it exactly as the
    // string form does (vertices reset, no backup). The whole line is consumed, also when it is
    // refused. False at the end of the stream.
    bool loadg6(std::istream &in);

    // ---- drawing, as far as the model needs it ----
    // Shows the best graph: vertex i when i < best order, edge {i, j} when the best graph has it.
    void update_display();
    // Grey background for a best graph that violates the problem's constraints.
    void setViolated(bool v);
    bool isViolated() const { return violated; }

    // Vertex item k (0 <= k < current order) gets the position (x, y), depth 0, or (x, y, z);
    // other indices and positions that are not finite are ignored.
    void setPos(int k, QPointF p);
    void setPos(int k, double x, double y, double z);
    // Fits the shown vertices into a w x h box centred on the origin (depth 0). An extent below
    // 0.1 on an axis counts as 10, so a drawing on one line is not blown up.
    void scaleCoords(double w, double h);
    // Vertex labels, edge labels and vertex colours from board items; shown at the next repaint.
    // setLabels/setColors: entry i for vertex i (entries from 32 on ignored; an empty vector
    // resets all 32). setELabels: edge {i, j} of the current graph below the best order gets
    // m[i][j] when show (m must then be at least best order square, else nothing is labelled),
    // an empty label otherwise.
    void setLabels(QVector<double> v);
    void setELabels(QVector<QVector<double>> m, bool show);
    void setColors(QVector<double> v);
    void resetLabels();
    void resetColors();
    // Marks vertex k alone (none outside 0..31), then emits signal_hilight_node(k).
    void hilight(int k);
    // Moves the centroid of the shown vertices (x, y and depth) to the origin.
    void center();
    // Centres, then turns the drawing about the x, y and z axes by a, b and c radians.
    void rotate(double a, double b, double c);
    // Zooms by f unless the overall scale would leave 0.07..100.
    void scaleView(double f);
    // Writes the view as a landscape PDF; false (with errorString()) when the file cannot be made.
    bool printToFile(QString file);
    // Diagnostic dump of both adjacency matrices on the error stream.
    void display();

    // ---- graph files ----
    // Graph file: order, one "name TAB x TAB y" line per vertex, the best adjacency on one line.
    // The whole file is checked before the graph is touched: a refused file leaves the graph as
    // it was and errorString() tells the line and the reason. Names and places are read as the
    // writer would write them (GraphFile::storableName, coordinates within +-1e7), so a file
    // that was read saves and reopens unchanged. Writing goes through a temporary
    // file, so a failed save leaves the previous file whole.
    bool save(QString fileName);
    bool open(QString fileName);
    // Edge list: order, edge count, vertex lines, then one "name TAB name TAB 1 TAB 0" line per
    // edge {i, j} with i < j.
    bool export_graph(QString fileName);
    // The graph file with the change stamp as second line, as WD/.tsygr (or .tsygr when no
    // working directory is set). A failed autosave is reported on the console only.
    bool autosave();
    // Reads the autosave file; the loaded graph gets a fresh stamp.
    bool autoload();
    void setWD(QString dir) { workingDir = dir; }
    QString getWD() const { return workingDir; }
    QString autosavePath() const;
    // Why the last file operation failed; empty after a success.
    QString errorString() const { return fileError; }

    // ---- hand editing ----
    // Adds one vertex at the last pointer position joined to the selected vertices: addK keeps
    // it selected (repeated: a clique), addBip does not (a complete bipartite graph), addTail
    // makes it the only selected vertex (a pendant path). Nothing at 32 vertices.
    void addK();
    void addBip();
    void addTail();
    int getAddMode() const { return addMode; }

    bool isDisplayed() const { return displayed; }
    QString getName() const { return name; }
    // Vertex item k (0..31), or null outside.
    Node *getNode(int k) const;
    // The edge item of the pair {i, j} (0..31, i != j), or null.
    Edge *getEdge(int i, int j) const;

public slots:
    // Clears the selected state of every vertex item and repaints.
    void slot_unselect();
    void slot_invert_select();
    void slot_set_add_k();
    void slot_set_add_bip();
    void slot_set_add_tail();
    // Edits of the selected vertices; each ends with a fresh stamp, best_backup(),
    // signal_best_graph_changed() and update_display().
    void slot_adde();
    void slot_reme();
    void slot_complement();
    void slot_addv();
    void slot_remv();

    void slot_set_node_radius(double r);
    void slot_setScalePos(int s);
    void slot_scalePosition();
    void slot_randomPosition();
    void slot_print();

    // File dialogs (through the prompt interface); a cancelled dialog does nothing.
    void slot_load_graph();
    void slot_save_graph();
    void slot_export_graph();

protected:
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void wheelEvent(QWheelEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void keyReleaseEvent(QKeyEvent *e) override;

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
    // Stamp + 1, best_backup(), signal_best_graph_changed(), update_display().
    void publishEdit();
    void addAtPointer(int mode);
    QPointF pointerScenePos() const;
    // The key groups of keyPressEvent: zoom and turn, edits of the selection, and the keys handed
    // to the search, the loader, the placement and the printer. Each answers whether the key is
    // one of its own; no key belongs to two groups.
    bool viewKey(int key);
    bool editKey(int key);
    bool commandKey(int key);
    // Writes text through a temporary file; false with fileError set on any failure.
    bool writeFile(const QString &fileName, const QByteArray &text);
    QByteArray fileText(bool withStamp, bool edgeList);
    bool readFile(const QString &fileName, bool withStamp, bool announce);
    QString fileError;

    QGraphicsScene *graphScene = nullptr;
    QVector<Node *> nodes;
    QVector<QVector<Edge *>> edges;
    // Adjacency as row bit masks: bit j of cur[i] is cell [i][j]. Cells at and beyond the order
    // are kept clear; the diagonal may be set by invert() but is never read.
    quint32 cur[MaxNodes];
    quint32 best[MaxNodes];
    QString name;
    int addMode = 0;
    bool altDown = false;
    int scalePos = 0;
    std::atomic<qint64> stamp{0};
    qint64 backupStamp = 0;
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
