#include "graph/GraphFile.h"

#include <QStringList>

#include <cmath>
#include <cstring>

namespace
{

QString shown(const QString &s)
{
    return s.size() > 30 ? s.left(30) + QStringLiteral("...") : s;
}

bool isDecimal(const QString &s)
{
    if (s.isEmpty())
        return false;
    for (QChar c : s)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

// An adjacency cell: an optional sign and decimal digits, of any length; every value but zero
// is an edge.
bool readCell(const QString &text, bool &isEdge)
{
    QString digits = text.trimmed();
    if (digits.startsWith(QLatin1Char('-')) || digits.startsWith(QLatin1Char('+')))
        digits.remove(0, 1);
    if (!isDecimal(digits))
        return false;
    isEdge = false;
    for (QChar c : qAsConst(digits))
        isEdge = isEdge || c != QLatin1Char('0');
    return true;
}

double bounded(double v)
{
    return qBound(-GraphFile::MaxCoordinate, v, GraphFile::MaxCoordinate);
}

// A coordinate as read: a finite decimal number, brought within the bounds. A number beyond the
// range of a double (the conversion answers infinity and no success) is beyond the bounds too;
// "nan", "inf" and text that is no number are refused.
bool readCoordinate(const QString &text, double &v)
{
    bool ok = false;
    v = text.trimmed().toDouble(&ok);
    if (!ok && std::isinf(v))
        ok = true;
    else if (!std::isfinite(v))
        ok = false;
    v = bounded(v);
    return ok;
}

// A coordinate as written: a value that is not finite (no drawing makes one) is written as 0,
// so the file stays readable.
QString coordinateText(double v)
{
    return QString::number(std::isfinite(v) ? bounded(v) : 0.0, 'g', 6);
}

} // namespace

bool GraphFile::readOrder(const QString &text, int &n, QString &error)
{
    QString digits = text;
    QChar sign;
    if (digits.startsWith(QLatin1Char('-')) || digits.startsWith(QLatin1Char('+'))) {
        sign = digits.at(0);
        digits.remove(0, 1);
    }
    if (!isDecimal(digits)) {
        error = QStringLiteral("the order \"%1\" is not a whole number").arg(shown(text));
        return false;
    }
    // Leading zeros do not change the number; what is left decides its size, so no conversion
    // can overflow.
    int first = 0;
    while (first < digits.size() - 1 && digits.at(first) == QLatin1Char('0'))
        ++first;
    const QString value = digits.mid(first);
    if (!sign.isNull()) {
        error = sign == QLatin1Char('-') && value != QLatin1String("0")
                    ? QStringLiteral("the order -%1 is negative").arg(shown(value))
                    : QStringLiteral("the order \"%1\" carries a sign").arg(shown(text));
        return false;
    }
    const int v = value.size() > 2 ? MaxNodes + 1 : value.toInt();
    if (v > MaxNodes) {
        error = QStringLiteral("the order %1 is above %2").arg(shown(value)).arg(MaxNodes);
        return false;
    }
    n = v;
    return true;
}

QString GraphFile::storableName(QString name)
{
    for (QChar &c : name) {
        if (c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            c = QLatin1Char(' ');
        else if (c.unicode() > 0xff)
            c = QLatin1Char('?');
    }
    return name;
}

namespace
{

// The lines of the text, each without its line end (LF or CR LF).
QStringList textLines(const QByteArray &data)
{
    // The size is given: the QByteArray overload would stop at the first NUL byte.
    QStringList lines =
        QString::fromLatin1(data.constData(), data.size()).split(QLatin1Char('\n'), Qt::KeepEmptyParts);
    for (QString &l : lines)
        if (l.endsWith(QLatin1Char('\r')))
            l.chop(1);
    return lines;
}

// The stamp line of an autosave file, lines[line].
bool readStamp(const QStringList &lines, int line, qint64 &stamp, QString &error)
{
    bool ok = false;
    const QString t = line < lines.size() ? lines.at(line).trimmed() : QString();
    stamp = t.toLongLong(&ok);
    if (!ok) {
        error = QStringLiteral("line %1: the stamp \"%2\" is not a whole number").arg(line + 1).arg(shown(t));
        return false;
    }
    return true;
}

// One "name TAB x TAB y" vertex line, lines[line].
bool readVertex(const QStringList &lines, int line, GraphFile::Vertex &v, QString &error)
{
    const QStringList f = lines.at(line).split(QLatin1Char('\t'), Qt::KeepEmptyParts);
    if (f.size() < 3) {
        error =
            QStringLiteral("line %1: a vertex line needs a name, x and y separated by tabs").arg(line + 1);
        return false;
    }
    double x = 0.0;
    double y = 0.0;
    const bool okX = readCoordinate(f.at(1), x);
    const bool okY = readCoordinate(f.at(2), y);
    if (!okX) {
        error = QStringLiteral("line %1: the x coordinate \"%2\" is not a finite number")
                    .arg(line + 1)
                    .arg(shown(f.at(1)));
        return false;
    }
    if (!okY) {
        error = QStringLiteral("line %1: the y coordinate \"%2\" is not a finite number")
                    .arg(line + 1)
                    .arg(shown(f.at(2)));
        return false;
    }
    v = GraphFile::Vertex{GraphFile::storableName(f.at(0)), x, y};
    return true;
}

// The n vertex lines from lines[line] on; line ends past them.
bool readVertices(const QStringList &lines, int &line, int n, QVector<GraphFile::Vertex> &vertices,
                  QString &error)
{
    vertices.resize(n);
    for (int k = 0; k < n; ++k, ++line) {
        if (line >= lines.size()) {
            error = QStringLiteral("line %1: the file ends before vertex %2 of %3")
                        .arg(line + 1)
                        .arg(k + 1)
                        .arg(n);
            return false;
        }
        if (!readVertex(lines, line, vertices[k], error))
            return false;
    }
    return true;
}

// The adjacency line of order n > 0, lines[line], into rows.
bool readAdjacency(const QStringList &lines, int line, int n, quint32 *rows, QString &error)
{
    if (line >= lines.size() || lines.at(line).trimmed().isEmpty()) {
        error = QStringLiteral("line %1: the adjacency line is missing").arg(line + 1);
        return false;
    }
    QStringList cells = lines.at(line).split(QLatin1Char('\t'), Qt::KeepEmptyParts);
    // Every cell is followed by a tab, so the last field after the closing tab is empty.
    if (!cells.isEmpty() && cells.last().trimmed().isEmpty())
        cells.removeLast();
    if (cells.size() != n * n) {
        error = QStringLiteral("line %1: the adjacency line holds %2 values, order %3 needs %4")
                    .arg(line + 1)
                    .arg(cells.size())
                    .arg(n)
                    .arg(n * n);
        return false;
    }
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            bool isEdge = false;
            const QString &c = cells.at(i * n + j);
            if (!readCell(c, isEdge)) {
                error = QStringLiteral(
                            "line %1: adjacency value %2 (row %3, column %4) \"%5\" is not a whole number")
                            .arg(line + 1)
                            .arg(i * n + j + 1)
                            .arg(i + 1)
                            .arg(j + 1)
                            .arg(shown(c));
                return false;
            }
            // The upper triangle is the graph; the diagonal and lower triangle are read, not used.
            if (i < j && isEdge) {
                rows[i] |= 1u << j;
                rows[j] |= 1u << i;
            }
        }
    }
    return true;
}

} // namespace

