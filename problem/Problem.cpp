#include "problem/Problem.h"

#include "graph/Graph.h"
#include "problem/BuildCalculus.h"
#include "problem/Calculus.h"
#include "problem/CalculusDisplay.h"
#include "problem/Eval.h"
#include "problem/Link.h"
#include "problem/ProblemFile.h"
#include "problem/ProblemTextReader.h"
#include "problem/ProblemTextWriter.h"
#include "problem/StructuralPenalties.h"
#include "problem/infoEDGE.h"
#include "problem/infoNODE.h"
#include "problem/invConstant.h"
#include "problem/invPARAM.h"

#include "dialogs/Prompt.h"

#include <QBrush>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QHash>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QMutexLocker>
#include <QPainter>
#include <QPen>
#include <QPrinter>
#include <QSet>
#include <QThread>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <limits>

namespace
{
const int maxNodes = 32;
const double unavailable = 1e12;
const QString param1Name = QStringLiteral("PARAM 1");
const QString param2Name = QStringLiteral("PARAM 2");

bool onGuiThread()
{
    const QCoreApplication *app = QCoreApplication::instance();
    return !app || QThread::currentThread() == app->thread();
}

} // namespace

// ---- Construction -------------------------------------------------------------------------------

Problem::Problem(Graph *graph, const QString &name, bool gui)
    : QGraphicsView(static_cast<QWidget *>(nullptr)), graph(graph), name(name), gui(gui)
{
    if (gui) {
        boardScene = new QGraphicsScene(this);
        setScene(boardScene);
        setContextMenuPolicy(Qt::CustomContextMenu);
        setCacheMode(QGraphicsView::CacheBackground);
        setViewportUpdateMode(QGraphicsView::BoundingRectViewportUpdate);
        setRenderHint(QPainter::Antialiasing, true);
        setBackgroundBrush(QBrush(Qt::white, Qt::SolidPattern));
        rubberBand = new QGraphicsRectItem();
        rubberBand->setVisible(false);
        rubberBand->setBrush(QBrush(Qt::yellow, Qt::SolidPattern));
        rubberBand->setPen(QPen(QBrush(Qt::red), 1));
        rubberBand->setZValue(1000);
        rubberBand->setOpacity(0.5);
        boardScene->addItem(rubberBand);
    }

    // The parameters compute on the board's graph from the start: without one they would be in
    // error, and so would every item that uses them, until the board is bound to another graph.
    param1 = new invPARAM(param1Name, gui);
    param1->setGraph(graph);
    if (gui) {
        boardScene->addItem(param1);
        param1->setZ(1100);
        param1->show();
        param1->hide();
    }
    evalStack.prepend(param1);
    param2 = new invPARAM(param2Name, gui);
    param2->setGraph(graph);
    if (gui) {
        boardScene->addItem(param2);
        param2->setZ(1200);
        param2->show();
        param2->hide();
    }
    evalStack.prepend(param2);

    colors = new infoNODE(QStringLiteral("Colors"), gui);
    labels = new infoNODE(QStringLiteral("Labels"), gui);
    eLabels = new infoEDGE(QStringLiteral("E_Labels"), gui);
    double z = 930;
    for (Calculus *item : {static_cast<Calculus *>(colors), static_cast<Calculus *>(labels),
                           static_cast<Calculus *>(eLabels)}) {
        item->setGraph(graph);
        if (gui) {
            boardScene->addItem(item);
            item->setZ(z);
            item->show();
            if (item->getCalculusDisplay())
                connect(item->getCalculusDisplay(), &CalculusDisplay::signal_refresh, this,
                        &Problem::slot_refresh);
        }
        z += 1;
    }
}

Problem::~Problem()
{
    for (QVector<Calculus *> *stack : {&evalStack, &famStack, &consStack, &objStack}) {
        const QVector<Calculus *> items = *stack;
        stack->clear();
        qDeleteAll(items);
    }
    param1 = nullptr;
    param2 = nullptr;
    delete colors;
    delete labels;
    delete eLabels;
    colors = labels = nullptr;
    eLabels = nullptr;
}

QVector<Calculus *> Problem::allItems() const
{
    QVector<Calculus *> items = evalStack + famStack + consStack + objStack;
    items << colors << labels << eLabels;
    return items;
}

// ---- Settings -----------------------------------------------------------------------------------

void Problem::setRegular(bool b)
{
    regular = b;
    if (b)
        fixNbArcs = true;
}

void Problem::setDegmaxIntType(int t)
{
    if (t >= LessEqual && t <= GreaterEqual)
        degmaxType = t;
}

void Problem::setDiameterIntType(int t)
{
    if (t >= LessEqual && t <= GreaterEqual)
        diameterType = t;
}

namespace
{
int relationCode(const QString &t, int current)
{
    if (t == QLatin1String("<="))
        return -1;
    if (t == QLatin1String("=="))
        return 0;
    if (t == QLatin1String(">="))
        return 1;
    return current;
}
} // namespace

void Problem::setDegmaxType(const QString &t)
{
    degmaxType = relationCode(t, degmaxType);
}

void Problem::setDiameterType(const QString &t)
{
    diameterType = relationCode(t, diameterType);
}

void Problem::slot_set_title(const QString &text)
{
    title = Calculus::sanitizeParagraphs(text);
}

void Problem::slot_set_description(const QString &text)
{
    description = Calculus::sanitizeParagraphs(text);
}

// ---- Board --------------------------------------------------------------------------------------

