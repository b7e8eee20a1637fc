#pragma once

#include <QColor>
#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <QVector>
#include <QWidget>

class Analyst;
class DataLoader;
class FilterWidget;
class Graph;
class Problem;
class QProgressBar;
class QProgressDialog;
class QPushButton;

// The "Table view" tab of one analyst. It owns the analyst's graph database (graph strings, in
// the order they were added) and turns it into the rows of its Analyst by evaluating every graph
// with the user's problem: one row per graph (graph mode) or per vertex (vertex mode). It loads a
// database graph into the user's graph, starts the graph loader, takes over what the loader or
// the search delivers, and writes the exports (table text, graph lists, one PDF per graph).
//
// A graph is identified by its database index everywhere: the rows carry it, signal_load_graph
// of the Analyst carries it, and slot_load_graph, replaceGraph, deleteGraph read it. They act only
// on a graph that passed the constraint filter of the last update (the accepted list); any other
// index counts as out of range.
//
// An update evaluates on a private headless copy of the user's problem and graph, taken when it
// starts, so the user's graph and board are never touched by it. It runs on the GUI thread and
// keeps the window alive: events are processed at a bounded rate, a progress dialog (through the
// Prompt) appears when it lasts, and Halt (or the dialog's Cancel) stops it with the rows found so
// far. A
// request that arrives during an update is deferred or folded into a rerun; an update, a load
// of a database graph and an export wait for (or refuse to run during) a running file load.
class AnalystWidget : public QWidget
{
    Q_OBJECT

public:
    // The analyst becomes a child of the tab (and is deleted with it); the other pointers are
    // not owned. loader and filter may be null.
    AnalystWidget(Problem *problem, Graph *graph, Analyst *analyst, DataLoader *loader, FilterWidget *filter,
                  bool vertexMode);
    ~AnalystWidget() override;

    // Database graph k := g, then an update; true. For k not accepted (or outside the database):
    // appends g, updates, false.
    bool replaceGraph(QString g, int k);
    // Erases database graph k (later graphs move down one index) and updates; false (nothing
    // changes) for k not accepted or outside the database.
    bool deleteGraph(int k);
    QStringList getGraphs() const;
    int databaseSize() const { return database.size(); }
    void setWD(QString dir) { wd = dir; }
    QString getWD() const { return wd; }

    Analyst *getAnalyst() const { return analyst; }
    bool isVertexMode() const { return vertexMode; }
    bool getFilterMode() const { return filterMode; }
    // Database indices, ascending, of the graphs that passed the constraint filter in the last
    // update.
    QVector<int> getAccepted() const { return accepted; }
    int getCurrent() const { return current; }
    bool isUpdating() const { return busy; }
    // Entries of the last update whose order is outside 0..32 (skipped).
    int invalidEntries() const { return invalid; }
    QPushButton *getNextButton() const { return nextButton; }
    QPushButton *getPrevButton() const { return prevButton; }
    QProgressBar *getProgressBar() const { return progressBar; }

public slots:
    // Re-evaluates every database graph with the current problem and rebuilds the table.
    void slot_update_table();
    // Replaces the database by the loader's list, then updates.
    void slot_data_loaded();
    // Appends g, updates and reports the database size on the console.
    void addGraph(QString g);
    // Header from the problem, no rows, empty database; emits signal_aw_cleared, then
    // signal_data_loaded.
    void slot_clear();
    // The same without signals (the "Clear" button).
    void slot_clear_only();
    // Asks, then deletes the graph of the table's current row.
    void slot_delete();
    void slot_set_filter_mode(bool on);
    // Passes a loader message on to the console (level 0, green).
    void slot_console(QString text);
    // current := k; loads database graph k (when it is accepted) into the user's graph, then
    // publishes the user's graph in every case.
    void slot_load_graph(int k);
    // Publishes the user's graph and problem, then signal_place_graph.
    void slot_update();
    // Loads the next database graph (after the last one, the first).
    void slot_next_graph();
    void slot_set_type_g6();
    void slot_set_type_tsy();
    // Asks for a file and starts the loader on it; a cancelled dialog does nothing.
    void slot_load_data();
    // Stops a running update; the table shows the rows found so far.
    void slot_halt();

    // Exports; each starts with a save dialog in wd, and a cancelled dialog does nothing.
    void slot_save_data();
    void slot_save_graphs();
    void slot_save_used_graphs();
    void slot_save_graphs_pdf();
    void slot_save_used_graphs_pdf();

signals:
    void signal_data_loaded();
    void signal_aw_cleared();
    void signal_console(QString text, bool debug, int level, QColor colour);
    void signal_place_graph();

private:
    // The position bar's range: the number of rows ("0 of 0" and an empty bar without rows).
    void showTotal(int rows);
    // One pass over the database; false when it was stopped (halt or a change of the database).
    bool runUpdate();
    void keepAlive(int done, int total);
    // True (with a console message) when a file load runs, so the operation must not start.
    bool refusedDuringLoad(const QString &what);
    bool refusedDuringUpdate(const QString &what);
    // Notes a change of the database made while an update runs: that update stops and reruns.
    void databaseChanged();
    QVector<int> usedIndices() const;
    // k is a database index in the accepted list of the last update.
    bool designates(int k) const;
    void saveGraphList(const QVector<int> &indices, const QString &title);
    // A failed save: the console and a warning box name the file and the reason.
    void reportSaveFailure(const QString &title, const QString &text, const QString &name,
                           const QString &reason);
    void savePdf(const QVector<int> &indices);
    void clearTable(bool headerFirst);
    void report(const QString &text, int level, const QColor &colour);

    Problem *problem;
    Graph *graph;
    Analyst *analyst;
    DataLoader *loader;
    FilterWidget *filter;
    QVector<QString> database;
    QVector<int> accepted;
    QPushButton *nextButton;
    QPushButton *prevButton;
    QProgressBar *progressBar;
    bool filterMode = true;
    QString wd;
    int current = 0;
    bool vertexMode;

    QProgressDialog *progressDialog = nullptr;
    bool busy = false;
    bool rerun = false;
    bool halted = false;
    bool afterLoad = false;
    int invalid = 0;
    QElapsedTimer sinceStart;
    QElapsedTimer sinceEvents;
};
