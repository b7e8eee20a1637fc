#include "optimisation/OptimalSolutions.h"
#include "optimisation/SearchFixtures.h"
#include "optimisation/Solution.h"
#include "problem/Eval.h"

#include "graph/Random.h"

#include <QtTest>

#include <cmath>
#include <limits>

// Candidates are written "violations|objectives": violations comma-separated, objective vectors
// separated by '/', the values of one vector by blanks, "()" an empty vector, "nan" a NaN.
// "0|3 5 7/2" is feasible with the vectors (3, 5, 7) and (2). Tokens "#close", "#open" and
// "#update" act on the archive instead.
static Eval makeEval(const QString &text)
{
    Eval e;
    const QStringList parts = text.split(QLatin1Char('|'), Qt::KeepEmptyParts);
    auto number = [](const QString &s) {
        return s == QLatin1String("nan") ? std::numeric_limits<double>::quiet_NaN() : s.toDouble();
    };
    if (!parts.value(0).isEmpty())
        for (const QString &v : parts.value(0).split(QLatin1Char(',')))
            e.push_back(number(v));
    if (!parts.value(1).isEmpty())
        for (const QString &vec : parts.value(1).split(QLatin1Char('/'))) {
            QVector<double> z;
            if (vec != QLatin1String("()"))
                for (const QString &v : vec.split(QLatin1Char(' '), Qt::SkipEmptyParts))
                    z.append(number(v));
            e.addZ(z);
        }
    return e;
}

// Runs the script on the archive; returns one 'T' or 'F' per candidate. Every answer of
// accepts() is checked against the addSolution that follows it.
static QString runScript(OptimalSolutions &archive, const QStringList &script, int firstName = 0)
{
    QString answers;
    int n = firstName;
    for (const QString &step : script) {
        if (step == QLatin1String("#close")) {
            archive.close();
        } else if (step == QLatin1String("#open")) {
            archive.open();
        } else if (step == QLatin1String("#update")) {
            archive.updateSolutions();
        } else {
            const Eval e = makeEval(step);
            const bool predicted = archive.accepts(e);
            auto *s = new Solution(&e, QStringLiteral("g%1").arg(n++));
            const bool accepted = archive.addSolution(s);
            if (!accepted)
                delete s;
            if (predicted != accepted)
                return QStringLiteral("accepts() disagrees at ") + step;
            answers += accepted ? QLatin1Char('T') : QLatin1Char('F');
        }
    }
    return answers;
}

class TestOptimalSolutions : public QObject
{
    Q_OBJECT

private slots:
    void script_data();
    void script();
    void nonFamilyKeepsOneSolution();
    void frontHoldsCandidatePoints();
    void randomFrontsMatchBruteForce_data();
    void randomFrontsMatchBruteForce();
    void solutionRecord_data();
    void solutionRecord();
    void solutionCopiesAreIndependent();
    void archivedRecordSharesNothingWithWorker_data();
    void archivedRecordSharesNothingWithWorker();
};