void Problem::setGraph(Graph *g)
{
    graph = g;
    for (Calculus *item : allItems())
        item->setGraph(g);
}

void Problem::update_display()
{
    for (Calculus *item : allItems())
        item->update_display();
    if (param1)
        param1->update_display();
    if (param2)
        param2->update_display();
}

void Problem::putOnBoard(Calculus *item, double z, bool show)
{
    if (!gui || !boardScene)
        return;
    if (item->scene() != boardScene)
        boardScene->addItem(item);
    item->setZ(z);
    item->setVisible(show);
    if (CalculusDisplay *d = item->getCalculusDisplay())
        connect(d, &CalculusDisplay::signal_refresh, this, &Problem::slot_refresh, Qt::UniqueConnection);
}

bool Problem::addItem(Calculus *item, QVector<Calculus *> &stack, bool front, int zBase)
{
    if (!item)
        return false;
    if (evalStack.size() + famStack.size() + consStack.size() + objStack.size() >= MaxStackedItems) {
        delete item;
        const QString text =
            QStringLiteral("Item not added: the board is full (a problem holds at most %1 items, its "
                           "two parameters included).")
                .arg(MaxStackedItems);
        emitConsole(text, false, QColor(Qt::red));
        if (gui)
            Prompt::current()->warning(this, QStringLiteral("Board full"), text);
        return false;
    }
    if (front)
        stack.prepend(item);
    else
        stack.append(item);
    item->setGraph(graph);
    item->compute(true);
    item->bestBackup();
    if (gui) {
        putOnBoard(item, zBase + stack.size(), true);
        item->setSelectable(true);
        item->select(true);
    }
    return true;
}

bool Problem::addInvariantItem(Calculus *item)
{
    return addItem(item, evalStack, true, 0);
}

bool Problem::addInvariantItemLoadMode(Calculus *item)
{
    return addItem(item, evalStack, false, 0);
}

bool Problem::addOperatorItem(Calculus *item)
{
    return addItem(item, evalStack, false, 0);
}

bool Problem::addFamilyItem(Calculus *item)
{
    return addItem(item, famStack, false, 200);
}

bool Problem::addConstraintItem(Calculus *item)
{
    return addItem(item, consStack, false, 500);
}

bool Problem::addZItem(Calculus *item)
{
    return addItem(item, objStack, false, 500);
}

bool Problem::link(int k, Calculus *source, Calculus *target)
{
    Calculus::clearVectorCalculus();
    for (Calculus *item : evalStack)
        Calculus::addVectorCalculus(item);
    if (!source || !target || source == target || k < 1 || k > 4)
        return false;

    if (target->isLinked(k)) {
        Link *existing = target->incomingLink(k);
        if (existing->from() == source) {
            // Linking the same pair again removes the argument. The target depends on it, so the
            // graph takes a fresh stamp: otherwise its cached result would outlive the argument.
            delete existing;
            if (graph)
                graph->changeBest();
            return compute(true);
        }
        // An item that already uses the target cannot become its argument: no order of the
        // evaluation stack could compute such a loop, and its problem text would not read back.
        if (dependsOn(source, target))
            return false;
        existing->changeOrig(source);
        target->setArgK(k, source);
    } else {
        if (dependsOn(source, target))
            return false;
        Link *l = new Link(source, target, gui);
        if (!target->setLinkK(k, l) || !source->setLinkTo(l)) {
            delete l;
            return false;
        }
        if (gui && boardScene)
            boardScene->addItem(l);
        target->setArgK(k, source);
    }
    orderArgumentsFirst();
    return compute(true);
}

bool Problem::dependsOn(Calculus *item, Calculus *other)
{
    // Every item is visited once, so a damaged web of arguments cannot keep this going.
    QVector<Calculus *> pending{item};
    QSet<Calculus *> seen{item};
    while (!pending.isEmpty()) {
        const Calculus *c = pending.takeLast();
        for (int k = 1; k <= 4; ++k) {
            Calculus *a = c->argument(k);
            if (!a)
                continue;
            if (a == other)
                return true;
            if (!seen.contains(a)) {
                seen.insert(a);
                pending.append(a);
            }
        }
    }
    return false;
}

// The evaluation stack is computed from first to last, and the problem text refers to arguments
// by earlier positions only, so every argument must stand before its users. A link from an item
// that stands after its new user breaks that order; the stack is then rearranged: repeatedly the
// earliest item whose arguments are all placed comes next, so items that were in order keep
// their relative order.
void Problem::orderArgumentsFirst()
{
    QHash<Calculus *, int> position;
    for (int i = 0; i < evalStack.size(); ++i)
        position.insert(evalStack.at(i), i);
    bool inOrder = true;
    for (int i = 0; i < evalStack.size() && inOrder; ++i) {
        for (int k = 1; k <= 4; ++k) {
            Calculus *a = evalStack.at(i)->argument(k);
            if (a && position.value(a, -1) >= i)
                inOrder = false;
        }
    }
    if (inOrder)
        return;

    QVector<Calculus *> remaining = evalStack;
    QVector<Calculus *> ordered;
    QSet<Calculus *> placed;
    while (!remaining.isEmpty()) {
        int pick = -1;
        for (int i = 0; i < remaining.size() && pick < 0; ++i) {
            bool ready = true;
            for (int k = 1; k <= 4 && ready; ++k) {
                Calculus *a = remaining.at(i)->argument(k);
                ready = !a || !position.contains(a) || placed.contains(a);
            }
            if (ready)
                pick = i;
        }
        if (pick < 0)
            pick = 0; // a loop, which linking refuses; the rest keeps its order
        placed.insert(remaining.at(pick));
        ordered.append(remaining.takeAt(pick));
    }
    evalStack = ordered;
    Calculus::clearVectorCalculus();
    for (Calculus *item : evalStack)
        Calculus::addVectorCalculus(item);
}

