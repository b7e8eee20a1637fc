// Every invariant with a textbook meaning against the values networkx and numpy give, on every
// graph on 1 to 6 vertices, a third of those on 7 and a fixed set of random graphs on 8 to 32
// vertices (tests/generators/invariants_reference.py wrote tests/data/invariants_*.txt).
//
// Where the textbook value is undefined the program has rules of its own, applied here:
//  - a pair in different components is at distance 1e12 (DISTANCES), and the distance invariants
//    of a disconnected graph set the error flag: ECCENTRICITY gives 1e12 for every vertex,
//    RADIUS 1e12, TRANSMISSION adds 1e12 and DTRANSMISSION 1e-12 per unreachable vertex (all keep
//    their shape); WIENER, HARARY, DIAMETER, DISTCLOSESTLEAF, SUMDISTP, BALABAN and KIRCHHOFF
//    report no value (shape 0 x 0);
//  - DISTCLOSESTLEAF of a graph without a vertex of degree 1 is an error (shape 0 x 0);
//  - KIRCHHOFF refuses orders below 3;
//  - NLAPLACIAN has 1 on the whole diagonal, isolated vertices included (networkx puts 0 there);
//  - MODULARITY of a graph without edges is its adjacency matrix, all zero (networkx divides by 0).

#include "InvariantTestGraphs.h"
#include "invariants/InvariantFactory.h"
#include "support/TestData.h"

#include <QHash>
#include <QMap>
#include <QtTest>

#include <cmath>
#include <limits>
#include <memory>

namespace
{

struct GraphBlock {
    QString graph; // graph string
    int n = 0;
    QMap<QString, QVector<double>> values; // absent when the reference says "none"
    QStringList undefined;
};

QVector<GraphBlock> readBlocks(const QString &file)
{
    QVector<GraphBlock> blocks;
    for (const QString &line : readDataLines(file)) {
        const QStringList f = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (f.isEmpty())
            continue;
        if (f[0] == QLatin1String("G")) {
            GraphBlock b;
            b.n = f.value(1).toInt();
            const QString pairs = f.value(2) == QLatin1String("-") ? QString() : f.value(2);
            b.graph = QString::number(b.n) + QLatin1Char(' ') + pairs;
            blocks.append(b);
            continue;
        }
        if (blocks.isEmpty())
            continue;
        if (f.size() == 2 && f[1] == QLatin1String("none")) {
            blocks.last().undefined.append(f[0]);
            continue;
        }
        QVector<double> v;
        for (int k = 1; k < f.size(); ++k)
            v.append(f[k] == QLatin1String("inf") ? std::numeric_limits<double>::infinity()
                                                  : f[k].toDouble());
        blocks.last().values.insert(f[0], v);
    }
    return blocks;
}

enum Kind { Value, Vector, Matrix };

Kind kindOf(const QString &key)
{
    static const QStringList vectors = {"DEGREES",         "DTRANSMISSION", "ECCENTRICITY", "KCHERRIES",
                                        "DISTCLOSESTLEAF", "SUMDISTP",      "TRANSMISSION"};
    static const QStringList matrices = {"ADJACENCY",  "COMNEIGH",   "DISTANCES",  "LAPLACIAN",
                                         "MODULARITY", "NLAPLACIAN", "SLLAPLACIAN"};
    if (vectors.contains(key))
        return Vector;
    if (matrices.contains(key))
        return Matrix;
    return Value;
}

struct Expected {
    int rows = 0;
    int cols = 0;
    bool error = false;
    QVector<double> values;
    double tolerance = 1e-9;
};

// The program's answer for one invariant of one graph, from the reference by the rules above.
Expected expectedFor(const GraphBlock &b, const QString &key)
{
    const int n = b.n;
    const double far = 1e12;
    Expected e;
    const Kind kind = kindOf(key);
    const auto shape = [&](Expected &x) {
        x.rows = kind == Value ? 1 : n;
        x.cols = kind == Matrix ? n : 1;
    };
    const QVector<double> dist = b.values.value(QStringLiteral("DISTANCES"));

    if (b.values.contains(key)) {
        shape(e);
        e.values = b.values.value(key);
        if (key == QLatin1String("DISTANCES")) {
            for (double &x : e.values) {
                if (std::isinf(x)) {
                    x = far;
                    e.error = true;
                }
            }
        } else if (key == QLatin1String("KIRCHHOFF")) {
            e.tolerance = 1e-7; // the spectrum comes from Jacobi rotations with tolerance 1e-6
            if (n < 3) {
                e = Expected();
                e.error = true;
            }
        } else if (key == QLatin1String("NLAPLACIAN")) {
            for (int i = 0; i < n; ++i)
                e.values[i * n + i] = 1.0;
        }
        return e;
    }

    // Undefined in the textbook sense.
    e.error = true;
    if (key == QLatin1String("ECCENTRICITY")) {
        shape(e);
        e.values.fill(far, n);
    } else if (key == QLatin1String("RADIUS")) {
        shape(e);
        e.values = {far};
    } else if (key == QLatin1String("TRANSMISSION") || key == QLatin1String("DTRANSMISSION")) {
        shape(e);
        const bool inverse = key == QLatin1String("DTRANSMISSION");
        for (int i = 0; i < n; ++i) {
            double s = 0.0;
            for (int j = 0; j < n; ++j) {
                if (j == i)
                    continue;
                const double d = std::isinf(dist[i * n + j]) ? far : dist[i * n + j];
                s += inverse ? 1.0 / d : d;
            }
            e.values.append(s);
        }
    } else if (key == QLatin1String("MODULARITY")) {
        shape(e);
        e.error = false;
        e.values.fill(0.0, n * n);
    }
    return e;
}

bool close(double actual, double expected, double tolerance)
{
    return std::fabs(actual - expected) <= tolerance * std::max(1.0, std::fabs(expected));
}

} // namespace

