#include "graph/Graph.h"
#include "problem/BuildCalculus.h"
#include "problem/Eval.h"
#include "problem/Family.h"
#include "problem/Link.h"
#include "problem/Problem.h"
#include "problem/Z.h"

#include <QtTest>

// Arguments must be computed before their users and must precede them in the problem text. These
// tests link items in every order a user may click them and check that the board still computes the
// values of the current graph and that its text reads back.

namespace
{
// The path 0-1-2-3 (3 edges) and the complete graph on 4 vertices (6 edges).
const QString pathP4 = QStringLiteral("4 101001");
const QString completeK4 = QStringLiteral("4 111111");

bool linkAs(Problem &p, Calculus *source, Calculus *target, int k)
{
    switch (k) {
    case 1:
        return p.link1(source, target);
    case 2:
        return p.link2(source, target);
    case 3:
        return p.link3(source, target);
    default:
        return p.link4(source, target);
    }
}

// Items "name=KEYWORD", made headless and put on the board by their category, in list order.
QMap<QString, Calculus *> build(Problem &p, const QStringList &items)
{
    BuildCalculus catalogue;
    QMap<QString, Calculus *> made;
    for (const QString &entry : items) {
        const QString name = entry.section(QLatin1Char('='), 0, 0);
        const QString keyword = entry.section(QLatin1Char('='), 1);
        Calculus *c = catalogue.makeCalculus(keyword, false);
        if (!c)
            return {};
        switch (catalogue.type(keyword)) {
        case 1:
            p.addInvariantItem(c);
            break;
        case 5:
            p.addZItem(c);
            break;
        default:
            p.addOperatorItem(c);
            break;
        }
        made.insert(name, c);
    }
    return made;
}

// A link "source>target:k".
struct LinkSpec {
    QString source, target;
    int k = 1;
};

LinkSpec parseLink(const QString &text)
{
    LinkSpec l;
    l.source = text.section(QLatin1Char('>'), 0, 0);
    const QString rest = text.section(QLatin1Char('>'), 1);
    l.target = rest.section(QLatin1Char(':'), 0, 0);
    l.k = rest.section(QLatin1Char(':'), 1).toInt();
    return l;
}

// Every argument of an evaluation-stack item that is itself on that stack stands before its user.
bool argumentsFirst(const Problem &p)
{
    const QVector<Calculus *> &stack = p.evaluationStack();
    for (int i = 0; i < stack.size(); ++i) {
        for (int k = 1; k <= 4; ++k) {
            const int at = stack.indexOf(stack.at(i)->argument(k));
            if (at >= i)
                return false;
        }
    }
    return true;
}

// A family item whose value is the order of the graph, so that a stale result shows.
class OrderFamily : public Family
{
public:
    OrderFamily() { name = QStringLiteral("ORDERFAMILY"); }
    void recompute() override
    {
        M[0][0] = graph->getNbNodes();
        rows = cols = 1;
    }
};
} // namespace

class TestArgumentOrder : public QObject
{
    Q_OBJECT

private slots:
    void lateArgumentsMoveBeforeTheirUsers_data();
    void lateArgumentsMoveBeforeTheirUsers();
    void linksClosingALoopAreRefused_data();
    void linksClosingALoopAreRefused();
    void familiesAreComputedBeforeTheirUsers_data();
    void familiesAreComputedBeforeTheirUsers();
};

void TestArgumentOrder::lateArgumentsMoveBeforeTheirUsers_data()
{
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QStringList>("links");
    QTest::addColumn<int>("factor"); // the objective is factor times the number of edges

    QTest::newRow("argument added after its user")
        << QStringList{"a=ABS", "b=ABS", "s=SIZE", "z=Z"} << QStringList{"b>a:1", "s>b:1", "a>z:1"} << 1;
    QTest::newRow("chain linked backwards") << QStringList{"a=ABS", "b=ABS", "c=ABS", "s=SIZE", "z=Z"}
                                            << QStringList{"b>a:1", "c>b:1", "s>c:1", "a>z:1"} << 1;
    QTest::newRow("two late arguments") << QStringList{"p=+", "a=ABS", "b=ABS", "s=SIZE", "z=Z"}
                                        << QStringList{"a>p:1", "b>p:2", "s>a:1", "s>b:1", "p>z:1"} << 2;
    QTest::newRow("argument re-pointed to a later item")
        << QStringList{"a=ABS", "b=ABS", "c=ABS", "s=SIZE", "z=Z"}
        << QStringList{"s>b:1", "s>c:1", "b>a:1", "c>a:1", "a>z:1"} << 1;
    QTest::newRow("arguments already in order") << QStringList{"s=SIZE", "a=ABS", "p=+", "z=Z"}
                                                << QStringList{"s>a:1", "a>p:1", "s>p:2", "p>z:1"} << 2;
}

