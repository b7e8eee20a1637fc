#include "problem/Problem.h"

#include "graph/Graph.h"
#include "problem/BuildCalculus.h"
#include "problem/Calculus.h"
#include "problem/CalculusDisplay.h"
#include "problem/Eval.h"
#include "problem/Link.h"
#include "problem/infoEDGE.h"
#include "problem/infoNODE.h"
#include "problem/invConstant.h"
#include "problem/invPARAM.h"

#include <QBrush>
#include <QCoreApplication>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QHash>
#include <QMutexLocker>
#include <QPen>
#include <QSet>
#include <QThread>

#include <cmath>
#include <iostream>
#include <limits>

namespace
{
const int maxNodes = 32;
const double unavailable = 1e12;
const QString newRecord = QStringLiteral("<NEW>");
const QString param1Name = QStringLiteral("PARAM 1");
const QString param2Name = QStringLiteral("PARAM 2");

bool onGuiThread()
{
    const QCoreApplication *app = QCoreApplication::instance();
    return !app || QThread::currentThread() == app->thread();
}

inline int popcount(quint32 x)
{
    return __builtin_popcount(x);
}

inline quint32 lowMask(int n)
{
    return n >= 32 ? 0xffffffffu : ((1u << n) - 1u);
}

bool setLinkK(Calculus *target, int k, Link *l)
{
    switch (k) {
    case 1:
        return target->setLink1(l);
    case 2:
        return target->setLink2(l);
    case 3:
        return target->setLink3(l);
    default:
        return target->setLink4(l);
    }
}

bool setArgK(Calculus *target, int k, Calculus *source)
{
    switch (k) {
    case 1:
        return target->setArg1(source);
    case 2:
        return target->setArg2(source);
    case 3:
        return target->setArg3(source);
    default:
        return target->setArg4(source);
    }
}

// A position read from a problem text: text that is no number, and values that are not finite,
// read 0; far-away values are brought back onto a board of sensible size.
double readCoordinate(const QString &field)
{
    bool ok = false;
    const double v = field.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return 0.0;
    return qBound(-1e6, v, 1e6);
}
} // namespace

// The items of a problem text being read, built aside from the board until the whole text has
// been checked.
struct Problem::Staged {
    struct DisplayRecord {
        Calculus *target = nullptr; // the board's own display item
        QString givenName;
        bool flags[4] = {false, false, false, false};
        double x = 0.0, y = 0.0;
        Calculus *args[4] = {nullptr, nullptr, nullptr, nullptr};
    };

    QVector<Calculus *> eval, fam, cons, obj;
    QVector<DisplayRecord> displays;
    int itemRecords = 0;
    bool hasDescription = false;
    QString title, description;
    QString errorConsole, errorStandard;

    void discard()
    {
        for (QVector<Calculus *> *stack : {&obj, &cons, &fam, &eval}) {
            for (int i = stack->size() - 1; i >= 0; --i)
                delete stack->at(i);
            stack->clear();
        }
        displays.clear();
    }
};

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

    distances = QVector<QVector<int>>(maxNodes, QVector<int>(maxNodes, 0));
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
    title = Calculus::sanitizeText(text);
}

