#include "ShellFixture.h"

#include "graph/Graph.h"
#include "optimisation/VNS.h"
#include "optimisation/VNSManager.h"
#include "problem/BuildCalculus.h"
#include "problem/Problem.h"
#include "shell/MainWidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QSlider>
#include <QSpinBox>
#include <QTest>

#include <memory>

// The inspector's optimisation and constraint pages, driven as a user does: check boxes are
// clicked, spin boxes get new values, relation boxes are stepped with the keyboard.
class TestInspector : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void constraintInterlocks_data();
    void constraintInterlocks();
    void relationBoxesSetTheProblem();
    void p1RangesBoundEachOther();
    void parameterEnablingChain();
    void settingsReachTheManager();

private:
    void apply(const QString &step);
    template <class T> T *c(const char *name) { return hub->control<T>(QString::fromLatin1(name)); }

    std::unique_ptr<IsolatedSettings> isolation;
    std::unique_ptr<BuildCalculus> catalogue;
    std::unique_ptr<MainWidget> hub;
};

void TestInspector::initTestCase()
{
    isolation = std::make_unique<IsolatedSettings>();
    catalogue = std::make_unique<BuildCalculus>();
}

void TestInspector::init()
{
    CerrCapture quiet;
    hub = std::make_unique<MainWidget>(catalogue.get());
    hub->getInspectorWindow()->show();
}

void TestInspector::cleanup()
{
    CerrCapture quiet;
    hub.reset();
}

// "click:<box>" clicks a check box; "<spin>=<value>" sets a spin box.
void TestInspector::apply(const QString &step)
{
    if (step.startsWith(QLatin1String("click:"))) {
        auto *box = hub->control<QCheckBox>(step.mid(6));
        QVERIFY2(box, qPrintable(step));
        QVERIFY2(box->isEnabled(), qPrintable(step));
        box->click();
        return;
    }
    const QStringList parts = step.split('=');
    auto *spin = hub->control<QSpinBox>(parts.value(0));
    QVERIFY2(spin && parts.size() == 2, qPrintable(step));
    spin->setValue(parts[1].toInt());
}

void TestInspector::constraintInterlocks_data()
{
    QTest::addColumn<QStringList>("steps");
    // Expected state: size box range and enabled, "SIZE =" ticked and enabled, "DEGMAX" ticked and
    // enabled, the degree box maximum, the maximum-degree value range, the problem's degmax flag.
    QTest::addColumn<QVector<int>>("size");    // min, max, enabled
    QTest::addColumn<QVector<int>>("sizeFix"); // checked, enabled
    QTest::addColumn<QVector<int>>("degmax");  // checked, enabled, min, max, problem flag
    QTest::addColumn<int>("degreeMax");

    QTest::newRow("start") << QStringList() << QVector<int>{9, 45, 0} << QVector<int>{0, 1}
                           << QVector<int>{0, 1, 1, 9, 0} << 9;
    QTest::newRow("order 5, connected") << QStringList{"order=5"} << QVector<int>{4, 10, 0}
                                        << QVector<int>{0, 1} << QVector<int>{0, 1, 1, 4, 0} << 4;
    QTest::newRow("order 32, not connected, chemical")
        << QStringList{"click:connected", "click:chemical", "order=32"} << QVector<int>{0, 64, 0}
        << QVector<int>{0, 1} << QVector<int>{0, 1, 0, 31, 0} << 31;
    // Lowering the order clamps the maximum degree to 7, whose own bound 8*7/2 = 28 comes last.
    QTest::newRow("chemical, order 10 to 8")
        << QStringList{"click:chemical", "order=8"} << QVector<int>{7, 28, 0} << QVector<int>{0, 1}
        << QVector<int>{0, 1, 1, 7, 0} << 7;
    QTest::newRow("size fixed") << QStringList{"click:sizeFix"} << QVector<int>{9, 45, 1}
                                << QVector<int>{1, 1} << QVector<int>{0, 1, 1, 9, 0} << 9;
    QTest::newRow("regular, order 9, degree 3")
        << QStringList{"order=9", "click:degmax", "click:regular", "degree=3"} << QVector<int>{13, 13, 0}
        << QVector<int>{1, 0} << QVector<int>{0, 0, 1, 8, 0} << 8;
    QTest::newRow("regular ticked then unticked")
        << QStringList{"order=9", "click:regular", "degree=3", "click:regular"} << QVector<int>{8, 36, 1}
        << QVector<int>{1, 1} << QVector<int>{0, 1, 1, 8, 0} << 8;
    QTest::newRow("degmax 3, order 10")
        << QStringList{"click:degmax", "degmaxValue=3"} << QVector<int>{9, 15, 0} << QVector<int>{0, 1}
        << QVector<int>{1, 1, 1, 9, 1} << 9;
    QTest::newRow("degmax 3, order 11")
        << QStringList{"click:degmax", "degmaxValue=3", "order=11"} << QVector<int>{10, 55, 0}
        << QVector<int>{0, 1} << QVector<int>{1, 1, 1, 10, 1} << 10;
    QTest::newRow("degmax 3, order 12")
        << QStringList{"click:degmax", "degmaxValue=3", "order=11", "order=12"} << QVector<int>{11, 66, 0}
        << QVector<int>{0, 1} << QVector<int>{1, 1, 1, 11, 1} << 11;
    QTest::newRow("chemical unticks degmax")
        << QStringList{"click:degmax", "click:chemical"} << QVector<int>{9, 45, 0} << QVector<int>{0, 1}
        << QVector<int>{0, 1, 1, 9, 0} << 9;
}

