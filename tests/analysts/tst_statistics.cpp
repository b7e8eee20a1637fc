#include "analysts/PlotItem.h"
#include "analysts/PlotView.h"
#include "analysts/RectItem.h"
#include "analysts/StatisticsFactory.h"
#include "analysts/histoDisplay.h"
#include "analysts/plotDisplay.h"
#include "analysts/statHISTOGRAM.h"
#include "analysts/statPLOT.h"
#include "graph/Graph.h"
#include "problem/BuildCalculus.h"
#include "problem/Problem.h"
#include "problem/invConstant.h"
#include "support/TestLinking.h"

#include <QThread>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <memory>

namespace
{

using Matrix = QVector<QVector<double>>;

Matrix column(const QVector<double> &values)
{
    Matrix m(32, QVector<double>(32, 0.0));
    for (int i = 0; i < values.size(); ++i)
        m[i][0] = values[i];
    return m;
}

Matrix pairs(const QVector<QPointF> &values)
{
    Matrix m(32, QVector<double>(32, 0.0));
    for (int i = 0; i < values.size(); ++i) {
        m[i][0] = values[i].x();
        m[i][1] = values[i].y();
    }
    return m;
}

// Two redraw ticks of 100 ms.
void ticks()
{
    QTest::qWait(250);
}

} // namespace

class TestStatistics : public QObject
{
    Q_OBJECT

private slots:
    void items_data();
    void items();
    void problemText();
    void emptyGraph_data();
    void emptyGraph();
    void bars_data();
    void bars();
    void barScaleAndFailure();
    void points();
    void pointHighlights();
};

// Arguments "r x c" (empty: none) whose entry k (row-major) is k + 1 for argument 1 and 10 (k + 1)
// for argument 2; the item's status, shape and result rows.
void TestStatistics::items_data()
{
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QString>("arg1");
    QTest::addColumn<QString>("arg2");
    QTest::addColumn<QString>("status");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("cols");
    QTest::addColumn<QString>("result");
    QTest::newRow("histogram of a column") << "HISTOGRAM"
                                           << "4 x 1"
                                           << ""
                                           << "HISTOGRAM" << 4 << 1 << "1;2;3;4";
    QTest::newRow("histogram of a row") << "HISTOGRAM"
                                        << "1 x 5"
                                        << ""
                                        << "HISTOGRAM" << 5 << 1 << "1;2;3;4;5";
    QTest::newRow("histogram of a value") << "HISTOGRAM"
                                          << "1 x 1"
                                          << ""
                                          << "Vector arguments needed" << 0 << 0 << "";
    QTest::newRow("histogram of a matrix") << "HISTOGRAM"
                                           << "4 x 4"
                                           << ""
                                           << "Vector arguments needed" << 0 << 0 << "";
    QTest::newRow("histogram without argument") << "HISTOGRAM"
                                                << ""
                                                << ""
                                                << "Argument needed" << 0 << 0 << "";
    QTest::newRow("plot of two columns") << "PLOT"
                                         << "3 x 1"
                                         << "3 x 1"
                                         << "PLOT" << 3 << 2 << "1,10;2,20;3,30";
    QTest::newRow("plot of two rows") << "PLOT"
                                      << "1 x 3"
                                      << "1 x 3"
                                      << "PLOT" << 3 << 2 << "1,10;2,20;3,30";
    QTest::newRow("plot with a value first") << "PLOT"
                                             << "1 x 1"
                                             << "6 x 1"
                                             << "Vector arguments needed" << 0 << 0 << "";
    QTest::newRow("plot with a matrix second") << "PLOT"
                                               << "6 x 1"
                                               << "2 x 2"
                                               << "Vector arguments needed" << 0 << 0 << "";
    QTest::newRow("plot with a value second") << "PLOT"
                                              << "6 x 1"
                                              << "1 x 1"
                                              << "Arguments size differ" << 0 << 0 << "";
    QTest::newRow("plot of a column and a row") << "PLOT"
                                                << "6 x 1"
                                                << "1 x 6"
                                                << "Arguments size differ" << 0 << 0 << "";
    QTest::newRow("plot of different lengths") << "PLOT"
                                               << "6 x 1"
                                               << "5 x 1"
                                               << "Arguments size differ" << 0 << 0 << "";
    QTest::newRow("plot with one argument") << "PLOT"
                                            << "6 x 1"
                                            << ""
                                            << "2 Arguments needed" << 0 << 0 << "";
}

