// Problem: construction, the settings, the item registry and its stacks, links and parameters.
#include "problem/Problem.h"

#include "graph/Graph.h"
#include "problem/Calculus.h"
#include "problem/CalculusDisplay.h"
#include "problem/Link.h"
#include "problem/ProblemInternal.h"
#include "problem/infoEDGE.h"
#include "problem/infoNODE.h"
#include "problem/invPARAM.h"

#include "dialogs/Prompt.h"

#include <QBrush>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QHash>
#include <QPainter>
#include <QPen>
#include <QSet>

#include <iostream>

using ProblemInternal::onGuiThread;
using ProblemInternal::param1Name;
using ProblemInternal::param2Name;

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

// ---- Parameters ---------------------------------------------------------------------------------

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

void Problem::emitConsole(const QString &text, bool debug, const QColor &colour)
{
    emit signal_console(text, debug, 0, colour);
}
