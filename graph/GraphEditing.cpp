// Graph: hand editing: adding vertices at the pointer, the selection slots, mouse, wheel and keys.
#include "graph/Graph.h"

#include "graph/GraphInternal.h"
#include "graph/Node.h"

#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QMutexLocker>
#include <QWheelEvent>

#include <cmath>

using namespace GraphInternal;

// ---------------------------------------------------------------- hand editing

void Graph::publishEdit()
{
    newStamp();
    best_backup();
    emit signal_best_graph_changed();
    update_display();
}

QPointF Graph::pointerScenePos() const
{
    return displayed ? mapToScene(mousePos) : QPointF(mousePos);
}

void Graph::addAtPointer(int mode)
{
    const QPointF p = pointerScenePos();
    const int k = getNbNodes();
    if (k >= MaxNodes)
        return;
    {
        QMutexLocker adjLock(&adjMutex);
        cur[k] = 0;
        for (int i = 0; i < MaxNodes; ++i)
            cur[i] &= ~bit(k);
        order.store(k + 1);
    }
    setExistence(k + 1);
    nodes[k]->setSelected(mode == 0);
    nodes[k]->setPosition(p.x(), p.y(), 0.0);
    for (int u = 0; u < k; ++u) {
        if (nodes[u]->isSelected())
            addEdge(u, k);
        else
            remEdge(u, k);
    }
    if (mode == 2) {
        for (Node *node : qAsConst(nodes))
            node->setSelected(false);
        nodes[k]->setSelected(true);
    }
    if (displayed)
        for (Node *node : qAsConst(nodes))
            node->update();
    publishEdit();
}

void Graph::addK()
{
    addAtPointer(0);
}

void Graph::addBip()
{
    addAtPointer(1);
}

void Graph::addTail()
{
    addAtPointer(2);
}

void Graph::slot_set_add_k()
{
    addMode = 0;
}

void Graph::slot_set_add_bip()
{
    addMode = 1;
}

void Graph::slot_set_add_tail()
{
    addMode = 2;
}

void Graph::slot_unselect()
{
    for (Node *node : qAsConst(nodes)) {
        node->setSelected(false);
        if (displayed)
            node->update();
    }
}

void Graph::slot_invert_select()
{
    for (Node *node : qAsConst(nodes)) {
        node->toggleSelected();
        if (displayed)
            node->update();
    }
}

namespace
{
// The selected vertices below n, in index order.
QVector<int> selectedBelow(const QVector<Node *> &nodes, int n)
{
    QVector<int> s;
    for (int k = 0; k < n; ++k)
        if (nodes[k]->isSelected())
            s.append(k);
    return s;
}
} // namespace

void Graph::slot_adde()
{
    const QVector<int> s = selectedBelow(nodes, getNbNodes());
    for (int a = 0; a < s.size(); ++a)
        for (int b = a + 1; b < s.size(); ++b)
            addEdge(s[a], s[b]);
    publishEdit();
}

void Graph::slot_reme()
{
    const QVector<int> s = selectedBelow(nodes, getNbNodes());
    for (int a = 0; a < s.size(); ++a)
        for (int b = a + 1; b < s.size(); ++b)
            remEdge(s[a], s[b]);
    publishEdit();
}

void Graph::slot_complement()
{
    const QVector<int> s = selectedBelow(nodes, getNbNodes());
    for (int a = 0; a < s.size(); ++a) {
        for (int b = a + 1; b < s.size(); ++b) {
            if (edge(s[a], s[b]))
                remEdge(s[a], s[b]);
            else
                addEdge(s[a], s[b]);
        }
    }
    publishEdit();
}

void Graph::slot_addv()
{
    addNode();
    publishEdit();
}

namespace
{
// The vertex in slot a takes over what the user sees of the vertex in slot b and back: name,
// position, depth, label, colour, selection and highlight. The items stay in their slots, so
// every edge item keeps its two ends and its place in the incident lists.
void swapVertexLook(Node *a, Node *b)
{
    const QString name = a->nodeName(), label = a->getLabel();
    const QPointF pos = drawnPos(a);
    const double z = a->getCoordZ();
    const int colour = a->getColorIndex();
    const bool selected = a->isSelected(), high = a->isHighlighted();
    const QPointF posB = drawnPos(b);

    a->setNodeName(b->nodeName());
    a->setLabel(b->getLabel());
    a->setPosition(posB.x(), posB.y(), b->getCoordZ());
    a->setColorIndex(b->getColorIndex());
    a->setSelected(b->isSelected());
    b->isHighlighted() ? a->hilight() : a->unhilight();

    b->setNodeName(name);
    b->setLabel(label);
    b->setPosition(pos.x(), pos.y(), z);
    b->setColorIndex(colour);
    b->setSelected(selected);
    high ? b->hilight() : b->unhilight();
    if (a->isDisplayed()) {
        a->setToolTip(a->nodeName());
        b->setToolTip(b->nodeName());
    }
}
} // namespace

void Graph::slot_remv()
{
    best_restore();
    {
        QMutexLocker adjLock(&adjMutex);
        int n = getNbNodes();
        // Downwards, so the vertex moved into slot k has been passed already.
        for (int k = n - 1; k >= 0; --k) {
            if (!nodes[k]->isSelected())
                continue;
            const int last = n - 1;
            cur[k] = 0;
            for (int i = 0; i < MaxNodes; ++i)
                cur[i] &= ~bit(k);
            if (k != last) {
                cur[k] = cur[last];
                for (int i = 0; i < MaxNodes; ++i)
                    if (cur[i] & bit(last))
                        cur[i] |= bit(k);
                swapVertexLook(nodes[k], nodes[last]);
            }
            cur[last] = 0;
            for (int i = 0; i < MaxNodes; ++i)
                cur[i] &= ~bit(last);
            cur[k] &= ~bit(k);
            // The deleted vertex's item now waits beyond the order; a vertex added there later
            // must not come back selected.
            nodes[last]->setSelected(false);
            --n;
            order.store(n);
        }
    }
    setExistence(getNbNodes());
    publishEdit();
}

