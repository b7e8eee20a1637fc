#include "graph/Edge.h"
#include "graph/Graph.h"
#include "graph/Node.h"
#include "problem/Operator.h"
#include "problem/Problem.h"
#include "problem/infoEDGE.h"
#include "problem/infoNODE.h"

#include <QtTest>

using Values = QVector<double>;

namespace
{
// An argument of a chosen shape whose entries are 1, 2, 3, ... row by row.
class Shaped : public Operator
{
public:
    int r = 1, c = 1;
    void recompute() override
    {
        rows = r;
        cols = c;
        for (int i = 0; i < r; ++i)
            for (int j = 0; j < c; ++j)
                M[i][j] = i * c + j + 1;
    }
};
} // namespace

class TestProblemDisplayItems : public QObject
{
    Q_OBJECT

private slots:
    void recompute_data();
    void recompute();
};

void TestProblemDisplayItems::recompute_data()
{
    QTest::addColumn<QString>("item"); // Colors, Labels or E_Labels
    QTest::addColumn<int>("argRows");  // -1: no argument
    QTest::addColumn<int>("argCols");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("size");

    // The graph has 5 vertices.
    QTest::newRow("Colors from a vertex vector") << "Colors" << 5 << 1 << "Colors"
                                                 << "5x1";
    QTest::newRow("Labels from a value") << "Labels" << 1 << 1 << "Labels"
                                         << "1x1";
    QTest::newRow("Labels from a longer vector") << "Labels" << 8 << 1 << "Labels"
                                                 << "8x1";
    QTest::newRow("Colors from a row") << "Colors" << 1 << 5 << "Argument should be a vector"
                                       << "0x0";
    QTest::newRow("Colors without argument") << "Colors" << -1 << 0 << "Missing argument"
                                             << "0x0";
    QTest::newRow("E_Labels from a 5 x 5 matrix") << "E_Labels" << 5 << 5 << "E_Labels"
                                                  << "5x5";
    QTest::newRow("E_Labels from a value") << "E_Labels" << 1 << 1 << "Argument should be a matrix n x n"
                                           << "0x0";
    QTest::newRow("E_Labels from a 5 x 4 matrix")
        << "E_Labels" << 5 << 4 << "Argument should be a matrix n x n"
        << "0x0";
    QTest::newRow("E_Labels without argument") << "E_Labels" << -1 << 0 << "Missing argument"
                                               << "0x0";
}

void TestProblemDisplayItems::recompute()
{
    QFETCH(QString, item);
    QFETCH(int, argRows);
    QFETCH(int, argCols);
    QFETCH(QString, status);
    QFETCH(QString, size);

    Graph g(QStringLiteral("g"), false);
    QVERIFY(g.loadCurrentGraph(QStringLiteral("5 1010010001")));
    Problem p(&g, QStringLiteral("t"), false);
    Calculus *target = item == QLatin1String("Colors")   ? static_cast<Calculus *>(p.getColors())
                       : item == QLatin1String("Labels") ? static_cast<Calculus *>(p.getLabels())
                                                         : static_cast<Calculus *>(p.getELabels());
    if (argRows >= 0) {
        auto *arg = new Shaped;
        arg->r = argRows;
        arg->c = argCols;
        p.addOperatorItem(arg);
        QVERIFY(p.link1(arg, target));
    }
    p.best_backup();
    QCOMPARE(target->getTooltip(), status);
    QCOMPARE(QStringLiteral("%1x%2").arg(target->rows).arg(target->cols), size);
    QCOMPARE(target->getError(), size == QLatin1String("0x0"));
    for (int i = 0; i < target->rows; ++i)
        for (int j = 0; j < target->cols; ++j)
            QCOMPARE(target->M[i][j], double(i * target->cols + j + 1));
    QCOMPARE(target->getFirstCol().size(), target->rows);

    // What a sound item holds reaches the graph view.
    if (target->getError())
        return;
    for (int i = 0; i < std::min(target->rows, 32); ++i) {
        if (item == QLatin1String("Colors"))
            QCOMPARE(g.getNode(i)->getColorIndex(), int(target->M[i][0]));
        else if (item == QLatin1String("Labels"))
            QCOMPARE(g.getNode(i)->getLabel(), QString::number(target->M[i][0]));
        else
            for (int j = 0; j < i; ++j)
                QCOMPARE(g.getEdge(i, j)->getLabel(),
                         g.edge(i, j) ? QString::number(target->M[i][j]) : QString());
    }
}

QTEST_MAIN(TestProblemDisplayItems)
#include "tst_problemdisplayitems.moc"