void Problem::slot_set_description(const QString &text)
{
    description = Calculus::sanitizeText(text);
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

void Problem::addItem(Calculus *item, QVector<Calculus *> &stack, bool front, int zBase)
{
    if (!item)
        return;
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
}

void Problem::addInvariantItem(Calculus *item)
{
    addItem(item, evalStack, true, 0);
}

void Problem::addInvariantItemLoadMode(Calculus *item)
{
    addItem(item, evalStack, false, 0);
}

void Problem::addOperatorItem(Calculus *item)
{
    addItem(item, evalStack, false, 0);
}

void Problem::addFamilyItem(Calculus *item)
{
    addItem(item, famStack, false, 200);
}

void Problem::addConstraintItem(Calculus *item)
{
    addItem(item, consStack, false, 500);
}

void Problem::addZItem(Calculus *item)
{
    addItem(item, objStack, false, 500);
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
        setArgK(target, k, source);
    } else {
        if (dependsOn(source, target))
            return false;
        Link *l = new Link(source, target, gui);
        if (!setLinkK(target, k, l) || !source->setLinkTo(l)) {
            delete l;
            return false;
        }
        if (gui && boardScene)
            boardScene->addItem(l);
        setArgK(target, k, source);
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
        for (int i = evalStack.size() - 1; i >= 0; --i)
            evalStack[i]->crucial = false;
        for (int i = famStack.size() - 1; i >= 0; --i)
            famStack[i]->crucial = false;
        for (Calculus *c : consStack)
            c->crucial = true;
        for (Calculus *c : objStack)
            c->crucial = true;
        for (Calculus *c : objStack)
            c->update_crucial();
        for (Calculus *c : consStack)
            c->update_crucial();
        for (int i = evalStack.size() - 1; i >= 0; --i)
            evalStack[i]->update_crucial();
    } else {
        for (Calculus *c : objStack)
            c->crucial = true;
        colors->crucial = true;
        labels->crucial = true;
        eLabels->crucial = true;
        for (Calculus *c : consStack)
            c->crucial = true;
        for (int i = evalStack.size() - 1; i >= 0; --i)
            evalStack[i]->crucial = true;
    }

    // Families read nothing but the graph, and operators of the evaluation stack may use them:
    // they are computed first, so no operator reads a family's result for the previous graph.
    for (Calculus *c : famStack)
        c->compute(force);
    for (Calculus *c : evalStack)
        c->compute(force);
    for (Calculus *c : consStack)
        c->compute(force);
    for (Calculus *c : objStack)
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
        e->push_front(chemicalPenalty(adj, n));
    if (degmax)
        e->push_front(degmaxPenalty(adj, n));
    if (diameter)
        e->push_front(diameterPenalty(adj, n));
    if (regular)
        e->push_front(regularPenalty(adj, n));
    if (fixNbArcs) {
        int m = 0;
        for (int i = 0; i < n; ++i)
            m += popcount(adj[i]);
        e->push_front(std::fabs(double(m / 2 - nbArcs)));
    }
    if (connected)
        e->push_front(graph ? componentsPenalty(adj, n) : 0.0);
    if (connectedBar)
        e->push_front(graph ? complementComponentsPenalty(adj, n) : 0.0);
    e->push_front(std::fabs(double(n) - double(nbNod)));
    e->push_front(failed ? 1.0 : 0.0);

    if (nbEvalsCount < std::numeric_limits<int>::max())
        ++nbEvalsCount;
    if (maxEval != 0 && nbEvalsCount >= maxEval)
        emit signal_max_eval_reached();
}

namespace
{
// The largest degree (0 without vertices) and the number of vertices that have it.
void largestDegree(const quint32 *adj, int n, int &delta, int &count)
{
    delta = 0;
    count = 0;
    for (int i = 0; i < n; ++i) {
        const int d = popcount(adj[i]);
        if (d > delta) {
            delta = d;
            count = 1;
        } else if (d == delta) {
            ++count;
        }
    }
}
} // namespace

double Problem::chemicalPenalty(const quint32 *adj, int n) const
{
    int delta = 0, count = 0;
    largestDegree(adj, n, delta, count);
    if (delta <= 4)
        return 0.0;
    return double(delta - 4) * n + count;
}

double Problem::degmaxPenalty(const quint32 *adj, int n) const
{
    int delta = 0, count = 0;
    largestDegree(adj, n, delta, count);
    const int v = degmaxValue;
    switch (degmaxType) {
    case LessEqual:
        return delta > v ? double(delta - v) * n + count : 0.0;
    case GreaterEqual:
        return v > delta ? double(v - delta) * n + count : 0.0;
    default:
        if (delta > v)
            return double(delta - v) * n + count;
        if (v > delta)
            return double(v - delta) * n;
        return 0.0;
    }
}