bool Problem::link1(Calculus *source, Calculus *target)
{
    return link(1, source, target);
}

bool Problem::link2(Calculus *source, Calculus *target)
{
    return link(2, source, target);
}

bool Problem::link3(Calculus *source, Calculus *target)
{
    return link(3, source, target);
}

bool Problem::link4(Calculus *source, Calculus *target)
{
    return link(4, source, target);
}

// ---- Evaluation ---------------------------------------------------------------------------------

bool Problem::compute(bool force)
{
    if (!force) {
        // The display items feed the view only, which takes them from a forced computation.
        colors->crucial = false;
        labels->crucial = false;
        eLabels->crucial = false;
        for (int i = evalStack.size() - 1; i >= 0; --i)
            evalStack.at(i)->crucial = false;
        for (int i = famStack.size() - 1; i >= 0; --i)
            famStack.at(i)->crucial = false;
        for (Calculus *c : qAsConst(consStack))
            c->crucial = true;
        for (Calculus *c : qAsConst(objStack))
            c->crucial = true;
        for (Calculus *c : qAsConst(objStack))
            c->update_crucial();
        for (Calculus *c : qAsConst(consStack))
            c->update_crucial();
        for (int i = evalStack.size() - 1; i >= 0; --i)
            evalStack.at(i)->update_crucial();
    } else {
        for (Calculus *c : qAsConst(objStack))
            c->crucial = true;
        colors->crucial = true;
        labels->crucial = true;
        eLabels->crucial = true;
        for (Calculus *c : qAsConst(consStack))
            c->crucial = true;
        for (int i = evalStack.size() - 1; i >= 0; --i)
            evalStack.at(i)->crucial = true;
    }

    // Families read nothing but the graph, and operators of the evaluation stack may use them:
    // they are computed first, so no operator reads a family's result for the previous graph.
    for (Calculus *c : qAsConst(famStack))
        c->compute(force);
    for (Calculus *c : qAsConst(evalStack))
        c->compute(force);
    for (Calculus *c : qAsConst(consStack))
        c->compute(force);
    for (Calculus *c : qAsConst(objStack))
        c->compute(force);
    colors->compute(force);
    labels->compute(force);
    return eLabels->compute(force);
}

int Problem::readAdjacency(quint32 *adj) const
{
    if (!graph) {
        for (int i = 0; i < maxNodes; ++i)
            adj[i] = 0;
        return 0;
    }
    return graph->adjacencyRows(adj);
}

void Problem::eval(Eval *e)
{
    if (!e)
        return;
    compute(false);
    e->clear();

    if (zScratch.size() < objStack.size())
        zScratch.resize(objStack.size());
    for (int i = 0; i < objStack.size(); ++i) {
        Calculus *z = objStack.at(i);
        const QVector<QVector<double>> &values = *z->getZ();
        const int r = qBound(0, z->rows, qMin(maxNodes, values.size()));
        QVector<double> &out = zScratch[i];
        out.resize(r);
        for (int k = 0; k < r; ++k) {
            double v = values.at(k).at(0);
            // Beyond the representable range in either direction, or not a number at all: the
            // worst value of a minimised objective.
            if (std::isnan(v) || v >= unavailable || v <= -unavailable)
                v = unavailable;
            out[k] = v;
        }
        e->addZ(out);
    }

    bool failed = false;
    for (Calculus *c : consStack) {
        double v = c->getValue(1);
        if (std::isnan(v))
            v = unavailable; // a constraint that cannot be evaluated is violated
        e->push_front(v);
        failed = failed || c->getError();
    }
    for (Calculus *z : objStack)
        failed = failed || z->getError();

    quint32 adj[maxNodes];
    const int n = readAdjacency(adj);
    if (chemical)
        e->push_front(StructuralPenalties::chemical(adj, n));
    if (degmax)
        e->push_front(StructuralPenalties::degmax(adj, n, degmaxValue, degmaxType));
    if (diameter)
        e->push_front(StructuralPenalties::diameter(adj, n, diameterValue, diameterType));
    if (regular)
        e->push_front(StructuralPenalties::regular(adj, n, regDegree));
    if (fixNbArcs)
        e->push_front(std::fabs(double(StructuralPenalties::edges(adj, n) - nbArcs)));
    if (connected)
        e->push_front(graph ? StructuralPenalties::components(adj, n) : 0.0);
    if (connectedBar)
        e->push_front(graph ? StructuralPenalties::complementComponents(adj, n) : 0.0);
    e->push_front(std::fabs(double(n) - double(nbNod)));
    e->push_front(failed ? 1.0 : 0.0);

    if (nbEvalsCount < std::numeric_limits<int>::max())
        ++nbEvalsCount;
    if (maxEval != 0 && nbEvalsCount >= maxEval)
        emit signal_max_eval_reached();
}

double Problem::isChemical()
{
    quint32 adj[maxNodes];
    const int n = readAdjacency(adj);
    return StructuralPenalties::chemical(adj, n);
}

double Problem::isDegmax()
{
    quint32 adj[maxNodes];
    const int n = readAdjacency(adj);
    return StructuralPenalties::degmax(adj, n, degmaxValue, degmaxType);
}

