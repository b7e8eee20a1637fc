#include "analysts/GraphPdfExport.h"

#include "graph/Graph.h"
#include "graph/MDS.h"
#include "graph/Node.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>

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

// The one place where a graph gets its drawing positions: the automatic layout for three or more
// vertices; fewer go on one line, so that two vertices are never drawn on top of each other. Then
// the drawing is fitted into the 400 x 300 box.
void GraphPdfExport::layOut()
{
    const int n = graph->getNbNodes();
    if (n >= 3) {
        MDS layout(graph, LayoutSize, 2);
        graph->update_display();
    } else {
        for (int k = 0; k < n; ++k)
            graph->setPos(k, QPointF(LayoutSize * k, 0.0));
    }
    graph->scaleCoords(BoxWidth, BoxHeight);
}

bool GraphPdfExport::write(const QString &graphString, const QString &path, QString *error)
{
    if (!graph->loadtsy(graphString, true)) {
        *error = QStringLiteral("the graph string's order is outside 0..32");
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