double Problem::diameterPenalty(const quint32 *adj, int n)
{
    const int unreached = 64;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            distances[i][j] = unreached;
    int d = 0;
    int queue[maxNodes];
    for (int s = 0; s < n; ++s) {
        QVector<int> &dist = distances[s];
        dist[s] = 0;
        quint32 visited = 1u << s;
        int head = 0, tail = 0;
        queue[tail++] = s;
        while (head < tail) {
            const int u = queue[head++];
            quint32 fresh = adj[u] & ~visited;
            visited |= fresh;
            while (fresh) {
                const int w = __builtin_ctz(fresh);
                fresh &= fresh - 1;
                dist[w] = dist[u] + 1;
                d = qMax(d, dist[w]);
                queue[tail++] = w;
            }
        }
        if (visited != lowMask(n))
            return unavailable; // disconnected
    }
    const int v = diameterValue;
    if (d == v || (d < v && diameterType == LessEqual) || (d > v && diameterType == GreaterEqual))
        return 0.0;
    if (n == 0)
        return std::fabs(double(d - v)); // no pair at all: only the distance to the bound counts
    int k = 0;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            if (distances[i][j] == d)
                ++k;
    return std::fabs(double(k) / (double(n) * n) + d - v);
}

double Problem::regularPenalty(const quint32 *adj, int n) const
{
    double sum = 0.0;
    for (int i = 0; i < n; ++i)
        sum += std::fabs(double(popcount(adj[i]) - regDegree));
    return sum;
}

namespace
{
// Components minus 1 of the graph whose neighbourhoods are given, counted as the search that
// restarts from the unvisited vertex of highest index whenever its queue runs empty.
double countExtraComponents(const quint32 *nb, int n)
{
    if (n == 0)
        return 0.0;
    if (n == 1)
        return 1.0;
    const quint32 all = lowMask(n);
    quint32 visited = 1u;
    quint32 frontier = 1u;
    int extra = 0;
    for (;;) {
        while (frontier) {
            quint32 next = 0;
            quint32 f = frontier;
            while (f) {
                const int u = __builtin_ctz(f);
                f &= f - 1;
                next |= nb[u];
            }
            next &= ~visited;
            visited |= next;
            frontier = next;
        }
        if (visited == all)
            break;
        const quint32 left = all & ~visited;
        const int highest = 31 - __builtin_clz(left);
        frontier = 1u << highest;
        visited |= frontier;
        ++extra;
    }
    return extra;
}
} // namespace

double Problem::componentsPenalty(const quint32 *adj, int n)
{
    return countExtraComponents(adj, n);
}

double Problem::complementComponentsPenalty(const quint32 *adj, int n)
{
    quint32 bar[maxNodes];
    const quint32 all = lowMask(n);
    for (int i = 0; i < n; ++i)
        bar[i] = ~adj[i] & all & ~(1u << i);
    return countExtraComponents(bar, n);
}

double Problem::isChemical()
{
    quint32 adj[maxNodes];
    const int n = readAdjacency(adj);
    return chemicalPenalty(adj, n);
}

double Problem::isDegmax()
{
    quint32 adj[maxNodes];
    const int n = readAdjacency(adj);
    return degmaxPenalty(adj, n);
}

double Problem::isDiameter()
{
    quint32 adj[maxNodes];
    const int n = readAdjacency(adj);
    return diameterPenalty(adj, n);
}

double Problem::isRegular()
{
    quint32 adj[maxNodes];
    const int n = readAdjacency(adj);
    return regularPenalty(adj, n);
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
    return componentsPenalty(adj, n);
}

