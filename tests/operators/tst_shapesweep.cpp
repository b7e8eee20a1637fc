#include "OperatorCase.h"

#include <QtTest>

#include <cmath>

// Every added operator on every combination of argument shapes (unlinked, failed, in error, value,
// column, row, rectangular, square, up to 32 x 32), on a small and on a 32-vertex graph. The cells of
// each argument's 32 x 32 storage outside its shape hold a huge sentinel, so a result entry that
// depends on a cell the operator should not read comes out huge or not finite; the arguments'
// own entries are moderate and positive, so no correct result does. Run under the sanitizers, the
// sweep also shows that no shape makes an operator crash or read outside its storage.
class TestShapeSweep : public QObject
{
    Q_OBJECT

private slots:
    void sweep_data();
    void sweep();
};

namespace
{

const QStringList keywords{"*",
                           "EXP",
                           "FLOOR",
                           "SQRT",
                           "COLUMN",
                           "TRANSPOSE",
                           "EIGENVECTORS",
                           "DETERMINANT",
                           "INERTIA",
                           "CHOLESKY",
                           "LAPLACIANOF",
                           "SUMROW",
                           "SUMCOL",
                           "MAXROW",
                           "MAXCOL",
                           "NBEQ",
                           "SUMGE",
                           "SUMPRODUCT",
                           "CORR",
                           "ECORR",
                           "EUCLIDIANDIST",
                           "MANHATTANDIST",
                           "DPALINDROMIC",
                           "SORT",
                           "VALUE AT",
                           "IFGE",
                           "MOMENT",
                           "RANDICTYPE",
                           "DIAG"};

// Moderate positive entries; a square argument is symmetric and diagonally dominant, so that the
// spectral operators and the factorisation also take their success paths.
QString argument(int r, int c, bool inError)
{
    QStringList e;
    for (int i = 0; i < r; ++i)
        for (int j = 0; j < c; ++j)
            e << QString::number(0.5 + ((i + j + i * j) % 10) * 0.5 + (r == c && i == j ? 200.0 : 0.0));
    return QStringLiteral("%1%2x%3:").arg(inError ? "!" : "").arg(r).arg(c) + e.join(QLatin1Char(','));
}

const QStringList shapes{"-",
                         "0x0",
                         argument(4, 4, true),
                         argument(1, 1, false),
                         argument(4, 1, false),
                         argument(1, 4, false),
                         argument(2, 3, false),
                         argument(4, 4, false),
                         argument(32, 1, false),
                         argument(1, 32, false),
                         argument(32, 32, false)};

QString graphOfOrder(int n)
{
    QStringList edges;
    for (int i = 0; i < n; ++i) {
        edges << QStringLiteral("%1-%2").arg(i).arg((i + 1) % n);
        if (i % 2 == 0 && n > 4)
            edges << QStringLiteral("%1-%2").arg(i).arg((i + 3) % n);
    }
    return QStringLiteral("%1:").arg(n) + edges.join(QLatin1Char(';'));
}

} // namespace

void TestShapeSweep::sweep_data()
{
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QString>("graph");
    for (const QString &k : keywords)
        for (int n : {4, 32})
            QTest::newRow(qPrintable(QStringLiteral("%1 on %2 vertices").arg(k).arg(n)))
                << k << graphOfOrder(n);
}

void TestShapeSweep::sweep()
{
    QFETCH(QString, keyword);
    QFETCH(QString, graph);

    for (int s1 = 0; s1 < shapes.size(); ++s1)
        for (int s2 = 0; s2 < shapes.size(); ++s2) {
            // Arguments 3 and 4 take the shape of argument 2 (the alternatives of IFGE, the unread
            // slots of the product and the distances), or of argument 1.
            for (int s34 : {s2, s1}) {
                OperatorBoard board;
                setGraphFromText(board.getGraph(), graph);
                Calculus *item = board.make(keyword);
                QVERIFY(item);
                const QStringList layouts{shapes[s1], shapes[s2], shapes[s34], shapes[s34]};
                for (int k = 0; k < 4; ++k) {
                    if (layouts[k] == QLatin1String("-"))
                        continue;
                    FixedItem *a = board.fixed(layouts[k]);
                    for (int i = 0; i < 32; ++i)
                        for (int j = 0; j < 32; ++j)
                            if (i >= a->rows || j >= a->cols)
                                a->M[i][j] = (k + 1) * 1e250;
                    OperatorBoard::link(a, item, k + 1);
                }
                board.evaluate();

                const QString where =
                    QStringLiteral("arguments %1 | %2 | %3: ")
                        .arg(shapes[s1].left(12), shapes[s2].left(12), shapes[s34].left(12));
                QVERIFY2(item->rows >= 0 && item->rows <= 32 && item->cols >= 0 && item->cols <= 32,
                         qPrintable(where + "size outside the storage"));
                if (item->rows == 0 || item->cols == 0)
                    QVERIFY2(item->getError() || keyword == QLatin1String("MOMENT"),
                             qPrintable(where + "an empty result without the error flag"));
                if (keyword != QLatin1String("MOMENT"))
                    QVERIFY2(!item->getTooltip().isEmpty(), qPrintable(where + "no status text"));
                for (int i = 0; i < item->rows; ++i)
                    for (int j = 0; j < item->cols; ++j) {
                        const double v = item->M[i][j];
                        if (!std::isfinite(v) || std::fabs(v) > 1e200)
                            QFAIL(qPrintable(where + QStringLiteral("entry [%1][%2] is %3: a cell outside an "
                                                                    "argument was read")
                                                         .arg(i)
                                                         .arg(j)
                                                         .arg(v)));
                    }
            }
        }
}

QTEST_MAIN(TestShapeSweep)
#include "tst_shapesweep.moc"