void TestOptimalSolutions::script_data()
{
    QTest::addColumn<QStringList>("script");
    QTest::addColumn<bool>("family");
    QTest::addColumn<QString>("answers");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("sizeAfterUpdate");

    QTest::newRow("first feasible") << QStringList{"0|1"} << true << "T" << 1 << 1 << 1;
    QTest::newRow("equal values refused") << QStringList{"0|1", "0|1"} << true << "TF" << 1 << 1 << 1;
    QTest::newRow("within tolerance refused")
        << QStringList{"0|1", "0|0.9999995", "0|1.0000009"} << true << "TFF" << 1 << 1 << 1;
    QTest::newRow("2e-6 better decides") << QStringList{"0|1", "0|0.999998"} << true << "TT" << 2 << 1 << 1;
    QTest::newRow("pareto pair then dominating")
        << QStringList{"0|1/5", "0|2/4", "0|0/0"} << true << "TTT" << 3 << 1 << 1;
    QTest::newRow("pareto pair kept") << QStringList{"0|1/5", "0|2/4"} << true << "TT" << 2 << 2 << 2;
    QTest::newRow("pareto third incomparable")
        << QStringList{"0|1/5", "0|2/4", "0|1.5/4.5", "0|1/5"} << true << "TTTF" << 3 << 3 << 3;
    QTest::newRow("dominated on one coordinate within tolerance")
        << QStringList{"0|1/5", "0|1.0000005/5.5"} << true << "TF" << 1 << 1 << 1;
    QTest::newRow("non-family refuses vectors")
        << QStringList{"0|1 2", "0|3"} << false << "FT" << 1 << 1 << 1;
    QTest::newRow("non-family better replaces")
        << QStringList{"0|3", "0|2", "0|2", "0|4"} << false << "TTFF" << 1 << 1 << 1;
    QTest::newRow("feasible archive refuses violated")
        << QStringList{"0,0|5", "0,1|-100"} << true << "TF" << 1 << 1 << 1;
    QTest::newRow("smaller violation replaces")
        << QStringList{"0,2|5", "0,1|9"} << true << "TT" << 1 << 0 << 0;
    QTest::newRow("first differing violation decides")
        << QStringList{"0,2|5", "1,0|1"} << true << "TF" << 1 << 0 << 0;
    QTest::newRow("violation 2e-6 smaller decides")
        << QStringList{"0,2|5", "0,1.999998|9"} << true << "TT" << 1 << 0 << 0;
    QTest::newRow("violation within tolerance goes to points")
        << QStringList{"0,2|5", "0,2.0000005|4", "0,2|3"} << true << "TTT" << 3 << 1 << 1;
    QTest::newRow("feasible replaces violated")
        << QStringList{"0,2|5", "0,1|4", "0,0|9"} << true << "TTT" << 1 << 1 << 1;
    QTest::newRow("empty vector refused") << QStringList{"0|()", "0|1/()"} << true << "FF" << 0 << 0 << 0;
    // Without objectives the first feasible graph is kept and replaces violated ones.
    QTest::newRow("no objectives feasible accepted once")
        << QStringList{"0|", "0|", "1|"} << true << "TFF" << 1 << 0 << 0;
    QTest::newRow("no objectives violated accepted") << QStringList{"1|"} << true << "T" << 1 << 0 << 0;
    QTest::newRow("feasible without points replaces violated archive")
        << QStringList{"2|", "1|", "0|", "0|"} << true << "TTTF" << 1 << 0 << 0;
    QTest::newRow("non-family feasible without points replaces violated")
        << QStringList{"1|", "0|"} << false << "TT" << 1 << 0 << 0;
    QTest::newRow("closed refuses, open accepts")
        << QStringList{"#close", "0|1", "#open", "0|1"} << true << "FT" << 1 << 1 << 1;
    QTest::newRow("closed keeps content")
        << QStringList{"0|2", "#close", "0|1", "#update"} << true << "TF" << 1 << 1 << 1;
    QTest::newRow("nan point never covers finite")
        << QStringList{"0|nan", "0|5"} << true << "TT" << 2 << 1 << 1;
    QTest::newRow("finite covers nan") << QStringList{"0|5", "0|nan"} << true << "TF" << 1 << 1 << 1;
    QTest::newRow("nan covers nan") << QStringList{"0|nan", "0|nan"} << true << "TF" << 1 << 1 << 1;
    QTest::newRow("nan coordinate incomparable")
        << QStringList{"0|1/nan", "0|2/0", "0|1/7"} << true << "TTT" << 3 << 2 << 2;
    QTest::newRow("nan violation loses to finite")
        << QStringList{"0,3|1", "0,nan|0"} << true << "TF" << 1 << 0 << 0;
    QTest::newRow("finite violation beats nan")
        << QStringList{"0,nan|1", "0,3|5"} << true << "TT" << 1 << 0 << 0;
    QTest::newRow("infinite objective") << QStringList{"0|inf", "0|1e300"} << true << "TT" << 2 << 1 << 1;
    QTest::newRow("feasible with fewer values replaces")
        << QStringList{"0,2|5", "0|1"} << true << "TT" << 1 << 1 << 1;
    QTest::newRow("point of another dimension refused")
        << QStringList{"0|1/2", "0|3", "0|0/0"} << true << "TFT" << 2 << 1 << 1;
    QTest::newRow("non-family point of another dimension refused")
        << QStringList{"0|1/2", "0|-5"} << false << "TF" << 1 << 1 << 1;
    QTest::newRow("non-family violated first without points, then points test")
        << QStringList{"1|4", "1|9"} << false << "TT" << 1 << 1 << 1;
    QTest::newRow("same violation level without points refused")
        << QStringList{"1|", "1|"} << true << "TF" << 1 << 0 << 0;
    QTest::newRow("missing candidate violation reads 1e12")
        << QStringList{"3,2|5", "3|1"} << true << "TF" << 1 << 0 << 0;
}