double Problem::isDiameter()
{
    quint32 adj[maxNodes];
    const int n = readAdjacency(adj);
    return StructuralPenalties::diameter(adj, n, diameterValue, diameterType);
}

double Problem::isRegular()
{
    quint32 adj[maxNodes];
    const int n = readAdjacency(adj);
    return StructuralPenalties::regular(adj, n, regDegree);
}

double Problem::isFixNbArcs()
{
    const int m = graph ? graph->getNbEdges() : 0;
    return std::fabs(double(m - nbArcs));
}

double Problem::isNbNod()
{
    const int n = graph ? graph->getNbNodes() : 0;
    return std::fabs(double(n - nbNod));
}

double Problem::isConnected()
{
    if (!graph)
        return 0.0;
    quint32 adj[maxNodes];
    const int n = readAdjacency(adj);
    return StructuralPenalties::components(adj, n);
}

double Problem::isConnectedBar()
{
    if (!graph)
        return 0.0;
    quint32 adj[maxNodes];
    const int n = readAdjacency(adj);
    return StructuralPenalties::complementComponents(adj, n);
}

void Problem::best_backup()
{
    // The items' dialogs and the graph view are widgets: a worker publishing on a board with a
    // user interface hands the work to the GUI thread.
    if (gui && !onGuiThread()) {
        QMetaObject::invokeMethod(
            this, [this]() { best_backup(); }, Qt::QueuedConnection);
        return;
    }
    QMutexLocker lock(&backupLock);
    compute(true);
    for (Calculus *item : allItems())
        item->bestBackup();
    Eval e;
    eval(&e);
    handOverToGraph(e);
}

void Problem::handOverToGraph(const Eval &e)
{
    // A worker's board bound to a displayed graph leaves the view alone.
    if (!graph || (!onGuiThread() && graph->isDisplayed()))
        return;
    graph->setViolated(e.violated());
    handDisplayItems(true, true, true);
}

void Problem::handDisplayItems(bool withColors, bool withLabels, bool withELabels)
{
    if (!graph)
        return;
    if (colors && withColors)
        graph->setColors(colors->getFirstCol());
    if (labels && withLabels)
        graph->setLabels(labels->getFirstCol());
    if (eLabels && withELabels) {
        const int n = graph->getNbNodes();
        QVector<QVector<double>> m;
        bool show = false;
        {
            QMutexLocker valueLock(&eLabels->valueMutex);
            m = eLabels->M;
            show = eLabels->rows == n && eLabels->cols == n;
        }
        graph->setELabels(m, show);
    }
}

void Problem::slot_best_backup()
{
    best_backup();
}

void Problem::slot_refresh()
{
    if (graph)
        graph->best_backup();
    best_backup();
    if (graph && (onGuiThread() || !graph->isDisplayed()))
        graph->update_display();
    update_display();
}

void Problem::setParam(const QString &keyword, int value)
{
    bool found = false;
    for (Calculus *item : evalStack) {
        if (item->name == keyword) {
            item->setParam(value);
            found = true;
        }
    }
    if (!found)
        return;
    // The parameter is an input of the items besides the graph: a fresh stamp makes every item
    // that depends on it compute again.
    if (graph)
        graph->changeBest();
    best_backup();
}

void Problem::setP1(int value)
{
    setParam(param1Name, value);
}

void Problem::setP2(int value)
{
    setParam(param2Name, value);
}

void Problem::showParam(const QString &keyword, bool show)
{
    for (Calculus *item : evalStack)
        if (item->name == keyword && gui)
            item->setVisible(show);
}

void Problem::setUseP1(bool flag)
{
    std::cerr << (flag ? "param1 in use." : "param1 not used.") << std::endl;
    showParam(param1Name, flag);
}

void Problem::setUseP2(bool flag)
{
    std::cerr << (flag ? "param2 in use." : "param2 not used.") << std::endl;
    showParam(param2Name, flag);
}

// ---- Analyst report columns ---------------------------------------------------------------------

namespace
{
QString headerOf(Calculus *item)
{
    item->updateGivenName();
    if (!item->getGivenName().isEmpty())
        return item->getGivenName();
    if (!item->name.isEmpty())
        return item->name;
    return QStringLiteral("NA");
}

// Entry i (from 1) of the item's current result; NaN where the result has no such entry (an item
// in error, or a value asked for per vertex), so a stale number never fills a column.
double reportValue(Calculus *item, int i)
{
    const bool column = item->cols < 2;
    const int available = column ? item->rows : (item->rows >= 1 ? item->cols : 0);
    if (i < 1 || i > available)
        return std::numeric_limits<double>::quiet_NaN();
    return item->getValue(i);
}
} // namespace

QStringList Problem::getReportNames(bool vertexMode)
{
    const int n = graph ? graph->getNbNodes() : 0;
    QStringList names;
    for (Calculus *item : evalStack + famStack + objStack) {
        if (!item->inReport())
            continue;
        const bool vec = item->vecInReport();
        const bool nod = item->nodInReport();
        const int k = vec ? n : (nod && !vertexMode ? n : 1);
        const QString header = headerOf(item);
        if (k == 1) {
            names << header;
            continue;
        }
        for (int i = 1; i <= k; ++i)
            names << header + QLatin1Char('[') + QString::number(i) + QLatin1Char(']');
    }
    return names;
}

