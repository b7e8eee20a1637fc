#include "graph/Edge.h"
#include "graph/Graph.h"
#include "graph/Node.h"

#include "GraphTestHelpers.h"
#include "support/ScriptedPrompt.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <QtTest>

#include <cmath>

namespace
{

// A shown graph whose scene coordinates map onto the view without scrolling.
struct View {
    Graph g{QStringLiteral("graph"), true};
    View()
    {
        g.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        g.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        g.resize(600, 400);
        g.setSceneRect(QRectF(-300, -200, 600, 400));
        g.show();
    }
    QPoint at(double x, double y) const { return g.mapFromScene(QPointF(x, y)); }
    // A pointer move with the left button held, delivered as the window system would.
    void move(const QPoint &p) const
    {
        QMouseEvent e(QEvent::MouseMove, p, g.viewport()->mapToGlobal(p), Qt::NoButton, Qt::LeftButton,
                      Qt::NoModifier);
        QApplication::sendEvent(g.viewport(), &e);
    }
    QWidget *port() const { return g.viewport(); }
    // n vertices on a row at x = -200, -100, 0, ... and y = 0, with the listed edges, published.
    void make(int n, const QString &edges)
    {
        buildGraph(g, n, edges);
        for (int k = 0; k < n; ++k)
            g.setPos(k, QPointF(-200 + 100 * k, 0));
        g.changeBest();
        g.update_display();
        g.slot_unselect();
    }
    void select(const QList<int> &vs)
    {
        for (int v : vs)
            g.getNode(v)->setSelected(true);
    }
    QList<int> selected() const
    {
        QList<int> out;
        for (int k = 0; k < Graph::MaxNodes; ++k)
            if (g.getNode(k)->isSelected())
                out << k;
        return out;
    }
};

} // namespace

class TestGraphView : public QObject
{
    Q_OBJECT

private slots:
    void clickToggleAndDrag();
    void bandOnlyAddsToSelection();
    void doubleClickAdds_data();
    void doubleClickAdds();
    void keys_data();
    void keys();
    void anyKeyRestoresShownGraph();
    void zoomBounds();
    void colorsAndLabels_data();
    void colorsAndLabels();
    void rotateAndFit();
    void printing();
};

void TestGraphView::clickToggleAndDrag()
{
    View v;
    v.make(3, QStringLiteral("0-1,1-2"));
    const qint64 stamp = v.g.getID();
    QTest::mouseClick(v.port(), Qt::LeftButton, {}, v.at(-100, 0));
    QCOMPARE(v.selected(), QList<int>{1});
    QTest::mouseClick(v.port(), Qt::LeftButton, {}, v.at(-100, 0));
    QCOMPARE(v.selected(), QList<int>{});

    // A press on vertex 2 and a move drag it; the selection stays as it was.
    QTest::mousePress(v.port(), Qt::LeftButton, {}, v.at(0, 0));
    v.move(v.at(40, 80));
    QTest::mouseRelease(v.port(), Qt::LeftButton, {}, v.at(40, 80));
    const QPointF moved = v.g.mapFromScene(QPointF(v.g.getNode(2)->getCoordX(), v.g.getNode(2)->getCoordY()));
    QVERIFY((moved - QPointF(v.at(40, 80))).manhattanLength() <= 1.0);
    QCOMPARE(v.g.getNode(2)->getCoordZ(), 0.0);
    QCOMPARE(v.selected(), QList<int>{});
    QCOMPARE(bestEdgeList(v.g), QStringLiteral("0-1,1-2"));
    QCOMPARE(v.g.getID(), stamp);
    // The edge line follows its end.
    const Edge *e = v.g.getEdge(1, 2);
    QVERIFY(qAbs(e->line().length() - std::hypot(140.0, 80.0)) < 1.5);
}

void TestGraphView::bandOnlyAddsToSelection()
{
    View v;
    v.make(4, QString());
    // Press and release on empty space changes nothing.
    QTest::mouseClick(v.port(), Qt::LeftButton, {}, v.at(150, 150));
    QCOMPARE(v.selected(), QList<int>{});
    // From lower right to upper left over vertices 1 and 2, then back to a corner covering none.
    QTest::mousePress(v.port(), Qt::LeftButton, {}, v.at(50, 100));
    v.move(v.at(-130, -100));
    QCOMPARE(v.selected(), (QList<int>{1, 2}));
    v.move(v.at(40, 90));
    QTest::mouseRelease(v.port(), Qt::LeftButton, {}, v.at(40, 90));
    QCOMPARE(v.selected(), (QList<int>{1, 2}));
}

