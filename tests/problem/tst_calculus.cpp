#include "graph/Graph.h"
#include "problem/CalculusDisplay.h"
#include "problem/Link.h"
#include "support/TestConstraintItem.h"
#include "support/TestFamilyItem.h"
#include "support/TestInvariantItem.h"
#include "support/TestLinking.h"
#include "support/TestOperatorItem.h"
#include "support/TestStatisticsItem.h"

#include <QThread>
#include <QtTest>

#include <climits>
#include <memory>

namespace
{

// A headless graph on n vertices with the edges "a-b c-d ...".
std::unique_ptr<Graph> makeGraph(int n, const QString &edges)
{
    auto g = std::make_unique<Graph>(QStringLiteral("test"), false);
    g->clear();
    for (int i = 0; i < n; ++i)
        g->addNode();
    const QStringList pairs = edges.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString &p : pairs) {
        const QStringList ends = p.split(QLatin1Char('-'));
        g->addEdge(ends[0].toInt(), ends[1].toInt());
    }
    return g;
}

} // namespace

class TestCalculus : public QObject
{
    Q_OBJECT

private slots:
    void newItem_data();
    void newItem();
    void boxGeometry_data();
    void boxGeometry();
    void computeGate_data();
    void computeGate();
    void cachedFailureKeepsError();
    void complement_data();
    void complement();
    void locksDuringRecompute();
    void errorPropagation_data();
    void errorPropagation();
    void getValue_data();
    void getValue();
    void firstRowAndColumn_data();
    void firstRowAndColumn();
    void updateCrucial();
    void destroyingAnArgument_data();
    void destroyingAnArgument();
    void registryForgetsDestroyedItems();
    void headlessOnWorkerThread();
    void givenName_data();
    void givenName();
    void bestBackupPublishes();
    void identifier_data();
    void identifier();
    void problemDocument_data();
    void problemDocument();
};

void TestCalculus::newItem_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("cols");

    QTest::newRow("invariant") << "Invariant" << 120 << 60 << 0 << 0;
    QTest::newRow("family") << "Family" << 120 << 60 << 1 << 1;
    QTest::newRow("operator") << "Operator" << 120 << 60 << 0 << 0;
    QTest::newRow("constraint") << "Constraint" << 120 << 60 << 0 << 0;
    QTest::newRow("statistics") << "Statistics" << 100 << 100 << 0 << 0;
}

void TestCalculus::newItem()
{
    QFETCH(QString, kind);
    QFETCH(int, w);
    QFETCH(int, h);
    QFETCH(int, rows);
    QFETCH(int, cols);

    std::unique_ptr<Calculus> c(makeTestKind(kind));
    QCOMPARE(c->category, kind);
    QCOMPARE(c->w, w);
    QCOMPARE(c->h, h);
    QCOMPARE(c->rows, rows);
    QCOMPARE(c->cols, cols);
    QVERIFY(c->x0 >= 0 && c->x0 < 200);
    QVERIFY(c->y0 >= 0 && c->y0 < 200);
    QCOMPARE(c->M.size(), 32);
    for (const QVector<double> &row : c->M) {
        QCOMPARE(row.size(), 32);
        for (double v : row)
            QCOMPARE(v, 0.0);
    }
    for (int k = 0; k <= 5; ++k) {
        QVERIFY(!c->argument(k));
        QVERIFY(!c->isLinked(k));
    }
    QVERIFY(c->outgoingLinks().isEmpty());
    QVERIFY(c->isSelectable());
    QVERIFY(!c->isItemSelected());
    QVERIFY(!c->getError());
    QVERIFY(!c->getCalculusDisplay());
    QCOMPARE(c->getParam(), -1);
    QCOMPARE(c->identifier, QStringLiteral("NA"));
    QVERIFY(c->flags() == QGraphicsItem::GraphicsItemFlags());
}

void TestCalculus::boxGeometry_data()
{
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::addColumn<QRectF>("bounds");
    QTest::addColumn<QRectF>("box");

    // The box centred on the position, and margins of 12 left, 52 above, 3 right and below.
    QTest::newRow("80 x 80") << 80 << 80 << QRectF(-52, -92, 95, 135) << QRectF(-40, -40, 80, 80);
    QTest::newRow("120 x 60") << 120 << 60 << QRectF(-72, -82, 135, 115) << QRectF(-60, -30, 120, 60);
    QTest::newRow("odd width 81") << 81 << 80 << QRectF(-52, -92, 96, 135) << QRectF(-40, -40, 81, 80);
}

