#include "graph/Graph.h"
#include "problem/Calculus.h"
#include "problem/CalculusDisplay.h"
#include "problem/Eval.h"
#include "problem/Link.h"
#include "problem/Problem.h"
#include "problem/infoEDGE.h"
#include "problem/infoNODE.h"
#include "problem/invPARAM.h"
#include "support/ScriptedPrompt.h"

#include <QApplication>
#include <QGraphicsScene>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <iostream>
#include <sstream>

namespace
{
// One save record as the problem text writes it: keyword, no given name, no flags, position,
// the four arguments (save index or NULL) and a tail.
QString record(const QString &keyword, double x, double y, const QStringList &args = {},
               const QString &tail = QString())
{
    QStringList f{keyword, QString(), "0", "0", "0", "0", QString::number(x), QString::number(y)};
    for (int k = 0; k < 4; ++k)
        f << (k < args.size() ? args.at(k) : QStringLiteral("NULL"));
    return f.join(QLatin1Char('\t')) + tail + QStringLiteral("<NEW>");
}

// The board on a shown window, driven by mouse and key events sent to its viewport.
class Board
{
public:
    Graph graph{QStringLiteral("g"), false};
    Problem p{&graph, QStringLiteral("problem"), true};

    Board()
    {
        graph.loadCurrentGraph(QStringLiteral("5 1010011001")); // the 5-cycle
        p.resize(900, 700);
        p.setSceneRect(-200, -200, 1200, 1000);
        p.show();
        QVERIFY(QTest::qWaitForWindowExposed(&p));
        // Fixed places for the board's own items, away from the test's items.
        p.getParam1()->setPos(-150, 700);
        p.getParam2()->setPos(-150, 700);
        p.getColors()->setPos(700, 0);
        p.getLabels()->setPos(700, 100);
        p.getELabels()->setPos(700, 200);
    }

