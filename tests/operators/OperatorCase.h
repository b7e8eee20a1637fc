#pragma once

#include "OperatorBoard.h"

#include <QtTest>

// One operator evaluated on preset arguments, optionally on a graph, checked against an expected
// outcome:
//   graph     "" or "-" for none, else "n:i-j;i-j;..." (order, then edges)
//   args      preset argument layouts for slots 1..4 ("" or "-" leaves a slot unlinked)
//   expected  "RxC:e,..." a result (a leading "!" when the item must be in error, else it must not
//             be), or "FAIL:<status>" a failure epilogue with that status text
//   status    when not empty, the status text a result must carry
//   labels    when not empty, "rows,cols": the size labels the item must show afterwards
// EIGENVECTORS results are compared column by column up to the sign of each column.

inline void setGraphFromText(Graph *g, const QString &text)
{
    g->clear();
    if (text.isEmpty() || text == QLatin1String("-"))
        return;
    const int colon = text.indexOf(QLatin1Char(':'));
    const int n = text.left(colon).toInt();
    for (int i = 0; i < n; ++i)
        g->addNode();
    for (const QString &e : text.mid(colon + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts))
        g->addEdge(e.section(QLatin1Char('-'), 0, 0).toInt(), e.section(QLatin1Char('-'), 1, 1).toInt());
}

inline void compareUpToColumnSigns(const Calculus *item, const QString &expected, double tol)
{
    FixedItem want(expected);
    want.recompute();
    QCOMPARE(item->rows, want.rows);
    QCOMPARE(item->cols, want.cols);
    for (int k = 0; k < want.cols; ++k) {
        double dot = 0.0;
        for (int i = 0; i < want.rows; ++i)
            dot += item->M[i][k] * want.M[i][k];
        const double sign = dot < 0 ? -1.0 : 1.0;
        for (int i = 0; i < want.rows; ++i)
            if (!sameNumber(sign * item->M[i][k], want.M[i][k], tol))
                QFAIL(qPrintable(QStringLiteral("column %1, entry %2 is %3, expected %4 up to sign")
                                     .arg(k)
                                     .arg(i)
                                     .arg(item->M[i][k], 0, 'g', 17)
                                     .arg(want.M[i][k], 0, 'g', 17)));
    }
}

inline void runOperatorCase(const QString &keyword, const QString &graph, const QStringList &args,
                            const QString &expected, double tol, const QString &status = QString(),
                            const QString &labels = QString())
{
    OperatorBoard board;
    setGraphFromText(board.getGraph(), graph);
    Calculus *item = board.make(keyword);
    QVERIFY2(item, qPrintable(keyword));
    QStringList layouts;
    for (const QString &a : args)
        layouts << (a == QLatin1String("-") ? QString() : a);
    board.linkAll(layouts);
    if (!labels.isEmpty()) {
        QCOMPARE(item->getSRows(), labels.section(QLatin1Char(','), 0, 0));
        QCOMPARE(item->getSCols(), labels.section(QLatin1Char(','), 1, 1));
    }
    if (expected.startsWith(QLatin1String("FAIL:"))) {
        QCOMPARE(item->getTooltip(), expected.mid(5));
        QCOMPARE(item->rows, 0);
        QCOMPARE(item->cols, 0);
        QVERIFY(item->getError());
        return;
    }
    if (!status.isEmpty())
        QCOMPARE(item->getTooltip(), status);
    const bool inError = expected.startsWith(QLatin1Char('!'));
    const QString want = inError ? expected.mid(1) : expected;
    if (keyword == QLatin1String("EIGENVECTORS"))
        compareUpToColumnSigns(item, want, tol);
    else
        compareResult(item, want, tol);
    QCOMPARE(item->getError(), inError);
}