void TestCalculus::boxGeometry()
{
    QFETCH(int, w);
    QFETCH(int, h);
    QFETCH(QRectF, bounds);
    QFETCH(QRectF, box);

    TestInvariantItem c;
    c.w = w;
    c.h = h;
    QCOMPARE(c.boundingRect(), bounds);
    QCOMPARE(c.shape().boundingRect(), box);
}

void TestCalculus::computeGate_data()
{
    QTest::addColumn<bool>("crucial");
    QTest::addColumn<bool>("force");
    QTest::addColumn<bool>("withGraph");
    QTest::addColumn<bool>("moveStamp");
    QTest::addColumn<bool>("first");
    QTest::addColumn<bool>("second");
    QTest::addColumn<int>("calls");
    QTest::addColumn<bool>("error");

    QTest::newRow("not needed") << false << false << true << true << true << true << 0 << false;
    QTest::newRow("not needed, no graph") << false << false << false << false << true << true << 0 << false;
    QTest::newRow("forced, no graph") << false << true << false << false << false << false << 0 << true;
    QTest::newRow("crucial, no graph") << true << false << false << false << false << false << 0 << true;
    QTest::newRow("forced, same stamp") << false << true << true << false << true << false << 1 << false;
    QTest::newRow("crucial, same stamp") << true << false << true << false << true << false << 1 << false;
    QTest::newRow("forced, new stamp") << false << true << true << true << true << true << 2 << false;
    QTest::newRow("crucial, new stamp") << true << false << true << true << true << true << 2 << false;
}

void TestCalculus::computeGate()
{
    QFETCH(bool, crucial);
    QFETCH(bool, force);
    QFETCH(bool, withGraph);
    QFETCH(bool, moveStamp);
    QFETCH(bool, first);
    QFETCH(bool, second);
    QFETCH(int, calls);
    QFETCH(bool, error);

    auto g = makeGraph(4, QStringLiteral("0-1 1-2"));
    TestInvariantItem c;
    c.crucial = crucial;
    if (withGraph)
        c.setGraph(g.get());
    QCOMPARE(c.compute(force), first);
    if (moveStamp)
        g->addEdge(2, 3);
    QCOMPARE(c.compute(force), second);
    QCOMPARE(c.calls.load(), calls);
    QCOMPARE(c.getError(), error);
    if (calls > 0)
        QCOMPARE(c.getValue(1), moveStamp ? 3.0 : 2.0);
}

void TestCalculus::cachedFailureKeepsError()
{
    auto g = makeGraph(3, QStringLiteral("0-1"));
    TestInvariantItem c;
    c.setGraph(g.get());
    c.fail = true;
    QVERIFY(c.compute(true));
    QVERIFY(c.getError());
    QCOMPARE(c.rows, 0);
    QCOMPARE(c.getSRows(), QStringLiteral("NA"));

    // The cause goes away but the graph did not change: the cached failure stands.
    c.fail = false;
    QVERIFY(!c.compute(true));
    QVERIFY(c.getError());
    c.bestBackup();
    QVERIFY(c.errorBackup);
    QCOMPARE(c.calls.load(), 1);

    g->addEdge(1, 2);
    QVERIFY(c.compute(true));
    QVERIFY(!c.getError());
    c.bestBackup();
    QVERIFY(!c.errorBackup);
}

void TestCalculus::complement_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("edges");
    QTest::addColumn<int>("m");
    QTest::addColumn<int>("complementEdges");

    // Complement size n(n-1)/2 - m.
    QTest::newRow("empty order 0") << 0 << "" << 0 << 0;
    QTest::newRow("single vertex") << 1 << "" << 0 << 0;
    QTest::newRow("K4") << 4 << "0-1 0-2 0-3 1-2 1-3 2-3" << 6 << 0;
    QTest::newRow("P5") << 5 << "0-1 1-2 2-3 3-4" << 4 << 6;
    QTest::newRow("C6") << 6 << "0-1 1-2 2-3 3-4 4-5 5-0" << 6 << 9;
    QTest::newRow("7 isolated") << 7 << "" << 0 << 21;
    QTest::newRow("Petersen") << 10 << "0-1 1-2 2-3 3-4 4-0 0-5 1-6 2-7 3-8 4-9 5-7 7-9 9-6 6-8 8-5" << 15
                              << 30;
    QTest::newRow("star K1,31")
        << 32
        << "0-1 0-2 0-3 0-4 0-5 0-6 0-7 0-8 0-9 0-10 0-11 0-12 0-13 0-14 0-15 0-16 "
           "0-17 0-18 0-19 0-20 0-21 0-22 0-23 0-24 0-25 0-26 0-27 0-28 0-29 0-30 0-31"
        << 31 << 465;
}

