// Graph: the drawing: showing the best graph, positions and layout, labels, colours, zoom and print.
#include "graph/Graph.h"

#include "dialogs/Prompt.h"
#include "graph/Edge.h"
#include "graph/GraphInternal.h"
#include "graph/Node.h"
#include "graph/Random.h"

#include <QBrush>
#include <QMutexLocker>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>

#include <cmath>

using namespace GraphInternal;

// ---------------------------------------------------------------- drawing

void Graph::update_display()
{
    QMutexLocker graphLock(&graphMutex);
    QMutexLocker adjLock(&adjMutex);
    quint32 rows[MaxNodes];
    symmetricRows(best, bestOrder, rows);
    for (int i = 0; i < MaxNodes; ++i) {
        Node *node = nodes[i];
        const bool shown = i < bestOrder;
        node->setVisibleMark(shown);
        node->setExists(shown);
        node->updateVisible();
        for (int j = 0; j < i; ++j)
            edges[i][j]->resetVisible((rows[i] & bit(j)) != 0);
        node->updateVisible();
    }
}

void Graph::setViolated(bool v)
{
    if (v == violated)
        return;
    violated = v;
    if (!displayed)
        return;
    setBackgroundBrush(QBrush(v ? Qt::gray : Qt::white, Qt::SolidPattern));
    viewport()->update();
}

// ---------------------------------------------------------------- positions, labels, colours

void Graph::setPos(int k, QPointF p)
{
    if (k < 0 || k >= getNbNodes() || !std::isfinite(p.x()) || !std::isfinite(p.y()))
        return;
    nodes[k]->setPosition(p.x(), p.y());
}

void Graph::setPos(int k, double x, double y, double z)
{
    if (k < 0 || k >= getNbNodes() || !std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z))
        return;
    nodes[k]->setPosition(x, y, z);
}

void Graph::scaleCoords(double w, double h)
{
    const int n = bestOrder;
    if (n <= 0 || !std::isfinite(w) || !std::isfinite(h))
        return;
    double minX = nodes[0]->getCoordX();
    double maxX = minX;
    double minY = nodes[0]->getCoordY();
    double maxY = minY;
    for (int k = 1; k < n; ++k) {
        minX = std::min(minX, nodes[k]->getCoordX());
        maxX = std::max(maxX, nodes[k]->getCoordX());
        minY = std::min(minY, nodes[k]->getCoordY());
        maxY = std::max(maxY, nodes[k]->getCoordY());
    }
    if (maxX - minX < 0.1)
        maxX = minX + 10.0;
    if (maxY - minY < 0.1)
        maxY = minY + 10.0;
    for (int k = 0; k < n; ++k) {
        Node *v = nodes[k];
        v->setPosition((v->getCoordX() - minX) * w / (maxX - minX) - w / 2.0,
                       (v->getCoordY() - minY) * h / (maxY - minY) - h / 2.0);
    }
}

void Graph::setLabels(QVector<double> v)
{
    for (int i = 0; i < MaxNodes; ++i) {
        if (v.isEmpty())
            nodes[i]->setLabel(QString());
        else if (i < v.size())
            nodes[i]->setLabel(QString::number(v[i], 'g', 6));
        if (displayed)
            nodes[i]->update();
    }
}

void Graph::setELabels(QVector<QVector<double>> m, bool show)
{
    const int n = bestOrder;
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < i; ++j) {
            if (!edge(i, j))
                continue;
            // A matrix smaller than the graph labels nothing rather than reading past its end.
            const bool inside = i < m.size() && j < m[i].size();
            edges[i][j]->setLabel(show && inside ? QString::number(m[i][j], 'g', 6) : QString());
            if (displayed)
                edges[i][j]->update();
        }
    }
}

void Graph::setColors(QVector<double> v)
{
    for (int i = 0; i < MaxNodes; ++i) {
        if (v.isEmpty()) {
            nodes[i]->setColorIndex(0);
        } else if (i < v.size()) {
            // A value that is no number or too large for an index shows as the first colour.
            const double c = v[i];
            nodes[i]->setColorIndex(std::isfinite(c) && std::fabs(c) < 1e9 ? static_cast<int>(c) : 0);
        }
        if (displayed)
            nodes[i]->update();
    }
}

void Graph::resetLabels()
{
    setLabels(QVector<double>());
}

void Graph::resetColors()
{
    setColors(QVector<double>());
}

void Graph::hilight(int k)
{
    for (int i = 0; i < MaxNodes; ++i) {
        if (i == k)
            nodes[i]->hilight();
        else
            nodes[i]->unhilight();
        if (displayed)
            nodes[i]->update();
    }
    emit signal_hilight_node(k);
}

