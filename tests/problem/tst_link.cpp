#include "graph/Graph.h"
#include "problem/Link.h"
#include "support/TestConstraintItem.h"
#include "support/TestFamilyItem.h"
#include "support/TestInvariantItem.h"
#include "support/TestLinking.h"
#include "support/TestOperatorItem.h"
#include "support/TestStatisticsItem.h"

#include <QImage>
#include <QPainter>
#include <QtTest>

#include <memory>

namespace
{

bool offerIncoming(Calculus *target, int k, Link *l)
{
    switch (k) {
    case 1:
        return target->setLink1(l);
    case 2:
        return target->setLink2(l);
    case 3:
        return target->setLink3(l);
    default:
        return target->setLink4(l);
    }
}

bool setArgument(Calculus *target, int k, Calculus *source)
{
    switch (k) {
    case 1:
        return target->setArg1(source);
    case 2:
        return target->setArg2(source);
    case 3:
        return target->setArg3(source);
    default:
        return target->setArg4(source);
    }
}

// The board's order: target's setLink k, source's setLinkTo, then target's setArg k; a refused
// link is deleted.
Link *linkAs(Calculus *source, Calculus *target, int k)
{
    auto *l = new Link(source, target, false);
    if (!offerIncoming(target, k, l) || !source->setLinkTo(l)) {
        delete l;
        return nullptr;
    }
    setArgument(target, k, source);
    return l;
}

} // namespace

class TestLink : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void argumentSlots_data();
    void argumentSlots();
    void asArgument_data();
    void asArgument();
    void selectionOnLinking_data();
    void selectionOnLinking();
    void itemIsNeverItsOwnArgument();
    void occupiedSlotRefusesSecondLink();
    void replacingAnArgument();
    void refusedMoveChangesNothing();
    void deletingLinks();
    void missingEnds();
    void endPoints_data();
    void endPoints();
    void followsMoves();
    void hiddenEnd();
    void boundingRect_data();
    void boundingRect();
    void paintStaysInBounds_data();
    void paintStaysInBounds();
    void paintsArgumentOne();
    void constructionOnBoard();

private:
    std::unique_ptr<Graph> graph;
};

void TestLink::init()
{
    graph = std::make_unique<Graph>(QStringLiteral("links"), false);
    graph->randomGraph(6);
}

void TestLink::cleanup()
{
    graph.reset();
}

void TestLink::argumentSlots_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("slot");
    QTest::addColumn<bool>("accepted");

    const QList<QPair<QString, QList<int>>> kinds{{"Invariant", {}},
                                                  {"Family", {}},
                                                  {"Operator", {1, 2, 3, 4}},
                                                  {"Constraint", {1, 2}},
                                                  {"Statistics", {1, 2, 3, 4}}};
    for (const auto &kind : kinds) {
        for (int k = 1; k <= 4; ++k)
            QTest::newRow(qPrintable(QStringLiteral("%1 argument %2").arg(kind.first).arg(k)))
                << kind.first << k << kind.second.contains(k);
    }
}

void TestLink::argumentSlots()
{
    QFETCH(QString, kind);
    QFETCH(int, slot);
    QFETCH(bool, accepted);

    std::unique_ptr<Calculus> target(makeTestKind(kind));
    TestInvariantItem source;
    target->setGraph(graph.get());
    source.setGraph(graph.get());

    const qint64 stamp = graph->getID();
    Link *l = linkAs(&source, target.get(), slot);
    QCOMPARE(l != nullptr, accepted);
    QCOMPARE(target->argument(slot), accepted ? &source : nullptr);
    QCOMPARE(target->isLinked(slot), accepted);
    QCOMPARE(source.outgoingLinks().size(), accepted ? 1 : 0);
    for (int k = 1; k <= 4; ++k) {
        if (k != slot)
            QVERIFY(!target->argument(k) && !target->isLinked(k));
    }
    if (accepted) {
        QCOMPARE(l->argNo(), slot);
        QCOMPARE(target->incomingLink(slot), l);
        QCOMPARE(l->from(), &source);
        QCOMPARE(l->to(), target.get());
        // A new argument takes a fresh stamp, so the target computed anew at once.
        QVERIFY(graph->getID() != stamp);
    }
    // A direct call refuses the same slots.
    TestInvariantItem other;
    std::unique_ptr<Calculus> fresh(makeTestKind(kind));
    QCOMPARE(setArgument(fresh.get(), slot, &other), accepted);
}