void TestCalculus::complement()
{
    QFETCH(int, n);
    QFETCH(QString, edges);
    QFETCH(int, m);
    QFETCH(int, complementEdges);

    auto g = makeGraph(n, edges);
    const QString before = g->currentGraphData();
    const qint64 stamp = g->getID();

    TestInvariantItem plain;
    plain.setGraph(g.get());
    TestInvariantItem inverted;
    inverted.setGraph(g.get());
    inverted.setInvertGraph(true);

    QVERIFY(plain.compute(true));
    QVERIFY(inverted.compute(true));
    QCOMPARE(plain.getValue(1), double(m));
    QCOMPARE(inverted.getValue(1), double(complementEdges));
    QCOMPARE(inverted.stampSeen, stamp);

    // The graph is restored and keeps its stamp, so the other item's cache stays valid.
    QCOMPARE(g->currentGraphData(), before);
    QCOMPARE(g->getID(), stamp);
    QVERIFY(!plain.compute(true));
    QCOMPARE(plain.calls.load(), 1);
}

void TestCalculus::locksDuringRecompute()
{
    auto g = makeGraph(5, QStringLiteral("0-1 1-2 2-3"));
    TestInvariantItem inv;
    TestOperatorItem op;
    inv.setGraph(g.get());
    op.setGraph(g.get());
    QVERIFY(linkAsArgument(&inv, &op, 1));
    g->changeBest();
    QVERIFY(inv.compute(true));
    QVERIFY(op.compute(true));
    QVERIFY(inv.computeLockHeld);
    QVERIFY(inv.valueLockHeld);

    // Both locks are free again, and the operator reads its argument inside its own recompute.
    QVERIFY(inv.computeMutex.tryLock());
    inv.computeMutex.unlock();
    QVERIFY(inv.valueMutex.tryLock());
    inv.valueMutex.unlock();
    QCOMPARE(op.getValue(1), 3.0);

    // A reader on another thread waits for the value lock, never sees a half-written result.
    inv.valueMutex.lock();
    std::atomic<bool> done{false};
    double seen = 0;
    std::unique_ptr<QThread> reader(QThread::create([&] {
        seen = inv.getValue(1);
        done = true;
    }));
    reader->start();
    QTest::qWait(50);
    QVERIFY(!done);
    inv.M[0][0] = 7.0;
    inv.valueMutex.unlock();
    QVERIFY(reader->wait(5000));
    QCOMPARE(seen, 7.0);
}

void TestCalculus::errorPropagation_data()
{
    QTest::addColumn<bool>("argumentFails");
    QTest::addColumn<int>("slot");

    QTest::newRow("argument 1 in error") << true << 1;
    QTest::newRow("argument 3 in error") << true << 3;
    QTest::newRow("argument 4 in error") << true << 4;
    QTest::newRow("argument 2 fine") << false << 2;
}

void TestCalculus::errorPropagation()
{
    QFETCH(bool, argumentFails);
    QFETCH(int, slot);

    auto g = makeGraph(3, QStringLiteral("0-1"));
    TestInvariantItem inv;
    TestOperatorItem op;
    inv.setGraph(g.get());
    op.setGraph(g.get());
    inv.fail = argumentFails;
    QVERIFY(linkAsArgument(&inv, &op, slot));

    g->changeBest();
    QVERIFY(inv.compute(true));
    QVERIFY(op.compute(true));
    QCOMPARE(op.errorOnEntry, argumentFails);
    // The operator's recompute leaves the flag alone, so the item stays in error.
    QCOMPARE(op.getError(), argumentFails);
}

