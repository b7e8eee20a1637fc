#include "analysts/GraphPdfExport.h"

#include "graph/Graph.h"
#include "graph/Node.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>
#include <cmath>

namespace
{

// Radius of a vertex disc, in the units of the 400 x 300 box.
constexpr double VertexRadius = 9.0;

} // namespace

GraphPdfExport::GraphPdfExport() : graph(new Graph(QStringLiteral("drawing"), false)) {}

GraphPdfExport::~GraphPdfExport()
{
    delete graph;
}

QStringList GraphPdfExport::fileNames(const QString &chosen, int count)
{
    const QFileInfo info(chosen);
    const QString folder = info.absolutePath();
    const QString base = info.fileName().section(QLatin1Char('.'), 0, 0);
    QStringList names;
    for (int k = 1; k <= count; ++k)
        names << folder + QLatin1Char('/') + base + QString::number(k) + QStringLiteral(".pdf");
    return names;
}

// The one place where a graph gets its drawing positions: vertices on a circle for three or more
// vertices, on a line below that, then fitted into the 400 x 300 box (an extent below 0.1 is
// widened to 10, as the graph view's own fit does).
void GraphPdfExport::layOut()
{
    const int n = graph->getNbNodes();
    for (int k = 0; k < n; ++k) {
        Node *v = graph->getNode(k);
        if (n >= 3) {
            const double a = 2.0 * M_PI * k / n - M_PI / 2.0;
            v->setPosition(LayoutSize * std::cos(a), LayoutSize * std::sin(a));
        } else {
            v->setPosition(LayoutSize * k, 0.0);
        }
    }
    double xmin = 0, xmax = 0, ymin = 0, ymax = 0;
    for (int k = 0; k < n; ++k) {
        const Node *v = graph->getNode(k);
        xmin = k == 0 ? v->getCoordX() : std::min(xmin, v->getCoordX());
        xmax = k == 0 ? v->getCoordX() : std::max(xmax, v->getCoordX());
        ymin = k == 0 ? v->getCoordY() : std::min(ymin, v->getCoordY());
        ymax = k == 0 ? v->getCoordY() : std::max(ymax, v->getCoordY());
    }
    if (xmax - xmin < 0.1)
        xmax = xmin + 10.0;
    if (ymax - ymin < 0.1)
        ymax = ymin + 10.0;
    for (int k = 0; k < n; ++k) {
        Node *v = graph->getNode(k);
        v->setPosition((v->getCoordX() - xmin) * BoxWidth / (xmax - xmin) - BoxWidth / 2.0,
                       (v->getCoordY() - ymin) * BoxHeight / (ymax - ymin) - BoxHeight / 2.0);
    }
}

bool GraphPdfExport::write(const QString &graphString, const QString &path, QString *error)
{
    if (!graph->loadtsy(graphString, true)) {
        *error = QStringLiteral("not a graph string");
        return false;
    }
    layOut();
    const int n = graph->getNbNodes();
    lastPositions.clear();
    for (int k = 0; k < n; ++k)
        lastPositions << QPointF(graph->getNode(k)->getCoordX(), graph->getNode(k)->getCoordY());

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    {
        QPdfWriter writer(&file);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                         QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
        writer.setResolution(300);
        writer.setTitle(QFileInfo(path).completeBaseName());
        writer.setCreator(QStringLiteral("Tessaly"));
        QPainter painter;
        if (!painter.begin(&writer)) {
            file.cancelWriting();
            *error = QStringLiteral("the PDF writer could not start");
            return false;
        }
        // The box and a margin of one vertex radius, scaled to the page keeping the aspect ratio.
        const QRectF box(-BoxWidth / 2 - 2 * VertexRadius, -BoxHeight / 2 - 2 * VertexRadius,
                         BoxWidth + 4 * VertexRadius, BoxHeight + 4 * VertexRadius);
        const QRectF page(0, 0, writer.width(), writer.height());
        const double scale = std::min(page.width() / box.width(), page.height() / box.height());
        painter.translate(page.center());
        painter.scale(scale, scale);
        painter.translate(-box.center());
        painter.setRenderHint(QPainter::Antialiasing);

        painter.setPen(QPen(Qt::black, 1.5));
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < i; ++j)
                if (graph->bestEdge(i, j))
                    painter.drawLine(lastPositions[i], lastPositions[j]);
        QFont font = painter.font();
        font.setPixelSize(std::max(1, static_cast<int>(VertexRadius)));
        painter.setFont(font);
        for (int k = 0; k < n; ++k) {
            const QRectF disc(lastPositions[k] - QPointF(VertexRadius, VertexRadius),
                              QSizeF(2 * VertexRadius, 2 * VertexRadius));
            painter.setPen(QPen(Qt::black, 1.0));
            painter.setBrush(QColor(255, 215, 110));
            painter.drawEllipse(disc);
            painter.drawText(disc, Qt::AlignCenter, QString::number(k + 1));
        }
        painter.setBrush(Qt::NoBrush);
        painter.drawText(QRectF(box.left(), box.bottom() - VertexRadius * 2, box.width(), VertexRadius * 2),
                         Qt::AlignLeft | Qt::AlignBottom,
                         QStringLiteral("n = %1, m = %2").arg(n).arg(graph->getNbEdges()));
        if (!painter.end()) {
            file.cancelWriting();
            *error = QStringLiteral("the PDF writer failed");
            return false;
        }
    }
    if (!file.flush() || file.error() != QFileDevice::NoError) {
        *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}