// Repeated additions from a selection S: clique, complete bipartite graph, pendant path.
void TestGraphView::doubleClickAdds_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("n");
    QTest::addColumn<QList<int>>("selection");
    QTest::addColumn<int>("adds");
    QTest::addColumn<QString>("edges");
    QTest::addColumn<QList<int>>("selectedAfter");
    QTest::newRow("clique from nothing") << 0 << 0 << QList<int>{} << 2 << "0-1" << QList<int>{0, 1};
    QTest::newRow("clique on a selection")
        << 0 << 2 << QList<int>{0, 1} << 2 << "0-2,0-3,1-2,1-3,2-3" << QList<int>{0, 1, 2, 3};
    QTest::newRow("bipartite") << 1 << 2 << QList<int>{0, 1} << 3 << "0-2,0-3,0-4,1-2,1-3,1-4"
                               << QList<int>{0, 1};
    QTest::newRow("tail") << 2 << 1 << QList<int>{0} << 3 << "0-1,1-2,2-3" << QList<int>{3};
    QTest::newRow("full graph adds nothing") << 0 << 32 << QList<int>{} << 1 << "" << QList<int>{};
}

void TestGraphView::doubleClickAdds()
{
    QFETCH(int, mode);
    QFETCH(int, n);
    QFETCH(QList<int>, selection);
    QFETCH(int, adds);
    QFETCH(QString, edges);
    QFETCH(QList<int>, selectedAfter);
    View v;
    v.make(n, QString());
    v.select(selection);
    if (mode == 1)
        v.g.slot_set_add_bip();
    else if (mode == 2)
        v.g.slot_set_add_tail();
    else
        v.g.slot_set_add_k();
    QSignalSpy changed(&v.g, &Graph::signal_best_graph_changed);
    const qint64 stamp = v.g.getID();
    for (int a = 0; a < adds; ++a)
        QTest::mouseDClick(v.port(), Qt::LeftButton, {}, v.at(-250 + 60 * a, 150));
    if (n == 32) {
        QCOMPARE(v.g.getNbNodes(), 32);
        QCOMPARE(changed.count(), 0);
        QCOMPARE(v.g.getID(), stamp);
        return;
    }
    QCOMPARE(v.g.getNbNodes(), n + adds);
    QCOMPARE(bestEdgeList(v.g), edges);
    QCOMPARE(edgeList(v.g), edges);
    QCOMPARE(v.selected(), selectedAfter);
    QCOMPARE(changed.count(), adds);
    // The new vertex sits where the user double-clicked.
    const QPointF last(v.g.getNode(n + adds - 1)->getCoordX(), v.g.getNode(n + adds - 1)->getCoordY());
    QVERIFY((v.g.mapFromScene(last) - v.at(-250 + 60 * (adds - 1), 150)).manhattanLength() <= 1);
}

void TestGraphView::keys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QList<int>>("selection");
    QTest::addColumn<QString>("edges"); // of the order-5 graph afterwards
    QTest::addColumn<int>("order");
    QTest::addColumn<QString>("emitted"); // signal expected, if any
    QTest::addColumn<bool>("publishes");
    // Start: order 5, edges 0-1, 1-2, 3-4, 0-4.
    const QString start = QStringLiteral("0-1,0-4,1-2,3-4");
    QTest::newRow("A joins the selection")
        << int(Qt::Key_A) << 0 << QList<int>{0, 2, 3} << "0-1,0-2,0-3,0-4,1-2,2-3,3-4" << 5 << "" << true;
    QTest::newRow("Backspace cuts the selection")
        << int(Qt::Key_Backspace) << 0 << QList<int>{0, 1, 4} << "1-2,3-4" << 5 << "" << true;
    QTest::newRow("C complements the selection")
        << int(Qt::Key_C) << 0 << QList<int>{0, 1, 2} << "0-2,0-4,3-4" << 5 << "" << true;
    QTest::newRow("A with one vertex changes no edge")
        << int(Qt::Key_A) << 0 << QList<int>{2} << start << 5 << "" << true;
    // D with 1 and 3 selected: the former vertices 0, 4, 2 remain at 0, 1, 2.
    QTest::newRow("D deletes the selection")
        << int(Qt::Key_D) << 0 << QList<int>{1, 3} << "0-1" << 3 << "" << true;
    QTest::newRow("N adds a vertex") << int(Qt::Key_N) << 0 << QList<int>{} << start << 6 << "" << true;
    QTest::newRow("R starts a run") << int(Qt::Key_R) << 0 << QList<int>{} << start << 5
                                    << "signal_start_vns()" << false;
    QTest::newRow("Control+R starts a run") << int(Qt::Key_R) << int(Qt::ControlModifier) << QList<int>{}
                                            << start << 5 << "signal_start_vns()" << false;
    QTest::newRow("Shift+H halts") << int(Qt::Key_H) << int(Qt::ShiftModifier) << QList<int>{} << start << 5
                                   << "signal_stop_vns()" << false;
    QTest::newRow("Space loads the next graph")
        << int(Qt::Key_Space) << 0 << QList<int>{} << start << 5 << "signal_load_next()" << false;
    QTest::newRow("M places the graph")
        << int(Qt::Key_M) << 0 << QList<int>{} << start << 5 << "signal_place_graph()" << false;
}