QVector<double> Problem::getReportValues()
{
    const int n = graph ? graph->getNbNodes() : 0;
    QVector<double> row;
    for (Calculus *item : evalStack + famStack + objStack) {
        if (!item->inReport())
            continue;
        const int k = (item->vecInReport() || item->nodInReport()) ? n : 1;
        for (int i = 1; i <= k; ++i)
            row << reportValue(item, i);
    }
    return row;
}

QVector<double> Problem::getReportValues(int v)
{
    const int n = graph ? graph->getNbNodes() : 0;
    QVector<double> row;
    for (Calculus *item : evalStack + famStack + objStack) {
        if (!item->inReport())
            continue;
        if (item->nodInReport()) {
            row << reportValue(item, v);
        } else if (item->vecInReport()) {
            for (int i = 1; i <= n; ++i)
                row << reportValue(item, i);
        } else {
            row << reportValue(item, 1);
        }
    }
    return row;
}

// ---- Problem text -------------------------------------------------------------------------------

QString Problem::saveString()
{
    return ProblemTextWriter::write(
        evalStack, famStack + consStack + objStack + QVector<Calculus *>{colors, labels, eLabels}, title,
        description);
}

void Problem::emitConsole(const QString &text, bool debug, const QColor &colour)
{
    emit signal_console(text, debug, 0, colour);
}

void Problem::reportReadError(const QString &console, const QString &standardError)
{
    emitConsole(console, false, QColor(Qt::red));
    std::cerr << standardError.toLocal8Bit().constData() << std::endl;
}

void Problem::refreshParamPointers()
{
    param1 = nullptr;
    param2 = nullptr;
    for (Calculus *item : evalStack) {
        if (!param1 && item->name == param1Name)
            param1 = static_cast<invPARAM *>(item);
        else if (!param2 && item->name == param2Name)
            param2 = static_cast<invPARAM *>(item);
    }
}

void Problem::ensureParameterItems()
{
    refreshParamPointers();
    if (!param1) {
        param1 = new invPARAM(param1Name, gui);
        param1->setGraph(graph);
        putOnBoard(param1, 1100, false);
        evalStack.prepend(param1);
    }
    if (!param2) {
        param2 = new invPARAM(param2Name, gui);
        param2->setGraph(graph);
        putOnBoard(param2, 1200, false);
        evalStack.prepend(param2);
    }
}

void Problem::installStaged(ProblemTextReader &st)
{
    clear();
    evalStack = st.eval;
    famStack = st.fam;
    consStack = st.cons;
    objStack = st.obj;
    st.eval.clear();
    st.fam.clear();
    st.cons.clear();
    st.obj.clear();

    struct Placement {
        QVector<Calculus *> *stack;
        int zBase;
    };
    for (const Placement &p : {Placement{&evalStack, 0}, Placement{&famStack, 200},
                               Placement{&consStack, 500}, Placement{&objStack, 500}}) {
        for (int i = 0; i < p.stack->size(); ++i) {
            Calculus *item = p.stack->at(i);
            item->setGraph(graph);
            putOnBoard(item, p.zBase + i + 1, true);
            item->setSelectable(true);
        }
    }
    if (gui && boardScene) {
        for (Calculus *item : evalStack + famStack + consStack + objStack) {
            for (int k = 1; k <= 4; ++k) {
                Link *l = item->incomingLink(k);
                if (l && l->scene() != boardScene) {
                    boardScene->addItem(l);
                    l->adjust();
                }
            }
        }
    }
    // Arguments stand before their users, so one pass in stack order computes everything.
    for (Calculus *item : evalStack + famStack + consStack + objStack)
        item->bestBackup();

    for (const ProblemTextReader::DisplayRecord &record : st.displays) {
        Calculus *d = record.target;
        d->setPos(record.x, record.y);
        d->setInReport(record.flags[0]);
        d->setGraphInReport(!record.flags[1] && !record.flags[2]);
        d->setVecInReport(record.flags[2]);
        d->setNodInReport(record.flags[1]);
        d->setInvertGraph(record.flags[3]);
        d->setGivenName(record.givenName);
        for (int k = 0; k < 4; ++k)
            if (record.args[k])
                link(k + 1, record.args[k], d);
    }
    st.displays.clear();
    ensureParameterItems();
}

bool Problem::openString(const QString &text)
{
    ProblemTextReader st(gui, colors, labels, eLabels);
    if (!st.read(text)) {
        reportReadError(st.errorConsole, st.errorStandard);
        ensureParameterItems();
        return false;
    }

    installStaged(st);
    for (Calculus *item : allItems())
        item->select(false);
    if (graph && (onGuiThread() || !graph->isDisplayed()))
        graph->update_display();
    if (st.hasDescription) {
        title = Calculus::sanitizeParagraphs(st.title);
        description = Calculus::sanitizeParagraphs(st.description);
    }
    emitConsole(QStringLiteral("Problem loaded"), false, QColor(Qt::black));
    if (st.hasDescription) {
        emit signal_problem_description(description);
        emit signal_problem_title(title);
    }
    return true;
}

void Problem::clear()
{
    for (QVector<Calculus *> *stack : {&evalStack, &famStack, &objStack, &consStack}) {
        while (!stack->isEmpty()) {
            Calculus *item = stack->takeLast();
            delete item;
        }
    }
    param2 = nullptr;
    param1 = nullptr;
    if (graph && (onGuiThread() || !graph->isDisplayed())) {
        graph->resetColors();
        graph->resetLabels();
    }
}

