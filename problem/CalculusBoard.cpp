// Calculus on the white board: its box, board set-up and interaction, and the kinds' painting helpers.
#include "problem/Calculus.h"

#include "graph/Random.h"
#include "problem/CalculusDisplay.h"
#include "problem/Link.h"

#include <QGraphicsSceneMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <iostream>

QRectF Calculus::boundingRect() const
{
    return QRectF(-(w / 2) - 2 - 10, -(h / 2) - 2 - 50, (w + 3) + 2 + 10, (h + 3) + 2 + 50);
}

QPainterPath Calculus::shape() const
{
    QPainterPath path;
    path.addRect(-(w / 2), -(h / 2), w, h);
    return path;
}

// ---- On the board -------------------------------------------------------------------------------

void Calculus::placeAtRandom(int width, int height)
{
    x0 = tsy_qrand() % 200;
    y0 = tsy_qrand() % 200;
    w = width;
    h = height;
}

void Calculus::initDisplay(bool offerComplement)
{
    if (!withDisplay)
        return;
    initDisplay(new CalculusDisplay(name), offerComplement);
}

void Calculus::initDisplay(CalculusDisplay *dialog, bool offerComplement)
{
    if (!withDisplay) {
        delete dialog;
        return;
    }
    if (!dialog)
        dialog = new CalculusDisplay(name);
    delete display;
    display = dialog;
    display->setEnabled(true);
    display->setVisible(false);
    display->enableInvertGraph(offerComplement);
    if (graph)
        display->setGraph(graph);
    setFlag(QGraphicsItem::ItemIsMovable, true);
    setFlag(QGraphicsItem::ItemIsSelectable, true);
    setFlag(QGraphicsItem::ItemSendsGeometryChanges, true);
    setCacheMode(QGraphicsItem::DeviceCoordinateCache);
    setZValue(1.0);
    setPos(x0, y0);
    setVisible(true);
    setToolTip(name);
    display->setName(name);
}

void Calculus::toggleDisplay()
{
    if (!display)
        return;
    display->setName(name);
    display->setVisible(!display->isVisible());
}

void Calculus::toggleSelect()
{
    if (selected) {
        selected = false;
        update();
    } else if (selectable) {
        selected = true;
        update();
    }
}

void Calculus::select(bool b)
{
    selected = selectable ? b : false;
}

void Calculus::setSelectable(bool b)
{
    selectable = b;
    if (!b)
        selected = false;
}

void Calculus::update_display()
{
    if (!display)
        return;
    update();
    updateGivenName();
}

void Calculus::setZ(double z)
{
    setZValue(z);
}

void Calculus::debugDisplay()
{
    std::cerr << "----------------" << std::endl;
    std::cerr << "NAME = " << name.toUtf8().constData() << std::endl;
    for (int k = 1; k <= 4; ++k) {
        Link *l = incomingLink(k);
        if (l) {
            std::cerr << "LINK" << k << ":";
            l->display();
        }
    }
    if (!linksTo.isEmpty()) {
        std::cerr << "LINKS TO:" << std::endl;
        for (Link *l : linksTo)
            l->display();
    }
    std::cerr << "----------------" << std::endl;
}

Calculus *Calculus::calculusUnderMouse()
{
    return calculus_under_mouse;
}

void Calculus::setCalculusUnderMouse(Calculus *c)
{
    calculus_under_mouse = c;
}

void Calculus::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    toggleSelect();
    QGraphicsItem::mousePressEvent(event);
}

void Calculus::mouseReleaseEvent(QGraphicsSceneMouseEvent *event)
{
    QGraphicsItem::mouseReleaseEvent(event);
}

QVariant Calculus::itemChange(GraphicsItemChange change, const QVariant &value)
{
    if (change == QGraphicsItem::ItemPositionHasChanged) {
        for (int k = 1; k <= 4; ++k) {
            Link *l = incomingLink(k);
            if (l)
                l->adjust();
        }
        const QList<Link *> outgoing = linksTo;
        for (Link *l : outgoing)
            l->adjust();
    }
    return QGraphicsItem::itemChange(change, value);
}

// ---- Painting helpers ---------------------------------------------------------------------------

QRadialGradient Calculus::radialGradient(QPointF origin, qreal radius, QPointF centre, QPointF focal,
                                         const QColor &at1, const QColor &at0)
{
    QRadialGradient g(origin, radius);
    g.setCenter(centre);
    g.setFocalPoint(focal);
    g.setColorAt(1.0, at1);
    g.setColorAt(0.0, at0);
    return g;
}

bool Calculus::markedColours(QColor &at1, QColor &at0, bool showError) const
{
    if (selected) {
        at1 = QColor(Qt::blue).lighter(120);
        at0 = QColor(Qt::darkBlue).lighter(120);
        return true;
    }
    if (showError && errorBackup) {
        at1 = QColor(Qt::red).lighter(120);
        at0 = QColor(Qt::darkRed).lighter(120);
        return true;
    }
    return false;
}

void Calculus::setBodyBrush(QPainter *painter, Shading shading, const QColor &at1, const QColor &at0)
{
    if (shading == Shading::Box)
        painter->setBrush(radialGradient(QPointF(-30, -30), 60, QPointF(30, 30), QPointF(3, 30), at1, at0));
    else
        painter->setBrush(radialGradient(QPointF(-30, -30), 100, QPointF(3, 3), QPointF(3, 3), at1, at0));
    painter->setPen(QPen(Qt::black));
}

QString Calculus::valueOrSizeText(bool single, double value, int r, int c)
{
    return single ? QString::number(value, 'g', 6) : QStringLiteral("%1 x %2").arg(r).arg(c);
}

void Calculus::paintGivenNameTag(QPainter *painter, bool yellow) const
{
    if (givenName.isEmpty())
        return;
    const QColor at1 = yellow ? QColor(Qt::yellow) : QColor(Qt::green).lighter(120);
    const QColor at0 = yellow ? QColor(Qt::yellow).darker(120) : QColor(Qt::green);
    painter->setBrush(radialGradient(QPointF(-30, -30), 100, QPointF(3, 3), QPointF(2, 2), at1, at0));
    painter->setPen(QPen(Qt::black));
    painter->drawRect(QRectF(-50, -35, 100, 20));
    painter->setPen(QPen(Qt::red));
    painter->drawText(QRectF(-45, -35, 90, 20), givenName);
}

void Calculus::paintReportMark(QPainter *painter) const
{
    if (!inReport())
        return;
    painter->setPen(QPen(Qt::red));
    painter->drawText(QRectF(30, 0, 25, 25), QStringLiteral("*"));
}

void Calculus::paintComplementMark(QPainter *painter) const
{
    if (!display || !display->invertGraph())
        return;
    painter->setPen(QPen(Qt::red));
    painter->setBrush(QBrush(Qt::white, Qt::SolidPattern));
    painter->drawEllipse(QRectF(-70, -30, 20, 20));
    painter->drawText(QRectF(-65, -25, 10, 10), QStringLiteral("i"));
}

double Calculus::shownValue() const
{
    return display ? display->getValue() : M[0][0];
}

int Calculus::shownRows() const
{
    return display ? display->getNbRows() : rows;
}

int Calculus::shownCols() const
{
    return display ? display->getNbCols() : cols;
}