void TestGraphView::keys()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QList<int>, selection);
    QFETCH(QString, edges);
    QFETCH(int, order);
    QFETCH(QString, emitted);
    QFETCH(bool, publishes);
    View v;
    v.make(5, QStringLiteral("0-1,1-2,3-4,0-4"));
    v.select(selection);
    QSignalSpy changed(&v.g, &Graph::signal_best_graph_changed);
    QSignalSpy start(&v.g, &Graph::signal_start_vns);
    QSignalSpy stop(&v.g, &Graph::signal_stop_vns);
    QSignalSpy next(&v.g, &Graph::signal_load_next);
    QSignalSpy place(&v.g, &Graph::signal_place_graph);
    const qint64 stamp = v.g.getID();
    QTest::keyClick(&v.g, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(v.g.getNbNodes(), order);
    QCOMPARE(edgeList(v.g), edges);
    QCOMPARE(bestEdgeList(v.g), edges);
    QCOMPARE(changed.count(), publishes ? 1 : 0);
    QCOMPARE(v.g.getID() != stamp, publishes);
    QCOMPARE(start.count(), emitted == QLatin1String("signal_start_vns()") ? 1 : 0);
    QCOMPARE(stop.count(), emitted == QLatin1String("signal_stop_vns()") ? 1 : 0);
    QCOMPARE(next.count(), emitted == QLatin1String("signal_load_next()") ? 1 : 0);
    QCOMPARE(place.count(), emitted == QLatin1String("signal_place_graph()") ? 1 : 0);
    if (key == Qt::Key_D) {
        const QStringList names{v.g.getNode(0)->nodeName(), v.g.getNode(1)->nodeName(),
                                v.g.getNode(2)->nodeName()};
        QCOMPARE(names, (QStringList{"Node 1", "Node 5", "Node 3"}));
        QCOMPARE(v.g.getNode(1)->getCoordX(), 200.0);
        // The deleted vertices are gone from the selection too.
        QCOMPARE(v.selected(), QList<int>{});
    }
}

void TestGraphView::anyKeyRestoresShownGraph()
{
    View v;
    v.make(4, QStringLiteral("0-1"));
    const qint64 shownStamp = v.g.getID();
    v.g.addEdge(2, 3);
    v.g.addNode();
    QTest::keyClick(&v.g, Qt::Key_F5);
    QCOMPARE(v.g.getNbNodes(), 4);
    QCOMPARE(edgeList(v.g), QStringLiteral("0-1"));
    QCOMPARE(v.g.getID(), shownStamp);
}