Problem *Problem::clone()
{
    const QString text = saveString();
    // Built without a graph and bound afterwards: linking the copy's items on this board's graph
    // would take fresh stamps and back up the user's current graph as the best one.
    Problem *copy = new Problem(nullptr, QStringLiteral("clone"), false);
    copy->openString(text);
    copy->setGraph(graph);
    copy->setDiameter(diameter);
    copy->setDiameterIntType(diameterType);
    copy->setDiameterValue(diameterValue);
    copy->setDegmaxIntType(degmaxType);
    copy->setDegmax(degmax);
    copy->setDegmaxValue(degmaxValue);
    copy->setRegular(regular);
    copy->setRegDegree(regDegree);
    copy->setFixNbArcs(fixNbArcs);
    copy->setNbArcs(nbArcs);
    copy->setNbNod(nbNod);
    copy->setConnected(connected);
    copy->setConnectedBar(connectedBar);
    copy->setChemical(chemical);
    return copy;
}

void Problem::display(bool debug)
{
    ProblemTextWriter::numberEvaluationStack(evalStack);
    const QString rule = QStringLiteral("===================\n");
    QString text = rule;
    text += QStringLiteral("Name     = ") + name + QLatin1Char('\n');
    text += QStringLiteral("FileName = ") + fileName + QLatin1Char('\n');
    text += QStringLiteral("BaseName = ") + baseName + QLatin1Char('\n');
    for (Calculus *item : evalStack + famStack + consStack)
        text += item->getCaractToSave() + QLatin1Char('\n');
    text += rule;
    std::cerr << text.toUtf8().constData() << std::endl;
    std::cerr.flush();
    emitConsole(text, debug, QColor(Qt::black));
}

// ---- Problem files and autosave -----------------------------------------------------------------

void Problem::reportFileError(const QString &what, const QString &path, const QString &error)
{
    const QString text = what + QStringLiteral(" ") + path + QStringLiteral(": ") + error;
    emitConsole(text, false, QColor(Qt::red));
    std::cerr << text.toLocal8Bit().constData() << std::endl;
}

bool Problem::save(const QString &path)
{
    QString error;
    return saveTo(path, error);
}

bool Problem::saveTo(const QString &path, QString &error)
{
    if (!ProblemFile::write(path, saveString(), error)) {
        reportFileError(QStringLiteral("Problem not saved to"), path, error);
        return false;
    }
    emitConsole(QStringLiteral("Problem saved"), false, QColor(Qt::black));
    return true;
}

bool Problem::open(const QString &path)
{
    std::cerr << "Opening " << path.toUtf8().constData() << std::endl;
    QString text, error;
    if (!ProblemFile::read(path, text, error)) {
        reportFileError(QStringLiteral("Cannot open"), path, error);
        Prompt::current()->warning(this, QStringLiteral("Opening"), QStringLiteral("Cannot open file"));
        return false;
    }
    return openString(text);
}

namespace
{
// The file fields of a board after a save or an open of path through a dialog.
void fileFieldsOf(const QString &path, QString &fileName, QString &name, QString &baseName)
{
    const QFileInfo info(path);
    fileName = path;
    name = info.completeBaseName();
    baseName = info.path() + QLatin1Char('/') + name;
}
} // namespace

void Problem::slot_save()
{
    const QString start = wd.isEmpty() ? fileName : wd;
    const QString path = Prompt::current()->saveFileName(this, QStringLiteral("Save results as"), start,
                                                         QStringLiteral("*.tsy3"));
    if (path.isEmpty())
        return; // cancelled
    QString error;
    if (saveTo(path, error)) {
        fileFieldsOf(path, fileName, name, baseName);
        return;
    }
    // The console may not be in view: the box itself says why, and that nothing was replaced.
    Prompt::current()->warning(this, QStringLiteral("Warning"),
                               QStringLiteral("Failed to save data.\n%1: %2\nAny previous file is unchanged.")
                                   .arg(QDir::toNativeSeparators(path), error));
}

void Problem::slot_open()
{
    const QString path = Prompt::current()->openFileName(this, QStringLiteral("Choose problem to load"), wd,
                                                         QStringLiteral("*.tsy3"));
    if (path.isEmpty())
        return; // cancelled
    if (open(path))
        fileFieldsOf(path, fileName, name, baseName);
}

QString Problem::autosavePath() const
{
    return wd.isEmpty() ? QStringLiteral(".tsypb") : wd + QStringLiteral("/.tsypb");
}

bool Problem::autosave()
{
    const QString path = autosavePath();
    QString error;
    if (ProblemFile::write(path, saveString(), error))
        return true;
    // The working directory stays: dropping it would send later autosaves to another folder
    // while the next start reloads from this one, and so brings back a stale problem.
    reportFileError(QStringLiteral("Autosave failed for"), path, error);
    return false;
}

bool Problem::autoload()
{
    QString text, error;
    if (!ProblemFile::read(autosavePath(), text, error)) {
        std::cerr << "Cannot open file (autoload)" << std::endl;
        return false;
    }
    return openString(text);
}

QString Problem::currentDescription()
{
    QString text;
    for (Calculus *item : evalStack + famStack + consStack + objStack)
        text += item->problemDocument() + QLatin1Char('\n');
    return text;
}

// ---- Board editing ------------------------------------------------------------------------------

Calculus *Problem::placeItem(const QString &keyword)
{
    const BuildCalculus catalogue;
    const int category = catalogue.type(keyword);
    Calculus *item = category == 0 ? nullptr : catalogue.makeCalculus(keyword, gui);
    if (!item)
        return nullptr;
    bool added = false;
    switch (category) {
    case 1:
        added = addInvariantItem(item);
        break;
    case 2:
        added = addFamilyItem(item);
        break;
    case 3:
        added = addOperatorItem(item);
        break;
    case 4:
        added = addConstraintItem(item);
        break;
    default:
        added = addZItem(item);
        break;
    }
    return added ? item : nullptr;
}

