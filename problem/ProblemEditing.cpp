// Problem: editing the board (mouse, keys, selection, linking by keys, align and space, delete).
#include "problem/Problem.h"

#include "graph/Graph.h"
#include "problem/BuildCalculus.h"
#include "problem/Calculus.h"
#include "problem/CalculusDisplay.h"
#include "problem/infoEDGE.h"
#include "problem/infoNODE.h"
#include "problem/invPARAM.h"

#include "dialogs/Prompt.h"

#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

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
    const int key = event->key();
    // The groups share no key, so at most one of them acts; the board is refreshed after any key.
    if (!zoomKey(key) && !linkKey(key) && !selectionKey(key) && !searchOrPrintKey(key))
        arrangeKey(key);
    slot_refresh();
}

bool Problem::zoomKey(int key)
{
    switch (key) {
    case Qt::Key_Minus:
        scaleView(1.0 / 1.1);
        return true;
    case Qt::Key_Plus:
        scaleView(1.1);
        return true;
    default:
        return false;
    }
}

bool Problem::linkKey(int key)
{
    switch (key) {
    case Qt::Key_1:
        slot_link1();
        return true;
    case Qt::Key_2:
        slot_link2();
        return true;
    case Qt::Key_3:
        slot_link3();
        return true;
    case Qt::Key_4:
        slot_link4();
        return true;
    case Qt::Key_D:
        slot_delete_items();
        return true;
    default:
        return false;
    }
}

bool Problem::selectionKey(int key)
{
    switch (key) {
    case Qt::Key_U:
        for (Calculus *c : walk(Walk::Unselect, false)) {
            c->select(false);
            c->update();
        }
        return true;
    case Qt::Key_I:
        for (Calculus *c : walk(Walk::Arrange, true))
            c->toggleSelect();
        return true;
    default:
        return false;
    }
}

bool Problem::searchOrPrintKey(int key)
{
    switch (key) {
    case Qt::Key_R:
        emit signal_start_vns();
        return true;
    case Qt::Key_H:
        emit signal_stop_vns();
        return true;
    case Qt::Key_P:
        slot_print();
        return true;
    default:
        return false;
    }
}

bool Problem::arrangeKey(int key)
{
    switch (key) {
    case Qt::Key_X:
        slot_alignX();
        return true;
    case Qt::Key_Y:
        slot_alignY();
        return true;
    case Qt::Key_A:
        slot_spaceX();
        return true;
    case Qt::Key_V:
        slot_spaceY();
        return true;
    case Qt::Key_Up:
        moveSelection(0, -5);
        return true;
    case Qt::Key_Down:
        moveSelection(0, 5);
        return true;
    case Qt::Key_Right:
        moveSelection(5, 0);
        return true;
    case Qt::Key_Left:
        moveSelection(-5, 0);
        return true;
    default:
        return false;
    }
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