void TestLink::asArgument_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("invariant") << "Invariant" << true;
    QTest::newRow("family") << "Family" << true;
    QTest::newRow("operator") << "Operator" << true;
    QTest::newRow("constraint") << "Constraint" << false;
    QTest::newRow("statistics") << "Statistics" << false;
}

void TestLink::asArgument()
{
    QFETCH(QString, kind);
    QFETCH(bool, accepted);

    std::unique_ptr<Calculus> source(makeTestKind(kind));
    TestOperatorItem target;
    source->setGraph(graph.get());
    target.setGraph(graph.get());
    Link *l = linkAs(source.get(), &target, 1);
    QCOMPARE(l != nullptr, accepted);
    QCOMPARE(target.argument(1), accepted ? source.get() : nullptr);
    QCOMPARE(target.isLinked(1), accepted);
    QCOMPARE(source->outgoingLinks().size(), accepted ? 1 : 0);
}

void TestLink::selectionOnLinking_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("targetStaysSelected");

    QTest::newRow("operator keeps its selection") << "Operator" << true;
    QTest::newRow("constraint keeps its selection") << "Constraint" << true;
    QTest::newRow("statistics is deselected") << "Statistics" << false;
}

void TestLink::selectionOnLinking()
{
    QFETCH(QString, kind);
    QFETCH(bool, targetStaysSelected);

    std::unique_ptr<Calculus> target(makeTestKind(kind));
    TestInvariantItem source;
    target->select(true);
    source.select(true);
    QVERIFY(linkAs(&source, target.get(), 1));
    QCOMPARE(target->isItemSelected(), targetStaysSelected);
    QVERIFY(!source.isItemSelected()); // an accepted outgoing link always deselects
}

void TestLink::itemIsNeverItsOwnArgument()
{
    TestOperatorItem op;
    op.setGraph(graph.get());
    auto *self = new Link(&op, &op, false);
    QVERIFY(!op.setLink1(self));
    QVERIFY(!op.setLinkTo(self));
    delete self;
    QVERIFY(!op.setArg1(&op));
    QVERIFY(!op.setArg4(&op));
    QVERIFY(!op.argument(1) && !op.argument(4));
    QVERIFY(op.outgoingLinks().isEmpty());
}

void TestLink::occupiedSlotRefusesSecondLink()
{
    TestInvariantItem a, b;
    TestOperatorItem op;
    Link *first = linkAs(&a, &op, 2);
    QVERIFY(first);
    auto *second = new Link(&b, &op, false);
    QVERIFY(!op.setLink2(second));
    delete second;
    QCOMPARE(op.incomingLink(2), first);
    QCOMPARE(op.argument(2), &a);
}

void TestLink::replacingAnArgument()
{
    TestInvariantItem a, b;
    TestOperatorItem op;
    a.setGraph(graph.get());
    b.setGraph(graph.get());
    b.setInvertGraph(true); // b counts the complement's edges, so its value differs from a's
    op.setGraph(graph.get());
    Link *l = linkAs(&a, &op, 1);
    QVERIFY(l);
    graph->changeBest();
    a.compute(true);
    b.compute(true);
    const double expected = b.getValue(1);
    QVERIFY(expected != a.getValue(1));

    // The board moves the existing link, then gives the argument.
    QVERIFY(l->changeOrig(&b));
    QVERIFY(op.setArg1(&b));
    QCOMPARE(op.argument(1), &b);
    QCOMPARE(op.incomingLink(1), l);
    QCOMPARE(l->from(), &b);
    QVERIFY(a.outgoingLinks().isEmpty());
    QCOMPARE(b.outgoingLinks(), QList<Link *>{l});
    QCOMPARE(op.getValue(1), expected); // recomputed at once
}

void TestLink::refusedMoveChangesNothing()
{
    TestInvariantItem a;
    auto *c = new TestConstraintItem;
    TestOperatorItem op;
    Link *l = linkAs(&a, &op, 1);
    QVERIFY(l);
    QVERIFY(!l->changeOrig(c));
    QCOMPARE(l->from(), &a);
    QCOMPARE(a.outgoingLinks(), QList<Link *>{l});
    QVERIFY(c->outgoingLinks().isEmpty());
    // The board then offers the argument: refused, the link still starts at a.
    QVERIFY(!op.setArg1(c));
    QCOMPARE(op.argument(1), &a);
    delete c; // must not touch the link
    QCOMPARE(op.incomingLink(1), l);
    QVERIFY(!l->changeOrig(nullptr));
}