QVector<Calculus *> Problem::walk(Walk kind, bool reversed) const
{
    QVector<Calculus *> items;
    for (const QVector<Calculus *> *stack : {&evalStack, &famStack, &consStack, &objStack}) {
        if (reversed)
            for (int i = stack->size() - 1; i >= 0; --i)
                items << stack->at(i);
        else
            items += *stack;
    }
    switch (kind) {
    case Walk::Grab:
        items << param1 << param2 << labels << colors << eLabels;
        break;
    case Walk::Unselect:
        items << param1 << param2 << colors << labels << eLabels;
        break;
    case Walk::Arrange:
        items << colors << labels << eLabels;
        break;
    }
    items.removeAll(nullptr);
    return items;
}

QVector<Calculus *> Problem::boardItemsAt(const QPointF &scenePoint) const
{
    // Topmost first; a later match wins, so of overlapping items the lowest is the one taken.
    QVector<Calculus *> found;
    if (!boardScene)
        return found;
    const QVector<Calculus *> items = walk(Walk::Grab, false);
    for (QGraphicsItem *g : boardScene->items(scenePoint, Qt::IntersectsItemShape, Qt::DescendingOrder))
        for (Calculus *c : items)
            if (static_cast<QGraphicsItem *>(c) == g && !found.contains(c))
                found << c;
    return found;
}

void Problem::timerEvent(QTimerEvent *)
{
    update_display();
}

void Problem::mousePressEvent(QMouseEvent *event)
{
    if (!gui || !rubberBand)
        return;
    buttonHeld = true;
    moved = false;
    pressPoint = mapToScene(event->pos());
    Calculus::setCalculusUnderMouse(nullptr);
    const QVector<Calculus *> under = boardItemsAt(pressPoint);
    if (!under.isEmpty()) {
        Calculus::setCalculusUnderMouse(under.last());
        buttonHeld = false;
    } else {
        rubberBand->setRect(QRectF(pressPoint, QSizeF(0, 0)));
        rubberBand->show();
    }
}

void Problem::mouseMoveEvent(QMouseEvent *event)
{
    if (!gui || !rubberBand)
        return;
    lastMousePos = event->pos();
    const QPointF p = mapToScene(event->pos());
    if (buttonHeld) {
        const QRectF band(QPointF(qMin(pressPoint.x(), p.x()), qMin(pressPoint.y(), p.y())),
                          QSizeF(qAbs(p.x() - pressPoint.x()), qAbs(p.y() - pressPoint.y())));
        rubberBand->setRect(band);
        const QList<QGraphicsItem *> inBand = boardScene->items(band, Qt::IntersectsItemShape);
        for (Calculus *c : walk(Walk::Grab, false))
            if (inBand.contains(c))
                c->select(true); // the band only adds to the selection
    }
    if (Calculus *grabbed = Calculus::calculusUnderMouse()) {
        grabbed->setPos(p);
        moved = true;
    }
    update_display();
}

void Problem::mouseReleaseEvent(QMouseEvent *)
{
    if (!gui || !rubberBand)
        return;
    buttonHeld = false;
    rubberBand->hide();
    Calculus *grabbed = Calculus::calculusUnderMouse();
    if (!moved && grabbed)
        grabbed->toggleSelect();
    Calculus::setCalculusUnderMouse(nullptr);
    moved = false;
}

void Problem::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (!gui || !rubberBand)
        return;
    buttonHeld = false;
    pressPoint = mapToScene(event->pos());
    // Each item under the pointer once: the parameter items, which the walk reaches twice, would
    // otherwise open and close their dialog again at once.
    for (Calculus *c : boardItemsAt(pressPoint))
        c->toggleDisplay();
    rubberBand->setRect(QRectF(pressPoint, QSizeF(0, 0)));
    rubberBand->hide();
}

void Problem::scaleView(double factor)
{
    const qreal width = transform().scale(factor, factor).mapRect(QRectF(0, 0, 1, 1)).width();
    if (width < 0.07 || width > 100)
        return;
    scale(factor, factor);
}

void Problem::wheelEvent(QWheelEvent *event)
{
    scaleView(std::pow(2.0, -event->angleDelta().y() / 240.0));
}

void Problem::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Minus:
        scaleView(1.0 / 1.1);
        break;
    case Qt::Key_Plus:
        scaleView(1.1);
        break;
    case Qt::Key_1:
        slot_link1();
        break;
    case Qt::Key_2:
        slot_link2();
        break;
    case Qt::Key_3:
        slot_link3();
        break;
    case Qt::Key_4:
        slot_link4();
        break;
    case Qt::Key_D:
        slot_delete_items();
        break;
    case Qt::Key_U:
        for (Calculus *c : walk(Walk::Unselect, false)) {
            c->select(false);
            c->update();
        }
        break;
    case Qt::Key_R:
        emit signal_start_vns();
        break;
    case Qt::Key_H:
        emit signal_stop_vns();
        break;
    case Qt::Key_P:
        slot_print();
        break;
    case Qt::Key_X:
        slot_alignX();
        break;
    case Qt::Key_Y:
        slot_alignY();
        break;
    case Qt::Key_A:
        slot_spaceX();
        break;
    case Qt::Key_V:
        slot_spaceY();
        break;
    case Qt::Key_I:
        for (Calculus *c : walk(Walk::Arrange, true))
            c->toggleSelect();
        break;
    case Qt::Key_Up:
        moveSelection(0, -5);
        break;
    case Qt::Key_Down:
        moveSelection(0, 5);
        break;
    case Qt::Key_Right:
        moveSelection(5, 0);
        break;
    case Qt::Key_Left:
        moveSelection(-5, 0);
        break;
    default:
        break;
    }
    slot_refresh();
}