void TestStatistics::items()
{
    QFETCH(QString, keyword);
    QFETCH(QString, arg1);
    QFETCH(QString, arg2);
    QFETCH(QString, status);
    QFETCH(int, rows);
    QFETCH(int, cols);
    QFETCH(QString, result);
    Graph graph(QStringLiteral("g"), false);
    std::unique_ptr<Calculus> item(StatisticsFactory::make(keyword, false));
    QVERIFY(item);
    QCOMPARE(item->category, QStringLiteral("Statistics"));
    QVERIFY(!item->getCalculusDisplay());
    item->setGraph(&graph);
    std::vector<std::unique_ptr<invConstant>> args;
    const QStringList shapes{arg1, arg2};
    for (int k = 0; k < 2; ++k) {
        if (shapes[k].isEmpty())
            continue;
        const int r = shapes[k].section(QLatin1Char(' '), 0, 0).toInt();
        const int c = shapes[k].section(QLatin1Char(' '), 2, 2).toInt();
        QVector<double> values;
        for (int i = 0; i < r * c; ++i)
            values << (i + 1) * (k == 0 ? 1.0 : 10.0);
        args.emplace_back(new invConstant(false));
        args.back()->setGraph(&graph);
        args.back()->loadData(r, c, values);
        QVERIFY(linkAsArgument(args.back().get(), item.get(), k + 1));
    }
    graph.changeBest();
    item->compute(true);
    QCOMPARE(item->getTooltip(), status);
    QCOMPARE(item->rows, rows);
    QCOMPARE(item->cols, cols);
    QCOMPARE(item->getError(), rows == 0);
    QStringList got;
    for (int i = 0; i < item->rows; ++i) {
        QStringList row;
        for (int j = 0; j < item->cols; ++j)
            row << QString::number(item->M[i][j]);
        got << row.join(QLatin1Char(','));
    }
    QCOMPARE(got.join(QLatin1Char(';')), result);
    QCOMPARE(item->getSRows(), QStringLiteral("NA"));
    if (args.empty())
        return;
    // Losing argument 1 loses the result at the next computation.
    args.front().reset();
    graph.changeBest();
    item->compute(true);
    QVERIFY(item->getError());
    args.clear();
}

// The items are saved in problem text and read back with their arguments, and compute there.
void TestStatistics::problemText()
{
    Graph graph(QStringLiteral("g"), false);
    graph.loadtsy(QStringLiteral("4 110100"), false); // vertex 0 joined to 1, 2 and 3: degrees 3 1 1 1
    QString text;
    {
        Problem problem(&graph, QStringLiteral("p"), false);
        BuildCalculus catalogue;
        Calculus *degrees = catalogue.makeCalculus(QStringLiteral("DEGREES"), false);
        Calculus *histogram = StatisticsFactory::make(QStringLiteral("HISTOGRAM"), false);
        Calculus *plot = StatisticsFactory::make(QStringLiteral("PLOT"), false);
        problem.addInvariantItem(degrees);
        problem.addOperatorItem(histogram);
        problem.addOperatorItem(plot);
        problem.link1(degrees, histogram);
        problem.link1(degrees, plot);
        problem.link2(degrees, plot);
        text = problem.saveString();
    }
    Problem reread(&graph, QStringLiteral("q"), false);
    QVERIFY(reread.openString(text));
    Calculus *histogram = nullptr;
    Calculus *plot = nullptr;
    for (Calculus *c : reread.evaluationStack()) {
        if (c->name == QLatin1String("HISTOGRAM"))
            histogram = c;
        if (c->name == QLatin1String("PLOT"))
            plot = c;
    }
    QVERIFY(histogram && plot);
    QCOMPARE(plot->argument(2), plot->argument(1));
    graph.changeBest();
    reread.compute(true);
    QCOMPARE(histogram->rows, 4);
    QCOMPARE(histogram->M[0][0], 3.0);
    QCOMPARE(plot->rows, 4);
    QCOMPARE(plot->M[3][1], 1.0);
}

void TestStatistics::emptyGraph_data()
{
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<int>("cols");
    QTest::newRow("histogram") << "HISTOGRAM" << 1;
    QTest::newRow("plot") << "PLOT" << 2;
}

