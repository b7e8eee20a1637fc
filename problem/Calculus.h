#pragma once

#include <QGraphicsItem>
#include <QList>
#include <QMutex>
#include <QRadialGradient>
#include <QString>
#include <QVector>

class CalculusDisplay;
class Graph;
class Link;

// Base of every item of the white board: invariants, families, operators, constants, parameters,
// constraints, statistics, the objective and the display items.
//
// An item holds its result for the current graph (a 32 x 32 matrix of which the top-left rows x cols
// block is valid), its arguments 1 to 4 with their incoming links, its outgoing links, the flags that
// the user sets in its dialog, and the gate compute(bool) that recomputes the item only when the
// graph's change stamp moved. Subclasses implement recompute() and paint(); the argument/link
// operations follow the kind's settings (argSlots, canBeArgument, linkDeselects, changeBestLast),
// and a kind with other needs overrides them.
//
// Items made headless (withDisplay false) have no dialog and no graphics set-up; they may be made,
// linked, computed and destroyed on any thread.
class Calculus : public QGraphicsItem
{
public:
    Calculus();
    ~Calculus() override;

    Calculus(const Calculus &) = delete;
    Calculus &operator=(const Calculus &) = delete;

    // Graphics item: the box w x h centred on the item's position, with margins for the labels.
    QRectF boundingRect() const override;
    QPainterPath shape() const override;

    // ---- Operations each kind decides -------------------------------------------------------------
    // Incoming link of argument k: accept (store it, give it its number, true) or refuse (false).
    // By default slots 1..argSlots accept (acceptIncomingLink, deselecting when linkDeselects).
    virtual bool setLink1(Link *l) { return linkSlot(1, l); }
    virtual bool setLink2(Link *l) { return linkSlot(2, l); }
    virtual bool setLink3(Link *l) { return linkSlot(3, l); }
    virtual bool setLink4(Link *l) { return linkSlot(4, l); }
    // setLink1..setLink4 by number (k outside 1..3 means 4).
    bool setLinkK(int k, Link *l);
    // Outgoing link: this item becomes an argument of another one. Refused by items that cannot be
    // arguments (objective, constraints, statistics, display items): canBeArgument false.
    virtual bool setLinkTo(Link *l);
    // The values the evaluation reads; the objective overrides it with its signed values.
    virtual QVector<QVector<double>> *getZ();
    // Argument k := c (accepting kinds then recompute at once), or refuse with false. By default
    // slots 1..argSlots accept (acceptArgument with changeBestLast).
    virtual bool setArg1(Calculus *c) { return argSlot(1, c); }
    virtual bool setArg2(Calculus *c) { return argSlot(2, c); }
    virtual bool setArg3(Calculus *c) { return argSlot(3, c); }
    virtual bool setArg4(Calculus *c) { return argSlot(4, c); }
    // setArg1..setArg4 by number (k outside 1..3 means 4).
    bool setArgK(int k, Calculus *c);
    // Integer parameter of the parameter items; every other item ignores it and answers -1.
    virtual void setParam(int p);
    virtual int getParam();
    // Minimise (true) or maximise; only the objective uses it.
    virtual void setMin(bool m);
    // Extra fields of the save record, each preceded by a tab; empty for most items.
    virtual QString specificInformationToSave();
    // The evaluation proper; runs only inside compute(), under both locks of the item.
    virtual void recompute() = 0;

    // ---- Evaluation -------------------------------------------------------------------------------
    // The recomputation gate: true when skipped as not needed or recomputed; false without a graph
    // or when the graph's change stamp is the one of the last recomputation (the cached result and
    // its error flag stay as they were).
    bool compute(bool force);
    // A crucial item marks its present arguments crucial (one level).
    void update_crucial();
    // Copies the dialog's check boxes into the flags; nothing without a dialog.
    void applyChanges();
    bool getError() const { return error; }
    // compute(true), then publishes the result to the dialog and the tool tip.
    void bestBackup();
    // Attaches the item (and its dialog) to a graph; does not compute.
    void setGraph(Graph *g);
    Graph *getGraph() const { return graph; }

    // ---- Reading the result (under the value lock) ------------------------------------------------
    // Entry k counted from 1: [k-1][0] for at most one column, else [0][k-1]; 1e12 outside 1..32.
    double getValue(int k);
    QVector<double> getFirstRow();
    QVector<double> getFirstCol();
    QString getSRows() const { return sRows; }
    QString getSCols() const { return sCols; }