void TestGraphView::zoomBounds()
{
    View v;
    const auto scaleNow = [&v] { return v.g.transform().m11(); };
    const auto wheel = [&v](int delta) {
        QWheelEvent e(QPointF(300, 200), v.g.mapToGlobal(QPoint(300, 200)), QPoint(), QPoint(0, delta),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(v.port(), &e);
    };
    wheel(120);
    QVERIFY(qAbs(scaleNow() - std::sqrt(0.5)) < 1e-12);
    wheel(-240);
    QVERIFY(qAbs(scaleNow() - std::sqrt(2.0)) < 1e-12);
    QTest::keyClick(&v.g, Qt::Key_Plus);
    QVERIFY(qAbs(scaleNow() - 1.1 * std::sqrt(2.0)) < 1e-12);
    QTest::keyClick(&v.g, Qt::Key_Minus);
    QVERIFY(qAbs(scaleNow() - std::sqrt(2.0)) < 1e-12);
    // The scale never leaves 0.07..100: steps beyond are refused whole.
    for (int k = 0; k < 40; ++k)
        wheel(-120);
    QVERIFY(scaleNow() <= 100.0 && scaleNow() > 100.0 / std::sqrt(2.0));
    for (int k = 0; k < 80; ++k)
        wheel(120);
    QVERIFY(scaleNow() >= 0.07 && scaleNow() < 0.07 * std::sqrt(2.0));
}

void TestGraphView::colorsAndLabels_data()
{
    QTest::addColumn<QVector<double>>("values");
    QTest::addColumn<QList<int>>("colours"); // of vertices 0..3
    QTest::addColumn<QStringList>("labels"); // of vertices 0..3
    QTest::newRow("truncated and wrapped on paint")
        << QVector<double>{21, 3.9, 8, 7} << QList<int>{21, 3, 8, 7} << QStringList{"21", "3.9", "8", "7"};
    QTest::newRow("three values leave the rest")
        << QVector<double>{1, 2, 3} << QList<int>{1, 2, 3, 9} << QStringList{"1", "2", "3", "old"};
    QTest::newRow("values that are no index")
        << QVector<double>{std::nan(""), HUGE_VAL, -1e300, 1234567} << QList<int>{0, 0, 0, 1234567}
        << QStringList{"nan", "inf", "-1e+300", "1.23457e+06"};
    QTest::newRow("empty resets") << QVector<double>{} << QList<int>{0, 0, 0, 0}
                                  << QStringList{"", "", "", ""};
}

void TestGraphView::colorsAndLabels()
{
    QFETCH(QVector<double>, values);
    QFETCH(QList<int>, colours);
    QFETCH(QStringList, labels);
    View v;
    v.make(4, QStringLiteral("0-1,2-3"));
    for (int k = 0; k < 32; ++k) {
        v.g.getNode(k)->setColorIndex(9);
        v.g.getNode(k)->setLabel(QStringLiteral("old"));
    }
    v.g.setColors(values);
    v.g.setLabels(values);
    for (int k = 0; k < 4; ++k) {
        QCOMPARE(v.g.getNode(k)->getColorIndex(), colours[k]);
        QCOMPARE(v.g.getNode(k)->getLabel(), labels[k]);
    }
    // Edge labels of edges only; a matrix smaller than the graph labels nothing.
    v.g.setELabels({{0, 1.5, 0, 0}, {1.5, 0, 0, 0}, {0, 0, 0, 2}, {0, 0, 2, 0}}, true);
    QCOMPARE(v.g.getEdge(1, 0)->getLabel(), QStringLiteral("1.5"));
    QCOMPARE(v.g.getEdge(3, 2)->getLabel(), QStringLiteral("2"));
    QCOMPARE(v.g.getEdge(2, 1)->getLabel(), QString());
    v.g.setELabels({{0}}, true);
    QCOMPARE(v.g.getEdge(1, 0)->getLabel(), QString());
    // Painting every state must not read outside the colour table.
    QImage image(600, 400, QImage::Format_ARGB32);
    QPainter painter(&image);
    v.g.hilight(1);
    v.g.render(&painter);
    QSignalSpy hi(&v.g, &Graph::signal_hilight_node);
    v.g.hilight(-1);
    QCOMPARE(hi.count(), 1);
    for (int k = 0; k < 32; ++k)
        QVERIFY(!v.g.getNode(k)->isHighlighted());
}

void TestGraphView::rotateAndFit()
{
    View v;
    v.make(3, QStringLiteral("0-1,1-2"));
    // Vertices at x = -200, -100, 0: centred they are at -100, 0, 100; a quarter turn about the
    // axis out of the screen takes (x, y) to (-y, x).
    v.g.rotate(0, 0, M_PI / 2);
    const double expected[3][2] = {{0, -100}, {0, 0}, {0, 100}};
    for (int k = 0; k < 3; ++k) {
        QVERIFY(qAbs(v.g.getNode(k)->getCoordX() - expected[k][0]) < 1e-9);
        QVERIFY(qAbs(v.g.getNode(k)->getCoordY() - expected[k][1]) < 1e-9);
    }
    // All on one vertical line: the x extent counts as 10, y fills the box height.
    v.g.scaleCoords(400, 300);
    for (int k = 0; k < 3; ++k) {
        QCOMPARE(v.g.getNode(k)->getCoordX(), -200.0);
        QCOMPARE(v.g.getNode(k)->getCoordY(), -150.0 + 150.0 * k);
    }
}

void TestGraphView::printing()
{
    ScriptedPrompt prompt;
    View v;
    v.make(3, QStringLiteral("0-1,1-2"));
    QTemporaryDir dir;
    QVERIFY(v.g.printToFile(dir.filePath(QStringLiteral("g.pdf"))));
    QFile pdf(dir.filePath(QStringLiteral("g.pdf")));
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QCOMPARE(pdf.read(5), QByteArray("%PDF-"));
    QVERIFY(!v.g.printToFile(dir.filePath(QStringLiteral("missing/g.pdf"))));
    QVERIFY(!v.g.errorString().isEmpty());
    // P asks for the print dialog; a cancelled dialog prints nothing and says nothing.
    QTest::keyClick(&v.g, Qt::Key_P);
    QCOMPARE(prompt.printRequests, 1);
    QVERIFY(prompt.messages.isEmpty());
}

QTEST_MAIN(TestGraphView)
#include "tst_graphview.moc"
