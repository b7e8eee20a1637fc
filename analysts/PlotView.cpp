#include "analysts/PlotView.h"

#include "analysts/PlotItem.h"
#include "analysts/RectItem.h"
#include "shell/Prompt.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFileInfo>
#include <QGraphicsLineItem>
#include <QGraphicsScene>
#include <QKeyEvent>
#include <QPainter>
#include <QPrinter>
#include <QWheelEvent>

#include <cmath>

PlotView::PlotView(QWidget *parent) : QGraphicsView(parent)
{
    scene = new QGraphicsScene(this);
    // A plot holds up to hundreds of thousands of points, most of them piled on a few values: the
    // scene's tree index then costs minutes to build and to update, while a plain list answers
    // every paint and mouse look-up in one pass.
    scene->setItemIndexMethod(QGraphicsScene::NoIndex);
    setScene(scene);
    setCacheMode(QGraphicsView::CacheBackground);
    setViewportUpdateMode(QGraphicsView::BoundingRectViewportUpdate);
    setRenderHint(QPainter::Antialiasing);
    setBackgroundBrush(QBrush(Qt::white));
    xAxis = new QGraphicsLineItem;
    yAxis = new QGraphicsLineItem;
    scene->addItem(xAxis);
    scene->addItem(yAxis);
}

PlotView::~PlotView() = default;

void PlotView::addItem(PlotItem *item)
{
    if (!item)
        return;
    items.append(item);
    scene->addItem(item);
    updateBounds();
}

void PlotView::addItems(const QVector<PlotItem *> &points)
{
    for (PlotItem *item : points) {
        if (!item)
            continue;
        items.append(item);
        scene->addItem(item);
    }
    updateBounds();
}

void PlotView::addItem(RectItem *item)
{
    if (!item)
        return;
    bars.append(item);
    scene->addItem(item);
    updateBounds();
}

void PlotView::clear()
{
    if (!items.isEmpty()) {
        // Taking points out one by one makes the scene search its lists for each of them, a cost
        // that grows with the square of their number. The scene empties itself in one pass, so
        // the axes and bars step out for it and come back.
        const QList<QGraphicsItem *> kept = QList<QGraphicsItem *>{xAxis, yAxis} + bars;
        for (QGraphicsItem *item : kept)
            scene->removeItem(item);
        // Points still waiting for the scene's deferred polish would each be looked up in that
        // waiting list as they go: the scene does its pending work first.
        QCoreApplication::sendPostedEvents(scene, QEvent::MetaCall);
        scene->clear();
        for (QGraphicsItem *item : kept)
            scene->addItem(item);
        items.clear();
    }
    scene->update();
}

void PlotView::updateBounds()
{
    xmin = xmax = ymin = ymax = 0.0;
    for (const PlotItem *item : items) {
        if (!item->isVisible())
            continue;
        const double x = item->getCoordX();
        const double y = item->getCoordY();
        if (std::isfinite(x)) {
            xmin = std::min(xmin, x);
            xmax = std::max(xmax, x);
        }
        if (std::isfinite(y)) {
            ymin = std::min(ymin, y);
            ymax = std::max(ymax, y);
        }
    }
    xmax = 2 * (xmax + 50);
    ymax = 2 * (ymax + 50);
    xmin -= 100;
    ymin -= 100;
    xAxis->setLine(xmin, 0, xmax, 0);
    yAxis->setLine(0, -ymin, 0, -ymax);
}

QLineF PlotView::xAxisLine() const
{
    return xAxis->line();
}

QLineF PlotView::yAxisLine() const
{
    return yAxis->line();
}

void PlotView::rotate(double ax, double ay, double az)
{
    const double cx = std::cos(ax), sx = std::sin(ax);
    const double cy = std::cos(ay), sy = std::sin(ay);
    const double cz = std::cos(az), sz = std::sin(az);
    for (PlotItem *item : items) {
        const double x = item->getCoordX();
        const double y = item->getCoordY();
        const double z = item->getCoordZ();
        const double y1 = y * cx - z * sx;
        const double z1 = z * cx + y * sx;
        const double x1 = x * cy + z1 * sy;
        const double z2 = z1 * cy - x * sy;
        const double x2 = x1 * cz - y1 * sz;
        const double y2 = y1 * cz + x1 * sz;
        item->setPosition(x2, y2, z2);
    }
    updateBounds();
}

bool PlotView::scaleView(double factor)
{
    const double width = transform().scale(factor, factor).mapRect(QRectF(0, 0, 1, 1)).width();
    if (width < 0.07 || width > 100)
        return false;
    scale(factor, factor);
    return true;
}

void PlotView::wheelEvent(QWheelEvent *event)
{
    scaleView(std::pow(2.0, -event->angleDelta().y() / 240.0));
}

bool PlotView::altHeld(const QKeyEvent *event) const
{
    return altPressed || event->modifiers().testFlag(Qt::AltModifier);
}

void PlotView::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (key == Qt::Key_Minus) {
        scaleView(1 / 1.1);
    } else if (key == Qt::Key_Plus) {
        scaleView(1.1);
    } else if (key == Qt::Key_Right) {
        if (altHeld(event))
            rotate(0, 0, angleStep);
        else
            rotate(0, angleStep, 0);
    } else if (key == Qt::Key_Alt) {
        altPressed = true;
    } else if (key == Qt::Key_Left) {
        if (altHeld(event))
            rotate(0, 0, -angleStep);
        else
            rotate(0, -angleStep, 0);
    } else if (key == Qt::Key_Up) {
        rotate(angleStep, 0, 0);
    } else if (key == Qt::Key_Down) {
        rotate(-angleStep, 0, 0);
    }
    updateBounds();
}

void PlotView::keyReleaseEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Alt)
        altPressed = false;
}

void PlotView::print()
{
    QPrinter printer(QPrinter::HighResolution);
    if (!Prompt::current()->print(this, &printer))
        return;
    QPainter painter(&printer);
    render(&painter, QRectF(), QRect(), Qt::KeepAspectRatio);
}

bool PlotView::printToFile(const QString &fileName)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFileName(fileName);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    render(&painter, QRectF(), QRect(), Qt::KeepAspectRatio);
    if (!painter.end())
        return false;
    const QFileInfo written(fileName);
    return written.exists() && written.size() > 0;
}