void TestOptimalSolutions::script()
{
    QFETCH(QStringList, script);
    QFETCH(bool, family);
    QFETCH(QString, answers);
    QFETCH(int, size);
    QFETCH(int, points);
    QFETCH(int, sizeAfterUpdate);

    OptimalSolutions archive;
    archive.setFamily(family);
    QCOMPARE(runScript(archive, script), answers);
    QCOMPARE(archive.size(), size);
    QCOMPARE(archive.nbPoints(), points);
    archive.open();
    archive.updateSolutions();
    QCOMPARE(archive.size(), sizeAfterUpdate);
    QCOMPARE(archive.graph(-1), QString());
    QCOMPARE(archive.graph(archive.size()), QString());
    QCOMPARE(archive.OSSolution(archive.size()), static_cast<Solution *>(nullptr));
}

void TestOptimalSolutions::nonFamilyKeepsOneSolution()
{
    OptimalSolutions archive;
    archive.setFamily(false);
    QCOMPARE(runScript(archive, {"0|5", "0|4", "0|3"}), QString("TTT"));
    QCOMPARE(archive.size(), 1);
    QCOMPARE(archive.graphs(), QStringList{"g2"});
    QCOMPARE(archive.front(), (QList<QVector<double>>{{3.0}}));
    QCOMPARE(archive.lastSolution()->getGraph(), QString("g2"));
}

void TestOptimalSolutions::frontHoldsCandidatePoints()
{
    // (3, 5, 7) with (2): the points (3, 2), (5, 2), (7, 2); only the first is not dominated.
    OptimalSolutions archive;
    QCOMPARE(runScript(archive, {"0|3 5 7/2"}), QString("T"));
    QCOMPARE(archive.front(), (QList<QVector<double>>{{3.0, 2.0}}));
    // One value per vertex: points (1, 9), (4, 0) do not dominate each other.
    QCOMPARE(runScript(archive, {"0|1 4/9 0"}, 1), QString("T"));
    QCOMPARE(archive.nbPoints(), 3);
    archive.updateSolutions();
    QCOMPARE(archive.size(), 2);
    // A later candidate covering every point of the first drops it at the next pruning.
    QCOMPARE(runScript(archive, {"0|3/1", "#update"}, 2), QString("T"));
    QCOMPARE(archive.graphs(), (QStringList{"g1", "g2"}));
}

// Random feasible candidates with small integer coordinates: the final front must be the set of
// Pareto-minimal distinct points (brute force), and no front point may cover another.
void TestOptimalSolutions::randomFrontsMatchBruteForce_data()
{
    QTest::addColumn<int>("dimension");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("range");
    QTest::addColumn<quint32>("seed");
    QTest::newRow("1d") << 1 << 50 << 20 << 1u;
    QTest::newRow("2d") << 2 << 200 << 12 << 2u;
    QTest::newRow("3d") << 3 << 300 << 8 << 3u;
    QTest::newRow("4d dense") << 4 << 400 << 4 << 4u;
}

