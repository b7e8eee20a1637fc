#include "problem/Link.h"

#include "problem/Calculus.h"

#include <QPainter>
#include <QPen>

#include <iostream>

Link::Link(Calculus *from, Calculus *to, bool gui)
    : QGraphicsLineItem(nullptr), m_from(from), m_to(to), m_gui(gui)
{
    if (m_from && m_to && m_from != m_to && m_gui) {
        setZValue(-1);
        adjust();
        setLine(QLineF(m_source, m_dest));
        show();
    }
}

Link::~Link()
{
    // An end that is missing is not touched.
    if (m_from)
        m_from->removeLink(this);
    if (m_to)
        m_to->removeLink(this);
}

QColor Link::argColor(int k)
{
    switch (k) {
    case 1:
        return QColor(Qt::red);
    case 2:
        return QColor(Qt::green);
    case 3:
        return QColor(Qt::blue);
    case 4:
        return QColor(Qt::cyan);
    default:
        return QColor(Qt::black);
    }
}

int Link::argWidth(int k)
{
    switch (k) {
    case 1:
        return 4;
    case 2:
        return 3;
    case 3:
        return 2;
    default:
        return 1;
    }
}

void Link::adjust()
{
    if (!m_from || !m_to || !m_from->isVisible() || !m_to->isVisible() || m_from == m_to) {
        setVisible(false);
        return;
    }
    setVisible(true);
    const QPointF p1 = mapFromItem(m_from, 0, 30);
    const QPointF p2 = mapFromItem(m_to, 0, -30);
    prepareGeometryChange();
    if (QLineF(p1, p2).length() > 5.0) {
        m_source = p1;
        m_dest = p2;
    } else {
        m_source = p1;
        m_dest = p1;
    }
    update();
}

qreal Link::length() const
{
    return QLineF(m_source, m_dest).length();
}

void Link::setArg(Calculus *item)
{
    m_from = item;
    show();
    adjust();
}

bool Link::changeOrig(Calculus *item)
{
    if (item == m_from)
        return m_from && m_from->outgoingLinks().contains(this);
    // Ask the new item first: a refused move leaves the link where it was, so the link never points
    // at an item that does not hold it.
    Calculus *old = m_from;
    m_from = item;
    if (!item || !item->setLinkTo(this)) {
        m_from = old;
        return false;
    }
    return old ? old->removeLink(this) : false;
}

void Link::display() const
{
    std::cerr << "Link From " << (m_from ? m_from->name.toUtf8().constData() : "") << " To "
              << (m_to ? m_to->name.toUtf8().constData() : "") << std::endl;
}

QRectF Link::boundingRect() const
{
    if (!m_from || !m_to || m_from == m_to)
        return QRectF();
    // Everything paint() draws: the line with its square caps, and the numbered disc at its middle.
    const qreal margin = qMax<qreal>(1.5, argWidth(m_argNo) / 2.0 + 1.0);
    const QRectF line = QRectF(m_source, m_dest).normalized().adjusted(-margin, -margin, margin, margin);
    const QPointF m = (m_source + m_dest) / 2.0;
    return line.united(QRectF(m.x() - 9.5, m.y() - 9.5, 19, 19));
}

void Link::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget)
{
    Q_UNUSED(option);
    Q_UNUSED(widget);
    QPen pen;
    pen.setColor(argColor(m_argNo));
    pen.setWidth(argWidth(m_argNo));
    pen.setJoinStyle(Qt::MiterJoin);
    painter->setPen(pen);
    painter->setBrush(QBrush(pen.color(), Qt::SolidPattern));
    painter->drawLine(m_source, m_dest);
    const QPointF m = (m_source + m_dest) / 2.0;
    pen.setWidth(1);
    pen.setColor(Qt::white);
    painter->setPen(pen);
    painter->drawEllipse(QRectF(m.x() - 8, m.y() - 8, 16, 16));
    painter->drawText(QRectF(m.x() - 6, m.y() - 8, 12, 14), QString::number(m_argNo));
}