bool GraphFile::parse(const QByteArray &data, bool withStamp, GraphFile &out, QString &error)
{
    if (data.size() > MaxBytes) {
        error = QStringLiteral("the file is larger than %1 bytes").arg(MaxBytes);
        return false;
    }
    // A NUL byte marks a file that is not a graph file, or a damaged one: nothing of it is read.
    const int nul = data.indexOf('\0');
    if (nul >= 0) {
        error = QStringLiteral("line %1: the file holds a NUL byte, so it is not a graph file")
                    .arg(data.left(nul).count('\n') + 1);
        return false;
    }
    const QStringList lines = textLines(data);
    if (data.trimmed().isEmpty()) {
        error = QStringLiteral("line 1: the file is empty");
        return false;
    }

    GraphFile g;
    int line = 0; // index into lines; reported as line + 1
    int n = 0;
    if (!readOrder(lines.at(0).trimmed(), n, error)) {
        error.prepend(QStringLiteral("line 1: "));
        return false;
    }
    g.order = n;
    ++line;

    if (withStamp) {
        if (!readStamp(lines, line, g.stamp, error))
            return false;
        ++line;
    }

    if (!readVertices(lines, line, n, g.vertices, error))
        return false;

    // The empty graph has no adjacency to give; its line, when present, is not read.
    if (n > 0 && !readAdjacency(lines, line, n, g.rows, error))
        return false;
    out = g;
    return true;
}

QByteArray GraphFile::vertexLines() const
{
    QString t;
    for (int k = 0; k < order && k < vertices.size(); ++k) {
        const Vertex &v = vertices.at(k);
        t += storableName(v.name) + QLatin1Char('\t') + coordinateText(v.x) + QLatin1Char('\t') +
             coordinateText(v.y) + QLatin1Char('\n');
    }
    return t.toLatin1();
}

QByteArray GraphFile::graphText(bool withStamp) const
{
    QByteArray t = QByteArray::number(order) + '\n';
    if (withStamp)
        t += QByteArray::number(stamp) + '\n';
    t += vertexLines();
    QByteArray cells;
    cells.reserve(2 * order * order);
    for (int i = 0; i < order; ++i) {
        for (int j = 0; j < order; ++j) {
            cells += (i != j && ((rows[i] >> j) & 1u)) ? '1' : '0';
            cells += '\t';
        }
    }
    return t + cells;
}

int GraphFile::edgeCount() const
{
    int m = 0;
    for (int i = 0; i < order; ++i)
        for (int j = i + 1; j < order; ++j)
            m += (rows[i] >> j) & 1u;
    return m;
}

QByteArray GraphFile::edgeListText() const
{
    QByteArray t = QByteArray::number(order) + '\n' + QByteArray::number(edgeCount()) + '\n';
    t += vertexLines();
    QString e;
    for (int i = 0; i < order; ++i)
        for (int j = i + 1; j < order; ++j)
            if ((rows[i] >> j) & 1u)
                e += storableName(vertices.value(i).name) + QLatin1Char('\t') +
                     storableName(vertices.value(j).name) + QStringLiteral("\t1\t0\n");
    return t + e.toLatin1();
}