    // ---- Report and complement flags (the dialog's boxes win while there is a dialog) -------------
    bool inReport() const;
    void setInReport(bool b);
    bool graphInReport() const;
    void setGraphInReport(bool b);
    bool vecInReport() const;
    void setVecInReport(bool b);
    bool nodInReport() const;
    void setNodInReport(bool b);
    void setInvertGraph(bool b);
    // The stored complement flag (refreshed from the dialog by applyChanges()).
    bool isInvertGraph() const { return invertGraph; }

    // ---- Names and texts --------------------------------------------------------------------------
    // Stores the name (tabs, CR, LF become blanks and "<NEW>" is broken up, so save records always
    // read back) and writes it into the dialog.
    void setGivenName(const QString &s);
    // Takes the given name from the dialog's name field.
    void updateGivenName();
    QString getGivenName() const { return givenName; }
    void saveTooltip(const QString &s) { statusText = s; }
    QString getTooltip() const { return statusText; }
    CalculusDisplay *getCalculusDisplay() const { return display; }
    // A text made safe for a tab-separated record joined by "<NEW>".
    static QString sanitizeText(const QString &s);
    // The same for the last record (the problem's title and description), which may span lines:
    // tabs become blanks and "<NEW>" is broken up, line breaks stay (CR LF and CR become LF).
    static QString sanitizeParagraphs(const QString &s);

    // ---- Links ------------------------------------------------------------------------------------
    bool isLinked(int k) const;
    // Forgets the link (outgoing first, then incoming 1..4 with their argument); the link survives.
    bool removeLink(Link *l);
    // Argument k (1..4) and incoming link k, null for none or for k outside 1..4.
    Calculus *argument(int k) const;
    Link *incomingLink(int k) const;
    const QList<Link *> &outgoingLinks() const { return linksTo; }

    // ---- Registry of the items of the evaluation stack (each under c_mutex) ------------------------
    static void clearVectorCalculus();
    static void addVectorCalculus(Calculus *c);
    // A copy of the registry, taken under c_mutex.
    static QVector<Calculus *> registry();

    // ---- On the board -----------------------------------------------------------------------------
    void toggleDisplay();
    void toggleSelect();
    void select(bool b);
    void setSelectable(bool b);
    bool isItemSelected() const { return selected; }
    bool isSelectable() const { return selectable; }
    void update_display();
    void setZ(double z);
    // Debug dump of the item and its links on the standard error stream (the field `display` holds
    // the dialog, so the dump has its own name).
    void debugDisplay();
    static Calculus *calculusUnderMouse();
    static void setCalculusUnderMouse(Calculus *c);

    // ---- Save record and documentation ------------------------------------------------------------
    // One tab-separated line ending with "\n": keyword, given name, inReport, nodInReport,
    // vecInReport, complement, x, y, arguments 1..4 (save index or "NULL"), then the tail.
    QString getCaractToSave();
    // Category, "-" and z value; stored in the identifier field.
    QString getID();
    QString problemDocument();
    QString textDocumentation() const;
    QString latexDocumentation() const { return latexDef; }

    // ---- Fields (read directly by the items, the board and the evaluation) ------------------------
    QVector<QVector<double>> M; // result, 32 x 32 for the item's whole life
    int rows = 0;               // rows of the current result (0 after a failure)
    int cols = 0;               // columns of the current result
    QString latexDef;
    QString textDef;
    qint64 lastID = 0; // graph change stamp at the last recomputation
    int x0 = 100, y0 = 100, w = 80, h = 80;
    QRadialGradient gradient;
    QString name = QStringLiteral("NA"); // the catalogue keyword
    QString givenName;
    bool withDisplay = false;
    CalculusDisplay *display = nullptr; // owned; null for a headless item
    Graph *graph = nullptr;             // not owned
    bool selected = false;
    bool selectable = true;
    Calculus *arg1 = nullptr, *arg2 = nullptr, *arg3 = nullptr, *arg4 = nullptr; // not owned
    Link *link1 = nullptr, *link2 = nullptr, *link3 = nullptr, *link4 = nullptr; // owned
    QList<Link *> linksTo;                                                       // owned
    bool error = false;
    bool errorBackup = false;
    bool crucial = false;
    int saveIndex = 0;
    QString category;
    QString statusText;
    QMutex computeMutex;
    QMutex valueMutex;
    bool inReportFlag = false;
    bool nodInReportFlag = false;
    bool vecInReportFlag = false;
    bool graphInReportFlag = false;
    bool invertGraph = false;
    QString identifier = QStringLiteral("NA");
    QString sRows = QStringLiteral("NA");
    QString sCols = QStringLiteral("NA");

