#include "optimisation/DataLoader.h"
#include "optimisation/OptimalSolutions.h"
#include "optimisation/SearchFixtures.h"
#include "optimisation/Solution.h"
#include "optimisation/VNS.h"
#include "optimisation/VNSManager.h"

#include <QtTest>

#include <atomic>
#include <limits>
#include <memory>

typedef QVector<int> Ints;

// The manager: the sweep's job list, the workers a run uses, Halt, and the hand-over of the
// graphs found. Runs are bounded by evaluations (or stopped), never by time.
class TestVnsManager : public QObject
{
    Q_OBJECT

private slots:
    void sweepJobs_data();
    void sweepJobs();
    void hugeP2RangeIsCapped_data();
    void timeLimitInSeconds_data();
    void timeLimitInSeconds();
    void hugeP2RangeIsCapped();
    void unsweptRunUsesThreads_data();
    void unsweptRunUsesThreads();
    void haltDuringSweep();
    void haltRightAfterStart();
    void handOver_data();
    void handOver();
    void orderOutsideRangeRunsNothing();
    void secondStartOnlyReports();
    void destructorStopsRun();
};

namespace
{

struct Setup {
    Setup()
        : f(QStringLiteral("SIZE"), false, 6), loader(&f.problem, &f.graph, nullptr),
          m(new VNSManager(&f.problem, &f.graph, nullptr, nullptr, &loader))
    {
        m->setSeed(7);
    }
    SearchFixture f;
    DataLoader loader;
    std::unique_ptr<VNSManager> m;
};

QStringList consoleTexts(const QSignalSpy &spy)
{
    QStringList texts;
    for (const QList<QVariant> &args : spy)
        texts << args.at(0).toString();
    return texts;
}

} // namespace

