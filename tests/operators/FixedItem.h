#pragma once

#include "problem/Operator.h"

#include <QStringList>
#include <QVector>

#include <cmath>
#include <limits>

// An argument item with a preset result, written from a short text:
//   "3x1:1,2,3"       a 3 x 1 result, entries row by row; labels "n" for a size above 1, else "1"
//   "3x1:1,2,3/p,q"   the same with the size labels "p" and "q"
//   "!2x2:1,2,3,4"    a result as above whose item is in error (a failed argument upstream)
//   "0x0"             a failed item: no result, error flag set
// Entries may be "nan", "inf" and "-inf".
class FixedItem : public Operator
{
public:
    explicit FixedItem(const QString &layout)
    {
        name = QStringLiteral("FIXED");
        set(layout);
    }

    void set(const QString &layout)
    {
        QString s = layout.trimmed();
        inError = s.startsWith(QLatin1Char('!'));
        if (inError)
            s.remove(0, 1);
        QString labels;
        const int slash = s.indexOf(QLatin1Char('/'));
        if (slash >= 0) {
            labels = s.mid(slash + 1);
            s.truncate(slash);
        }
        const int colon = s.indexOf(QLatin1Char(':'));
        const QStringList size = s.left(colon < 0 ? s.size() : colon).split(QLatin1Char('x'));
        r = size.value(0).toInt();
        c = size.value(1).toInt();
        values.clear();
        if (colon >= 0)
            for (const QString &v : s.mid(colon + 1).split(QLatin1Char(','), Qt::SkipEmptyParts))
                values.append(number(v));
        if (r == 0 || c == 0)
            inError = true;
        if (labels.isEmpty()) {
            lr = r == 1 ? QStringLiteral("1") : QStringLiteral("n");
            lc = c == 1 ? QStringLiteral("1") : QStringLiteral("n");
        } else {
            lr = labels.section(QLatin1Char(','), 0, 0);
            lc = labels.section(QLatin1Char(','), 1, 1);
        }
    }

    static double number(const QString &text)
    {
        const QString t = text.trimmed();
        if (t == QLatin1String("nan"))
            return std::numeric_limits<double>::quiet_NaN();
        if (t == QLatin1String("inf"))
            return std::numeric_limits<double>::infinity();
        if (t == QLatin1String("-inf"))
            return -std::numeric_limits<double>::infinity();
        return t.toDouble();
    }

    void recompute() override
    {
        rows = r;
        cols = c;
        for (int i = 0; i < r; ++i)
            for (int j = 0; j < c; ++j)
                M[i][j] = values.value(i * c + j);
        if (r == 0 || c == 0) {
            sRows = sCols = QStringLiteral("NA");
            saveTooltip(QStringLiteral("failed"));
        } else {
            sRows = lr;
            sCols = lc;
            saveTooltip(QStringLiteral("FIXED"));
        }
        if (inError)
            error = true;
    }

private:
    int r = 0;
    int c = 0;
    QVector<double> values;
    QString lr, lc;
    bool inError = false;
};