void TestCalculus::getValue_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("cols");
    QTest::addColumn<int>("k");
    QTest::addColumn<double>("expected");

    // The result holds 100 * row + column + 1 in every entry.
    QTest::newRow("value") << 1 << 1 << 1 << 1.0;
    QTest::newRow("column, entry 2") << 3 << 1 << 2 << 101.0;
    QTest::newRow("row, entry 2") << 1 << 3 << 2 << 2.0;
    QTest::newRow("matrix, entry 2") << 3 << 3 << 2 << 2.0;
    QTest::newRow("column, beyond its rows") << 3 << 1 << 5 << 401.0;
    QTest::newRow("failed 0 x 0") << 0 << 0 << 1 << 1.0;
    QTest::newRow("last of a column") << 32 << 1 << 32 << 3101.0;
    QTest::newRow("last of a row") << 1 << 32 << 32 << 32.0;
    QTest::newRow("index 0") << 1 << 1 << 0 << 1e12;
    QTest::newRow("index 33") << 32 << 1 << 33 << 1e12;
    QTest::newRow("index -1") << 3 << 3 << -1 << 1e12;
    QTest::newRow("lowest index") << 3 << 1 << INT_MIN << 1e12;
}

void TestCalculus::getValue()
{
    QFETCH(int, rows);
    QFETCH(int, cols);
    QFETCH(int, k);
    QFETCH(double, expected);

    TestInvariantItem c;
    for (int i = 0; i < 32; ++i)
        for (int j = 0; j < 32; ++j)
            c.M[i][j] = 100 * i + j + 1;
    c.rows = rows;
    c.cols = cols;
    QCOMPARE(c.getValue(k), expected);
}

void TestCalculus::firstRowAndColumn_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("cols");

    QTest::newRow("0 x 0") << 0 << 0;
    QTest::newRow("value") << 1 << 1;
    QTest::newRow("vector 7") << 7 << 1;
    QTest::newRow("matrix 32") << 32 << 32;
}

void TestCalculus::firstRowAndColumn()
{
    QFETCH(int, rows);
    QFETCH(int, cols);

    TestInvariantItem c;
    for (int i = 0; i < 32; ++i)
        for (int j = 0; j < 32; ++j)
            c.M[i][j] = 100 * i + j;
    c.rows = rows;
    c.cols = cols;
    const QVector<double> row = c.getFirstRow();
    const QVector<double> col = c.getFirstCol();
    QCOMPARE(row.size(), cols);
    QCOMPARE(col.size(), rows);
    for (int j = 0; j < cols; ++j)
        QCOMPARE(row[j], double(j));
    for (int i = 0; i < rows; ++i)
        QCOMPARE(col[i], double(100 * i));
}

void TestCalculus::updateCrucial()
{
    auto g = makeGraph(3, QString());
    TestInvariantItem a, b;
    TestOperatorItem inner, outer;
    for (Calculus *c : {static_cast<Calculus *>(&a), static_cast<Calculus *>(&b),
                        static_cast<Calculus *>(&inner), static_cast<Calculus *>(&outer)})
        c->setGraph(g.get());
    QVERIFY(linkAsArgument(&a, &inner, 1));
    QVERIFY(linkAsArgument(&inner, &outer, 1));
    QVERIFY(linkAsArgument(&b, &outer, 3));

    outer.update_crucial();
    QVERIFY(!inner.crucial && !b.crucial);

    outer.crucial = true;
    outer.update_crucial();
    QVERIFY(inner.crucial);
    QVERIFY(b.crucial);
    QVERIFY(!a.crucial); // one level only
    inner.update_crucial();
    QVERIFY(a.crucial);
}

void TestCalculus::destroyingAnArgument_data()
{
    QTest::addColumn<int>("slot");
    for (int k = 1; k <= 4; ++k)
        QTest::newRow(qPrintable(QStringLiteral("argument %1").arg(k))) << k;
}