void TestVnsManager::sweepJobs_data()
{
    QTest::addColumn<int>("p1min");
    QTest::addColumn<int>("p1max");
    QTest::addColumn<bool>("orderFromP1");
    QTest::addColumn<int>("nbnod");
    QTest::addColumn<bool>("useP2");
    QTest::addColumn<QVector<double>>("bounds"); // lower a, b, c then upper a, b, c
    QTest::addColumn<bool>("edgesFromP2");
    QTest::addColumn<Ints>("p1");
    QTest::addColumn<Ints>("p2");
    QTest::addColumn<Ints>("orders");
    QTest::addColumn<Ints>("edges");

    const QVector<double> none(6, 0.0);
    QTest::newRow("p1 10..12, order from p1")
        << 10 << 12 << true << 7 << false << none << false << Ints{10, 11, 12} << Ints{0, 0, 0}
        << Ints{10, 11, 12} << Ints{9, 9, 9};
    QTest::newRow("p1 10..12, fixed order")
        << 10 << 12 << false << 7 << false << none << false << Ints{10, 11, 12} << Ints{0, 0, 0}
        << Ints{7, 7, 7} << Ints{9, 9, 9};
    QTest::newRow("p2 from p1 - 1 to 1.5 p1, upper excluded")
        << 10 << 10 << false << 10 << true << QVector<double>{0, 1, -1, 0, 1.5, 0} << true
        << Ints{10, 10, 10, 10, 10, 10} << Ints{9, 10, 11, 12, 13, 14} << Ints(6, 10)
        << Ints{9, 10, 11, 12, 13, 14};
    QTest::newRow("p2 edges from the setting")
        << 10 << 10 << false << 10 << true << QVector<double>{0, 1, -1, 0, 1.5, 0} << false << Ints(6, 10)
        << Ints{9, 10, 11, 12, 13, 14} << Ints(6, 10) << Ints(6, 9);
    QTest::newRow("bounds -0.5 and 2.9 truncate to 0 and 2")
        << 4 << 4 << false << 10 << true << QVector<double>{0, 0, -0.5, 0, 0, 2.9} << false << Ints{4, 4}
        << Ints{0, 1} << Ints{10, 10} << Ints{9, 9};
    // p1 = 3: 9 - 8 = 1 up to 5.5 (5 excluded), cut at the 3 pairs of the order; p1 = 4: 16 - 8 = 8
    // up to 9, entirely above the 6 pairs, so no job at all.
    QTest::newRow("quadratic bounds")
        << 3 << 4 << true << 10 << true << QVector<double>{1, 0, -8, 0.5, 0, 1} << true << Ints{3, 3, 3}
        << Ints{1, 2, 3} << Ints{3, 3, 3} << Ints{1, 2, 3};
    // p1 = 3: 4 up to 5 (excluded): the one value lies above the 3 pairs.
    QTest::newRow("edge range above the pairs gives no job")
        << 3 << 3 << true << 10 << true << QVector<double>{0, 1, 1, 0, 0, 5} << true << Ints{} << Ints{}
        << Ints{} << Ints{};
    // p2 is a plain parameter here, not an edge count: neither sign nor the pairs limit it.
    QTest::newRow("parameter p2 keeps its whole range")
        << 4 << 4 << true << 10 << true << QVector<double>{0, 0, -3, 0, 2, 0} << false << Ints(11, 4)
        << Ints{-3, -2, -1, 0, 1, 2, 3, 4, 5, 6, 7} << Ints(11, 4) << Ints(11, 9);
    QTest::newRow("p2 clamped to the pairs of the order")
        << 4 << 4 << true << 10 << true << QVector<double>{0, 0, -5, 0, 0, 100} << true << Ints(7, 4)
        << Ints{0, 1, 2, 3, 4, 5, 6} << Ints(7, 4) << Ints{0, 1, 2, 3, 4, 5, 6};
    QTest::newRow("not-a-number bound reads as the lowest")
        << 3 << 3 << true << 10 << true
        << QVector<double>{0, std::numeric_limits<double>::quiet_NaN(), 0, 0, 0, 2} << false << Ints{3, 3}
        << Ints{0, 1} << Ints{3, 3} << Ints{9, 9};
    QTest::newRow("empty p1 range") << 5 << 4 << true << 10 << false << none << false << Ints{} << Ints{}
                                    << Ints{} << Ints{};
    QTest::newRow("empty p2 range") << 5 << 6 << true << 10 << true << QVector<double>{0, 0, 5, 0, 0, 5}
                                    << false << Ints{} << Ints{} << Ints{} << Ints{};
    QTest::newRow("orders outside 1..32 skipped")
        << 30 << 34 << true << 10 << false << none << false << Ints{30, 31, 32} << Ints{0, 0, 0}
        << Ints{30, 31, 32} << Ints{9, 9, 9};
    QTest::newRow("order 0 and below skipped") << -3 << 2 << true << 10 << false << none << false
                                               << Ints{1, 2} << Ints{0, 0} << Ints{1, 2} << Ints{9, 9};
    QTest::newRow("fixed order outside 1..32")
        << 1 << 3 << false << 33 << false << none << false << Ints{} << Ints{} << Ints{} << Ints{};
}

