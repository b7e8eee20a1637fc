#pragma once

// Shared by the conjecture engine tests: rows of numbers, a small random generator and the rows of
// every tree on 8 to 10 vertices.

#include "support/TestData.h"

#include <QString>
#include <QStringList>
#include <QVector>

using Rows = QVector<QVector<double>>;

// A linear congruential generator: the same numbers on every platform.
struct Lcg {
    quint64 state;
    double unit() // in [0, 1)
    {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return double(state >> 11) / 9007199254740992.0;
    }
    int below(int n) { return int(unit() * n); }
};

// Rows ORDER, SIZE, WIENER of every tree on 8 to 10 vertices.
inline Rows treeRows()
{
    Rows rows;
    for (const QString &line : readDataLines(QStringLiteral("conjecture_trees.txt"))) {
        const QStringList f = line.split(QLatin1Char('\t'));
        rows.append({f[0].toDouble(), f[1].toDouble(), f[2].toDouble()});
    }
    return rows;
}