void TestInspector::constraintInterlocks()
{
    QFETCH(QStringList, steps);
    QFETCH(QVector<int>, size);
    QFETCH(QVector<int>, sizeFix);
    QFETCH(QVector<int>, degmax);
    QFETCH(int, degreeMax);
    for (const QString &s : steps) {
        apply(s);
        if (QTest::currentTestFailed())
            return;
    }
    auto *sizeBox = c<QSpinBox>("size");
    QCOMPARE(sizeBox->minimum(), size[0]);
    QCOMPARE(sizeBox->maximum(), size[1]);
    QCOMPARE(int(sizeBox->isEnabled()), size[2]);
    QCOMPARE(int(c<QCheckBox>("sizeFix")->isChecked()), sizeFix[0]);
    QCOMPARE(int(c<QCheckBox>("sizeFix")->isEnabled()), sizeFix[1]);
    QCOMPARE(int(c<QCheckBox>("degmax")->isChecked()), degmax[0]);
    QCOMPARE(int(c<QCheckBox>("degmax")->isEnabled()), degmax[1]);
    QCOMPARE(c<QSpinBox>("degmaxValue")->minimum(), degmax[2]);
    QCOMPARE(c<QSpinBox>("degmaxValue")->maximum(), degmax[3]);
    QCOMPARE(int(hub->getProblem()->getDegmax()), degmax[4]);
    // The value and relation boxes follow their row's box.
    QCOMPARE(c<QSpinBox>("degmaxValue")->isEnabled(), bool(degmax[0]));
    QCOMPARE(c<QComboBox>("degmaxRelation")->isEnabled(), bool(degmax[0]));
    QCOMPARE(c<QSpinBox>("degree")->maximum(), degreeMax);
    // The problem and the box agree on what the box shows.
    QCOMPARE(hub->getProblem()->getNbNod(), c<QSpinBox>("order")->value());
    QCOMPARE(hub->getProblem()->getFixNbArcs(), c<QCheckBox>("sizeFix")->isChecked());
    if (sizeBox->value() != 10)
        QCOMPARE(hub->getProblem()->getNbArcs(), sizeBox->value());
}