// The degrees of the graph on 0 vertices, a 0 x 1 column, give an empty result, and the item's
// dialog then shows nothing: not the entries of the graph before.
void TestStatistics::emptyGraph()
{
    QFETCH(QString, keyword);
    QFETCH(int, cols);
    Graph graph(QStringLiteral("g"), false);
    QVERIFY(graph.loadtsy(QStringLiteral("4 110100"), false));
    Problem board(&graph, QStringLiteral("p"), false);
    BuildCalculus catalogue;
    Calculus *degrees = catalogue.makeCalculus(QStringLiteral("DEGREES"), false);
    Calculus *item = StatisticsFactory::make(keyword, true);
    board.addInvariantItem(degrees);
    board.addOperatorItem(item);
    QVERIFY(board.link1(degrees, item));
    if (cols == 2)
        QVERIFY(board.link2(degrees, item));
    const auto shown = [item]() {
        QList<QGraphicsItem *> marks;
        if (auto *h = qobject_cast<histoDisplay *>(item->getCalculusDisplay()))
            for (QGraphicsItem *bar : h->getBars())
                marks << bar;
        if (auto *p = qobject_cast<plotDisplay *>(item->getCalculusDisplay()))
            for (QGraphicsItem *point : p->getPoints())
                marks << point;
        return int(
            std::count_if(marks.begin(), marks.end(), [](QGraphicsItem *m) { return m->isVisible(); }));
    };
    board.best_backup();
    ticks();
    QCOMPARE(shown(), 4);

    graph.clear();
    graph.changeBest();
    board.best_backup();
    QCOMPARE(degrees->rows, 0);
    QCOMPARE(item->getTooltip(), keyword);
    QVERIFY(!item->getError());
    QCOMPARE(item->rows, 0);
    QCOMPARE(item->cols, cols);
    ticks();
    QCOMPARE(shown(), 0);
}

// Entries of the column and, per bar, "hidden" or "colour x y w h" at the default scales (10, 10).
void TestStatistics::bars_data()
{
    QTest::addColumn<QVector<double>>("values");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("above and below the axis")
        << QVector<double>{2.5, -1} << QStringList{"blue 0 -25 10 25", "red 10 0 10 10", "hidden"};
    QTest::newRow("near zero and not finite")
        << QVector<double>{0.05, -0.05, qQNaN(), qInf(), -qInf(), 0.06}
        << QStringList{"hidden", "hidden", "hidden", "hidden", "hidden", "blue 50 -0.6 10 0.6", "hidden"};
    QTest::newRow("three entries") << QVector<double>{1, 2, 3}
                                   << QStringList{"blue 0 -10 10 10", "blue 10 -20 10 20",
                                                  "blue 20 -30 10 30", "hidden"};
}

void TestStatistics::bars()
{
    QFETCH(QVector<double>, values);
    QFETCH(QStringList, expected);
    histoDisplay display(QStringLiteral("HISTOGRAM"));
    display.setValues(column(values), values.size(), 1);
    ticks();
    for (int i = 0; i < 32; ++i) {
        const RectItem *bar = display.getBars()[i];
        const QString want = expected.value(i, QStringLiteral("hidden"));
        if (want == QLatin1String("hidden")) {
            QVERIFY2(!bar->isVisible(), qPrintable(QString::number(i)));
            continue;
        }
        const QStringList f = want.split(QLatin1Char(' '));
        QVERIFY(bar->isVisible());
        QCOMPARE(bar->getColor(), f[0] == QLatin1String("blue") ? QColor(Qt::blue) : QColor(Qt::red));
        QCOMPARE(bar->pos(), QPointF(f[1].toDouble(), f[2].toDouble()));
        QCOMPARE(bar->width(), f[3].toDouble());
        QVERIFY(std::fabs(bar->height() - f[4].toDouble()) < 1e-12);
        QCOMPARE(bar->toolTip(), QStringLiteral("P%1 (%2)").arg(i).arg(values[i]));
    }
}