void TestVnsManager::sweepJobs()
{
    QFETCH(int, p1min);
    QFETCH(int, p1max);
    QFETCH(bool, orderFromP1);
    QFETCH(int, nbnod);
    QFETCH(bool, useP2);
    QFETCH(QVector<double>, bounds);
    QFETCH(bool, edgesFromP2);
    QFETCH(Ints, p1);
    QFETCH(Ints, p2);
    QFETCH(Ints, orders);
    QFETCH(Ints, edges);

    Setup s;
    QSignalSpy console(s.m.get(), QOverload<QString, bool, int, QColor>::of(&VNSManager::signal_console));
    s.m->slot_set_nb_threads(2);
    s.m->slot_set_max_evals(20);
    s.m->slot_set_nbnod(nbnod);
    s.m->slot_set_nbarcs(9);
    s.m->slot_use_param1(true);
    s.m->slot_use_param2(useP2);
    s.m->slot_set_p1min(p1min);
    s.m->slot_set_p1max(p1max);
    s.m->slot_fix_nbnod_to_p1(orderFromP1);
    s.m->slot_fix_nbarcs_to_p2(edgesFromP2);
    s.m->slot_set_p2minsq(bounds[0]);
    s.m->slot_set_p2minlin(bounds[1]);
    s.m->slot_set_p2mincst(bounds[2]);
    s.m->slot_set_p2maxsq(bounds[3]);
    s.m->slot_set_p2maxlin(bounds[4]);
    s.m->slot_set_p2maxcst(bounds[5]);
    s.m->slot_startVNS();
    QVERIFY(s.m->wait(120000));

    QCOMPARE(s.m->getJobP1(), p1);
    QCOMPARE(s.m->getJobP2(), p2);
    QCOMPARE(s.m->getJobNbnod(), orders);
    QCOMPARE(s.m->getJobNbarcs(), edges);
    QCOMPARE(s.m->nbJobs(), p1.size());
    const QStringList texts = consoleTexts(console);
    for (int j = 0; j < p1.size(); ++j) {
        QVERIFY(texts.contains(QStringLiteral("Starting job %1/%2").arg(j + 1).arg(p1.size())));
        // Every job ran and archived graphs of its own order.
        QVERIFY(s.m->jobArchive(j)->size() >= 1);
        QCOMPARE(s.m->jobArchive(j)->graphs().at(0).section(QLatin1Char(' '), 0, 0).toInt(), orders[j]);
    }
    const bool skipped =
        (orderFromP1 && (p1min < 1 || p1max > 32)) || (!orderFromP1 && (nbnod < 1 || nbnod > 32));
    bool reported = false;
    for (const QString &t : texts)
        reported |= t.contains(QLatin1String("1..32"));
    QCOMPARE(reported, skipped);
}

void TestVnsManager::hugeP2RangeIsCapped_data()
{
    QTest::addColumn<double>("lower");
    QTest::addColumn<double>("upper");
    QTest::addColumn<int>("firstP2");
    QTest::addColumn<int>("jobs");
    QTest::newRow("upper bound beyond the int range") << 0.0 << 1e300 << 0 << VNSManager::MaxJobs;
    QTest::newRow("lower bound beyond the int range")
        << -1e300 << 0.0 << std::numeric_limits<int>::min() << VNSManager::MaxJobs;
    QTest::newRow("not-a-number upper bound reads as 0")
        << -2.0 << std::numeric_limits<double>::quiet_NaN() << -2 << 2;
}

void TestVnsManager::hugeP2RangeIsCapped()
{
    QFETCH(double, lower);
    QFETCH(double, upper);
    QFETCH(int, firstP2);
    QFETCH(int, jobs);
    Setup s;
    QSignalSpy console(s.m.get(), QOverload<QString, bool, int, QColor>::of(&VNSManager::signal_console));
    s.m->slot_set_max_evals(20);
    s.m->slot_use_param1(true);
    s.m->slot_use_param2(true);
    s.m->slot_set_p1min(5);
    s.m->slot_set_p1max(5);
    s.m->slot_set_p2mincst(lower);
    s.m->slot_set_p2maxcst(upper);
    s.m->slot_startVNS();
    s.m->slot_stopVNS(); // only the job list is looked at
    QVERIFY(s.m->wait(120000));
    QCOMPARE(s.m->nbJobs(), jobs);
    QCOMPARE(s.m->getJobP2().first(), firstP2);
    QCOMPARE(s.m->getJobP2().last(), firstP2 + jobs - 1);
    QCOMPARE(consoleTexts(console).contains(
                 QStringLiteral("Too many jobs: only the first %1 are run.").arg(VNSManager::MaxJobs)),
             jobs == VNSManager::MaxJobs);
}

void TestVnsManager::timeLimitInSeconds_data()
{
    QTest::addColumn<int>("seconds");
    QTest::addColumn<int>("milliseconds");
    QTest::newRow("default ten minutes") << 600 << 600000;
    QTest::newRow("no limit") << 0 << 0;
    QTest::newRow("one day") << 86400 << 86400000;
    QTest::newRow("beyond the int range saturates") << 3000000 << 2147483647;
    QTest::newRow("negative reads as no limit") << -5 << 0;
}

