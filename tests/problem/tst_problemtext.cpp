#include "ProblemTextFixture.h"

#include "graph/Graph.h"
#include "optimisation/ProblemSnapshot.h"
#include "problem/Eval.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// Problem texts written and read back: through the text, problem files, the autosave file, the
// settings store, clones and snapshots.
class TestProblemText : public QObject
{
    Q_OBJECT

private slots:
    void roundTripRandomBoards_data();
    void roundTripRandomBoards();
    void roundTripWithInterface();
    void exampleText();
    void separatorsInTitleAndNames_data();
    void separatorsInTitleAndNames();
    void cloneKeepsProblemAndSettings();
    void parameterValueIsNotSaved();
};

void TestProblemText::roundTripRandomBoards_data()
{
    QTest::addColumn<quint32>("seed");
    for (quint32 seed = 1; seed <= 40; ++seed)
        QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(seed))) << seed;
}

void TestProblemText::roundTripRandomBoards()
{
    QFETCH(quint32, seed);
    tsy_srand(seed);
    Graph g(QStringLiteral("g"), false);
    g.randomGraph(6);
    Problem original(&g, QStringLiteral("original"), false);
    buildRandomBoard(original, false);
    const QString text = original.saveString();

    Problem copy(&g, QStringLiteral("copy"), false);
    QVERIFY(copy.openString(text));
    QCOMPARE(shape(copy), shape(original));
    QCOMPARE(copy.saveString(), text);
    QVERIFY(!original.userTitle().contains(QLatin1Char('\t')));
    QVERIFY(!original.userDescription().contains(QStringLiteral("<NEW>")));

    // Reading into a board that already holds a problem replaces it entirely.
    QVERIFY(original.openString(text));
    QCOMPARE(shape(original), shape(copy));

    // Through a problem file: the same text and the same evaluation.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("random.tsy3"));
    QVERIFY(original.save(path));
    Problem fromFile(&g, QStringLiteral("file"), false);
    QVERIFY(fromFile.open(path));
    QCOMPARE(fromFile.saveString(), text);
    Eval before, after;
    original.eval(&before);
    fromFile.eval(&after);
    QCOMPARE(after.display(), before.display());
}

void TestProblemText::roundTripWithInterface()
{
    tsy_srand(77);
    Graph g(QStringLiteral("g"), false);
    g.randomGraph(5);
    Problem original(&g, QStringLiteral("problem"), true);
    buildRandomBoard(original, true);
    const QString text = original.saveString();
    Problem copy(&g, QStringLiteral("problem"), true);
    QVERIFY(copy.openString(text));
    QCOMPARE(shape(copy), shape(original));
    QCOMPARE(copy.saveString(), text);
    for (Calculus *c : copy.evaluationStack() + copy.objectiveStack()) {
        QCOMPARE(c->scene(), copy.scene());
        QVERIFY(!c->isItemSelected());
    }
    // The headless board reads what the board with an interface wrote, and the other way round.
    Problem headless(&g, QStringLiteral("clone"), false);
    QVERIFY(headless.openString(text));
    QCOMPARE(headless.saveString(), text);
}

void TestProblemText::exampleText()
{
    // A board with the invariant ORDER (given name n) minimised, title T, no description.
    BuildCalculus catalogue;
    Calculus *order = catalogue.makeCalculus(QStringLiteral("ORDER"), false);
    if (!order)
        QSKIP("ORDER is not made by the factory yet");
    Graph g(QStringLiteral("g"), false);
    Problem p(&g, QStringLiteral("t"), false);
    p.addInvariantItem(order);
    order->setGivenName(QStringLiteral("n"));
    order->setInReport(true);
    order->setPos(84.5, -12);
    Calculus *z = catalogue.makeCalculus(QStringLiteral("Z"), false);
    p.addZItem(z);
    z->setPos(90, 150);
    p.link1(order, z);
    p.slot_set_title(QStringLiteral("T"));
    const QString expected = QStringLiteral("ORDER\tn\t1\t0\t0\t0\t84.5\t-12\tNULL\tNULL\tNULL\tNULL<NEW>"
                                            "PARAM 2\t\t0\t0\t0\t0\t0\t0\tNULL\tNULL\tNULL\tNULL<NEW>"
                                            "PARAM 1\t\t0\t0\t0\t0\t0\t0\tNULL\tNULL\tNULL\tNULL<NEW>"
                                            "Z\t\t0\t0\t0\t0\t90\t150\t0\tNULL\tNULL\tNULL\tmin<NEW>"
                                            "Colors\t\t0\t0\t0\t0\t0\t0\tNULL\tNULL\tNULL\tNULL<NEW>"
                                            "Labels\t\t0\t0\t0\t0\t0\t0\tNULL\tNULL\tNULL\tNULL<NEW>"
                                            "E_Labels\t\t0\t0\t0\t0\t0\t0\tNULL\tNULL\tNULL\tNULL<NEW>"
                                            "DESC\tT\t");
    p.getColors()->setPos(0, 0);
    p.getLabels()->setPos(0, 0);
    p.getELabels()->setPos(0, 0);
    QCOMPARE(p.saveString(), expected);
}

void TestProblemText::separatorsInTitleAndNames_data()
{
    // Every way a problem is copied: its text, problem files, the autosave file, the settings
    // store, a worker's clone and the snapshot a job starts from.
    QTest::addColumn<QString>("copy");
    for (const char *copy : {"text", "file", "autosave", "settings", "clone", "snapshot"})
        QTest::newRow(copy) << copy;
}