    QPoint view(QPointF scene) const { return p.mapFromScene(scene); }
    void send(QEvent::Type type, QPointF scene)
    {
        const QPoint at = view(scene);
        QMouseEvent e(type, at, p.viewport()->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(p.viewport(), &e);
    }
    void click(QPointF scene)
    {
        send(QEvent::MouseButtonPress, scene);
        send(QEvent::MouseButtonRelease, scene);
    }
    void drag(QPointF from, QPointF to)
    {
        send(QEvent::MouseButtonPress, from);
        send(QEvent::MouseMove, (from + to) / 2);
        send(QEvent::MouseMove, to);
        send(QEvent::MouseButtonRelease, to);
    }
    void doubleClick(QPointF scene)
    {
        send(QEvent::MouseButtonPress, scene);
        send(QEvent::MouseButtonRelease, scene);
        send(QEvent::MouseButtonDblClick, scene);
        send(QEvent::MouseButtonRelease, scene);
    }
    void key(int k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(&p, Qt::Key(k), m); }

    // Where the pointer lands on the scene for a point: the view rounds to whole pixels.
    QPointF landing(QPointF scene) const { return p.mapToScene(view(scene)); }

    // Every arrow on the scene is an argument the items hold, and every argument has its arrow.
    bool arrowsMatchArguments() const
    {
        QSet<Link *> shown;
        for (QGraphicsItem *g : p.scene()->items())
            if (auto *l = dynamic_cast<Link *>(g))
                shown.insert(l);
        QSet<Link *> held;
        QVector<Calculus *> items =
            p.evaluationStack() + p.familyStack() + p.constraintStack() + p.objectiveStack();
        items << p.getColors() << p.getLabels() << p.getELabels();
        for (Calculus *c : items)
            for (int k = 1; k <= 4; ++k)
                if (Link *l = c->incomingLink(k)) {
                    if (c->argument(k) != l->from() || l->to() != c ||
                        !l->from()->outgoingLinks().contains(l))
                        return false;
                    held.insert(l);
                }
        return shown == held;
    }
};

QString fixedItemsText()
{
    return record("Colors", 700, 0) + record("Labels", 700, 100) + record("E_Labels", 700, 200) +
           QStringLiteral("DESC\t\t");
}
} // namespace

// The white board edited with the mouse and the keys, as a user does.
class TestBoardEditing : public QObject
{
    Q_OBJECT

private slots:
    void buildByHand();
    void linkKeys_data();
    void linkKeys();
    void printing();
    void keys_data();
    void keys();
    void mouse_data();
    void mouse();
    void arrowsFollowAMovedItem();
    void deletionKeepsFixedItems();
    void doubleClickOpensDialogs_data();
    void doubleClickOpensDialogs();
    void zoomStaysInRange();
    void itemDump();
};

void TestBoardEditing::buildByHand()
{
    Board b;
    ScriptedPrompt prompt;
    Problem &p = b.p;

    // Items from the palette; each arrives selected, U clears the selection.
    Calculus *order = p.placeItem(QStringLiteral("ORDER"));
    Calculus *size = p.placeItem(QStringLiteral("SIZE"));
    Calculus *plus = p.placeItem(QStringLiteral("+"));
    Calculus *z = p.placeItem(QStringLiteral("Z"));
    QVERIFY(order && size && plus && z);
    QVERIFY(!p.placeItem(QStringLiteral("Colors")) && !p.placeItem(QStringLiteral("NOPE")));
    QVERIFY(order->isItemSelected() && z->isItemSelected());
    // An invariant reports no status: its tool tip on the board is its definition.
    QVERIFY(order->toolTip().startsWith(QStringLiteral("ORDER : ")) && order->toolTip().size() > 8);
    b.key(Qt::Key_U);
    QVERIFY(!order->isItemSelected() && !z->isItemSelected());
    const QPointF places[4] = {{0, 0}, {300, 0}, {150, 200}, {150, 400}};
    Calculus *items[4] = {order, size, plus, z};
    for (int i = 0; i < 4; ++i)
        items[i]->setPos(places[i]);

    // Drag ORDER: its centre lands under the pointer and it stays unselected.
    const QPointF to = b.landing({20, 30});
    b.drag({0, 0}, to);
    QCOMPARE(order->pos(), to);
    QVERIFY(!order->isItemSelected());
    const QString params = record("PARAM 2", -150, 700) + record("PARAM 1", -150, 700);
    QString expected = record("SIZE", 300, 0) + record("ORDER", to.x(), to.y()) + params +
                       record("+", 150, 200) + record("Z", 150, 400, {}, "\tmin") + fixedItemsText();
    QCOMPARE(p.saveString(), expected);

    // Click ORDER and "+", key 1: ORDER becomes argument 1 of "+".
    b.click(to);
    b.click({150, 200});
    b.key(Qt::Key_1);
    expected = record("SIZE", 300, 0) + record("ORDER", to.x(), to.y()) + params +
               record("+", 150, 200, {"1"}) + record("Z", 150, 400, {}, "\tmin") + fixedItemsText();
    QCOMPARE(p.saveString(), expected);
    QVERIFY(b.arrowsMatchArguments());

    // A rubber band from empty board over SIZE and "+", key 2: SIZE becomes argument 2.
    b.key(Qt::Key_U);
    b.drag({380, -80}, {140, 190});
    QVERIFY(size->isItemSelected() && plus->isItemSelected() && !order->isItemSelected());
    b.key(Qt::Key_2);
    // "+" and the objective: key 1 makes the objective.
    b.key(Qt::Key_U);
    b.click({150, 200});
    b.click({150, 400});
    b.key(Qt::Key_1);
    expected = record("SIZE", 300, 0) + record("ORDER", to.x(), to.y()) + params +
               record("+", 150, 200, {"1", "0"}) + record("Z", 150, 400, {"4"}, "\tmin") + fixedItemsText();
    QCOMPARE(p.saveString(), expected);
    QVERIFY(b.arrowsMatchArguments());
    Eval e;
    p.eval(&e);
    QCOMPARE(e.zvalue(0), 10.0); // order 5 + size 5 of the 5-cycle

    // No undo: Ctrl+Z only refreshes.
    b.key(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(p.saveString(), expected);

    // Delete ORDER (Shift+D, confirmed): its arrow goes, "+" loses argument 1.
    b.key(Qt::Key_U);
    b.click(to);
    b.key(Qt::Key_D, Qt::ShiftModifier);
    // Deleting asks with Ok and Cancel.
    QCOMPARE(prompt.asked.last(), QStringLiteral("confirm|About to delete items|Are you sure you want to "
                                                 "delete the selected items?"));
    expected = record("SIZE", 300, 0) + params + record("+", 150, 200, {"NULL", "0"}) +
               record("Z", 150, 400, {"3"}, "\tmin") + fixedItemsText();
    QCOMPARE(p.saveString(), expected);
    QVERIFY(b.arrowsMatchArguments());
    QCOMPARE(p.evaluationStack().size(), 4);
}

void TestBoardEditing::linkKeys_data()
{
    // Items A, B, ... are placed in this order from the palette (an invariant goes to the front of
    // the evaluation stack, an operator to its end); "Colors" is the board's own item.
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QString>("linkedBefore"); // "B1=A": A is argument 1 of B
    QTest::addColumn<QString>("selected");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("linkedAfter");
    QTest::addColumn<QString>("selectedAfter");

    const QStringList orderPlus{"ORDER", "+"};
    QTest::newRow("key 1 makes the argument") << orderPlus << ""
                                              << "AB" << int(Qt::Key_1) << "B1=A"
                                              << "B";
    QTest::newRow("the same pair again removes it") << orderPlus << "B1=A"
                                                    << "AB" << int(Qt::Key_1) << ""
                                                    << "AB";
    QTest::newRow("selection order does not matter: later uses earlier") << QStringList{"+", "ORDER"} << ""
                                                                         << "BA" << int(Qt::Key_3) << "A3=B"
                                                                         << "A";
    QTest::newRow("one item alone links nothing") << orderPlus << ""
                                                  << "B" << int(Qt::Key_1) << ""
                                                  << "B";
    // SIZE stands before ORDER: both point at "+" in turn, the nearer one stays.
    QTest::newRow("several sources: the nearest wins") << QStringList{"ORDER", "SIZE", "+"} << ""
                                                       << "ABC" << int(Qt::Key_2) << "C2=A"
                                                       << "C";
    QTest::newRow("key 4 stops at the first accepted link") << QStringList{"ORDER", "+", "+"} << ""
                                                            << "ABC" << int(Qt::Key_4) << "B4=A C4=B"
                                                            << "C";
    QTest::newRow("the objective takes one source and leaves the selection")
        << QStringList{"ORDER", "SIZE", "Z"} << ""
        << "ABC" << int(Qt::Key_1) << "C1=B"
        << "A";
    QTest::newRow("key 2 links constraints, not objectives") << QStringList{"ORDER", "Z", "<="} << ""
                                                             << "ABC" << int(Qt::Key_2) << "C2=A"
                                                             << "BC";
    QTest::newRow("key 3 reaches no constraint") << QStringList{"ORDER", "<="} << ""
                                                 << "AB" << int(Qt::Key_3) << ""
                                                 << "AB";
    QTest::newRow("key 1 gives Colors its values") << QStringList{"DEGREES", "Colors"} << ""
                                                   << "AB" << int(Qt::Key_1) << "B1=A"
                                                   << "";
    QTest::newRow("display items take key 1 only") << QStringList{"DEGREES", "Colors"} << ""
                                                   << "AB" << int(Qt::Key_2) << ""
                                                   << "AB";
}

void TestBoardEditing::linkKeys()
{
    QFETCH(QStringList, items);
    QFETCH(QString, linkedBefore);
    QFETCH(QString, selected);
    QFETCH(int, key);
    QFETCH(QString, linkedAfter);
    QFETCH(QString, selectedAfter);

    Board b;
    QVector<Calculus *> placed;
    for (const QString &k : items)
        placed << (k == QLatin1String("Colors") ? b.p.getColors() : b.p.placeItem(k));
    auto letter = [&](Calculus *c) { return QChar('A' + placed.indexOf(c)); };
    for (const QString &link : linkedBefore.split(' ', Qt::SkipEmptyParts))
        QVERIFY(b.p.link1(placed.at(link.at(3).unicode() - 'A'), placed.at(link.at(0).unicode() - 'A')));
    b.key(Qt::Key_U);
    for (int i = 0; i < placed.size(); ++i)
        placed[i]->select(selected.contains(QChar('A' + i)));

    b.key(key);
    QStringList links;
    QString nowSelected;
    for (Calculus *c : placed) {
        for (int k = 1; k <= 4; ++k)
            if (c->argument(k))
                links << QStringLiteral("%1%2=%3").arg(letter(c)).arg(k).arg(letter(c->argument(k)));
        if (c->isItemSelected())
            nowSelected += letter(c);
    }
    QCOMPARE(links.join(' '), linkedAfter);
    QCOMPARE(nowSelected, selectedAfter);
    QVERIFY(b.arrowsMatchArguments());
}

void TestBoardEditing::printing()
{
    Board b;
    b.p.placeItem("WIENER");
    ScriptedPrompt prompt;
    QTemporaryDir dir;
    b.key(Qt::Key_P); // cancelled: nothing printed
    prompt.printTo = dir.filePath(QStringLiteral("board.pdf"));
    b.key(Qt::Key_P);
    QCOMPARE(prompt.asked, QStringList({"print", "print"}));
    QFile pdf(prompt.printTo);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.read(5) == "%PDF-");
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

void TestBoardEditing::keys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QList<QPointF>>("before"); // items A, B, C
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QList<QPointF>>("after");
    QTest::addColumn<QString>("selectedAfter");

    const QList<QPointF> start{{0, 0}, {10, 150}, {40, 300}};
    QTest::newRow("right moves the selection")
        << int(Qt::Key_Right) << start << "AC" << QList<QPointF>{{5, 0}, {10, 150}, {45, 300}} << "AC";
    QTest::newRow("up") << int(Qt::Key_Up) << start << "B" << QList<QPointF>{{0, 0}, {10, 145}, {40, 300}}
                        << "B";
    QTest::newRow("left") << int(Qt::Key_Left) << start << "ABC"
                          << QList<QPointF>{{-5, 0}, {5, 150}, {35, 300}} << "ABC";
    QTest::newRow("down, nothing selected") << int(Qt::Key_Down) << start << "" << start << "";
    QTest::newRow("space x: 0, 10, 40 to 0, 20, 40")
        << int(Qt::Key_A) << start << "ABC" << QList<QPointF>{{0, 0}, {20, 150}, {40, 300}} << "ABC";
    QTest::newRow("space x, unsorted") << int(Qt::Key_A) << QList<QPointF>{{40, 0}, {0, 150}, {10, 300}}
                                       << "ABC" << QList<QPointF>{{40, 0}, {0, 150}, {20, 300}} << "ABC";
    QTest::newRow("space x with one item") << int(Qt::Key_A) << start << "B" << start << "B";
    QTest::newRow("space y: 0, 150, 300 stays")
        << int(Qt::Key_V) << QList<QPointF>{{0, 0}, {0, 100}, {0, 300}} << "ABC"
        << QList<QPointF>{{0, 0}, {0, 150}, {0, 300}} << "ABC";
    QTest::newRow("align x on the smallest")
        << int(Qt::Key_X) << QList<QPointF>{{30, 0}, {-5, 150}, {99, 300}} << "AB"
        << QList<QPointF>{{-5, 0}, {-5, 150}, {99, 300}} << "AB";
    QTest::newRow("align y") << int(Qt::Key_Y) << start << "BC"
                             << QList<QPointF>{{0, 0}, {10, 150}, {40, 150}} << "BC";
    QTest::newRow("u unselects") << int(Qt::Key_U) << start << "AC" << start << "";
    QTest::newRow("i inverts") << int(Qt::Key_I) << start << "A" << start << "BC";
    QTest::newRow("key without binding") << int(Qt::Key_Q) << start << "B" << start << "B";
}

void TestBoardEditing::keys()
{
    QFETCH(int, key);
    QFETCH(QList<QPointF>, before);
    QFETCH(QString, selected);
    QFETCH(QList<QPointF>, after);
    QFETCH(QString, selectedAfter);

    Board b;
    Calculus *items[3] = {b.p.placeItem("ORDER"), b.p.placeItem("SIZE"), b.p.placeItem("DEGMAX")};
    b.key(Qt::Key_U);
    for (int i = 0; i < 3; ++i) {
        items[i]->setPos(before.at(i));
        items[i]->select(selected.contains(QChar('A' + i)));
    }
    // Keys act by their code alone: Shift changes nothing.
    b.key(key, Qt::ShiftModifier);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(items[i]->pos(), after.at(i));
        QCOMPARE(items[i]->isItemSelected(), selectedAfter.contains(QChar('A' + i)));
    }
}

