#pragma once

#include "problem/ProblemTextReader.h"

#include <QColor>
#include <QGraphicsView>
#include <QMutex>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <QVector>

class BuildCalculus;
class Calculus;
class Eval;
class Graph;
class Link;
class QGraphicsRectItem;
class QGraphicsScene;
class infoEDGE;
class infoNODE;
class invPARAM;

// The white board: one optimisation problem. It owns its items in four stacks (evaluation,
// family, constraint, objective), the display items "Colors", "Labels" and "E_Labels", and the
// structural requirements of the searched graphs. It evaluates the graph it is bound to into an
// Eval and reads and writes the problem text.
//
// Threads: a board is a QGraphicsView and is constructed on the GUI thread. A headless board
// (gui false, as made by clone()) owns no widget apart from the view itself and may then be used by
// one worker thread: its items have no dialogs and it never hands anything to a displayed graph
// from that thread. best_backup() on a board with a user interface, called off the GUI thread,
// is queued to the GUI thread.
class Problem : public QGraphicsView
{
    Q_OBJECT

public:
    // Relation codes of the maximum-degree and diameter bounds.
    enum Relation { LessEqual = -1, Equal = 0, GreaterEqual = 1 };
    // A problem text holds at most this many item records; more is refused as damaged input.
    static const int MaxItemRecords = ProblemTextReader::MaxItemRecords;
    // The board holds at most this many items in its four stacks (the parameter items included),
    // so that every board saves to a text that reads back.
    static const int MaxStackedItems = ProblemTextReader::MaxStackedItems;

    Problem(Graph *graph, const QString &name, bool gui);
    ~Problem() override;

    // ---- Structural requirements -----------------------------------------------------------------
    bool getConnected() const { return connected; }
    bool getConnectedBar() const { return connectedBar; }
    bool getChemical() const { return chemical; }
    bool getRegular() const { return regular; }
    int getRegDegree() const { return regDegree; }
    bool getFixNbArcs() const { return fixNbArcs; }
    int getNbArcs() const { return nbArcs; }
    int getNbNod() const { return nbNod; }
    bool getDegmax() const { return degmax; }
    int getDegmaxValue() const { return degmaxValue; }
    int getDegmaxType() const { return degmaxType; }
    bool getDiameter() const { return diameter; }
    int getDiameterValue() const { return diameterValue; }
    int getDiameterType() const { return diameterType; }

    // ---- Board ----------------------------------------------------------------------------------
    QString getName() const { return name; }
    bool hasGui() const { return gui; }
    Graph *getGraph() const { return graph; }
    void setWD(const QString &dir) { wd = dir; }
    QString getWD() const { return wd; }
    // Binds the board and every item to g; nothing is recomputed.
    void setGraph(Graph *g);
    // Redraws every item and refreshes the names shown on them.
    void update_display();

    const QVector<Calculus *> &evaluationStack() const { return evalStack; }
    const QVector<Calculus *> &familyStack() const { return famStack; }
    const QVector<Calculus *> &constraintStack() const { return consStack; }
    const QVector<Calculus *> &objectiveStack() const { return objStack; }
    invPARAM *getParam1() const { return param1; }
    invPARAM *getParam2() const { return param2; }
    infoNODE *getColors() const { return colors; }
    infoNODE *getLabels() const { return labels; }
    infoEDGE *getELabels() const { return eLabels; }

    // Make source argument k of target, re-point target's argument k to source, or (same pair
    // again) remove it; then the whole board is recomputed. False when a side refuses the link, or
    // when source already depends on target (the arguments would form a cycle). A link keeps every
    // argument before its users in the evaluation stack, moving items when needed.
    bool link1(Calculus *source, Calculus *target);
    bool link2(Calculus *source, Calculus *target);
    bool link3(Calculus *source, Calculus *target);
    bool link4(Calculus *source, Calculus *target);

    // Take ownership of a new item and put it on the board (the shell picks the operation by the
    // item's category code: 1 invariant, 2 family, 3 operator, 4 constraint, 5 objective). A full
    // board (MaxStackedItems) refuses it: the item is deleted, the user told, and false returned.
    bool addInvariantItem(Calculus *item);         // front of the evaluation stack
    bool addInvariantItemLoadMode(Calculus *item); // end of the evaluation stack
    bool addOperatorItem(Calculus *item);          // end of the evaluation stack
    bool addFamilyItem(Calculus *item);
    bool addConstraintItem(Calculus *item);
    bool addZItem(Calculus *item);