void TestOptimalSolutions::randomFrontsMatchBruteForce()
{
    QFETCH(int, dimension);
    QFETCH(int, count);
    QFETCH(int, range);
    QFETCH(quint32, seed);
    tsy_srand(seed);

    OptimalSolutions archive;
    QList<QVector<double>> offered;
    for (int c = 0; c < count; ++c) {
        QVector<double> p(dimension);
        Eval e;
        e.push_back(0.0);
        for (int k = 0; k < dimension; ++k) {
            p[k] = tsy_rand(range);
            e.addZ(QVector<double>{p[k]});
        }
        offered.append(p);
        const bool predicted = archive.accepts(e);
        auto *s = new Solution(&e, QString::number(c));
        const bool accepted = archive.addSolution(s);
        QCOMPARE(accepted, predicted);
        if (!accepted)
            delete s;
    }
    auto weaklyDominates = [](const QVector<double> &a, const QVector<double> &b) {
        for (int k = 0; k < a.size(); ++k)
            if (a[k] > b[k])
                return false;
        return true;
    };
    QList<QVector<double>> expected;
    for (const QVector<double> &p : offered) {
        bool minimal = true;
        for (const QVector<double> &q : offered)
            if (q != p && weaklyDominates(q, p))
                minimal = false;
        if (minimal && !expected.contains(p))
            expected.append(p);
    }
    QList<QVector<double>> front = archive.front();
    std::sort(front.begin(), front.end());
    std::sort(expected.begin(), expected.end());
    QCOMPARE(front, expected);
    archive.updateSolutions();
    QCOMPARE(archive.size(), expected.size());
}

void TestOptimalSolutions::solutionRecord_data()
{
    QTest::addColumn<QString>("eval");
    QTest::addColumn<int>("index");
    QTest::addColumn<double>("violation");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("sizeZ");
    QTest::newRow("inside") << "0,4,2|1" << 1 << 4.0 << 3 << 1;
    QTest::newRow("below") << "0,4,2|1" << -1 << 0.0 << 3 << 1;
    QTest::newRow("at size") << "0,4,2|1" << 3 << 0.0 << 3 << 1;
    QTest::newRow("empty record") << "|" << 0 << 0.0 << 0 << 0;
    QTest::newRow("two objectives") << "7|1/2 3" << 0 << 7.0 << 1 << 2;
}

void TestOptimalSolutions::solutionRecord()
{
    QFETCH(QString, eval);
    QFETCH(int, index);
    QFETCH(double, violation);
    QFETCH(int, size);
    QFETCH(int, sizeZ);
    const Eval e = makeEval(eval);
    const Solution s(&e, QStringLiteral("3 101"));
    QCOMPARE(s.violation(index), violation);
    QCOMPARE(s.size(), size);
    QCOMPARE(s.sizeZ(), sizeZ);
    QCOMPARE(s.getGraph(), QString("3 101"));
}

void TestOptimalSolutions::solutionCopiesAreIndependent()
{
    Eval e = makeEval("0,1|2 3");
    auto *first = new Solution(&e, QStringLiteral("2 1"));
    e.clear();
    e.push_back(9.0);
    QCOMPARE(first->size(), 2);
    QCOMPARE(first->getValue()->z().at(0), (QVector<double>{2.0, 3.0}));
    const Solution copy(first);
    delete first;
    QCOMPARE(copy.violation(1), 1.0);
    QCOMPARE(copy.getValue()->display(), QString("<2 3 >[0][1]"));
    QCOMPARE(copy.getGraph(), QString("2 1"));
}

// A worker refills its record in place while other workers read the archived copy: the two may
// not share a block, since Qt's check of whether a block is shared orders nothing between threads.
void TestOptimalSolutions::archivedRecordSharesNothingWithWorker_data()
{
    QTest::addColumn<QString>("invariant");
    QTest::newRow("constraints only") << QString();
    QTest::newRow("one value") << QStringLiteral("WIENER");
    QTest::newRow("one value per vertex") << QStringLiteral("DEGREES");
}

void TestOptimalSolutions::archivedRecordSharesNothingWithWorker()
{
    QFETCH(QString, invariant);
    SearchFixture f(invariant, true, 6, false);
    QVERIFY(f.graph.loadCurrentGraph(QStringLiteral("6 110100100010000"))); // a star
    Eval e;
    f.problem.eval(&e);
    QVERIFY(e.isDetached());
    OptimalSolutions archive;
    QVERIFY(archive.addSolution(new Solution(&e, f.graph.currentGraphData())));
    const Eval *kept = archive.lastSolution()->getValue();
    const QString text = kept->display();
    QVERIFY(e.isDetached());
    QVERIFY(kept->isDetached());

    QVERIFY(f.graph.loadCurrentGraph(QStringLiteral("5 1111111111")));
    f.problem.eval(&e);
    QVERIFY(e.display() != text);
    QCOMPARE(kept->display(), text);
}

QTEST_MAIN(TestOptimalSolutions)
#include "tst_optimalsolutions.moc"