void TestStatistics::barScaleAndFailure()
{
    histoDisplay display(QStringLiteral("HISTOGRAM"));
    display.setValues(column({1.5, 2, 3}), 3, 1);
    ticks();
    QCOMPARE(display.getBars()[2]->toolTip(), QStringLiteral("P2 (3)"));
    // A new scale shows at the next request only.
    display.slot_set_scalex(20);
    ticks();
    QCOMPARE(display.getBars()[1]->pos().x(), 10.0);
    display.slot_apply();
    ticks();
    QCOMPARE(display.getBars()[1]->pos().x(), 20.0);
    QCOMPARE(display.getBars()[1]->width(), 20.0);
    // A failed computation handed over from another thread: the bars go and come back with the
    // last good column, drawn on the GUI thread.
    QThread *worker = QThread::create([&display]() { display.setValues(column({}), 0, 0); });
    worker->start();
    worker->wait();
    delete worker;
    QTRY_VERIFY_WITH_TIMEOUT(!display.getBars()[0]->isVisible(), 1000);
    QTRY_VERIFY_WITH_TIMEOUT(display.getBars()[0]->isVisible(), 1000);
    QCOMPARE(display.getBars()[2]->pos(), QPointF(40, -30));
    QVERIFY(!display.getBars()[3]->isVisible());
    // On the GUI thread the bars go at once.
    display.setValues(column({}), 0, 0);
    QVERIFY(!display.getBars()[0]->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(display.getBars()[0]->isVisible(), 1000);
}

void TestStatistics::points()
{
    plotDisplay display(QStringLiteral("PLOT"));
    ticks();
    // One row of zeros at first.
    QVERIFY(display.getPoints()[0]->isVisible());
    QCOMPARE(display.getPoints()[0]->toolTip(), QStringLiteral("P0 (0,0)"));
    QVERIFY(!display.getPoints()[1]->isVisible());

    const QVector<QPointF> rows{{2, 3}, {-1, 4}, {0.5, -2}, {1, 2}, {7, 0}};
    display.setValues(pairs(rows), rows.size(), 2);
    ticks();
    for (int i = 0; i < 32; ++i) {
        const PlotItem *p = display.getPoints()[i];
        QCOMPARE(p->isVisible(), i < rows.size());
        if (i >= rows.size())
            continue;
        QCOMPARE(p->scenePos(), QPointF(rows[i].x() * 10, -rows[i].y() * 10));
        QCOMPARE(p->getNumber(), i);
        QCOMPARE(p->getRadius(), 5.0);
    }
    QCOMPARE(display.getPoints()[3]->toolTip(), QStringLiteral("P3 (1,2)"));
    // The axes fit the shown points: x from -10 - 100 to 2 (70 + 50), y from -20 - 100 to 2 (40 + 50).
    QCOMPARE(display.getView()->xAxisLine(), QLineF(-110, 0, 240, 0));
    QCOMPARE(display.getView()->yAxisLine(), QLineF(0, 120, 0, -180));
    // A turn moves the points from where they are shown, not from the origin.
    QTest::keyClick(display.getView(), Qt::Key_Up);
    QVERIFY(std::fabs(display.getPoints()[0]->scenePos().x() - 20) < 1e-9);
    QVERIFY(std::fabs(-display.getPoints()[0]->scenePos().y() - 30 * std::cos(PlotView::angleStep)) < 1e-9);

    display.slot_set_radius(8);
    ticks();
    QCOMPARE(display.getPoints()[0]->getRadius(), 5.0);
    display.slot_apply();
    ticks();
    QCOMPARE(display.getPoints()[0]->getRadius(), 8.0);

    display.setValues(pairs({}), 0, 0);
    QVERIFY(!display.getPoints()[0]->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(display.getPoints()[4]->isVisible(), 1000);
    QVERIFY(!display.getPoints()[5]->isVisible());
}

// The graph's vertex highlight marks the point of that vertex; a double-click on a point toggles
// the vertex's highlight in the graph.
void TestStatistics::pointHighlights()
{
    Graph graph(QStringLiteral("g"), false);
    graph.loadtsy(QStringLiteral("4 111111"), false);
    Graph other(QStringLiteral("h"), false);
    plotDisplay display(QStringLiteral("PLOT"));
    display.setGraph(&other);
    display.setGraph(&graph);
    auto lit = [&display]() {
        QVector<int> on;
        for (int i = 0; i < 32; ++i)
            if (display.getPoints()[i]->isHilight())
                on << i;
        return on;
    };
    for (int k : {2, -1, 40, 3}) {
        graph.hilight(k);
        QCOMPARE(lit(), (k >= 0 && k < 32) ? QVector<int>{k} : QVector<int>{});
    }
    // A former graph no longer reaches the dialog.
    other.hilight(1);
    QCOMPARE(lit(), QVector<int>{3});

    display.setValues(pairs({{1, 1}, {2, 2}, {3, 3}, {4, 4}}), 4, 2);
    display.resize(500, 400);
    display.show();
    QVERIFY(QTest::qWaitForWindowExposed(&display));
    ticks();
    QSignalSpy spy(&graph, &Graph::signal_hilight_node);
    PlotView *view = display.getView();
    for (int k : {1, 1}) {
        const QPoint at = view->mapFromScene(display.getPoints()[k]->scenePos());
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    }
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy[0].at(0).toInt(), 1);
    QCOMPARE(spy[1].at(0).toInt(), -1);
    QCOMPARE(lit(), QVector<int>{});
}

QTEST_MAIN(TestStatistics)
#include "tst_statistics.moc"