void TestVnsManager::timeLimitInSeconds()
{
    QFETCH(int, seconds);
    QFETCH(int, milliseconds);
    Setup s;
    s.m->slot_setMaxTime(seconds);
    QCOMPARE(s.m->getMaxTime(), milliseconds);
}

void TestVnsManager::unsweptRunUsesThreads_data()
{
    QTest::addColumn<int>("threads");
    QTest::addColumn<int>("used");
    QTest::newRow("default one") << 1 << 1;
    QTest::newRow("three") << 3 << 3;
    QTest::newRow("four") << 4 << 4;
    QTest::newRow("above four") << 9 << 4;
    QTest::newRow("zero") << 0 << 1;
}

void TestVnsManager::unsweptRunUsesThreads()
{
    QFETCH(int, threads);
    QFETCH(int, used);
    Setup s;
    s.m->slot_set_nbnod(6);
    s.m->slot_set_max_evals(50);
    s.m->slot_set_nb_threads(threads);
    s.m->slot_use_param2(true); // p2 alone sweeps nothing
    s.m->slot_startVNS();
    QVERIFY(s.m->wait(120000));
    QCOMPARE(s.m->nbJobs(), 0);
    for (int i = 0; i < VNSManager::NbWorkers; ++i)
        QCOMPARE(s.m->worker(i)->evaluations() > 0, i < used);
    QVERIFY(s.m->getBest()->size() >= 1);
}

void TestVnsManager::haltDuringSweep()
{
    Setup s;
    s.m->slot_set_nb_threads(2);
    s.m->slot_setMaxTime(0); // no limit of any kind: only Halt ends the jobs
    s.m->slot_set_nbnod(8);
    s.m->slot_use_param1(true);
    s.m->slot_set_p1min(10);
    s.m->slot_set_p1max(14);
    s.m->slot_startVNS();
    QTRY_VERIFY_WITH_TIMEOUT(s.m->worker(0)->evaluations() > 20 && s.m->worker(1)->evaluations() > 20, 30000);
    s.m->slot_stopVNS();
    QVERIFY(s.m->wait(60000));
    QCOMPARE(s.m->nbJobs(), 5);
    QVERIFY(s.m->jobArchive(0)->size() >= 1);
    QVERIFY(s.m->jobArchive(1)->size() >= 1);
    int expected = s.m->jobArchive(0)->size() + s.m->jobArchive(1)->size();
    for (int j = 2; j < 5; ++j)
        QCOMPARE(s.m->jobArchive(j)->size(), 0);
    QCOMPARE(s.loader.size(), expected);
}

void TestVnsManager::haltRightAfterStart()
{
    // No limit: a Halt lost between the start of the run and the start of the workers would
    // leave the run going for ever.
    Setup s;
    s.m->slot_setMaxTime(0);
    s.m->slot_set_nb_threads(4);
    s.m->slot_set_nbnod(8);
    s.m->slot_startVNS();
    s.m->slot_stopVNS();
    QVERIFY(s.m->wait(60000));
    // The next run is not stopped by that Halt.
    s.m->slot_set_max_evals(400);
    s.m->slot_set_nb_threads(1);
    s.m->slot_startVNS();
    QVERIFY(s.m->wait(60000));
    QVERIFY(s.m->worker(0)->evaluations() >= 400);
}

void TestVnsManager::handOver_data()
{
    QTest::addColumn<bool>("save");
    QTest::addColumn<bool>("swept");
    QTest::newRow("unswept, saved") << true << false;
    QTest::newRow("unswept, not saved") << false << false;
    QTest::newRow("sweep, saved") << true << true;
    QTest::newRow("sweep, not saved") << false << true;
}

