#include "ShellFixture.h"

#include "graph/Graph.h"
#include "problem/Problem.h"
#include "shell/Console.h"
#include "shell/MainWidget.h"
#include "shell/MainWindow.h"
#include "shell/PreferenceWindow.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QSettings>
#include <QTest>
#include <QTextEdit>

#include <memory>

// What a start does with the stored "problem", "reload" and "graph" keys and the autosave file.
class TestReload : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void start_data();
    void start();

private:
    std::unique_ptr<IsolatedSettings> isolation;
};

void TestReload::initTestCase()
{
    isolation = std::make_unique<IsolatedSettings>();
}

void TestReload::start_data()
{
    QTest::addColumn<QString>("storedProblem");
    QTest::addColumn<QVariant>("reload");
    QTest::addColumn<QString>("autosaveFile"); // "none", "example", "damaged" or "nul"
    QTest::addColumn<QVariant>("storedGraph");
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<QStringList>("warnings");
    QTest::addColumn<bool>("reloadAfter");
    QTest::addColumn<QVariant>("graphAfter");

    const QVariant absent;
    QTest::newRow("first start") << QString() << absent << "none" << absent << false << QStringList() << false
                                 << absent;
    QTest::newRow("stored problem, reload off") << "x" << QVariant(false) << "example" << QVariant("3 111")
                                                << false << QStringList() << false << QVariant("3 111");
    QTest::newRow("reload") << "x" << QVariant(true) << "example" << QVariant("3 111") << true
                            << QStringList() << true << QVariant(QString());
    QTest::newRow("reload without graph")
        << "x" << QVariant(true) << "example" << QVariant(QString()) << true
        << QStringList{"Error|Unable to load graph "} << true << QVariant(QString());
    QTest::newRow("reload, autosave file missing")
        << "x" << QVariant(true) << "none" << QVariant("3 111") << false
        << QStringList{"Error|Unable to load problem "} << true << QVariant("3 111");
    QTest::newRow("reload, autosave file damaged")
        << "x" << QVariant(true) << "damaged" << QVariant("3 111") << false
        << QStringList{"Error|Unable to load problem "} << true << QVariant("3 111");
    QTest::newRow("reload, autosave file holding a NUL byte")
        << "x" << QVariant(true) << "nul" << QVariant("3 111") << false
        << QStringList{"Error|Unable to load problem "} << true << QVariant("3 111");
    QTest::newRow("reload not a boolean") << "x" << QVariant("maybe") << "example" << QVariant("3 111")
                                          << false << QStringList() << false << QVariant("3 111");
}

void TestReload::start()
{
    QFETCH(QString, storedProblem);
    QFETCH(QVariant, reload);
    QFETCH(QString, autosaveFile);
    QFETCH(QVariant, storedGraph);
    QFETCH(bool, loaded);
    QFETCH(QStringList, warnings);
    QFETCH(bool, reloadAfter);
    QFETCH(QVariant, graphAfter);

    isolation->reset();
    {
        QSettings s;
        if (!storedProblem.isEmpty())
            s.setValue(QStringLiteral("problem"), storedProblem);
        if (reload.isValid())
            s.setValue(QStringLiteral("reload"), reload);
        if (storedGraph.isValid())
            s.setValue(QStringLiteral("graph"), storedGraph);
    }
    QFile::remove(QStringLiteral(".tsypb"));
    if (autosaveFile != QLatin1String("none")) {
        QFile example(exampleProblemPath());
        QVERIFY(example.open(QIODevice::ReadOnly));
        QFile f(QStringLiteral(".tsypb"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        QByteArray bytes = example.readAll();
        if (autosaveFile == QLatin1String("damaged"))
            bytes.prepend("NOT AN ITEM\t1\t2<NEW>");
        else if (autosaveFile == QLatin1String("nul"))
            bytes.insert(bytes.indexOf("<NEW>ORDER"), '\0');
        f.write(bytes);
    }

    ShellPrompt prompt;
    Prompt::install(&prompt);
    QPointer<MainWindow> window;
    {
        CerrCapture quiet;
        window = new MainWindow;
    }
    MainWidget *hub = window->hub();
    QStringList shown;
    for (int i = 0; i < prompt.titles.size(); ++i)
        shown << prompt.titles[i] + '|' + prompt.texts[i];
    QCOMPARE(shown, warnings);
    QCOMPARE(hub->reloadFlag(), reloadAfter);
    QCOMPARE(hub->getPreferences()->reloadBox()->isChecked(), hub->reloadFlag());
    const bool hasTitle =
        hub->getProblem()->userTitle() == QLatin1String("Largest adjacency eigenvalue minus average degree");
    QCOMPARE(hasTitle, loaded);
    QCOMPARE(hub->getConsole()->logView()->toPlainText().contains(QLatin1String("Problem loaded")), loaded);
    if (loaded)
        QCOMPARE(hub->control<QLineEdit>(QStringLiteral("title"))->text(), hub->getProblem()->userTitle());

    QSettings s;
    QCOMPARE(s.value(QStringLiteral("problem")).toString(), QString());
    QCOMPARE(s.value(QStringLiteral("reload"), false).toBool(), reloadAfter);
    QCOMPARE(s.value(QStringLiteral("graph")), graphAfter);
    QCOMPARE(hub->getConsole()->logView()->toPlainText().contains(QLatin1String("\"reload\" was damaged")),
             reload.type() == QVariant::String);
    CerrCapture quiet;
    delete window;
    Prompt::install(nullptr);
}

QTEST_MAIN(TestReload)
#include "tst_reload.moc"