void TestBoardEditing::mouse_data()
{
    QTest::addColumn<QString>("gesture"); // click, drag, band
    QTest::addColumn<QPointF>("from");
    QTest::addColumn<QPointF>("to");
    QTest::addColumn<QString>("selected"); // items A (placed first) and B selected before
    QTest::addColumn<QString>("selectedAfter");
    QTest::addColumn<QPointF>("positionOfA"); // before at (0, 0)
    QTest::addColumn<QPointF>("positionOfB"); // unchanged

    const QPointF origin(0, 0), right(300, 0), none;
    QTest::newRow("click selects") << "click" << QPointF(10, 10) << none << ""
                                   << "A" << origin << right;
    QTest::newRow("click unselects") << "click" << QPointF(-50, 25) << none << "AB"
                                     << "B" << origin << right;
    QTest::newRow("click on the label margin misses") << "click" << QPointF(0, -40) << none << "A"
                                                      << "A" << origin << right;
    QTest::newRow("click on empty board") << "click" << QPointF(150, 150) << none << "B"
                                          << "B" << origin << right;
    QTest::newRow("drag keeps the selection") << "drag" << QPointF(5, 5) << QPointF(100, 250) << "A"
                                              << "A" << QPointF(100, 250) << right;
    QTest::newRow("drag of an unselected item") << "drag" << QPointF(5, 5) << QPointF(-80, 90) << "B"
                                                << "B" << QPointF(-80, 90) << right;
    QTest::newRow("band over both") << "band" << QPointF(-100, -100) << QPointF(400, 100) << ""
                                    << "AB" << origin << right;
    QTest::newRow("band adds to the selection") << "band" << QPointF(250, -100) << QPointF(350, 100) << "A"
                                                << "AB" << origin << right;
    QTest::newRow("band over a selected item keeps it")
        << "band" << QPointF(-100, -100) << QPointF(100, 100) << "A"
        << "A" << origin << right;
    QTest::newRow("band between items") << "band" << QPointF(80, -100) << QPointF(220, 100) << ""
                                        << "" << origin << right;
    // Two items under the pointer: the one lower in the stacking order (placed first) is taken.
    QTest::newRow("click on overlapping items") << "click" << QPointF(20, 5) << none << ""
                                                << "A" << origin << QPointF(40, 0);
    QTest::newRow("drag of overlapping items") << "drag" << QPointF(20, 5) << QPointF(-300, 200) << "B"
                                               << "B" << QPointF(-300, 200) << QPointF(40, 0);
}