void TestCalculus::destroyingAnArgument()
{
    QFETCH(int, slot);

    auto g = makeGraph(3, QString());
    TestOperatorItem user;
    TestInvariantItem keep;
    user.setGraph(g.get());
    keep.setGraph(g.get());
    const int other = slot == 1 ? 2 : 1;
    QVERIFY(linkAsArgument(&keep, &user, other));
    auto *arg = new TestInvariantItem;
    arg->setGraph(g.get());
    QVERIFY(linkAsArgument(arg, &user, slot));
    QCOMPARE(user.argument(slot), arg);
    QVERIFY(user.isLinked(slot));

    delete arg;
    QVERIFY(!user.argument(slot));
    QVERIFY(!user.isLinked(slot));
    QCOMPARE(user.argument(other), &keep);
    QVERIFY(user.isLinked(other));
    QCOMPARE(keep.outgoingLinks().size(), 1);

    // Destroying the user empties the outgoing links of its arguments.
    auto *user2 = new TestOperatorItem;
    QVERIFY(linkAsArgument(&keep, user2, 1));
    QCOMPARE(keep.outgoingLinks().size(), 2);
    delete user2;
    QCOMPARE(keep.outgoingLinks().size(), 1);
}

void TestCalculus::registryForgetsDestroyedItems()
{
    auto *a = new TestInvariantItem;
    TestOperatorItem b;
    Calculus::clearVectorCalculus();
    Calculus::addVectorCalculus(a);
    Calculus::addVectorCalculus(&b);
    QCOMPARE(Calculus::registry().size(), 2);
    Calculus::setCalculusUnderMouse(a);
    delete a;
    QCOMPARE(Calculus::registry(), QVector<Calculus *>{&b});
    QVERIFY(!Calculus::calculusUnderMouse());
    Calculus::clearVectorCalculus();
    QVERIFY(Calculus::registry().isEmpty());
}

void TestCalculus::headlessOnWorkerThread()
{
    auto g = makeGraph(6, QStringLiteral("0-1 1-2 2-3 3-4 4-5"));
    QThread *mainThread = QThread::currentThread();
    bool otherThread = false;
    bool noDialogs = false;
    double sum = -1;
    double complementEdges = -1;
    bool linksGone = false;
    std::unique_ptr<QThread> worker(QThread::create([&] {
        otherThread = QThread::currentThread() != mainThread;
        auto *inv = new TestInvariantItem(false);
        auto *inv2 = new TestInvariantItem(false);
        auto *op = new TestOperatorItem(false);
        inv->setGraph(g.get());
        inv2->setGraph(g.get());
        op->setGraph(g.get());
        inv2->setInvertGraph(true);
        noDialogs = !inv->getCalculusDisplay() && !op->getCalculusDisplay();
        linkAsArgument(inv, op, 1);
        linkAsArgument(inv2, op, 2);
        g->changeBest();
        inv->compute(true);
        inv2->compute(true);
        op->compute(true);
        sum = op->getValue(1);
        complementEdges = inv2->getValue(1);
        delete inv;
        delete inv2;
        linksGone = !op->isLinked(1) && !op->isLinked(2);
        delete op;
    }));
    worker->start();
    QVERIFY(worker->wait(10000));
    QVERIFY(otherThread);
    QVERIFY(noDialogs);
    QCOMPARE(complementEdges, 10.0); // 15 - 5
    QCOMPARE(sum, 15.0);             // 5 + 10
    QVERIFY(linksGone);
}

void TestCalculus::givenName_data()
{
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("stored");

    QTest::newRow("plain") << "total"
                           << "total";
    QTest::newRow("blanks kept") << "my sum 2"
                                 << "my sum 2";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("tab") << "a\tb"
                         << "a b";
    QTest::newRow("CR LF") << "x\r\ny"
                           << "x  y";
    QTest::newRow("separator") << "p<NEW>q"
                               << "p<NEW >q";
    QTest::newRow("two separators") << "<NEW><NEW>"
                                    << "<NEW ><NEW >";
    QTest::newRow("nested separator") << "<NEW<NEW>>"
                                      << "<NEW<NEW >>";
    QTest::newRow("separator split by a line feed") << "<NEW\n>"
                                                    << "<NEW >";
    QTest::newRow("lower case is no separator") << "<new>"
                                                << "<new>";
}

void TestCalculus::givenName()
{
    QFETCH(QString, given);
    QFETCH(QString, stored);

    TestInvariantItem headless;
    headless.setGivenName(given);
    QCOMPARE(headless.getGivenName(), stored);
    QVERIFY(!stored.contains(QLatin1Char('\t')));
    QVERIFY(!stored.contains(QStringLiteral("<NEW>")));

    TestInvariantItem shown(true);
    shown.setGivenName(given);
    QCOMPARE(shown.getGivenName(), stored);
    QCOMPARE(shown.getCalculusDisplay()->givenName(), stored);

    // A name typed into the dialog is cleaned when the item takes it.
    shown.getCalculusDisplay()->setGivenName(given);
    shown.updateGivenName();
    QCOMPARE(shown.getGivenName(), stored);
}