void TestLink::deletingLinks()
{
    TestInvariantItem a;
    TestOperatorItem op;
    Link *l = linkAs(&a, &op, 3);
    QVERIFY(l);
    QCOMPARE(l->changeOrig(&a), true); // same source: nothing moves
    delete l;
    QVERIFY(!op.argument(3));
    QVERIFY(!op.isLinked(3));
    QVERIFY(a.outgoingLinks().isEmpty());

    // removeLink answers whether the item held the link.
    Link *m = linkAs(&a, &op, 1);
    TestInvariantItem stranger;
    QVERIFY(!stranger.removeLink(m));
    QVERIFY(a.removeLink(m));
    QVERIFY(!a.removeLink(m));
    QVERIFY(op.removeLink(m));
    QVERIFY(!op.argument(1));
    delete m;
}

void TestLink::missingEnds()
{
    TestOperatorItem op;
    auto *noSource = new Link(nullptr, &op, true);
    QCOMPARE(noSource->boundingRect(), QRectF());
    noSource->adjust();
    QVERIFY(!noSource->isVisible());
    delete noSource;
    delete new Link(&op, nullptr, true);
    delete new Link(nullptr, nullptr, false);
    QVERIFY(op.outgoingLinks().isEmpty());
}

void TestLink::endPoints_data()
{
    QTest::addColumn<QPointF>("fromPos");
    QTest::addColumn<QPointF>("toPos");
    QTest::addColumn<QPointF>("source");
    QTest::addColumn<QPointF>("dest");

    // The source end is (0, 30) of the argument, the target end (0, -30) of the user.
    QTest::newRow("argument above") << QPointF(0, -200) << QPointF(0, 0) << QPointF(0, -170)
                                    << QPointF(0, -30);
    QTest::newRow("argument below") << QPointF(40, 100) << QPointF(-20, 0) << QPointF(40, 130)
                                    << QPointF(-20, -30);
    QTest::newRow("exactly 5 apart") << QPointF(0, 0) << QPointF(3, 64) << QPointF(0, 30) << QPointF(0, 30);
    QTest::newRow("closer than 5") << QPointF(10, 10) << QPointF(11, 71) << QPointF(10, 40)
                                   << QPointF(10, 40);
    QTest::newRow("just over 5") << QPointF(0, 0) << QPointF(3, 64.1) << QPointF(0, 30) << QPointF(3, 34.1);
}

void TestLink::endPoints()
{
    QFETCH(QPointF, fromPos);
    QFETCH(QPointF, toPos);
    QFETCH(QPointF, source);
    QFETCH(QPointF, dest);

    TestInvariantItem a;
    TestOperatorItem op;
    a.setPos(fromPos);
    op.setPos(toPos);
    Link *l = linkAs(&a, &op, 1);
    QVERIFY(l);
    QVERIFY(l->isVisible());
    QCOMPARE(l->sourcePoint(), source);
    QCOMPARE(l->destinationPoint(), dest);
    QCOMPARE(l->length(), QLineF(source, dest).length());
}

void TestLink::followsMoves()
{
    // Items made for the board report their moves to their links.
    TestInvariantItem a(true), b(true);
    TestOperatorItem op(true), op2(true), op3(true);
    Link *in1 = linkAs(&a, &op, 1);
    Link *in2 = linkAs(&b, &op, 2);
    Link *out1 = linkAs(&op, &op2, 1);
    Link *out2 = linkAs(&op, &op3, 1);
    QVERIFY(in1 && in2 && out1 && out2);
    op.setPos(500, 400);
    QCOMPARE(in1->destinationPoint(), QPointF(500, 370));
    QCOMPARE(in2->destinationPoint(), QPointF(500, 370));
    QCOMPARE(out1->sourcePoint(), QPointF(500, 430));
    QCOMPARE(out2->sourcePoint(), QPointF(500, 430));
    a.setPos(-100, -100);
    QCOMPARE(in1->sourcePoint(), QPointF(-100, -70));
}

void TestLink::hiddenEnd()
{
    TestInvariantItem a;
    TestOperatorItem op;
    a.setPos(0, -200);
    Link *l = linkAs(&a, &op, 1);
    QVERIFY(l->isVisible());
    a.setVisible(false);
    op.setPos(50, 50);
    l->adjust();
    QVERIFY(!l->isVisible());
    a.setVisible(true);
    l->adjust();
    QVERIFY(l->isVisible());
}