void TestBoardEditing::mouse()
{
    QFETCH(QString, gesture);
    QFETCH(QPointF, from);
    QFETCH(QPointF, to);
    QFETCH(QString, selected);
    QFETCH(QString, selectedAfter);
    QFETCH(QPointF, positionOfA);
    QFETCH(QPointF, positionOfB);

    Board b;
    Calculus *a = b.p.placeItem("ORDER"); // boxes of 120 x 60
    Calculus *c = b.p.placeItem("SIZE");
    a->setPos(0, 0);
    c->setPos(positionOfB);
    QVERIFY(a->zValue() < c->zValue());
    a->select(selected.contains('A'));
    c->select(selected.contains('B'));
    if (gesture == QLatin1String("click")) {
        b.click(from);
    } else {
        b.drag(from, to);
        positionOfA = gesture == QLatin1String("drag") ? b.landing(positionOfA) : positionOfA;
    }
    QCOMPARE(a->isItemSelected(), selectedAfter.contains('A'));
    QCOMPARE(c->isItemSelected(), selectedAfter.contains('B'));
    QCOMPARE(a->pos(), positionOfA);
    QCOMPARE(c->pos(), positionOfB);
    QVERIFY(!Calculus::calculusUnderMouse());
    // No rubber band is left on the board.
    for (QGraphicsItem *g : b.p.scene()->items())
        if (g->type() == QGraphicsRectItem::Type)
            QVERIFY(!g->isVisible());
}