void TestInspector::relationBoxesSetTheProblem()
{
    Problem *p = hub->getProblem();
    c<QCheckBox>("diameter")->click();
    auto *relation = c<QComboBox>("diameterRelation");
    QVERIFY(relation->isEnabled());
    QTest::keyClick(relation, Qt::Key_Down);
    QCOMPARE(relation->currentText(), QStringLiteral("=="));
    QCOMPARE(p->getDiameterType(), 0);
    QTest::keyClick(relation, Qt::Key_Down);
    QCOMPARE(p->getDiameterType(), 1);
    // Unticking keeps the relation; ticking again works with the one still shown.
    c<QCheckBox>("diameter")->click();
    QVERIFY(!p->getDiameter());
    QCOMPARE(p->getDiameterType(), 1);
    c<QCheckBox>("diameter")->click();
    QVERIFY(p->getDiameter());
    c<QSpinBox>("diameterValue")->setValue(4);
    QCOMPARE(p->getDiameterValue(), 4);

    c<QCheckBox>("degmax")->click();
    QTest::keyClick(c<QComboBox>("degmaxRelation"), Qt::Key_Down);
    QCOMPARE(p->getDegmaxType(), 0);
    QTest::keyClick(c<QComboBox>("degmaxRelation"), Qt::Key_Up);
    QCOMPARE(p->getDegmaxType(), -1);
}

void TestInspector::p1RangesBoundEachOther()
{
    c<QCheckBox>("useP1")->click();
    auto *lo = c<QSpinBox>("p1Min");
    auto *hi = c<QSpinBox>("p1Max");
    QVERIFY(lo->isEnabled() && hi->isEnabled());
    hi->setValue(50);
    QCOMPARE(lo->maximum(), 50);
    lo->setValue(3);
    QCOMPARE(hi->minimum(), 3);
    hi->setValue(3);
    QCOMPARE(lo->maximum(), 3);
    lo->setValue(40); // clamped to p1 max
    QCOMPARE(lo->value(), 3);
}

void TestInspector::parameterEnablingChain()
{
    CerrCapture quiet;
    auto *useP2 = c<QCheckBox>("useP2");
    QVERIFY(!useP2->isEnabled());
    QVERIFY(!c<QCheckBox>("p1")->isEnabled());
    c<QCheckBox>("useP1")->click();
    QVERIFY(useP2->isEnabled());
    QVERIFY(c<QCheckBox>("p1")->isEnabled());
    useP2->click();
    QVERIFY(c<QCheckBox>("p2")->isEnabled());
    // P1 fixes the order to p1: the order box is disabled and keeps its value.
    c<QCheckBox>("p1")->click();
    QVERIFY(!c<QSpinBox>("order")->isEnabled());
    QCOMPARE(c<QSpinBox>("order")->value(), 10);
    // "Use p1" off disables what it enabled, without changing their states.
    c<QCheckBox>("useP1")->click();
    QVERIFY(!useP2->isEnabled());
    QVERIFY(useP2->isChecked());
    QVERIFY(!c<QCheckBox>("p1")->isEnabled());
    QVERIFY(c<QCheckBox>("p1")->isChecked());
    QVERIFY(!c<QSpinBox>("order")->isEnabled());
    QVERIFY(!c<QSpinBox>("p1Min")->isEnabled());
}

void TestInspector::settingsReachTheManager()
{
    VNSManager *m = hub->getManager();
    // The workers use the acceptance probability the slider shows, from the start on.
    for (int w = 0; w < VNSManager::NbWorkers; ++w)
        QCOMPARE(m->worker(w)->getProb(), 0.6);
    c<QSlider>("agressivity")->setValue(25);
    QCOMPARE(m->worker(3)->getProb(), 0.25);
    QCOMPARE(m->getNbThreads(), 1);
    QCOMPARE(m->getMaxTime(), 600000);
    c<QSpinBox>("threads")->setValue(3);
    c<QSpinBox>("time")->setValue(2);
    QCOMPARE(m->getNbThreads(), 3);
    QCOMPARE(m->getMaxTime(), 2000);
    c<QSpinBox>("evaluations")->setValue(500);
    c<QSpinBox>("size")->setValue(12);
    QCOMPARE(hub->getProblem()->getNbArcs(), 12);
    // The p2 bound boxes take two decimals up to 1e12 either way.
    auto *a = c<QDoubleSpinBox>("p2MinSq");
    QCOMPARE(a->decimals(), 2);
    a->setValue(-2e12);
    QCOMPARE(a->value(), -1e12);
}

QTEST_MAIN(TestInspector)
#include "tst_inspector.moc"