void TestArgumentOrder::lateArgumentsMoveBeforeTheirUsers()
{
    QFETCH(QStringList, items);
    QFETCH(QStringList, links);
    QFETCH(int, factor);

    Graph g(QStringLiteral("g"), false);
    QVERIFY(g.loadCurrentGraph(pathP4));
    Problem p(&g, QStringLiteral("t"), false);
    const QMap<QString, Calculus *> made = build(p, items);
    if (made.isEmpty())
        QSKIP("an item of this board is not made by the factory yet");
    for (const QString &text : links) {
        const LinkSpec l = parseLink(text);
        QVERIFY(linkAs(p, made.value(l.source), made.value(l.target), l.k));
        QVERIFY2(argumentsFirst(p), qPrintable(text));
    }

    Eval e;
    p.eval(&e);
    QCOMPARE(e.zvalue(0), 3.0 * factor);
    QVERIFY(g.loadCurrentGraph(completeK4));
    p.eval(&e);
    QCOMPARE(e.zvalue(0), 6.0 * factor);
    QCOMPARE(e.value(0), 0.0); // no item in error

    // The text of the board reads back into the same board.
    const QString text = p.saveString();
    Problem q(&g, QStringLiteral("q"), false);
    QVERIFY(q.openString(text));
    QCOMPARE(q.saveString(), text);
    QVERIFY(g.loadCurrentGraph(pathP4));
    q.eval(&e);
    QCOMPARE(e.zvalue(0), 3.0 * factor);
}

void TestArgumentOrder::linksClosingALoopAreRefused_data()
{
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QStringList>("links");
    QTest::addColumn<QString>("refused");

    QTest::newRow("two operators") << QStringList{"a=ABS", "b=ABS"} << QStringList{"a>b:1"} << "b>a:1";
    QTest::newRow("three in a ring") << QStringList{"a=ABS", "b=ABS", "c=ABS"}
                                     << QStringList{"a>b:1", "b>c:1"} << "c>a:1";
    QTest::newRow("ring through a second argument")
        << QStringList{"a=ABS", "p=+", "s=SIZE"} << QStringList{"s>p:1", "p>a:1"} << "a>p:2";
    QTest::newRow("re-pointing into a ring") << QStringList{"s=SIZE", "a=ABS", "b=ABS", "c=ABS"}
                                             << QStringList{"s>c:1", "c>a:1", "a>b:1"} << "b>c:1";
}

void TestArgumentOrder::linksClosingALoopAreRefused()
{
    QFETCH(QStringList, items);
    QFETCH(QStringList, links);
    QFETCH(QString, refused);

    Graph g(QStringLiteral("g"), false);
    QVERIFY(g.loadCurrentGraph(pathP4));
    Problem p(&g, QStringLiteral("t"), false);
    const QMap<QString, Calculus *> made = build(p, items);
    if (made.isEmpty())
        QSKIP("an item of this board is not made by the factory yet");
    for (const QString &text : links) {
        const LinkSpec l = parseLink(text);
        QVERIFY(linkAs(p, made.value(l.source), made.value(l.target), l.k));
    }

    const LinkSpec bad = parseLink(refused);
    Calculus *source = made.value(bad.source);
    Calculus *target = made.value(bad.target);
    Calculus *argumentBefore = target->argument(bad.k);
    Link *arrowBefore = target->incomingLink(bad.k);
    const QString textBefore = p.saveString();

    QVERIFY(!linkAs(p, source, target, bad.k));
    QCOMPARE(target->argument(bad.k), argumentBefore);
    QCOMPARE(target->incomingLink(bad.k), arrowBefore);
    if (arrowBefore)
        QCOMPARE(arrowBefore->from(), argumentBefore);
    for (Link *l : source->outgoingLinks())
        QVERIFY(l->to() != target);
    QCOMPARE(p.saveString(), textBefore);

    Problem q(&g, QStringLiteral("q"), false);
    QVERIFY(q.openString(textBefore));
}

void TestArgumentOrder::familiesAreComputedBeforeTheirUsers_data()
{
    QTest::addColumn<QStringList>("graphs");

    QTest::newRow("order 4 then 6") << QStringList{pathP4, QStringLiteral("6 000000000000000")};
    QTest::newRow("order 3, 5, 2") << QStringList{QStringLiteral("3 111"), QStringLiteral("5 1111111111"),
                                                  QStringLiteral("2 1")};
}

void TestArgumentOrder::familiesAreComputedBeforeTheirUsers()
{
    QFETCH(QStringList, graphs);

    Graph g(QStringLiteral("g"), false);
    Problem p(&g, QStringLiteral("t"), false);
    BuildCalculus catalogue;
    Calculus *abs = catalogue.makeCalculus(QStringLiteral("ABS"), false);
    if (!abs)
        QSKIP("ABS is not made by the factory yet");
    auto *family = new OrderFamily;
    p.addFamilyItem(family);
    p.addOperatorItem(abs);
    auto *z = new Z(false);
    p.addZItem(z);
    QVERIFY(p.link1(family, abs));
    QVERIFY(p.link1(abs, z));

    Eval e;
    for (const QString &graph : graphs) {
        QVERIFY(g.loadCurrentGraph(graph));
        const double order = graph.section(QLatin1Char(' '), 0, 0).toDouble();
        p.eval(&e);
        QCOMPARE(e.zvalue(0), order);
        p.best_backup();
        QCOMPARE(abs->getValue(1), order);
    }
}

QTEST_MAIN(TestArgumentOrder)
#include "tst_argumentorder.moc"