void TestBoardEditing::arrowsFollowAMovedItem()
{
    Board b;
    Problem &p = b.p;
    Calculus *order = p.placeItem("ORDER");
    Calculus *size = p.placeItem("SIZE");
    Calculus *plus = p.placeItem("+");
    Calculus *minus = p.placeItem("-");
    Calculus *z = p.placeItem("Z");
    Calculus *le = p.placeItem("<=");
    QVERIFY(order && size && plus && minus && z && le);
    QVERIFY(p.link1(order, plus) && p.link2(size, plus));
    QVERIFY(p.link1(plus, minus) && p.link1(plus, z) && p.link1(plus, le));
    QCOMPARE(plus->outgoingLinks().size(), 3);
    const QPointF places[6] = {{0, 0}, {200, 0}, {100, 150}, {0, 300}, {200, 300}, {400, 300}};
    Calculus *items[6] = {order, size, plus, minus, z, le};
    for (int i = 0; i < 6; ++i)
        items[i]->setPos(places[i]);
    b.key(Qt::Key_U);

    const QPointF to = b.landing({450, 120});
    b.drag({100, 150}, to);
    QCOMPARE(plus->pos(), to);
    // Arrows run from (0, 30) of the argument to (0, -30) of its user.
    for (int k = 1; k <= 2; ++k) {
        QCOMPARE(plus->incomingLink(k)->destinationPoint(), to + QPointF(0, -30));
        QCOMPARE(plus->incomingLink(k)->sourcePoint(), places[k - 1] + QPointF(0, 30));
    }
    for (Link *l : plus->outgoingLinks()) {
        QCOMPARE(l->sourcePoint(), to + QPointF(0, 30));
        QCOMPARE(l->destinationPoint(), l->to()->pos() + QPointF(0, -30));
    }
    QVERIFY(b.arrowsMatchArguments());
}

