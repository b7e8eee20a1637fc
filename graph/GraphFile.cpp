#include "graph/GraphFile.h"

#include <QStringList>

#include <cmath>
#include <cstring>

namespace
{

// Names are written unquoted, so a separator inside one would break the line structure.
QString writableName(QString name)
{
    name.replace(QLatin1Char('\t'), QLatin1Char(' '));
    name.replace(QLatin1Char('\n'), QLatin1Char(' '));
    name.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return name;
}

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

} // namespace

bool GraphFile::parse(const QByteArray &data, bool withStamp, GraphFile &out, QString &error)
{
    if (data.size() > MaxBytes) {
        error = QStringLiteral("the file is larger than %1 bytes").arg(MaxBytes);
        return false;
    }
    QStringList lines = QString::fromLatin1(data).split(QLatin1Char('\n'), Qt::KeepEmptyParts);
    for (QString &l : lines)
        if (l.endsWith(QLatin1Char('\r')))
            l.chop(1);
    if (data.trimmed().isEmpty()) {
        error = QStringLiteral("line 1: the file is empty");
        return false;
    }

    GraphFile g;
    int line = 0; // index into lines; reported as line + 1
    const QString orderText = lines.at(0).trimmed();
    if (!isDecimal(orderText)) {
        error = QStringLiteral("line 1: the order \"%1\" is not a whole number").arg(shown(orderText));
        return false;
    }
    const int n = orderText.size() > 3 ? MaxNodes + 1 : orderText.toInt();
    if (n > MaxNodes) {
        error = QStringLiteral("line 1: the order %1 is above %2").arg(shown(orderText)).arg(MaxNodes);
        return false;
    }
    g.order = n;
    ++line;

    if (withStamp) {
        bool ok = false;
        const QString t = line < lines.size() ? lines.at(line).trimmed() : QString();
        g.stamp = t.toLongLong(&ok);
        if (!ok) {
            error =
                QStringLiteral("line %1: the stamp \"%2\" is not a whole number").arg(line + 1).arg(shown(t));
            return false;
        }
        ++line;
    }

    g.vertices.resize(n);
    for (int k = 0; k < n; ++k, ++line) {
        if (line >= lines.size()) {
            error = QStringLiteral("line %1: the file ends before vertex %2 of %3")
                        .arg(line + 1)
                        .arg(k + 1)
                        .arg(n);
            return false;
        }
        const QStringList f = lines.at(line).split(QLatin1Char('\t'), Qt::KeepEmptyParts);
        if (f.size() < 3) {
            error = QStringLiteral("line %1: a vertex line needs a name, x and y separated by tabs")
                        .arg(line + 1);
            return false;
        }
        bool okX = false;
        bool okY = false;
        const double x = f.at(1).trimmed().toDouble(&okX);
        const double y = f.at(2).trimmed().toDouble(&okY);
        if (!okX || !std::isfinite(x)) {
            error = QStringLiteral("line %1: the x coordinate \"%2\" is not a finite number")
                        .arg(line + 1)
                        .arg(shown(f.at(1)));
            return false;
        }
        if (!okY || !std::isfinite(y)) {
            error = QStringLiteral("line %1: the y coordinate \"%2\" is not a finite number")
                        .arg(line + 1)
                        .arg(shown(f.at(2)));
            return false;
        }
        g.vertices[k] = Vertex{f.at(0), x, y};
    }

    // The empty graph has no adjacency to give; its line, when present, is not read.
    if (n > 0) {
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
                bool ok = false;
                const QString &c = cells.at(i * n + j);
                const long long v = c.trimmed().toLongLong(&ok);
                if (!ok) {
                    error =
                        QStringLiteral(
                            "line %1: adjacency value %2 (row %3, column %4) \"%5\" is not a whole number")
                            .arg(line + 1)
                            .arg(i * n + j + 1)
                            .arg(i + 1)
                            .arg(j + 1)
                            .arg(shown(c));
                    return false;
                }
                // The upper triangle is the graph; the diagonal and lower triangle are read, not used.
                if (i < j && v != 0) {
                    g.rows[i] |= 1u << j;
                    g.rows[j] |= 1u << i;
                }
            }
        }
    }
    out = g;
    return true;
}

QByteArray GraphFile::vertexLines() const
{
    QString t;
    for (int k = 0; k < order && k < vertices.size(); ++k) {
        const Vertex &v = vertices.at(k);
        t += writableName(v.name) + QLatin1Char('\t') + QString::number(v.x, 'g', 6) + QLatin1Char('\t') +
             QString::number(v.y, 'g', 6) + QLatin1Char('\n');
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
                e += writableName(vertices.value(i).name) + QLatin1Char('\t') +
                     writableName(vertices.value(j).name) + QStringLiteral("\t1\t0\n");
    return t + e.toLatin1();
}
