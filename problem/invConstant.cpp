#include "problem/invConstant.h"

#include "problem/ConstantDisplay.h"

#include <QPainter>

namespace
{
const int maxSize = 32;
} // namespace

invConstant::invConstant(bool withDisplay)
{
    name = QStringLiteral("CONSTANT");
    // Argument 1 is only read when the dialog asks to clone it.
    argSlots = 1;
    this->withDisplay = withDisplay;
    if (withDisplay)
        initDisplay(new ConstantDisplay(name), false);
    latexDef = QStringLiteral("Constant value, vector or matrix defined by the user.");
    textDef = latexDef;
    sRows = QStringLiteral("1");
    sCols = QStringLiteral("1");
}

invConstant::~invConstant() = default;

void invConstant::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget)
{
    Q_UNUSED(option);
    Q_UNUSED(widget);
    QColor at1, at0;
    // An empty table is shown in the error colours whatever the last published result.
    if (!markedColours(at1, at0, false)) {
        const bool empty = rows == 0 || cols == 0;
        at1 = empty ? QColor(Qt::red).lighter(120) : QColor(Qt::yellow).lighter(120);
        at0 = empty ? QColor(Qt::darkRed).lighter(120) : QColor(Qt::darkYellow).lighter(120);
    }
    setBodyBrush(painter, Shading::Box, at1, at0);
    painter->drawEllipse(QRectF(-(w / 2), -(h / 2), w, h));
    painter->drawText(QRectF(-50, -20, 100, 20), name);
    painter->drawText(QRectF(-50, 0, 100, 20),
                      valueOrSizeText(rows == 1 && cols == 1, shownValue(), rows, cols));
}

QString invConstant::specificInformationToSave()
{
    const QChar tab = QLatin1Char('\t');
    const int r = qBound(0, rows, maxSize);
    const int c = qBound(0, cols, maxSize);
    QString s = tab + QString::number(r) + tab + QString::number(c);
    for (int i = 0; i < r; ++i)
        for (int j = 0; j < c; ++j)
            s += tab + QString::number(M.at(i).at(j), 'g', 6);
    return s;
}

void invConstant::recompute()
{
    // The error flag arrives as compute() set it: a constant linked to an item in error is in
    // error too, with its dialog or without, although its values come from its own table.
    if (display) {
        // A clone copies whatever argument 1 holds, in error or not; only nothing to copy fails.
        if (display->clone() && arg1) {
            if (arg1->rows < 1 || arg1->cols < 1) {
                saveTooltip(QStringLiteral("Argument error"));
                rows = 0;
                cols = 0;
                error = true;
                return;
            }
            const int r = qMin(arg1->rows, maxSize);
            const int c = qMin(arg1->cols, maxSize);
            QVector<double> values;
            values.reserve(r * c);
            for (int i = 0; i < r; ++i)
                for (int j = 0; j < c; ++j)
                    values.append(arg1->M.at(i).at(j));
            display->loadData(r, c, values);
        }
        rows = qBound(0, display->getNbRows(), maxSize);
        cols = qBound(0, display->getNbCols(), maxSize);
        const QVector<QVector<double>> &table = *display->getM();
        for (int i = 0; i < rows; ++i)
            for (int j = 0; j < cols; ++j)
                M[i][j] = table.at(i).at(j);
    }
    if (rows == 0 || cols == 0)
        error = true;
    // The size texts are rebuilt only when the size changes: the search recomputes constants for
    // every candidate graph.
    if (rows != textRows) {
        sRows = QString::number(rows);
        textRows = rows;
    }
    if (cols != textCols) {
        sCols = QString::number(cols);
        textCols = cols;
    }
}

void invConstant::loadData(int r, int c, const QVector<double> &values)
{
    if (display) {
        display->loadData(r, c, values);
        return;
    }
    if (r < 0 || c < 0 || r > maxSize || c > maxSize || values.size() != r * c)
        return;
    QMutexLocker lock(&valueMutex);
    for (int i = 0; i < r; ++i)
        for (int j = 0; j < c; ++j)
            M[i][j] = values.at(i * c + j);
    rows = r;
    cols = c;
}