void Graph::center()
{
    const int n = bestOrder;
    if (n < 2)
        return;
    double mx = 0.0;
    double my = 0.0;
    double mz = 0.0;
    for (int k = 0; k < n; ++k) {
        const QPointF p = drawnPos(nodes[k]);
        mx += p.x();
        my += p.y();
        mz += nodes[k]->getCoordZ();
    }
    mx /= n;
    my /= n;
    mz /= n;
    for (int k = 0; k < n; ++k) {
        const QPointF p = drawnPos(nodes[k]);
        nodes[k]->setPosition(p.x() - mx, p.y() - my, nodes[k]->getCoordZ() - mz);
    }
}

void Graph::rotate(double a, double b, double c)
{
    center();
    const double ca = std::cos(a), sa = std::sin(a);
    const double cb = std::cos(b), sb = std::sin(b);
    const double cc = std::cos(c), sc = std::sin(c);
    for (int k = 0; k < bestOrder; ++k) {
        const QPointF p = drawnPos(nodes[k]);
        const double x = p.x();
        const double y = p.y();
        const double z = nodes[k]->getCoordZ();
        const double y1 = y * ca - z * sa;
        const double z1 = z * ca + y * sa;
        const double x2 = x * cb + z1 * sb;
        const double z2 = z1 * cb - x * sb;
        const double x3 = x2 * cc - y1 * sc;
        const double y3 = y1 * cc + x2 * sc;
        nodes[k]->setPosition(x3, y3, z2);
    }
}

void Graph::scaleView(double f)
{
    if (!std::isfinite(f) || f <= 0.0)
        return;
    const double w = transform().scale(f, f).mapRect(QRectF(0, 0, 1, 1)).width();
    if (w < 0.07 || w > 100.0)
        return;
    scale(f, f);
}

void Graph::slot_set_node_radius(double r)
{
    if (!std::isfinite(r) || r <= 0.0)
        return;
    for (Node *node : qAsConst(nodes))
        node->setRadius(r);
}

void Graph::slot_setScalePos(int s)
{
    scalePos = s;
}

void Graph::slot_scalePosition()
{
    if (!displayed)
        return;
    const double h = scalePos / 2.0;
    QRectF box;
    for (int k = 0; k < MaxNodes; ++k) {
        const QPointF p = nodes[k]->pos();
        box = k == 0 ? QRectF(p, QSizeF(0, 0)) : box.united(QRectF(p, QSizeF(0, 0)));
    }
    // An axis on which every item sits at the same place has no extent to stretch: it goes to 0.
    const auto fit = [h](double v, double lo, double extent) {
        return extent > 1e-9 ? (v - lo) * 2.0 * h / extent - h : 0.0;
    };
    for (Node *node : qAsConst(nodes)) {
        const QPointF p = node->pos();
        node->QGraphicsItem::setPos(fit(p.x(), box.left(), box.width()), fit(p.y(), box.top(), box.height()));
    }
}

void Graph::slot_randomPosition()
{
    if (!displayed)
        return;
    for (int i = 0; i < MaxNodes; ++i) {
        const double t = i * 6.2831853 / MaxNodes;
        const double r = tsy_rand() * 150.0;
        nodes[i]->QGraphicsItem::setPos(r * std::sin(t), r * std::cos(t));
    }
}

void Graph::slot_print()
{
    QPrinter printer(QPrinter::HighResolution);
    if (!Prompt::current()->print(this, &printer))
        return;
    QPainter painter;
    if (!painter.begin(&printer)) {
        Prompt::current()->warning(this, QStringLiteral("Warning"), QStringLiteral("Failed to print graph."));
        return;
    }
    render(&painter, QRectF(), QRect(), Qt::KeepAspectRatio);
    painter.end();
}

bool Graph::printToFile(QString file)
{
    fileError.clear();
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly)) {
        fileError = QStringLiteral("cannot write %1: %2").arg(file, out.errorString());
        return false;
    }
    {
        QPdfWriter pdf(&out);
        pdf.setPageOrientation(QPageLayout::Landscape);
        pdf.setResolution(1200);
        QPainter painter;
        if (!painter.begin(&pdf)) {
            out.cancelWriting();
            fileError = QStringLiteral("cannot draw into %1").arg(file);
            return false;
        }
        render(&painter, QRectF(), QRect(), Qt::KeepAspectRatio);
        painter.end();
    }
    if (out.error() != QFileDevice::NoError || !out.flush() || !out.commit()) {
        fileError = QStringLiteral("cannot write %1: %2").arg(file, out.errorString());
        out.cancelWriting();
        return false;
    }
    return true;
}