class TestInvariantReference : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void matchesReference_data();
    void matchesReference();

private:
    Calculus *item(const QString &key);

    std::unique_ptr<Graph> graph;
    QHash<QString, Calculus *> items;
};

void TestInvariantReference::initTestCase()
{
    graph.reset(new Graph(QStringLiteral("reference"), false));
    QVERIFY2(readBlocks(QStringLiteral("invariants_small.txt")).size() > 500, "reference data missing");
    QVERIFY2(readBlocks(QStringLiteral("invariants_random.txt")).size() > 50, "reference data missing");
}

void TestInvariantReference::cleanupTestCase()
{
    qDeleteAll(items);
    items.clear();
}

Calculus *TestInvariantReference::item(const QString &key)
{
    Calculus *c = items.value(key);
    if (!c) {
        c = InvariantFactory::make(key, false);
        if (c) {
            c->setGraph(graph.get());
            items.insert(key, c);
        }
    }
    return c;
}

void TestInvariantReference::matchesReference_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("graphText");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("cols");
    QTest::addColumn<bool>("error");
    QTest::addColumn<QVector<double>>("values");
    QTest::addColumn<double>("tolerance");

    for (const QString &file :
         {QStringLiteral("invariants_small.txt"), QStringLiteral("invariants_random.txt")}) {
        for (const GraphBlock &b : readBlocks(file)) {
            QStringList keys = b.values.keys() + b.undefined;
            keys.sort();
            for (const QString &key : keys) {
                const Expected e = expectedFor(b, key);
                QTest::addRow("%s %s", qPrintable(key), qPrintable(b.graph))
                    << key << b.graph << e.rows << e.cols << e.error << e.values << e.tolerance;
            }
        }
    }
}

void TestInvariantReference::matchesReference()
{
    QFETCH(QString, key);
    QFETCH(QString, graphText);
    QFETCH(int, rows);
    QFETCH(int, cols);
    QFETCH(bool, error);
    QFETCH(QVector<double>, values);
    QFETCH(double, tolerance);

    Calculus *c = item(key);
    QVERIFY2(c, qPrintable(QStringLiteral("no item for ") + key));
    QVERIFY(graph->loadtsy(graphText, false));
    QVERIFY(c->compute(true));

    QCOMPARE(c->error, error);
    QCOMPARE(c->rows, rows);
    QCOMPARE(c->cols, cols);
    for (int i = 0; i < rows; ++i) {
        for (int j = 0; j < cols; ++j) {
            const double want = values.at(i * cols + j);
            const double got = c->M[i][j];
            QVERIFY2(close(got, want, tolerance), qPrintable(QStringLiteral("entry (%1, %2): %3, expected %4")
                                                                 .arg(i)
                                                                 .arg(j)
                                                                 .arg(got, 0, 'g', 15)
                                                                 .arg(want, 0, 'g', 15)));
        }
    }
}

QTEST_MAIN(TestInvariantReference)
#include "tst_invariantreference.moc"