void TestProblemText::separatorsInTitleAndNames()
{
    QFETCH(QString, copy);
    Graph g(QStringLiteral("g"), false);
    Problem p(&g, QStringLiteral("t"), false);
    p.slot_set_title(QStringLiteral("a\tb\nc<NEW>d"));
    p.slot_set_description(QStringLiteral("line 1\nline 2\r\n\tx<NEW>y\r\n\nlast\rend"));
    p.getParam1()->setGivenName(QStringLiteral("p\tq\nr\r\ns<NEW>t"));
    // Tabs become blanks and "<NEW>" is broken up; the title and the description keep the user's
    // line breaks (one kind of them), a given name heads an analyst column and keeps none.
    const QString title = QStringLiteral("a b\nc<NEW >d");
    const QString description = QStringLiteral("line 1\nline 2\n x<NEW >y\n\nlast\nend");
    const QString givenName = QStringLiteral("p q r  s<NEW >t");
    QCOMPARE(p.userTitle(), title);
    QCOMPARE(p.userDescription(), description);
    QCOMPARE(p.getParam1()->getGivenName(), givenName);
    const QString text = p.saveString();
    QCOMPARE(text.count(QStringLiteral("<NEW>")), 5);
    QCOMPARE(text.count(QLatin1Char('\t')), 5 * 11 + 2);

    QTemporaryDir dir;
    std::unique_ptr<Problem> q;
    if (copy == QLatin1String("clone")) {
        q.reset(p.clone());
    } else {
        q = std::make_unique<Problem>(&g, QStringLiteral("q"), false);
        if (copy == QLatin1String("text")) {
            QVERIFY(q->openString(text));
        } else if (copy == QLatin1String("file")) {
            const QString path = dir.filePath(QStringLiteral("p.tsy3"));
            QVERIFY(p.save(path));
            QVERIFY(q->open(path));
        } else if (copy == QLatin1String("autosave")) {
            p.setWD(dir.path());
            q->setWD(dir.path());
            QVERIFY(p.autosave());
            QVERIFY(q->autoload());
        } else if (copy == QLatin1String("settings")) {
            const QString store = dir.filePath(QStringLiteral("store.ini"));
            {
                QSettings settings(store, QSettings::IniFormat);
                settings.setValue(QStringLiteral("problem"), p.saveString());
            }
            QSettings settings(store, QSettings::IniFormat);
            QVERIFY(q->openString(settings.value(QStringLiteral("problem")).toString()));
        } else {
            QVERIFY(ProblemSnapshot::take(&p, &g).applyTo(q.get()));
        }
    }
    QCOMPARE(q->userTitle(), title);
    QCOMPARE(q->userDescription(), description);
    QCOMPARE(q->getParam1()->getGivenName(), givenName);
    QCOMPARE(q->saveString(), text);
}

void TestProblemText::cloneKeepsProblemAndSettings()
{
    tsy_srand(3);
    Graph g(QStringLiteral("g"), false);
    g.randomGraph(7);
    Problem p(&g, QStringLiteral("problem"), true);
    buildRandomBoard(p, true);
    p.setDiameter(true);
    p.setDiameterIntType(1);
    p.setDiameterValue(3);
    p.setDegmax(true);
    p.setDegmaxIntType(0);
    p.setDegmaxValue(5);
    p.setRegular(true);
    p.setRegDegree(3);
    p.setNbArcs(12);
    p.setNbNod(7);
    p.setConnected(false);
    p.setConnectedBar(true);
    p.setChemical(true);
    p.slot_set_max_eval(9);
    Problem *c = p.clone();
    QCOMPARE(c->getName(), QStringLiteral("clone"));
    QVERIFY(!c->hasGui());
    QCOMPARE(c->scene(), nullptr);
    QCOMPARE(c->getGraph(), &g);
    QCOMPARE(c->saveString(), p.saveString());
    QCOMPARE(c->getDiameter(), true);
    QCOMPARE(c->getDiameterType(), 1);
    QCOMPARE(c->getDiameterValue(), 3);
    QCOMPARE(c->getDegmax(), true);
    QCOMPARE(c->getDegmaxType(), 0);
    QCOMPARE(c->getDegmaxValue(), 5);
    QCOMPARE(c->getRegular(), true);
    QCOMPARE(c->getRegDegree(), 3);
    QCOMPARE(c->getFixNbArcs(), true);
    QCOMPARE(c->getNbArcs(), 12);
    QCOMPARE(c->getNbNod(), 7);
    QCOMPARE(c->getConnected(), false);
    QCOMPARE(c->getConnectedBar(), true);
    QCOMPARE(c->getChemical(), true);
    QCOMPARE(c->getMaxEval(), 0);
    for (Calculus *item : c->evaluationStack() + c->objectiveStack())
        QCOMPARE(item->getCalculusDisplay(), nullptr);
    delete c;
}

void TestProblemText::parameterValueIsNotSaved()
{
    // The search sets the parameters for every job: a read gives them their first value again.
    Graph g(QStringLiteral("g"), false);
    Problem board(&g, QStringLiteral("t"), false);
    board.setP1(42);
    QCOMPARE(board.getParam1()->getParam(), 42);
    Problem copy(&g, QStringLiteral("copy"), false);
    QVERIFY(copy.openString(board.saveString()));
    QCOMPARE(copy.getParam1()->getParam(), 10);
    g.addNode();
    copy.compute(true);
    QCOMPARE(copy.getParam1()->getValue(1), 10.0);
}

QTEST_MAIN(TestProblemText)
#include "tst_problemtext.moc"
