#include "optimisation/SignatureTables.h"

#include <QtTest>

#include <algorithm>

// Reference values: the table sizes are binomial coefficients, C(6, p) - 1 and C(10, p) - 1
// for a signature of p edges; the distribution of quintReg entry sizes is the count of labelled
// graphs on five vertices per degree vector (4 * 3 * 2 / 2 = 12 labelled 5-cycles, ...).
static int binomial(int n, int k)
{
    int r = 1;
    for (int i = 1; i <= k; ++i)
        r = r * (n - k + i) / i;
    return r;
}

typedef QVector<QPair<int, int>> EdgeList;

// Signature of the edge set on quint positions, each edge given as two positions.
static int quintCode(const QVector<QPair<int, int>> &edgeList)
{
    int code = 0;
    for (const auto &e : edgeList) {
        const int a = qMin(e.first, e.second), b = qMax(e.first, e.second);
        for (int bit = 0; bit < 10; ++bit)
            if (SignatureTables::quintPairs[bit][0] == a && SignatureTables::quintPairs[bit][1] == b)
                code |= 1 << bit;
    }
    return code;
}

class TestSignatureTables : public QObject
{
    Q_OBJECT

private slots:
    void sizesByEdgeCount_data();
    void sizesByEdgeCount();
    void entriesSortedAndWithoutSelf_data();
    void entriesSortedAndWithoutSelf();
    void quintRegDistribution();
    void fiveCycles();
    void spotEntries_data();
    void spotEntries();
    void comparisons_data();
    void comparisons();
    void signaturesFromRows_data();
    void signaturesFromRows();
};

void TestSignatureTables::sizesByEdgeCount_data()
{
    QTest::addColumn<int>("bits");
    QTest::addColumn<int>("edges");
    for (int p = 0; p <= 6; ++p)
        QTest::addRow("quad %d edges", p) << 6 << p;
    for (int p = 0; p <= 10; ++p)
        QTest::addRow("quint %d edges", p) << 10 << p;
}

void TestSignatureTables::sizesByEdgeCount()
{
    QFETCH(int, bits);
    QFETCH(int, edges);
    const SignatureTables::Table t =
        bits == 6 ? SignatureTables::buildQuadSize() : SignatureTables::buildQuintSize();
    QCOMPARE(t.size(), 1 << bits);
    for (int c = 0; c < t.size(); ++c) {
        int count = 0;
        for (int b = 0; b < bits; ++b)
            count += (c >> b) & 1;
        if (count != edges)
            continue;
        QCOMPARE(t[c].size(), binomial(bits, edges) - 1);
        for (int d : t[c]) {
            int dc = 0;
            for (int b = 0; b < bits; ++b)
                dc += (d >> b) & 1;
            QCOMPARE(dc, edges);
        }
    }
}

void TestSignatureTables::entriesSortedAndWithoutSelf_data()
{
    QTest::addColumn<int>("which");
    QTest::newRow("quadSize") << 0;
    QTest::newRow("quintSize") << 1;
    QTest::newRow("quintReg") << 2;
}

void TestSignatureTables::entriesSortedAndWithoutSelf()
{
    QFETCH(int, which);
    const SignatureTables::Table t = which == 0   ? SignatureTables::buildQuadSize()
                                     : which == 1 ? SignatureTables::buildQuintSize()
                                                  : SignatureTables::buildQuintReg();
    for (int c = 0; c < t.size(); ++c) {
        QVERIFY(!t[c].contains(c));
        QVERIFY(std::is_sorted(t[c].begin(), t[c].end()));
        QVERIFY(std::adjacent_find(t[c].begin(), t[c].end()) == t[c].end());
        // The relation is symmetric.
        for (int d : t[c])
            QVERIFY(t[d].contains(c));
    }
}

void TestSignatureTables::quintRegDistribution()
{
    const SignatureTables::Table t = SignatureTables::buildQuintReg();
    QCOMPARE(t.size(), 1024);
    QMap<int, int> bySize;
    int total = 0;
    for (const QVector<int> &entry : t) {
        ++bySize[entry.size()];
        total += entry.size();
    }
    const QMap<int, int> expected{{0, 332}, {1, 180}, {2, 180}, {5, 180}, {6, 140}, {11, 12}};
    QCOMPARE(bySize, expected);
    QCOMPARE(total, 2412);
}

void TestSignatureTables::fiveCycles()
{
    // The 12 labelled 5-cycles: vertex 0 first, the remaining four in every order, each cycle
    // met twice (once per direction).
    QSet<int> cycles;
    QVector<int> rest{1, 2, 3, 4};
    do {
        const QVector<int> c{0, rest[0], rest[1], rest[2], rest[3]};
        QVector<QPair<int, int>> edgeList;
        for (int i = 0; i < 5; ++i)
            edgeList.append({c[i], c[(i + 1) % 5]});
        cycles.insert(quintCode(edgeList));
    } while (std::next_permutation(rest.begin(), rest.end()));
    QCOMPARE(cycles.size(), 12);
    const int c665 = quintCode({{0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 0}});
    QCOMPARE(c665, 665);
    const SignatureTables::Table t = SignatureTables::buildQuintReg();
    QSet<int> others = cycles;
    others.remove(665);
    const QVector<int> entry = t[665];
    QCOMPARE(QSet<int>(entry.begin(), entry.end()), others);
}

