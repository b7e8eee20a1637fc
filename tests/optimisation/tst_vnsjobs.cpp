#include "optimisation/OptimalSolutions.h"
#include "optimisation/ProblemSnapshot.h"
#include "optimisation/SearchFixtures.h"
#include "optimisation/Solution.h"
#include "optimisation/VNS.h"

#include <QtTest>

#include <atomic>
#include <memory>

// Job control of one worker: limits, stop requests, the shaking range and the start graph.
// No timing is asserted: a job must end, and a stop must end only the job it was meant for.
class TestVnsJobs : public QObject
{
    Q_OBJECT

private slots:
    void timeLimitEndsJob_data();
    void timeLimitEndsJob();
    void zeroTimeMeansNoLimit();
    void stopBeforeRunIsKept();
    void stopBelongsToOneJob_data();
    void stopBelongsToOneJob();
    void destructorStopsRunningJob();
    void shakingRangeFromJobOrder_data();
    void shakingRangeFromJobOrder();
    void secondStartWithoutInitRunsNothing();
    void emptyArchiveReceivesStartGraph();
};

namespace
{

struct Worker {
    explicit Worker(int order = 8)
        : f(QStringLiteral("WIENER"), false, order), w(new VNS(&f.problem, &f.graph, 0, nullptr, &best))
    {
        w->setSeed(99);
    }
    void init(int nbnod, int maxTime)
    {
        w->init(nbnod, 0, 0, 0, maxTime, false, &best, ProblemSnapshot::take(&f.problem, &f.graph));
    }
    SearchFixture f;
    OptimalSolutions best;
    std::unique_ptr<VNS> w;
};

} // namespace

void TestVnsJobs::timeLimitEndsJob_data()
{
    QTest::addColumn<int>("milliseconds");
    QTest::newRow("1 ms") << 1;
    QTest::newRow("30 ms") << 30;
    QTest::newRow("150 ms") << 150;
}

void TestVnsJobs::timeLimitEndsJob()
{
    QFETCH(int, milliseconds);
    Worker j;
    j.init(8, milliseconds);
    j.w->start();
    QVERIFY(j.w->wait(60000));
    QVERIFY(j.w->evaluations() > 0);
    QVERIFY(j.best.isClosed());
    QVERIFY(j.best.size() >= 1);
}

void TestVnsJobs::zeroTimeMeansNoLimit()
{
    Worker j;
    j.w->slot_set_max_evals(1500);
    j.init(8, 0);
    j.w->start();
    QVERIFY(j.w->wait(60000));
    QVERIFY(j.w->evaluations() >= 1500);
}

void TestVnsJobs::stopBeforeRunIsKept()
{
    // No limit at all: if the stop were lost, the job would never end.
    Worker j;
    j.init(8, 0);
    j.w->slot_terminateVNS();
    j.w->start();
    QVERIFY(j.w->wait(60000));
    QVERIFY(j.w->evaluations() <= 1);
    QVERIFY(j.best.isClosed());
}

void TestVnsJobs::stopBelongsToOneJob_data()
{
    QTest::addColumn<QString>("when");
    QTest::newRow("idle worker, before any job") << "idle";
    QTest::newRow("during the first job") << "during";
    QTest::newRow("after the first job ended") << "after";
}

void TestVnsJobs::stopBelongsToOneJob()
{
    QFETCH(QString, when);
    Worker j;
    if (when == QLatin1String("idle")) {
        j.w->slot_terminateVNS();
    } else {
        j.init(8, 0);
        if (when == QLatin1String("after"))
            j.w->slot_set_max_evals(200);
        j.w->start();
        if (when == QLatin1String("during")) {
            QTRY_VERIFY_WITH_TIMEOUT(j.w->evaluations() > 50, 30000);
            j.w->slot_terminateVNS();
        }
        QVERIFY(j.w->wait(60000));
        if (when == QLatin1String("after"))
            j.w->slot_terminateVNS();
    }
    // The next job runs to its own limit.
    j.best.clear();
    j.best.open();
    j.w->slot_set_max_evals(2000);
    j.init(8, 0);
    j.w->start();
    QVERIFY(j.w->wait(60000));
    QVERIFY2(j.w->evaluations() >= 2000, qPrintable(QString::number(j.w->evaluations())));
}

void TestVnsJobs::destructorStopsRunningJob()
{
    auto *j = new Worker;
    j->init(8, 0);
    j->w->start();
    QTRY_VERIFY_WITH_TIMEOUT(j->w->evaluations() > 10, 30000);
    // Emitted on the worker's own thread as it ends, so the flag is set before the destructor's
    // wait returns; a destructor that only detached the thread would leave it clear.
    std::atomic<bool> ended{false};
    QObject::connect(j->w.get(), &QThread::finished, [&ended] { ended = true; });
    delete j;
    QVERIFY(ended.load());
}

void TestVnsJobs::shakingRangeFromJobOrder_data()
{
    QTest::addColumn<int>("userOrder");
    QTest::addColumn<int>("jobOrder");
    QTest::addColumn<int>("kmin");
    QTest::addColumn<int>("kmax");
    QTest::newRow("10 on 10") << 10 << 10 << 2 << 10;
    QTest::newRow("job larger than the user's graph") << 10 << 20 << 5 << 20;
    QTest::newRow("job smaller") << 10 << 3 << 1 << 3;
    QTest::newRow("one vertex") << 10 << 1 << 1 << 1;
    QTest::newRow("32 vertices") << 5 << 32 << 8 << 32;
}

void TestVnsJobs::shakingRangeFromJobOrder()
{
    QFETCH(int, userOrder);
    QFETCH(int, jobOrder);
    QFETCH(int, kmin);
    QFETCH(int, kmax);
    Worker j(userOrder);
    j.w->slot_set_max_evals(30);
    j.init(jobOrder, 0);
    j.w->start();
    QVERIFY(j.w->wait(60000));
    QCOMPARE(j.w->getKMin(), kmin);
    QCOMPARE(j.w->getKMax(), kmax);
    QCOMPARE(j.w->getKStep(), 1);
    // The job searched graphs of its own order.
    QCOMPARE(j.w->getOwnGraph()->getNbNodes(), jobOrder);
    for (const QString &g : j.best.graphs())
        QCOMPARE(g.section(QLatin1Char(' '), 0, 0).toInt(), jobOrder);
}

void TestVnsJobs::secondStartWithoutInitRunsNothing()
{
    Worker j;
    j.w->slot_set_max_evals(100);
    j.init(8, 0);
    j.w->start();
    QVERIFY(j.w->wait(60000));
    const int evaluations = j.w->evaluations();
    const QStringList graphs = j.best.graphs();
    j.best.open();
    j.w->start();
    QVERIFY(j.w->wait(60000));
    QCOMPARE(j.w->evaluations(), evaluations);
    QCOMPARE(j.best.graphs(), graphs);
}

void TestVnsJobs::emptyArchiveReceivesStartGraph()
{
    // Stopped before its main loop, a job leaves exactly its start graph in the empty archive.
    Worker j(7);
    QVERIFY(j.f.graph.loadCurrentGraph(QStringLiteral("7 100101001000010000100")));
    j.init(7, 0);
    j.w->slot_terminateVNS();
    j.w->start();
    QVERIFY(j.w->wait(60000));
    QCOMPARE(j.best.graphs(), QStringList{QStringLiteral("7 100101001000010000100")});
}

QTEST_MAIN(TestVnsJobs)
#include "tst_vnsjobs.moc"