void Problem::moveSelection(qreal dx, qreal dy)
{
    for (Calculus *c : walk(Walk::Arrange, false))
        if (c->isItemSelected())
            c->setPos(c->pos() + QPointF(dx, dy));
}

void Problem::linkSelection(int k)
{
    // Sources come from the evaluation stack and link only to later items, which the stack order
    // already places after them: no link of this walk needs the stack rearranged. A copy is walked
    // all the same.
    const QVector<Calculus *> stack = evalStack;
    const QVector<Calculus *> objectives = objStack;
    const QVector<Calculus *> constraints = consStack;
    for (int i = 0; i < stack.size(); ++i) {
        Calculus *source = stack.at(i);
        if (!source->isItemSelected())
            continue;
        for (int j = i + 1; j < stack.size(); ++j) {
            if (k == 4 && !source->isItemSelected())
                break;
            if (stack.at(j)->isItemSelected())
                link(k, source, stack.at(j));
        }
        if (k == 1)
            for (Calculus *t : objectives)
                if (t->isItemSelected())
                    link(1, source, t);
        if (k <= 2)
            for (Calculus *t : constraints)
                if (t->isItemSelected())
                    link(k, source, t);
        if (k == 1) {
            for (Calculus *t : {static_cast<Calculus *>(colors), static_cast<Calculus *>(eLabels),
                                static_cast<Calculus *>(labels)})
                if (t->isItemSelected())
                    link(1, source, t);
        }
    }
    // Display items still selected (an arrow only re-pointed) hand their values over at once.
    if (k == 1)
        handDisplayItems(colors->isItemSelected(), labels->isItemSelected(), eLabels->isItemSelected());
    if (graph) {
        graph->changeBest();
        graph->update_display();
    }
    update_display();
}

void Problem::slot_link1()
{
    linkSelection(1);
}

void Problem::slot_link2()
{
    linkSelection(2);
}

void Problem::slot_link3()
{
    linkSelection(3);
}

void Problem::slot_link4()
{
    linkSelection(4);
}

void Problem::slot_delete_items()
{
    const bool confirmed =
        Prompt::current()->confirm(this, QStringLiteral("About to delete items"),
                                   QStringLiteral("Are you sure you want to delete the selected items?"));
    if (graph)
        graph->changeBest();
    if (!confirmed) {
        if (graph)
            graph->update_display();
        update_display();
        return;
    }
    for (QVector<Calculus *> *stack : {&evalStack, &famStack, &consStack, &objStack}) {
        for (int i = stack->size() - 1; i >= 0; --i) {
            Calculus *item = stack->at(i);
            if (!item->isItemSelected() || item == param1 || item == param2)
                continue;
            stack->remove(i);
            if (CalculusDisplay *d = item->getCalculusDisplay())
                disconnect(d, &CalculusDisplay::signal_refresh, this, &Problem::slot_refresh);
            delete item; // its arrows go with it, freeing the arguments of its users
        }
    }
    Calculus::clearVectorCalculus();
    for (Calculus *item : evalStack)
        Calculus::addVectorCalculus(item);
    best_backup();
    if (graph) {
        graph->changeBest();
        graph->update_display();
    }
    update_display();
}

void Problem::slot_print()
{
    QPrinter printer(QPrinter::HighResolution);
    if (!Prompt::current()->print(nullptr, &printer))
        return;
    QPainter painter(&printer);
    render(&painter, QRectF(), QRect(), Qt::KeepAspectRatio);
}

void Problem::alignSelection(bool onX)
{
    qreal m = 1e8;
    const QVector<Calculus *> items = walk(Walk::Arrange, true);
    for (Calculus *c : items)
        if (c->isItemSelected())
            m = qMin(m, onX ? c->x() : c->y());
    for (Calculus *c : items) {
        if (!c->isItemSelected())
            continue;
        if (onX)
            c->setX(m);
        else
            c->setY(m);
    }
}

void Problem::spaceSelection(bool onX)
{
    QVector<Calculus *> items;
    for (Calculus *c : walk(Walk::Arrange, true))
        if (c->isItemSelected())
            items << c;
    const int n = items.size();
    if (n < 2)
        return;
    auto coordinate = [onX](const Calculus *c) { return onX ? c->x() : c->y(); };
    // A stable sort: items at the same place keep the order of the walk.
    std::stable_sort(items.begin(), items.end(),
                     [&](const Calculus *a, const Calculus *b) { return coordinate(a) < coordinate(b); });
    const qreal first = coordinate(items.first());
    const qreal step = (coordinate(items.last()) - first) / (n - 1);
    qreal at = first;
    for (Calculus *c : items) {
        if (onX)
            c->setX(at);
        else
            c->setY(at);
        at += step;
    }
}

void Problem::slot_alignX()
{
    alignSelection(true);
}

void Problem::slot_alignY()
{
    alignSelection(false);
}

void Problem::slot_spaceX()
{
    spaceSelection(true);
}

void Problem::slot_spaceY()
{
    spaceSelection(false);
}