void TestBoardEditing::deletionKeepsFixedItems()
{
    for (bool confirm : {false, true}) {
        Board b;
        ScriptedPrompt prompt;
        prompt.answerOk = confirm;
        Problem &p = b.p;
        Calculus *order = p.placeItem("ORDER");
        Calculus *degrees = p.placeItem("DEGREES");
        Calculus *z = p.placeItem("Z");
        QVERIFY(p.link1(order, z));
        QVERIFY(p.link1(degrees, p.getColors()));
        const QString before = p.saveString();
        for (Calculus *c : {static_cast<Calculus *>(p.getParam1()), static_cast<Calculus *>(p.getParam2()),
                            static_cast<Calculus *>(p.getColors()), static_cast<Calculus *>(p.getLabels()),
                            static_cast<Calculus *>(p.getELabels()), order, degrees, z})
            c->select(true);
        b.key(Qt::Key_D);
        QCOMPARE(prompt.asked.size(), 1);
        if (!confirm) {
            QCOMPARE(p.saveString(), before);
            continue;
        }
        QCOMPARE(p.evaluationStack().size(), 2);
        QVERIFY(p.evaluationStack().contains(p.getParam1()) && p.evaluationStack().contains(p.getParam2()));
        QVERIFY(p.objectiveStack().isEmpty());
        QVERIFY(!p.getColors()->argument(1));
        QVERIFY(b.arrowsMatchArguments());
    }
}

