#include "analysts/Analyst.h"
#include "analysts/AnalystWidget.h"
#include "analysts/PlotItem.h"
#include "analysts/PlotView.h"
#include "analysts/PlotWidget.h"
#include "analysts/RectItem.h"
#include "graph/Graph.h"
#include "problem/BuildCalculus.h"
#include "problem/Calculus.h"
#include "problem/Problem.h"
#include "support/ScriptedPrompt.h"
#include "support/TestData.h"

#include <QFile>
#include <QGraphicsScene>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

namespace
{

struct Reference {
    double size;
    double wiener;
    QString graphString;
};

// The first count connected graphs on 7 vertices with their size and Wiener index (networkx).
QVector<Reference> connected7(int count)
{
    QVector<Reference> refs;
    for (const QString &line : readDataLines(QStringLiteral("plot_connected7.txt"))) {
        const QStringList f = line.split(QLatin1Char('\t'));
        refs.append({f[0].toDouble(), f[1].toDouble(), f[2]});
        if (refs.size() == count)
            break;
    }
    return refs;
}

double viewScale(const PlotView &view)
{
    return view.transform().mapRect(QRectF(0, 0, 1, 1)).width();
}

} // namespace

class TestPlot : public QObject
{
    Q_OBJECT

private slots:
    void axes_data();
    void axes();
    void zoom_data();
    void zoom();
    void turns_data();
    void turns();
    void analystPlot();
    void pdf();
};

// Points (model x, y) and the axes that fit them: x from xmin to xmax, y from model ymin to ymax.
void TestPlot::axes_data()
{
    QTest::addColumn<QVector<QPointF>>("points");
    QTest::addColumn<QLineF>("xAxis");
    QTest::addColumn<QLineF>("yAxis");
    QTest::newRow("no point") << QVector<QPointF>{} << QLineF(-100, 0, 100, 0) << QLineF(0, 100, 0, -100);
    QTest::newRow("one point up right")
        << QVector<QPointF>{{30, 40}} << QLineF(-100, 0, 160, 0) << QLineF(0, 100, 0, -180);
    QTest::newRow("one point down left")
        << QVector<QPointF>{{-300, -20}} << QLineF(-400, 0, 100, 0) << QLineF(0, 120, 0, -100);
    QTest::newRow("spread") << QVector<QPointF>{{-10, 5}, {200, -50}, {20, 300}} << QLineF(-110, 0, 500, 0)
                            << QLineF(0, 150, 0, -700);
    QTest::newRow("non-finite ignored") << QVector<QPointF>{{30, 40}, {qInf(), 0}, {0, qQNaN()}}
                                        << QLineF(-100, 0, 160, 0) << QLineF(0, 100, 0, -180);
}

void TestPlot::axes()
{
    QFETCH(QVector<QPointF>, points);
    QFETCH(QLineF, xAxis);
    QFETCH(QLineF, yAxis);
    PlotView view;
    QCOMPARE(view.xAxisLine(), QLineF());
    // A bar never widens the axes and outlives every clear.
    auto *bar = new RectItem(5000, -10, 20, 10, QStringLiteral("bar"));
    view.addItem(bar);
    for (const QPointF &p : points)
        view.addItem(new PlotItem(p.x(), p.y(), nullptr, nullptr, 0, QString(), 5));
    QTest::keyClick(&view, Qt::Key_A); // any key fits the axes
    QCOMPARE(view.xAxisLine(), xAxis);
    QCOMPARE(view.yAxisLine(), yAxis);
    // Clearing keeps the extent until the next fit, the axes and the bar; the points go.
    view.clear();
    QCOMPARE(view.xAxisLine(), xAxis);
    QVERIFY(view.plotItems().isEmpty());
    QCOMPARE(view.QGraphicsView::scene()->items().size(), 3);
    QCOMPARE(bar->scene(), view.QGraphicsView::scene());
    view.addItem(new PlotItem(30, 40, nullptr, nullptr, 0, QString(), 5));
    QCOMPARE(view.xAxisLine(), QLineF(-100, 0, 160, 0));
    QCOMPARE(view.QGraphicsView::scene()->items().size(), 4);
}

