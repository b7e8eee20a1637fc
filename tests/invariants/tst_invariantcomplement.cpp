// With "Complement" ticked an invariant gives what it gives on the complement graph, and the
// graph is the same afterwards (same adjacency, same change stamp). Checked for every invariant
// on every graph of the committed reference lists (all graphs on up to 6 vertices, a third of
// those on 7, random graphs on 8 to 32 vertices).

#include "InvariantTestGraphs.h"
#include "invariants/InvariantFactory.h"
#include "support/TestData.h"

#include <QtTest>

#include <memory>

using namespace testgraphs;

namespace
{

QStringList referenceGraphs()
{
    QStringList graphs;
    for (const QString &file :
         {QStringLiteral("invariants_small.txt"), QStringLiteral("invariants_random.txt")}) {
        for (const QString &line : readDataLines(file)) {
            if (!line.startsWith(QLatin1String("G ")))
                continue;
            const QStringList f = line.split(QLatin1Char(' '));
            graphs.append(f.value(1) + QLatin1Char(' ') +
                          (f.value(2) == QLatin1String("-") ? QString() : f.value(2)));
        }
    }
    graphs.prepend(QStringLiteral("0 "));
    return graphs;
}

} // namespace

class TestInvariantComplement : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void complementFlag_data();
    void complementFlag();

private:
    std::unique_ptr<Graph> graph;
    QStringList graphs;
};

void TestInvariantComplement::initTestCase()
{
    graph.reset(new Graph(QStringLiteral("complement"), false));
    graphs = referenceGraphs();
    QVERIFY2(graphs.size() > 600, "reference data missing");
}

void TestInvariantComplement::complementFlag_data()
{
    QTest::addColumn<QString>("key");
    for (const char *k : {"ADJACENCY",     "BALABAN",      "CLAWS",      "COMNEIGH",    "DEGMAX",
                          "DEGMIN",        "DEGREES",      "DIAMETER",   "DISTANCES",   "DISTCLOSESTLEAF",
                          "DTRANSMISSION", "ECCENTRICITY", "HARARY",     "IDENTITY",    "KCHERRIES",
                          "KIRCHHOFF",     "LAPLACIAN",    "MODULARITY", "NLAPLACIAN",  "NUMERO",
                          "ONEMAT",        "ONEVEC",       "ORDER",      "PENDING",     "PLATT",
                          "RADIUS",        "RANDIC",       "SIZE",       "SLLAPLACIAN", "SUMDISTP",
                          "TRANSMISSION",  "TRIANGLES",    "WIENER",     "ZAGREBM1",    "ZAGREBM2"})
        QTest::newRow(k) << QString::fromLatin1(k);
}

void TestInvariantComplement::complementFlag()
{
    QFETCH(QString, key);
    std::unique_ptr<Calculus> flagged(InvariantFactory::make(key, false));
    std::unique_ptr<Calculus> plain(InvariantFactory::make(key, false));
    QVERIFY(flagged && plain);

    for (const QString &g : graphs) {
        QVERIFY(graph->loadtsy(g, false));
        const QString before = graph->currentGraphData();
        const qint64 stamp = graph->getID();
        flagged->setGraph(graph.get());
        flagged->setInvertGraph(true);
        QVERIFY(flagged->compute(true));
        const Outcome a = outcomeOf(flagged.get());
        QCOMPARE(graph->currentGraphData(), before);
        QCOMPARE(graph->getID(), stamp);

        const Outcome b = computeOn(plain.get(), graph.get(), complementString(g));
        const QByteArray where = (key + QStringLiteral(" on ") + g).toLatin1();
        QVERIFY2(a.error == b.error, where.constData());
        QVERIFY2(a.rows == b.rows && a.cols == b.cols, where.constData());
        QVERIFY2(a.values == b.values, where.constData());
    }
}

QTEST_MAIN(TestInvariantComplement)
#include "tst_invariantcomplement.moc"