double Problem::isConnectedBar()
{
    if (!graph)
        return 0.0;
    quint32 adj[maxNodes];
    const int n = readAdjacency(adj);
    return complementComponentsPenalty(adj, n);
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
    if (colors)
        graph->setColors(colors->getFirstCol());
    if (labels)
        graph->setLabels(labels->getFirstCol());
    if (eLabels) {
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
    for (int i = 0; i < evalStack.size(); ++i)
        evalStack[i]->saveIndex = i;
    QString text;
    for (Calculus *item : allItems()) {
        item->updateGivenName();
        text += item->getCaractToSave();
    }
    text.replace(QLatin1Char('\n'), newRecord);
    text += QStringLiteral("DESC\t") + title + QLatin1Char('\t') + description;
    return text;
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

bool Problem::readRecord(const QString &part, const BuildCalculus &catalogue, Staged &st)
{
    const QStringList fields = part.split(QLatin1Char('\t'), Qt::KeepEmptyParts);
    const QString keyword = fields.at(0);

    if (keyword == QLatin1String("DESC")) {
        // Title is field 1; the description is the rest of the record, tabs included.
        const int firstTab = part.indexOf(QLatin1Char('\t'));
        const int secondTab = firstTab < 0 ? -1 : part.indexOf(QLatin1Char('\t'), firstTab + 1);
        st.title =
            firstTab < 0 ? QString() : part.mid(firstTab + 1, secondTab < 0 ? -1 : secondTab - firstTab - 1);
        st.description = secondTab < 0 ? QString() : part.mid(secondTab + 1);
        st.hasDescription = true;
        return true;
    }

    if (fields.size() < 9) {
        const int missing = fields.size(); // the number of the first missing field
        st.errorConsole = QStringLiteral("Critical error, missing argument.");
        st.errorStandard =
            QStringLiteral("Critical error, missing argument") + QString(missing, QLatin1Char('.'));
        return false;
    }
    if (++st.itemRecords > MaxItemRecords) {
        st.errorConsole = QStringLiteral("Critical error, too many items in problem description.");
        st.errorStandard = st.errorConsole;
        return false;
    }

    const bool isConstant = keyword == QLatin1String("CONSTANT");
    Calculus *displayTarget = nullptr;
    if (keyword == QLatin1String("Colors"))
        displayTarget = colors;
    else if (keyword == QLatin1String("Labels"))
        displayTarget = labels;
    else if (keyword == QLatin1String("E_Labels"))
        displayTarget = eLabels;

    const QString wrongArgument = (isConstant ? QStringLiteral("*") : QString()) +
                                  QStringLiteral("Critical error, wrong argument for ") + keyword;

    // Everything is checked before an item is made.
    const int category = catalogue.type(keyword);
    Calculus *item = nullptr;
    if (!displayTarget) {
        item = isConstant ? catalogue.makeConstant(gui) : catalogue.makeCalculus(keyword, gui);
        if (!item) {
            st.errorConsole = keyword + QStringLiteral(" is not a valid name in problem description.");
            st.errorStandard = st.errorConsole;
            return false;
        }
    }
    auto fail = [&](const QString &console, const QString &standardError) {
        delete item;
        st.errorConsole = console;
        st.errorStandard = standardError;
        return false;
    };

    // Arguments refer to evaluation-stack items read before this record: no self or forward
    // reference, which could never be computed in order.
    const int bound = st.eval.size();
    Calculus *args[4] = {nullptr, nullptr, nullptr, nullptr};
    for (int k = 0; k < 4; ++k) {
        const int f = 8 + k;
        if (f >= fields.size())
            return fail(wrongArgument, wrongArgument);
        const QString &field = fields.at(f);
        if (field == QLatin1String("NULL"))
            continue;
        bool ok = false;
        const int index = field.toInt(&ok, 10);
        if (!ok || index < 0 || index >= bound)
            return fail(wrongArgument, wrongArgument);
        args[k] = st.eval.at(index);
    }

    const bool isObjective = keyword == QLatin1String("Z") || keyword == QLatin1String("OBJECTIVE");
    if (isObjective && fields.size() < 13)
        return fail(wrongArgument, wrongArgument);

    int constRows = 0, constCols = 0;
    QVector<double> constValues;
    if (isConstant) {
        if (fields.size() < 14)
            return fail(QStringLiteral("Problem : ERROR LOADING CONSTANT"),
                        QStringLiteral("Problem : ERROR LOADING CONSTANT"));
        bool ok = false;
        constRows = fields.at(12).toInt(&ok, 10);
        if (!ok || constRows < 0 || constRows > maxNodes)
            return fail(QStringLiteral("Critical error, invalid value in loading constant."),
                        QStringLiteral("Critical error, invalid value in loading constant"));
        constCols = fields.at(13).toInt(&ok, 10);
        if (!ok || constCols < 0 || constCols > maxNodes)
            return fail(QStringLiteral("Critical error, invalid value in loading constant."),
                        QStringLiteral("Critical error, invalid value in loading constant."));
        if (fields.size() - 14 != constRows * constCols)
            return fail(QStringLiteral("Problem : ERROR LOADING CONSTANT"),
                        QStringLiteral("Problem : ERROR LOADING CONSTANT."));
        constValues.reserve(constRows * constCols);
        for (int i = 14; i < fields.size(); ++i)
            constValues << fields.at(i).toDouble(); // text that is no number reads 0
    }

    const bool flags[4] = {fields.at(2) == QLatin1String("1"), fields.at(3) == QLatin1String("1"),
                           fields.at(4) == QLatin1String("1"), fields.at(5) == QLatin1String("1")};
    const double x = readCoordinate(fields.at(6));
    const double y = readCoordinate(fields.at(7));

    if (displayTarget) {
        Staged::DisplayRecord record;
        record.target = displayTarget;
        record.givenName = fields.at(1);
        for (int k = 0; k < 4; ++k) {
            record.flags[k] = flags[k];
            record.args[k] = args[k];
        }
        record.x = x;
        record.y = y;
        st.displays << record;
        return true;
    }

    item->setPos(x, y);
    item->setInReport(flags[0]);
    if (!isConstant)
        item->setGraphInReport(!flags[1] && !flags[2]);
    item->setVecInReport(flags[2]);
    item->setNodInReport(flags[1]);
    item->setInvertGraph(flags[3]);
    item->setGivenName(fields.at(1));

    // The staged items have no graph yet: linking them computes nothing and moves no graph stamp.
    for (int k = 0; k < 4; ++k) {
        if (!args[k])
            continue;
        Link *l = new Link(args[k], item, gui);
        if (!setLinkK(item, k + 1, l) || !args[k]->setLinkTo(l)) {
            delete l; // an argument the item refuses is dropped, as on the board
            continue;
        }
        setArgK(item, k + 1, args[k]);
    }

    if (isObjective)
        item->setMin(fields.at(12) == QLatin1String("min"));
    if (isConstant) {
        static_cast<invConstant *>(item)->loadData(constRows, constCols, constValues);
        st.eval << item;
        return true;
    }

    switch (category) {
    case 2:
        st.fam << item;
        break;
    case 4:
        st.cons << item;
        break;
    case 5:
        st.obj << item;
        break;
    default:
        // Invariants, parameters, operators, and any item the factory makes without listing it:
        // all evaluate and save in the evaluation stack.
        st.eval << item;
        break;
    }
    return true;
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

void Problem::installStaged(Staged &st)
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

    for (const Staged::DisplayRecord &record : st.displays) {
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
    const QStringList parts = text.split(newRecord, Qt::KeepEmptyParts);
    const BuildCalculus catalogue;
    Staged st;
    for (const QString &part : parts) {
        if (!readRecord(part, catalogue, st)) {
            st.discard();
            reportReadError(st.errorConsole, st.errorStandard);
            ensureParameterItems();
            return false;
        }
        if (st.hasDescription)
            break; // records after the description are not read
    }

    installStaged(st);
    for (Calculus *item : allItems())
        item->select(false);
    if (graph && (onGuiThread() || !graph->isDisplayed()))
        graph->update_display();
    if (st.hasDescription) {
        title = Calculus::sanitizeText(st.title);
        description = Calculus::sanitizeText(st.description);
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
    Problem *copy = new Problem(graph, QStringLiteral("clone"), false);
    copy->openString(text);
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
    for (int i = 0; i < evalStack.size(); ++i)
        evalStack[i]->saveIndex = i;
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
