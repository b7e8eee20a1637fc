#include "problem/Eval.h"

#include <QtTest>

#include <cmath>
#include <limits>

using Values = QVector<double>;
using Objectives = QVector<QVector<double>>;
Q_DECLARE_METATYPE(Objectives)

namespace
{
Eval makeEval(const Objectives &objectives, const Values &values)
{
    Eval e;
    for (const QVector<double> &o : objectives)
        e.addZ(o);
    for (double v : values)
        e.push_back(v);
    return e;
}

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();
} // namespace

class TestEval : public QObject
{
    Q_OBJECT

private slots:
    void violated_data();
    void violated();
    void outOfRangeReads_data();
    void outOfRangeReads();
    void display_data();
    void display();
    void pushFrontOrder();
    void copyIsIndependentOfSource();
    void copyOntoItselfKeepsContent();
    void clearAndRefillAfterCopy();
    void clearZKeepsValues();
};

void TestEval::violated_data()
{
    QTest::addColumn<Values>("values");
    QTest::addColumn<bool>("expected");

    QTest::newRow("no values") << Values{} << false;
    QTest::newRow("all zero") << Values{0.0, 0.0, 0.0} << false;
    QTest::newRow("exactly the tolerance") << Values{1e-6} << false;
    QTest::newRow("just above the tolerance") << Values{1.0000001e-6} << true;
    QTest::newRow("negative values") << Values{-5.0, -1e-3} << false;
    QTest::newRow("violation first") << Values{1.0, 0.0, 0.0} << true;
    QTest::newRow("violation last") << Values{0.0, 0.0, 2.0} << true;
    QTest::newRow("not a number") << Values{0.0, kNaN} << true;
    QTest::newRow("infinity") << Values{kInf} << true;
    QTest::newRow("minus infinity") << Values{-kInf} << false;
}

void TestEval::violated()
{
    QFETCH(Values, values);
    QFETCH(bool, expected);
    QCOMPARE(makeEval({}, values).violated(), expected);
}

void TestEval::outOfRangeReads_data()
{
    QTest::addColumn<Objectives>("objectives");
    QTest::addColumn<Values>("values");
    QTest::addColumn<int>("valueIndex");
    QTest::addColumn<double>("expectedValue");
    QTest::addColumn<int>("zIndex");
    QTest::addColumn<double>("expectedZ");
    QTest::addColumn<int>("expectedZSize");

    const Objectives two{{3.5, 4.0}, {}};
    QTest::newRow("empty record, index 0") << Objectives{} << Values{} << 0 << 1e12 << 0 << 1e12 << 0;
    QTest::newRow("index -1") << two << Values{1.0, 2.0} << -1 << 1e12 << -1 << 1e12 << 0;
    QTest::newRow("index at size") << two << Values{1.0, 2.0} << 2 << 1e12 << 2 << 1e12 << 0;
    QTest::newRow("last valid index") << two << Values{1.0, 2.0} << 1 << 2.0 << 0 << 3.5 << 2;
    QTest::newRow("empty objective vector") << two << Values{7.0} << 0 << 7.0 << 1 << 1e12 << 0;
    QTest::newRow("large index") << two << Values{7.0} << 1000000 << 1e12 << 1000000 << 1e12 << 0;
}

void TestEval::outOfRangeReads()
{
    QFETCH(Objectives, objectives);
    QFETCH(Values, values);
    QFETCH(int, valueIndex);
    QFETCH(double, expectedValue);
    QFETCH(int, zIndex);
    QFETCH(double, expectedZ);
    QFETCH(int, expectedZSize);

    const Eval e = makeEval(objectives, values);
    QCOMPARE(e.value(valueIndex), expectedValue);
    QCOMPARE(e.zvalue(zIndex), expectedZ);
    QCOMPARE(e.z(zIndex).size(), expectedZSize);

    // The writable form hands out the same vector; what a caller writes into the empty vector
    // of an index outside the record never shows in a later read.
    Eval w = makeEval(objectives, values);
    QCOMPARE(w.z(zIndex).size(), expectedZSize);
    if (zIndex < 0 || zIndex >= w.sizeZ()) {
        w.z(zIndex).append(5.0);
        QCOMPARE(w.z(zIndex).size(), 0);
        QCOMPARE(w.zvalue(zIndex), 1e12);
        QCOMPARE(w.sizeZ(), objectives.size());
    }
}