    // Makes the catalogue item of keyword (with display on a board with a user interface) and files
    // it by its category code, as a pick in the component tree or the context menu does; null (and
    // nothing placed) when the keyword is no catalogue item or the board is full.
    Calculus *placeItem(const QString &keyword);
    // Zooms by factor unless the scale would leave [0.07, 100].
    void scaleView(double factor);

    // ---- Problem files and autosave -------------------------------------------------------------
    // Writes the problem text to path (Latin-1), replacing the file only when everything was
    // written; a failure is reported on the console and leaves any previous file intact.
    bool save(const QString &path);
    // Reads the problem file at path into the board; false (board unchanged) when it cannot be
    // read or its text is refused.
    bool open(const QString &path);
    // The autosave file ".tsypb" of the working directory (of the current directory without one).
    QString autosavePath() const;
    // Writes the autosave file as save() does. A failure is reported (and its reason given in
    // *reason when asked) and the working directory kept, so the next autosave tries the same
    // folder that the next start reloads from.
    bool autosave(QString *reason = nullptr);
    bool autoload();
    // The problem file last saved or opened through the dialogs, and its folder and base name.
    QString getFileName() const { return fileName; }
    QString getBaseName() const { return baseName; }
    // The identification, sizes and arguments of every item of the four stacks.
    QString currentDescription();

    // ---- Evaluation -----------------------------------------------------------------------------
    // Recomputes the items on the current graph: with force every item, otherwise only the
    // constraints, the objectives and what they depend on.
    bool compute(bool force);
    // Evaluates the current graph into e (its content is replaced) and counts one evaluation.
    void eval(Eval *e);
    // Structural penalties of the current graph (0 when the requirement holds).
    double isChemical();
    double isDegmax();
    double isDiameter();
    double isRegular();
    double isFixNbArcs();
    double isNbNod();
    double isConnected();
    double isConnectedBar();
    // Recomputes every item, publishes the values to the dialogs and hands the violation flag,
    // vertex colours and labels and edge labels to the graph.
    void best_backup();
    // Sets every "PARAM 1" (or "PARAM 2") item, takes a fresh graph stamp and republishes;
    // nothing when the board has no such item.
    void setP1(int value);
    void setP2(int value);

    void resetNbEvals() { nbEvalsCount = 0; }
    // Evaluations since the last reset (stops counting at the largest int).
    int nbEvals() const { return nbEvalsCount; }
    int getMaxEval() const { return maxEval; }
    bool isMaxEvalsReached() const { return maxEval != 0 && nbEvalsCount >= maxEval; }

    // ---- Analyst report columns -----------------------------------------------------------------
    QStringList getReportNames(bool vertexMode);
    QVector<double> getReportValues();
    // The row of vertex v, 1 <= v <= n.
    QVector<double> getReportValues(int v);

    // ---- Problem text ---------------------------------------------------------------------------
    QString saveString();
    // Rebuilds the board from a problem text. The whole text is checked and built aside first: a
    // text with an error is reported (console and standard error) and leaves the board as it was.
    bool openString(const QString &text);
    // A new headless board on the same graph with the same problem; the caller owns it.
    Problem *clone();
    // Deletes every item of the four stacks (the display items stay).
    void clear();
    // Dump of the board's names and item records on the standard error stream and the console.
    void display(bool debug);

    QString userTitle() const { return title; }
    QString userDescription() const { return description; }

public slots:
    void setConnected(bool b) { connected = b; }
    void setConnectedBar(bool b) { connectedBar = b; }
    void setChemical(bool b) { chemical = b; }
    void setRegular(bool b);
    void setRegDegree(int d) { regDegree = d; }
    void setFixNbArcs(bool b) { fixNbArcs = b; }
    void setNbArcs(int m) { nbArcs = m; }
    void setNbNod(int n) { nbNod = n; }
    void setDegmax(bool b) { degmax = b; }
    void setDegmaxValue(int v) { degmaxValue = v; }
    void setDegmaxIntType(int t);
    void setDegmaxType(const QString &t);
    void setDiameter(bool b) { diameter = b; }
    void setDiameterValue(int v) { diameterValue = v; }
    void setDiameterIntType(int t);
    void setDiameterType(const QString &t);

