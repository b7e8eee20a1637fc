#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

// The content of a graph file and its text forms: the graph file (order, one "name TAB x TAB y"
// line per vertex, the adjacency matrix on one line of n x n TAB-ended cells), the autosave file
// (the same with the change stamp as second line) and the edge-list export (order, edge count,
// vertex lines, one "name TAB name TAB 1 TAB 0" line per edge). Text is Latin-1 on both sides.
//
// parse() checks the whole text before it fills anything, so a caller applies a file only when
// it was accepted.
class GraphFile
{
public:
    static constexpr int MaxNodes = 32;
    // Larger files cannot be graph files of at most 32 vertices; they are refused unread.
    static constexpr qint64 MaxBytes = 1 << 20;
    // Coordinates are kept within +-MaxCoordinate on reading and writing: every position a
    // drawing can have is far inside it, and larger ones would put the vertices out of the
    // view's reach.
    static constexpr double MaxCoordinate = 1e7;

    struct Vertex {
        QString name;
        double x = 0.0;
        double y = 0.0;
    };

    int order = 0;
    QVector<Vertex> vertices;
    // Symmetric adjacency as row bit masks (bit j of rows[i]); no diagonal.
    quint32 rows[MaxNodes] = {};
    // The stamp line of an autosave file.
    qint64 stamp = 0;

    // Reads a graph file (withStamp: an autosave file). False with error = "line N: reason";
    // a file that holds a NUL byte is refused whole.
    // Only the cells above the diagonal are read as edges (any non-zero integer is one); every
    // cell must be an integer and the line must hold exactly n x n of them.
    // Names are made storable (storableName) and coordinates bounded as they are read, so a file
    // that was read writes back what was read.
    static bool parse(const QByteArray &data, bool withStamp, GraphFile &out, QString &error);

    // The order of a graph string or graph file: decimal digits (leading zeros allowed, no sign),
    // 0..MaxNodes. False with a reason otherwise.
    static bool readOrder(const QString &text, int &n, QString &error);
    // A vertex name as the files keep it: the separators TAB, LF and CR become blanks and
    // characters outside Latin-1 become "?". Applied by the reader as by the writer, so a name
    // survives a save and a reopen unchanged.
    static QString storableName(QString name);

    QByteArray graphText(bool withStamp) const;
    QByteArray edgeListText() const;
    int edgeCount() const;

private:
    QByteArray vertexLines() const;
};