void TestCalculus::bestBackupPublishes()
{
    auto g = makeGraph(4, QStringLiteral("0-1 2-3"));
    TestInvariantItem c(true);
    c.setGraph(g.get());
    QCOMPARE(c.getCalculusDisplay()->getGraph(), g.get());
    c.bestBackup();
    QCOMPARE(c.getCalculusDisplay()->getNbRows(), 1);
    QCOMPARE(c.getCalculusDisplay()->getNbCols(), 1);
    QCOMPARE(c.getCalculusDisplay()->getValue(), 2.0);
    QCOMPARE(c.toolTip(), c.name);
    QVERIFY(!c.errorBackup);

    c.fail = true;
    g->addEdge(1, 2);
    c.bestBackup();
    QVERIFY(c.errorBackup);
    QCOMPARE(c.toolTip(), QStringLiteral("Argument error"));
    QCOMPARE(c.getCalculusDisplay()->getNbRows(), 0);
}

void TestCalculus::identifier_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<double>("z");
    QTest::addColumn<QString>("id");

    QTest::newRow("invariant at 3") << "Invariant" << 3.0 << "Invariant-3";
    QTest::newRow("operator at 2.5") << "Operator" << 2.5 << "Operator-2.5";
    QTest::newRow("statistics at one million") << "Statistics" << 1e6 << "Statistics-1e+06";
    QTest::newRow("negative") << "Operator" << -12.25 << "Operator--12.25";
    QTest::newRow("seven digits") << "Invariant" << 1234567.0 << "Invariant-1.23457e+06";
}

void TestCalculus::identifier()
{
    QFETCH(QString, kind);
    QFETCH(double, z);
    QFETCH(QString, id);

    std::unique_ptr<Calculus> c(makeTestKind(kind));
    c->setZ(z);
    QCOMPARE(c->identifier, QStringLiteral("NA"));
    QCOMPARE(c->getID(), id);
    QCOMPARE(c->identifier, id);
    c->setZ(z + 1);
    QCOMPARE(c->identifier, id); // kept until the next getID()
}

void TestCalculus::problemDocument_data()
{
    QTest::addColumn<QString>("given");
    QTest::addColumn<QList<int>>("slotList");
    QTest::addColumn<QString>("expected");

    QTest::newRow("no name, no argument")
        << QString() << QList<int>{} << "Operator-5: TESTOP\nRows: NA\nColumns: NA\n";
    QTest::newRow("named, arguments 1 and 2")
        << "total" << QList<int>{1, 2}
        << "Operator-5: TESTOP (total)\nRows: 1\nColumns: 1\narg1 = Invariant-3\narg2 = Invariant-4\n";
    QTest::newRow("arguments 1 and 3") << QString() << QList<int>{1, 3}
                                       << "Operator-5: TESTOP\nRows: 1\nColumns: 1\narg1 = Invariant-3\n"
                                          "arg3 = Invariant-5\n";
    QTest::newRow("argument 4 only") << QString() << QList<int>{4}
                                     << "Operator-5: TESTOP\nRows: 1\nColumns: 1\narg4 = Invariant-6\n";
}

void TestCalculus::problemDocument()
{
    QFETCH(QString, given);
    QFETCH(QList<int>, slotList);
    QFETCH(QString, expected);

    auto g = makeGraph(2, QString());
    TestOperatorItem op;
    op.setGraph(g.get());
    op.setZ(5);
    op.setGivenName(given);
    TestInvariantItem args[4];
    for (int k = 1; k <= 4; ++k) {
        args[k - 1].setGraph(g.get());
        args[k - 1].setZ(2 + k);
    }
    for (int k : slotList)
        QVERIFY(linkAsArgument(&args[k - 1], &op, k));
    QCOMPARE(op.problemDocument(), expected);
    for (int k : slotList)
        QCOMPARE(args[k - 1].identifier, QStringLiteral("Invariant-%1").arg(2 + k));
}

QTEST_MAIN(TestCalculus)
#include "tst_calculus.moc"