    void slot_set_max_eval(int n) { maxEval = n; }
    void slot_best_backup();
    void setUseP1(bool flag);
    void setUseP2(bool flag);
    // Republishes and redraws the graph and the board.
    void slot_refresh();
    // Save and open through the file dialogs; a cancelled dialog does nothing.
    void slot_save();
    void slot_open();
    // Link the selection as argument 1 to 4: the arrows run from earlier evaluation-stack items to
    // later ones, objectives, constraints and (argument 1) the display items.
    void slot_link1();
    void slot_link2();
    void slot_link3();
    void slot_link4();
    // Deletes the selected items and their arrows after a confirmation; the parameter and display
    // items stay.
    void slot_delete_items();
    void slot_print();
    // Align the selection on its smallest x (y), or spread it evenly between its extremes.
    void slot_alignX();
    void slot_alignY();
    void slot_spaceX();
    void slot_spaceY();
    // Tabs become blanks and "<NEW>" is broken up, so the text always reads back; the user's line
    // breaks stay (CR LF and CR become LF).
    void slot_set_title(const QString &text);
    void slot_set_description(const QString &text);

signals:
    void signal_start_vns();
    void signal_stop_vns();
    void signal_set_obj_min(bool);
    void signal_set_obj_min2(bool);
    void signal_console(QString text, bool debug, int level, QColor colour);
    void signal_solution(QString);
    void signal_problem_description(QString);
    void signal_problem_title(QString);
    void signal_max_eval_reached();

protected:
    // The board decides alone what a click, a drag or a key does: no event reaches the scene.
    void timerEvent(QTimerEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // The board items an editing operation visits: the four stacks (each from first to last, or
    // reversed), then fixed items: Grab adds the parameters, "Labels", "Colors", "E_Labels";
    // Unselect the parameters, "Colors", "Labels", "E_Labels"; Arrange "Colors", "Labels",
    // "E_Labels".
    enum class Walk { Grab, Unselect, Arrange };
    QVector<Calculus *> walk(Walk kind, bool reversed) const;
    QVector<Calculus *> boardItemsAt(const QPointF &scenePoint) const;
    // The key groups of keyPressEvent(); each acts on its own keys only and says whether the key
    // was one of them.
    bool zoomKey(int key);          // - and +
    bool linkKey(int key);          // 1 to 4 link the selection, D deletes it
    bool selectionKey(int key);     // U unselects all, I inverts the selection
    bool searchOrPrintKey(int key); // R starts and H stops the search, P prints
    bool arrangeKey(int key);       // X, Y align, A, V space, the arrows move the selection
    void linkSelection(int k);
    void moveSelection(qreal dx, qreal dy);
    void alignSelection(bool onX);
    void spaceSelection(bool onX);
    void reportFileError(const QString &what, const QString &path, const QString &error);
    // save() that also hands back the reason of a failure.
    bool saveTo(const QString &path, QString &error);

    bool link(int k, Calculus *source, Calculus *target);
    static bool dependsOn(Calculus *item, Calculus *other);
    void orderArgumentsFirst();
    bool addItem(Calculus *item, QVector<Calculus *> &stack, bool front, int zBase);
    void putOnBoard(Calculus *item, double z, bool show);
    QVector<Calculus *> allItems() const;
    void setParam(const QString &keyword, int value);
    void showParam(const QString &keyword, bool show);
    void ensureParameterItems();
    void refreshParamPointers();
    void installStaged(ProblemTextReader &st);
    void reportReadError(const QString &console, const QString &standardError);
    void emitConsole(const QString &text, bool debug, const QColor &colour);
    void handOverToGraph(const Eval &e);
    // Colours, vertex labels and edge labels from the display items, each when asked.
    void handDisplayItems(bool withColors, bool withLabels, bool withELabels);

    int readAdjacency(quint32 *adj) const;

    QGraphicsScene *boardScene = nullptr;
    Graph *graph;
    QString name;
    QString fileName;
    QString baseName;
    bool gui;
    QString wd;
    QMutex backupLock;
    QPointF pressPoint;
    QGraphicsRectItem *rubberBand = nullptr;
    bool buttonHeld = false;
    QPoint lastMousePos;
    bool moved = false;

    bool connected = true;
    bool connectedBar = false;
    bool chemical = false;
    bool regular = false;
    int regDegree = 4;
    bool fixNbArcs = false;
    int nbArcs = 10;
    int nbNod = 10;
    bool degmax = false;
    int degmaxValue = 9;
    int degmaxType = LessEqual;
    bool diameter = false;
    int diameterValue = 9;
    int diameterType = LessEqual;

    QVector<Calculus *> evalStack;
    QVector<Calculus *> famStack;
    QVector<Calculus *> consStack;
    QVector<Calculus *> objStack;
    invPARAM *param1 = nullptr;
    invPARAM *param2 = nullptr;
    infoNODE *labels = nullptr;
    infoNODE *colors = nullptr;
    infoEDGE *eLabels = nullptr;
    QString description;
    QString title;
    int nbEvalsCount = 0;
    int maxEval = 0;
};