void TestBoardEditing::doubleClickOpensDialogs_data()
{
    QTest::addColumn<QString>("item");
    QTest::newRow("an invariant") << "ORDER";
    QTest::newRow("labels") << "Labels";
    // The parameter items stand twice in the board's walk; the dialog still opens once.
    QTest::newRow("a parameter") << "PARAM 1";
}

void TestBoardEditing::doubleClickOpensDialogs()
{
    QFETCH(QString, item);
    Board b;
    Calculus *c = item == QLatin1String("Labels")    ? b.p.getLabels()
                  : item == QLatin1String("PARAM 1") ? b.p.getParam1()
                                                     : b.p.placeItem(item);
    b.p.setUseP1(true);
    c->setPos(0, 0);
    QVERIFY(c->isVisible());
    CalculusDisplay *dialog = c->getCalculusDisplay();
    QVERIFY(dialog && !dialog->isVisible());
    b.doubleClick({0, 0});
    QVERIFY(dialog->isVisible());
    b.doubleClick({0, 0});
    QVERIFY(!dialog->isVisible());
}

void TestBoardEditing::zoomStaysInRange()
{
    Board b;
    auto unit = [&]() { return b.p.transform().mapRect(QRectF(0, 0, 1, 1)).width(); };
    // One wheel notch towards the user zooms in by the square root of 2.
    QWheelEvent wheel(QPointF(10, 10), b.p.viewport()->mapToGlobal(QPoint(10, 10)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(b.p.viewport(), &wheel);
    QVERIFY(std::fabs(unit() - std::sqrt(2.0)) < 1e-12);
    for (int i = 0; i < 200; ++i)
        b.key(Qt::Key_Plus);
    QVERIFY(unit() <= 100 && unit() > 100 / 1.1);
    for (int i = 0; i < 200; ++i)
        b.key(Qt::Key_Minus);
    QVERIFY(unit() >= 0.07 && unit() < 0.07 * 1.1);
}

void TestBoardEditing::itemDump()
{
    Board b;
    Calculus *order = b.p.placeItem("ORDER");
    Calculus *plus = b.p.placeItem("+");
    Calculus *z = b.p.placeItem("Z");
    std::ostringstream out;
    std::streambuf *old = std::cerr.rdbuf(out.rdbuf());
    order->debugDisplay();
    QVERIFY(b.p.link1(order, plus) && b.p.link1(plus, z));
    plus->debugDisplay();
    std::cerr.rdbuf(old);
    QCOMPARE(QString::fromStdString(out.str()),
             QStringLiteral("----------------\nNAME = ORDER\n----------------\n"
                            "----------------\nNAME = +\n"
                            "LINK1:Link From ORDER To +\n"
                            "LINKS TO:\nLink From + To Z\n"
                            "----------------\n"));
}

QTEST_MAIN(TestBoardEditing)
#include "tst_boardediting.moc"