// From a starting scale, one zoom step by key or wheel: the scale after it (unchanged when refused).
void TestPlot::zoom_data()
{
    QTest::addColumn<double>("start");
    QTest::addColumn<QString>("step");
    QTest::addColumn<double>("expected");
    QTest::newRow("plus") << 1.0 << "+" << 1.1;
    QTest::newRow("minus") << 1.0 << "-" << 1 / 1.1;
    QTest::newRow("plus beyond 100 refused") << 95.0 << "+" << 95.0;
    QTest::newRow("minus near 100 accepted") << 95.0 << "-" << 95.0 / 1.1;
    QTest::newRow("minus below 0.07 refused") << 0.075 << "-" << 0.075;
    QTest::newRow("wheel away from the user") << 1.0 << "wheel 120" << 1 / std::sqrt(2.0);
    QTest::newRow("wheel towards the user") << 1.0 << "wheel -120" << std::sqrt(2.0);
    QTest::newRow("arrow does not zoom") << 2.0 << "up" << 2.0;
}

void TestPlot::zoom()
{
    QFETCH(double, start);
    QFETCH(QString, step);
    QFETCH(double, expected);
    PlotView view;
    view.resize(300, 300);
    view.scale(start, start);
    if (step == QLatin1String("+"))
        QTest::keyClick(&view, Qt::Key_Plus);
    else if (step == QLatin1String("-"))
        QTest::keyClick(&view, Qt::Key_Minus);
    else if (step == QLatin1String("up"))
        QTest::keyClick(&view, Qt::Key_Up);
    else {
        const int delta = step.section(QLatin1Char(' '), 1).toInt();
        QWheelEvent wheel(QPointF(50, 50), view.mapToGlobal(QPoint(50, 50)), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(view.viewport(), &wheel);
    }
    QVERIFY(std::fabs(viewScale(view) - expected) < 1e-9);
}

// Key presses turn the points; a quarter turn is 32 steps of 3.14159265 / 64. Expected model
// coordinates from the turn's geometry: about y, x goes to -z; about z (Alt), x goes to y; about
// x (up), y goes to z.
void TestPlot::turns_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("alt");
    QTest::addColumn<int>("presses");
    QTest::addColumn<QVector<double>>("start");
    QTest::addColumn<QVector<double>>("end");
    QTest::newRow("right, quarter turn about y")
        << int(Qt::Key_Right) << false << 32 << QVector<double>{100, 0, 0} << QVector<double>{0, 0, -100};
    QTest::newRow("left, quarter turn about y")
        << int(Qt::Key_Left) << false << 32 << QVector<double>{100, 0, 0} << QVector<double>{0, 0, 100};
    QTest::newRow("alt right, in the screen plane")
        << int(Qt::Key_Right) << true << 32 << QVector<double>{100, 0, 0} << QVector<double>{0, 100, 0};
    QTest::newRow("alt left, in the screen plane")
        << int(Qt::Key_Left) << true << 32 << QVector<double>{100, 0, 0} << QVector<double>{0, -100, 0};
    QTest::newRow("up, quarter turn about x")
        << int(Qt::Key_Up) << false << 32 << QVector<double>{0, 100, 0} << QVector<double>{0, 0, 100};
    QTest::newRow("alt up still about x")
        << int(Qt::Key_Up) << true << 32 << QVector<double>{0, 100, 0} << QVector<double>{0, 0, 100};
    QTest::newRow("down, half turn about x")
        << int(Qt::Key_Down) << false << 64 << QVector<double>{0, 100, 0} << QVector<double>{0, -100, 0};
}

void TestPlot::turns()
{
    QFETCH(int, key);
    QFETCH(bool, alt);
    QFETCH(int, presses);
    QFETCH(QVector<double>, start);
    QFETCH(QVector<double>, end);
    PlotView view;
    auto *point = new PlotItem(start[0], start[1], nullptr, nullptr, 0, QString(), 5);
    point->setPosition(start[0], start[1], start[2]);
    view.addItem(point);
    if (alt)
        QTest::keyPress(&view, Qt::Key_Alt);
    for (int i = 0; i < presses; ++i)
        QTest::keyClick(&view, Qt::Key(key));
    if (alt)
        QTest::keyRelease(&view, Qt::Key_Alt);
    // 3.14159265 is short of pi by 3.6e-9 rad: far below 1e-4 at radius 100.
    QVERIFY2(std::fabs(point->getCoordX() - end[0]) < 1e-4, qPrintable(QString::number(point->getCoordX())));
    QVERIFY2(std::fabs(point->getCoordY() - end[1]) < 1e-4, qPrintable(QString::number(point->getCoordY())));
    QVERIFY2(std::fabs(point->getCoordZ() - end[2]) < 1e-4, qPrintable(QString::number(point->getCoordZ())));
    QVERIFY(std::fabs(point->pos().x() - end[0]) < 1e-4 && std::fabs(point->pos().y() + end[1]) < 1e-4);
    QCOMPARE(point->zValue(), point->getCoordZ());
}