void Graph::mousePressEvent(QMouseEvent *e)
{
    mousePos = e->pos();
    bandActive = true;
    pressPoint = mapToScene(e->pos());
    Node *found = nullptr;
    if (graphScene) {
        const QList<QGraphicsItem *> hit = graphScene->items(pressPoint);
        for (QGraphicsItem *item : hit) {
            for (Node *node : qAsConst(nodes))
                if (item == node && node->getVisible() && node->isVisible())
                    found = node;
        }
    }
    Node::setNodeUnderMouse(found);
    dragged = false;
    if (found) {
        bandActive = false;
    } else if (selectionBand) {
        selectionBand->setRect(QRectF(pressPoint, QSizeF(0, 0)));
        selectionBand->show();
    }
    e->accept();
}

void Graph::mouseMoveEvent(QMouseEvent *e)
{
    mousePos = e->pos();
    const QPointF q = mapToScene(mousePos);
    if (bandActive && selectionBand && graphScene) {
        const QRectF band = QRectF(pressPoint, q).normalized();
        selectionBand->setRect(band);
        // The band only adds to the selection.
        const QList<QGraphicsItem *> inside = graphScene->items(band, Qt::IntersectsItemShape);
        for (Node *node : qAsConst(nodes)) {
            if (node->getVisible() && inside.contains(node) && !node->isSelected()) {
                node->setSelected(true);
                node->update();
            }
        }
    }
    Node *pressed = Node::nodeUnderMouse();
    if (pressed && pressed->getGraph() == this) {
        pressed->setPosition(q.x(), q.y(), 0.0);
        dragged = true;
    }
    update_display();
    e->accept();
}

void Graph::mouseReleaseEvent(QMouseEvent *e)
{
    Node *pressed = Node::nodeUnderMouse();
    if (!bandActive && pressed && pressed->getGraph() == this && !dragged) {
        pressed->toggleSelected();
        pressed->update();
    }
    dragged = false;
    bandActive = false;
    if (selectionBand)
        selectionBand->hide();
    Node::setNodeUnderMouse(nullptr);
    e->accept();
}

void Graph::mouseDoubleClickEvent(QMouseEvent *e)
{
    mousePos = e->pos();
    switch (addMode) {
    case 0:
        addK();
        break;
    case 1:
        addBip();
        break;
    case 2:
        addTail();
        break;
    default:
        break;
    }
    e->accept();
}

void Graph::wheelEvent(QWheelEvent *e)
{
    // The wheel only zooms: a notch away from the user (+120) halves the area, toward doubles it.
    scaleView(std::exp2(-e->angleDelta().y() / 240.0));
    e->accept();
}

bool Graph::viewKey(int key)
{
    constexpr double step = 0.04908738515625;
    switch (key) {
    case Qt::Key_Minus:
        scaleView(1.0 / 1.1);
        return true;
    case Qt::Key_Alt:
        altDown = true;
        return true;
    case Qt::Key_Plus:
        scaleView(1.1);
        return true;
    case Qt::Key_Right:
        altDown ? rotate(0, 0, step) : rotate(0, step, 0);
        return true;
    case Qt::Key_Left:
        altDown ? rotate(0, 0, -step) : rotate(0, -step, 0);
        return true;
    case Qt::Key_Up:
        rotate(step, 0, 0);
        return true;
    case Qt::Key_Down:
        rotate(-step, 0, 0);
        return true;
    default:
        return false;
    }
}

bool Graph::editKey(int key)
{
    switch (key) {
    case Qt::Key_U:
        slot_unselect();
        return true;
    case Qt::Key_Backspace:
        slot_reme();
        return true;
    case Qt::Key_A:
        slot_adde();
        return true;
    case Qt::Key_D:
        slot_remv();
        return true;
    case Qt::Key_N:
        slot_addv();
        return true;
    case Qt::Key_T:
        addTail();
        return true;
    case Qt::Key_B:
        addBip();
        return true;
    case Qt::Key_K:
        addK();
        return true;
    case Qt::Key_I:
        slot_invert_select();
        return true;
    case Qt::Key_C:
        slot_complement();
        return true;
    default:
        return false;
    }
}

bool Graph::commandKey(int key)
{
    switch (key) {
    case Qt::Key_R:
        emit signal_start_vns();
        return true;
    case Qt::Key_H:
        emit signal_stop_vns();
        return true;
    case Qt::Key_Space:
        emit signal_load_next();
        return true;
    case Qt::Key_M:
        emit signal_place_graph();
        return true;
    case Qt::Key_P:
        slot_print();
        return true;
    default:
        return false;
    }
}

void Graph::keyPressEvent(QKeyEvent *e)
{
    // Every key starts from the graph on the screen.
    best_restore();
    // The three groups take disjoint keys, so at most one of them acts.
    const int key = e->key();
    if (!viewKey(key) && !editKey(key))
        commandKey(key);
    update_display();
    e->accept();
}

void Graph::keyReleaseEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Alt)
        altDown = false;
    e->accept();
}