void TestLink::boundingRect_data()
{
    QTest::addColumn<QPointF>("fromPos");
    QTest::addColumn<QPointF>("toPos");
    QTest::addColumn<QRectF>("rect");

    // The line widened by half the pen and one unit, joined with the disc of radius 8 (+ rim).
    QTest::newRow("horizontal 0 to 100") << QPointF(0, -30) << QPointF(100, 30) << QRectF(-3, -9.5, 106, 19);
    QTest::newRow("drawn upwards") << QPointF(20, 170) << QPointF(0, 30) << QRectF(-3, -3, 26, 206);
    QTest::newRow("collapsed") << QPointF(0, 0) << QPointF(0, 60) << QRectF(-9.5, 20.5, 19, 19);
}

void TestLink::boundingRect()
{
    QFETCH(QPointF, fromPos);
    QFETCH(QPointF, toPos);
    QFETCH(QRectF, rect);

    TestInvariantItem a;
    TestOperatorItem op;
    a.setPos(fromPos);
    op.setPos(toPos);
    Link *l = linkAs(&a, &op, 1);
    QCOMPARE(l->boundingRect(), rect);
}

void TestLink::paintStaysInBounds_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<QPointF>("toPos");

    for (int k : {1, 2, 3, 4, -1}) {
        QTest::newRow(qPrintable(QStringLiteral("argument %1, diagonal").arg(k))) << k << QPointF(70, 120);
        QTest::newRow(qPrintable(QStringLiteral("argument %1, flat").arg(k))) << k << QPointF(-80, 60);
        QTest::newRow(qPrintable(QStringLiteral("argument %1, collapsed").arg(k))) << k << QPointF(1, 61);
    }
}

// The scene redraws only the bounding rectangle: nothing may be painted outside it.
void TestLink::paintStaysInBounds()
{
    QFETCH(int, k);
    QFETCH(QPointF, toPos);

    TestInvariantItem a;
    TestOperatorItem op;
    op.setPos(toPos);
    Link l(&a, &op, true);
    l.setArgNo(k);
    const QRectF bounds = l.boundingRect();
    QImage image(400, 400, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.translate(200, 200);
        l.paint(&p, nullptr, nullptr);
    }
    int painted = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y).alpha() == 0)
                continue;
            ++painted;
            const QRectF pixel(x - 200, y - 200, 1, 1);
            QVERIFY2(bounds.intersects(pixel),
                     qPrintable(QStringLiteral("pixel %1,%2").arg(x - 200).arg(y - 200)));
        }
    }
    QVERIFY(painted > 0);
}

void TestLink::paintsArgumentOne()
{
    TestInvariantItem a;
    TestOperatorItem op;
    a.setPos(50, -10);  // source end (50, 20)
    op.setPos(50, 250); // destination end (50, 220)
    Link *l = linkAs(&a, &op, 1);
    QImage image(100, 240, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        l->paint(&p, nullptr, nullptr);
    }
    QCOMPARE(image.pixelColor(50, 60), QColor(Qt::red));  // the line
    QCOMPARE(image.pixelColor(51, 180), QColor(Qt::red)); // 4 wide
    QCOMPARE(image.pixelColor(43, 120), QColor(Qt::red)); // inside the disc at the midpoint
    bool outline = false;                                 // the disc's white rim, 8 right of it
    for (int x = 56; x <= 59; ++x)
        outline = outline || image.pixelColor(x, 120) == QColor(Qt::white);
    QVERIFY(outline);
    QCOMPARE(image.pixelColor(80, 120).alpha(), 0);
}

void TestLink::constructionOnBoard()
{
    TestInvariantItem a;
    TestOperatorItem op;
    a.setPos(0, -100);
    Link board(&a, &op, true);
    QCOMPARE(board.zValue(), -1.0);
    QCOMPARE(board.line(), QLineF(QPointF(0, -70), QPointF(0, -30)));
    QCOMPARE(board.argNo(), -1);

    Link headless(&a, &op, false);
    QCOMPARE(headless.zValue(), 0.0);
    QCOMPARE(headless.line(), QLineF());
    QCOMPARE(headless.sourcePoint(), QPointF());
}

QTEST_MAIN(TestLink)
#include "tst_link.moc"