// A real Graph-Analyst of SIZE and WIENER over connected graphs on 7 vertices, its database
// filtered by connectivity so that rows and database indices differ: each point sits at the
// values' mapping, and a double-click loads that point's graph and highlights it.
void TestPlot::analystPlot()
{
    ScriptedPrompt prompt;
    Graph graph(QStringLiteral("user"), false);
    Problem problem(&graph, QStringLiteral("user"), false);
    BuildCalculus catalogue;
    for (const char *keyword : {"WIENER", "SIZE"}) {
        Calculus *item = catalogue.makeCalculus(QString::fromLatin1(keyword), false);
        problem.addInvariantItem(item);
        item->setInReport(true);
    }
    problem.setConnected(true);
    problem.setNbNod(7);
    auto *analyst = new Analyst;
    AnalystWidget tab(&problem, &graph, analyst, nullptr, nullptr, false);
    tab.slot_set_filter_mode(true);
    const QVector<Reference> refs = connected7(12);
    // A disconnected graph first: filtered out, so row r shows database graph r + 1.
    tab.replaceGraph(QStringLiteral("7 000000000000000000000"), 0);
    for (const Reference &r : refs)
        tab.replaceGraph(r.graphString, tab.databaseSize());
    tab.slot_update_table();
    QCOMPARE(analyst->nbGraphs(), refs.size());
    const int sizeColumn = analyst->getHeader().indexOf(QStringLiteral("SIZE"));
    const int wienerColumn = analyst->getHeader().indexOf(QStringLiteral("WIENER"));
    QVERIFY(sizeColumn >= 0 && wienerColumn >= 0);

    PlotWidget plot;
    plot.resize(600, 500);
    connect(analyst, &Analyst::signal_load_graph, &tab, &AnalystWidget::slot_load_graph);
    connect(analyst, &Analyst::signal_load_graph, &plot, &PlotWidget::slot_hilight);
    plot.fill(analyst, sizeColumn, wienerColumn, 10.0, 2.0, 5.0);
    QCOMPARE(plot.plotItems().size(), refs.size());
    for (int r = 0; r < refs.size(); ++r) {
        const PlotItem *p = plot.plotItems()[r];
        QCOMPARE(p->getNumber(), r + 1);
        QCOMPARE(p->scenePos(), QPointF(refs[r].size * 10.0, -refs[r].wiener * 2.0));
        QCOMPARE(p->toolTip(), QStringLiteral("(%1 , %2)").arg(refs[r].size).arg(refs[r].wiener));
    }

    plot.show();
    QVERIFY(QTest::qWaitForWindowExposed(&plot));
    const int pick = 5;
    PlotItem *target = plot.plotItems()[pick];
    target->setZValue(100); // on top of any point at the same place
    PlotView *view = plot.getView();
    const QPoint at = view->mapFromScene(target->scenePos());
    QSignalSpy loads(analyst, &Analyst::signal_load_graph);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QCOMPARE(loads.count(), 1);
    QCOMPARE(loads.first().at(0).toInt(), pick + 1);
    QCOMPARE(graph.graphData(), refs[pick].graphString);
    for (int r = 0; r < refs.size(); ++r) {
        QCOMPARE(plot.plotItems()[r]->isHilight(), r == pick);
        QCOMPARE(plot.plotItems()[r]->zValue(), r == pick ? 10.0 : 0.0);
    }
}

void TestPlot::pdf()
{
    ScriptedPrompt prompt;
    PlotWidget plot;
    plot.resize(400, 300);
    plot.addItem(new PlotItem(10, 20, nullptr, nullptr, 0, QString(), 5));
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("plot.pdf"));
    QVERIFY(plot.printToFile(file));
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(f.read(5) == "%PDF-");
    QVERIFY(!plot.printToFile(dir.filePath(QStringLiteral("missing/folder/plot.pdf"))));
    // A refused print dialog prints nothing.
    plot.slot_print();
    QCOMPARE(prompt.printRequests, 1);
}

QTEST_MAIN(TestPlot)
#include "tst_plot.moc"