    static QVector<Calculus *> vector_calculus;
    static QMutex c_mutex;
    static Calculus *calculus_under_mouse;

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent *event) override;
    QVariant itemChange(GraphicsItemChange change, const QVariant &value) override;

    // ---- Settings of the default argument/link operations -----------------------------------------
    int argSlots = 0;            // argument slots 1..argSlots accept links and arguments
    bool canBeArgument = true;   // an outgoing link is accepted
    bool linkDeselects = false;  // an accepted incoming link clears the selected flag
    bool changeBestLast = false; // an accepted argument moves the graph's change stamp last

    // ---- Helpers for the kinds and the concrete items ---------------------------------------------
    // The failure result of an item that cannot compute: a 0 x 0 result with the error flag set.
    void setFailed()
    {
        rows = 0;
        cols = 0;
        error = true;
    }
    // Board position drawn at random in [0, 200) x [0, 200) (x first) and the box size.
    void placeAtRandom(int width, int height);
    // Board set-up of an item built with display: a standard dialog named after the keyword (the
    // "Complement" box offered when asked), graphics flags, cache mode, z value 1, position (x0, y0),
    // visibility, tool tip and the dialog's keyword label. Does nothing for a headless item.
    void initDisplay(bool offerComplement);
    // The same with a dialog the subclass made (a derived dialog); the item takes ownership. A
    // headless item deletes the dialog at once.
    void initDisplay(CalculusDisplay *dialog, bool offerComplement);
    // Accepts l as incoming link k (1..4): refuses a link of another target, a link whose source is
    // this item and a second link for an occupied slot; optionally clears the selected flag.
    bool acceptIncomingLink(int k, Link *l, bool deselect);
    // Accepts l as an outgoing link: refuses a link of another source or whose target is this item.
    bool acceptOutgoingLink(Link *l);
    // The accepting argument operation: refuses this item itself and a source that differs from the
    // one of incoming link k; then argument k := c, changeBest() on the graph (first, or last when
    // changeBestLast), compute(true), redraw, bestBackup(), Link::setArg on incoming link k.
    bool acceptArgument(int k, Calculus *c, bool changeBestLast = false);

    // Painting shared by the kinds: a radial gradient made from its origin and radius, then moved to
    // its centre and focal point, with its stops at 1.0 and 0.0.
    static QRadialGradient radialGradient(QPointF origin, qreal radius, QPointF centre, QPointF focal,
                                          const QColor &at1, const QColor &at0);
    // The given name in red on a tag above the box (yellow or green tag); nothing without a name.
    void paintGivenNameTag(QPainter *painter, bool yellow) const;
    // A red "*" when the item is marked for the analyst.
    void paintReportMark(QPainter *painter) const;
    // A red "i" in a white disc when the dialog's "Complement" box is ticked.
    void paintComplementMark(QPainter *painter) const;
    // The gradient colours of a selected item (blue) or, when showError, of an item whose last
    // published result failed (red); false when neither applies and the kind picks its colours.
    bool markedColours(QColor &at1, QColor &at0, bool showError) const;
    // The body's brush and a black pen. A box gradient (centred low right, radius 60) or a round
    // one (centred near the middle, radius 100).
    enum class Shading { Box, Round };
    static void setBodyBrush(QPainter *painter, Shading shading, const QColor &at1, const QColor &at0);
    // The second line of a box: the value when single, else "rows x cols".
    static QString valueOrSizeText(bool single, double value, int r, int c);
    // The painted result: the dialog's copy when there is one, else the item's own result.
    double shownValue() const;
    int shownRows() const;
    int shownCols() const;

private:
    Calculus *&argRef(int k);
    Link *&linkRef(int k);
    bool linkSlot(int k, Link *l);
    bool argSlot(int k, Calculus *c);
    // A report flag: stored, and copied into the dialog's box when there is a dialog.
    void storeFlag(bool &flag, void (CalculusDisplay::*setter)(bool), bool b);
};