void TestSignatureTables::spotEntries_data()
{
    QTest::addColumn<int>("which");
    QTest::addColumn<int>("code");
    QTest::addColumn<QVector<int>>("entry");
    QTest::newRow("quadSize 0 empty") << 0 << 0 << QVector<int>{};
    QTest::newRow("quadSize 63 empty") << 0 << 63 << QVector<int>{};
    QTest::newRow("quadSize single edge") << 0 << 1 << QVector<int>{2, 4, 8, 16, 32};
    QTest::newRow("quadSize five edges") << 0 << 62 << QVector<int>{47, 55, 59, 61, 63 - 32};
    QTest::newRow("quintSize 0 empty") << 1 << 0 << QVector<int>{};
    QTest::newRow("quintSize 1023 empty") << 1 << 1023 << QVector<int>{};
    QTest::newRow("quintReg 0 empty") << 2 << 0 << QVector<int>{};
    QTest::newRow("quintReg 1 empty") << 2 << 1 << QVector<int>{};
    QTest::newRow("quintReg 1023 empty") << 2 << 1023 << QVector<int>{};
    // Path 0-1-2 (degrees 1, 2, 1, 0, 0): only itself; the path 1-0-2 has other degrees.
    QTest::newRow("quintReg short path") << 2 << quintCode({{0, 1}, {1, 2}}) << QVector<int>{};
    // Matching {0-1, 2-3} and {0-2, 1-3} and {0-3, 1-2}: all positions 0..3 of degree 1.
    QTest::newRow("quintReg matchings")
        << 2 << quintCode({{0, 1}, {2, 3}})
        << QVector<int>{quintCode({{0, 2}, {1, 3}}), quintCode({{0, 3}, {1, 2}})};
}

void TestSignatureTables::spotEntries()
{
    QFETCH(int, which);
    QFETCH(int, code);
    QFETCH(QVector<int>, entry);
    const SignatureTables::Table t = which == 0   ? SignatureTables::buildQuadSize()
                                     : which == 1 ? SignatureTables::buildQuintSize()
                                                  : SignatureTables::buildQuintReg();
    QVector<int> sorted = entry;
    std::sort(sorted.begin(), sorted.end());
    QCOMPARE(t[code], sorted);
}

void TestSignatureTables::comparisons_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<bool>("equal");
    QTest::newRow("quad bit 6 ignored") << 0 << 3 << 69 << true;
    QTest::newRow("quad counts differ") << 0 << 3 << 7 << false;
    QTest::newRow("quint bit 10 ignored") << 1 << 1 << (1024 + 2) << true;
    QTest::newRow("quint counts differ") << 1 << 0 << 1 << false;
    // Edge 0-1 and edge 1-2 have the same sorted degrees but not position by position.
    QTest::newRow("deg single edges") << 2 << 1 << 16 << false;
    QTest::newRow("size single edges") << 1 << 1 << 16 << true;
    QTest::newRow("deg equal to itself") << 2 << 665 << 665 << true;
}

void TestSignatureTables::comparisons()
{
    QFETCH(int, kind);
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(bool, equal);
    const bool result = kind == 0   ? SignatureTables::eqQuadSize(a, b)
                        : kind == 1 ? SignatureTables::eqQuintSize(a, b)
                                    : SignatureTables::eqQuintDeg(a, b);
    QCOMPARE(result, equal);
}

void TestSignatureTables::signaturesFromRows_data()
{
    QTest::addColumn<EdgeList>("graphEdges");
    QTest::addColumn<QVector<int>>("tuple");
    QTest::addColumn<int>("signature");
    // Path 3-7-20-31: pairs of positions (0,1), (1,2), (2,3) -> bits 0, 3, 5.
    QTest::newRow("quad path") << EdgeList{{3, 7}, {7, 20}, {20, 31}} << QVector<int>{3, 7, 20, 31}
                               << (1 | 8 | 32);
    QTest::newRow("quad reversed") << EdgeList{{3, 7}, {7, 20}, {20, 31}} << QVector<int>{31, 20, 7, 3}
                                   << (1 | 8 | 32);
    QTest::newRow("quad star centre 3") << EdgeList{{0, 3}, {1, 3}, {2, 3}} << QVector<int>{3, 0, 1, 2} << 7;
    QTest::newRow("quint cycle") << EdgeList{{0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 0}}
                                 << QVector<int>{0, 1, 2, 3, 4} << 665;
    QTest::newRow("quint edge 3-4 only")
        << EdgeList{{10, 11}, {30, 31}} << QVector<int>{0, 1, 2, 30, 31} << 512;
}

void TestSignatureTables::signaturesFromRows()
{
    QFETCH(EdgeList, graphEdges);
    QFETCH(QVector<int>, tuple);
    QFETCH(int, signature);
    quint32 rows[32] = {};
    for (const auto &e : graphEdges) {
        rows[e.first] |= 1u << e.second;
        rows[e.second] |= 1u << e.first;
    }
    const int code = tuple.size() == 4 ? SignatureTables::quadSignature(rows, tuple.constData())
                                       : SignatureTables::quintSignature(rows, tuple.constData());
    QCOMPARE(code, signature);
}

QTEST_MAIN(TestSignatureTables)
#include "tst_signaturetables.moc"
