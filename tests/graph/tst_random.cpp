#include "graph/Random.h"

#include <QtTest>

#include <climits>
#include <thread>

namespace
{

QVector<int> draws(int count)
{
    QVector<int> v;
    for (int i = 0; i < count; ++i)
        v << tsy_qrand();
    return v;
}

} // namespace

class TestRandom : public QObject
{
    Q_OBJECT

private slots:
    void isOdd_data();
    void isOdd();
    void bounded_data();
    void bounded();
    void threadsHaveOwnSequences();
};

void TestRandom::isOdd_data()
{
    QTest::addColumn<int>("v");
    QTest::addColumn<bool>("odd");
    for (int v : {0, 1, 2, -1, -2, -3, INT_MAX, INT_MIN, INT_MIN + 1})
        QTest::addRow("%d", v) << v << (v % 2 != 0);
}

void TestRandom::isOdd()
{
    QFETCH(int, v);
    QFETCH(bool, odd);
    QCOMPARE(is_odd(v), odd);
}

void TestRandom::bounded_data()
{
    QTest::addColumn<int>("k");
    for (int k : {-5, 0, 1, 2, 10, 32, 1000000, INT_MAX})
        QTest::addRow("%d", k) << k;
}

// tsy_rand(k) stays in 0..k-1 and spreads evenly; a bound below 1 gives 0 without a draw.
void TestRandom::bounded()
{
    QFETCH(int, k);
    tsy_srand(77);
    const QVector<int> first = draws(3);
    tsy_srand(77);
    if (k < 1) {
        QCOMPARE(tsy_rand(k), 0);
        QCOMPARE(draws(3), first);
        return;
    }
    const int buckets = std::min(k, 32);
    const int n = 2000 * buckets;
    QVector<int> count(buckets, 0);
    for (int i = 0; i < n; ++i) {
        const int r = tsy_rand(k);
        QVERIFY(r >= 0 && r < k);
        ++count[int(qint64(r) * buckets / k)];
    }
    // Chi-square against the uniform law: mean buckets - 1, allow six standard deviations.
    double chi2 = 0.0;
    for (int c : count)
        chi2 += (c - 2000.0) * (c - 2000.0) / 2000.0;
    QVERIFY2(chi2 <= (buckets - 1) + 6.0 * std::sqrt(2.0 * (buckets - 1)), qPrintable(QString::number(chi2)));
    double sum = 0.0;
    for (int i = 0; i < 10000; ++i) {
        const double x = tsy_rand();
        QVERIFY(x >= 0.0 && x <= 1.0);
        sum += x;
    }
    QVERIFY(std::fabs(sum / 10000 - 0.5) < 0.02);
}

// Seeding repeats a sequence; a thread's seed and draws never reach another thread's sequence,
// and threads that are never seeded do not share one.
void TestRandom::threadsHaveOwnSequences()
{
    tsy_srand(99);
    const QVector<int> expected = draws(20);
    tsy_srand(99);
    const QVector<int> head = draws(10);
    QVector<int> other, unseededA, unseededB;
    std::thread worker([&other] {
        tsy_srand(99);
        other = draws(20);
        tsy_srand(1);
        draws(100);
    });
    std::thread a([&unseededA] { unseededA = draws(8); });
    std::thread b([&unseededB] { unseededB = draws(8); });
    worker.join();
    a.join();
    b.join();
    QCOMPARE(other, expected);
    QCOMPARE(head + draws(10), expected);
    QVERIFY(unseededA != unseededB);
}

QTEST_MAIN(TestRandom)
#include "tst_random.moc"
