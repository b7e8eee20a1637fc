#pragma once

#include <QPointF>
#include <QString>
#include <QStringList>
#include <QVector>

class Graph;

// Draws graphs into PDF files, one graph per file and one page per file, after an automatic
// layout fitted into a 400 x 300 box. It lays the graphs out on a private graph, so the user's
// graph and its drawing are never touched.
class GraphPdfExport
{
public:
    // Largest target distance of the layout, and the box the drawing is fitted into.
    static constexpr double LayoutSize = 200.0;
    static constexpr double BoxWidth = 400.0;
    static constexpr double BoxHeight = 300.0;

    // Construct on the GUI thread (it makes a graph).
    GraphPdfExport();
    ~GraphPdfExport();
    GraphPdfExport(const GraphPdfExport &) = delete;
    GraphPdfExport &operator=(const GraphPdfExport &) = delete;

    // For a chosen name F/N: F/B1.pdf .. F/Bcount.pdf, where B is N up to its first "." and F is
    // the absolute path of the chosen name's folder.
    static QStringList fileNames(const QString &chosen, int count);

    // Lays out the graph of graphString and writes it as a one-page PDF to path (through a
    // QSaveFile: a failed write leaves an existing file as it was). False, with a reason in
    // *error, for a graph string whose order is outside 0..32 or a failed write.
    bool write(const QString &graphString, const QString &path, QString *error);

    // Vertex positions of the last written drawing, inside the 400 x 300 box centred on 0.
    QVector<QPointF> positions() const { return lastPositions; }

private:
    void layOut();

    Graph *graph;
    QVector<QPointF> lastPositions;
};