void TestEval::display_data()
{
    QTest::addColumn<Objectives>("objectives");
    QTest::addColumn<Values>("values");
    QTest::addColumn<QString>("expected");

    QTest::newRow("nothing") << Objectives{} << Values{} << QString();
    QTest::newRow("two objectives and values")
        << Objectives{{3.5}, {1, 2}} << Values{0, 0, 2} << QStringLiteral("<3.5 ><1 2 >[0][0][2]");
    QTest::newRow("unavailable objective")
        << Objectives{{1e12}} << Values{1} << QStringLiteral("<1e+12 >[1]");
    QTest::newRow("empty objective vector") << Objectives{{}} << Values{} << QStringLiteral("<>");
    QTest::newRow("six significant digits") << Objectives{{1234567, -2, 0.5}} << Values{1.0 / 3.0}
                                            << QStringLiteral("<1.23457e+06 -2 0.5 >[0.333333]");
}

void TestEval::display()
{
    QFETCH(Objectives, objectives);
    QFETCH(Values, values);
    QFETCH(QString, expected);
    QCOMPARE(makeEval(objectives, values).display(), expected);
}

void TestEval::pushFrontOrder()
{
    Eval e;
    e.push_front(1.0);
    e.push_front(2.0);
    e.push_back(3.0);
    QCOMPARE(e.size(), 3);
    QCOMPARE(e.value(0), 2.0);
    QCOMPARE(e.value(1), 1.0);
    QCOMPARE(e.value(2), 3.0);
}

void TestEval::copyIsIndependentOfSource()
{
    Eval source = makeEval({{1.0, 2.0}}, {0.0, 5.0});
    const Eval byRef(source);
    const Eval byPtr(&source);
    Eval byCopyTarget;
    byCopyTarget.copy(&source);
    const Eval &byCopy = byCopyTarget;

    source.clear();
    source.addZ({9.0});
    source.push_front(8.0);
    source.z()[0][0] = 10.0;

    for (const Eval *e : {&byRef, &byPtr, &byCopy}) {
        QCOMPARE(e->display(), QStringLiteral("<1 2 >[0][5]"));
        QCOMPARE(e->sizeZ(), 1);
        QCOMPARE(e->size(), 2);
    }
    QCOMPARE(source.display(), QStringLiteral("<10 >[8]"));
}

void TestEval::copyOntoItselfKeepsContent()
{
    Eval e = makeEval({{4.0}}, {1.0, 0.0});
    e.copy(&e);
    QCOMPARE(e.display(), QStringLiteral("<4 >[1][0]"));
}

void TestEval::clearAndRefillAfterCopy()
{
    // The search keeps copies while it refills the same record many times.
    Eval work;
    QList<Eval> kept;
    for (int round = 0; round < 50; ++round) {
        work.clear();
        work.addZ({double(round)});
        work.push_front(double(round % 3));
        work.push_front(0.0);
        if (round % 7 == 0)
            kept.append(work);
    }
    QCOMPARE(kept.size(), 8);
    for (int i = 0; i < kept.size(); ++i) {
        const int round = i * 7;
        QCOMPARE(kept.at(i).zvalue(0), double(round));
        QCOMPARE(kept.at(i).value(1), double(round % 3));
        QCOMPARE(kept.at(i).size(), 2);
    }
    QCOMPARE(work.size(), 2);
    QCOMPARE(work.zvalue(0), 49.0);
}

void TestEval::clearZKeepsValues()
{
    Eval e = makeEval({{1.0}, {2.0}}, {3.0});
    e.clearZ();
    QCOMPARE(e.sizeZ(), 0);
    QCOMPARE(e.size(), 1);
    QCOMPARE(e.value(0), 3.0);
}

QTEST_MAIN(TestEval)
#include "tst_eval.moc"