void TestVnsManager::handOver()
{
    QFETCH(bool, save);
    QFETCH(bool, swept);
    Setup s;
    QVERIFY(s.f.graph.loadCurrentGraph(QStringLiteral("6 000000000000000")));
    s.loader.addGraph(QStringLiteral("2 1")); // an older load, replaced by the hand-over
    QSignalSpy ready(s.m.get(), &VNSManager::signal_graphs_ready);
    QSignalSpy complete(s.m.get(), &VNSManager::signal_optimization_complete);
    QSignalSpy console(s.m.get(), QOverload<QString, bool, int, QColor>::of(&VNSManager::signal_console));
    QSignalSpy published(s.m.get(), &VNSManager::signal_new_solution);
    s.m->slot_save_graphs(save);
    s.m->slot_set_nbnod(6);
    s.m->slot_set_max_evals(300);
    s.m->slot_set_nb_threads(2);
    s.m->slot_use_param1(swept);
    s.m->slot_set_p1min(1);
    s.m->slot_set_p1max(3);
    s.m->slot_startVNS();
    QVERIFY(s.m->wait(120000));

    QStringList found;
    if (swept)
        for (int j = 0; j < s.m->nbJobs(); ++j)
            found += s.m->jobArchive(j)->graphs();
    else
        found = s.m->getBest()->graphs();
    QVERIFY(!found.isEmpty());
    const QVector<QString> buffer = s.loader.getGraphs();
    QCOMPARE(QStringList(buffer.toList()), save ? found : QStringList());
    QCOMPARE(ready.count(), save ? 1 : 0);
    QCOMPARE(complete.count(), 1);
    QVERIFY(
        consoleTexts(console).contains(QString::number(buffer.size()) + QStringLiteral(" Graphs added.")));

    // The last publication reaches the user's graph on the GUI thread: SIZE is maximised, so
    // with 300 evaluations per worker the best graph is complete and the user's graph shows it.
    if (!swept) {
        QTRY_COMPARE(s.f.graph.currentGraphData(), s.m->getBest()->lastSolution()->getGraph());
        QCOMPARE(s.f.graph.graphData(), s.f.graph.currentGraphData());
        QVERIFY(published.count() >= 1);
    }
}

void TestVnsManager::orderOutsideRangeRunsNothing()
{
    Setup s;
    QSignalSpy console(s.m.get(), QOverload<QString, bool, int, QColor>::of(&VNSManager::signal_console));
    QSignalSpy complete(s.m.get(), &VNSManager::signal_optimization_complete);
    s.m->slot_setMaxTime(0);
    s.m->slot_set_nbnod(40);
    s.m->slot_startVNS();
    QVERIFY(s.m->wait(60000));
    for (int i = 0; i < VNSManager::NbWorkers; ++i)
        QCOMPARE(s.m->worker(i)->evaluations(), 0);
    QCOMPARE(complete.count(), 1);
    bool reported = false;
    for (const QString &t : consoleTexts(console))
        reported |= t.contains(QLatin1String("1..32"));
    QVERIFY(reported);
}

void TestVnsManager::secondStartOnlyReports()
{
    Setup s;
    s.m->slot_setMaxTime(0);
    s.m->slot_set_nbnod(8);
    s.m->slot_use_param1(true);
    s.m->slot_set_p1min(1);
    s.m->slot_set_p1max(2);
    s.m->slot_startVNS();
    OptimalSolutions *first = s.m->jobArchive(0);
    s.m->slot_set_p1max(5);
    s.m->slot_startVNS();
    QCOMPARE(s.m->nbJobs(), 2);
    QCOMPARE(s.m->jobArchive(0), first);
    s.m->slot_stopVNS();
    QVERIFY(s.m->wait(60000));
}

void TestVnsManager::destructorStopsRun()
{
    auto *s = new Setup;
    s->m->slot_setMaxTime(0);
    s->m->slot_set_nb_threads(3);
    s->m->slot_set_nbnod(8);
    s->m->slot_startVNS();
    QTRY_VERIFY_WITH_TIMEOUT(s->m->worker(2)->evaluations() > 10, 30000);
    // Every thread must have ended by the time the destructor returns (finished is emitted on
    // the ending thread itself, before its wait returns).
    std::atomic<int> ended{0};
    QObject::connect(s->m.get(), &QThread::finished, [&ended] { ++ended; });
    for (int k = 0; k < 3; ++k)
        QObject::connect(s->m->worker(k), &QThread::finished, [&ended] { ++ended; });
    delete s;
    QCOMPARE(ended.load(), 4);
}

QTEST_MAIN(TestVnsManager)
#include "tst_vnsmanager.moc"
