#include "problem/BuildCalculus.h"
#include "problem/Calculus.h"

#include <QtTest>

#include <memory>

// The documentation texts and tool tips the catalogue assembles from the items' own definitions.
class TestCatalogueDocs : public QObject
{
    Q_OBJECT

private slots:
    void catalogueSections_data();
    void catalogueSections();
    void singleTexts_data();
    void singleTexts();
};

void TestCatalogueDocs::catalogueSections_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("keywords");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::addColumn<int>("objectiveEntries");

    QTest::newRow("value invariants") << "InvariantsVal" << 21 << "BALABAN"
                                      << "ZAGREBM2" << 0;
    QTest::newRow("vector invariants") << "InvariantsVec" << 13 << "CENTRALITY"
                                       << "TRANSMISSION" << 0;
    QTest::newRow("matrix invariants") << "InvariantsMat" << 10 << "ADJACENCY"
                                       << "SLLAPLACIAN" << 0;
    QTest::newRow("families") << "InvariantsFam" << 7 << "CATERPILLAR"
                              << "TREE" << 0;
    QTest::newRow("operators") << "Operators" << 46 << "CONSTANT"
                               << "VAR" << 0;
    QTest::newRow("constraints") << "Constraints" << 5 << "<"
                                 << ">" << 0;
    // "Z" and "OBJECTIVE" both make the item named "Z".
    QTest::newRow("all") << "All" << 106 << "BALABAN"
                         << "OBJECTIVE" << 2;
}

void TestCatalogueDocs::catalogueSections()
{
    QFETCH(QString, kind);
    QFETCH(int, keywords);
    QFETCH(QString, first);
    QFETCH(QString, last);
    QFETCH(int, objectiveEntries);

    const BuildCalculus catalogue;
    const QStringList list = kind == "InvariantsVal"   ? catalogue.invariantsVal
                             : kind == "InvariantsVec" ? catalogue.invariantsVec
                             : kind == "InvariantsMat" ? catalogue.invariantsMat
                             : kind == "InvariantsFam" ? catalogue.invariantsFam
                             : kind == "Operators"     ? catalogue.operators
                             : kind == "Constraints"   ? catalogue.constraints
                                                       : catalogue.all;
    QCOMPARE(list.size(), keywords);
    QCOMPARE(list.first(), first);
    QCOMPARE(list.last(), last);

    // The text is the entries of the keywords the factory makes, in list order, joined as they
    // are: walk it entry by entry.
    const QString text = catalogue.Documentation(kind);
    int at = 0;
    int objective = 0;
    for (const QString &keyword : list) {
        const std::unique_ptr<Calculus> item(catalogue.makeCalculus(keyword, false));
        if (!item)
            continue; // an item class still to come (the families) has no entry
        const QString entry = item->name + QStringLiteral(" : ") + item->textDef + QLatin1Char('\n');
        QVERIFY2(text.midRef(at, entry.size()) == entry, qPrintable(keyword));
        at += entry.size();
        if (item->name == QLatin1String("Z"))
            ++objective;
    }
    QCOMPARE(at, text.size());
    QCOMPARE(objective, objectiveEntries);
}

void TestCatalogueDocs::singleTexts_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("suffix");

    const QString undefined = QStringLiteral("Undefined object.");
    QTest::newRow("documentation of one keyword") << "doc"
                                                  << "WIENER"
                                                  << "WIENER : "
                                                  << "\n";
    QTest::newRow("documentation of a parameter") << "doc"
                                                  << "PARAM 1"
                                                  << "PARAM 1 : "
                                                  << "\n";
    QTest::newRow("kind in other letter case is no kind") << "doc"
                                                          << "all" << undefined << undefined;
    QTest::newRow("documentation of an unknown word") << "doc"
                                                      << "NOPE" << undefined << undefined;
    QTest::newRow("tool tip") << "tip"
                              << "WIENER"
                              << "WIENER: WIENER : "
                              << "\n";
    QTest::newRow("tool tip of OBJECTIVE names Z twice") << "tip"
                                                         << "OBJECTIVE"
                                                         << "Z: Z : "
                                                         << "\n";
    QTest::newRow("tool tip of an operator") << "tip"
                                             << "+"
                                             << "+: + : "
                                             << "\n";
    QTest::newRow("tool tip of a display item") << "tip"
                                                << "Colors" << undefined << undefined;
    QTest::newRow("tool tip of nothing") << "tip"
                                         << "" << undefined << undefined;
    QTest::newRow("plain definition") << "text"
                                      << "WIENER"
                                      << "WIENER : "
                                      << "\n";
    QTest::newRow("plain definition unknown") << "text"
                                              << "wiener" << undefined << undefined;
    // Two escape sequences written out, not two line feeds.
    QTest::newRow("LaTeX definition") << "latex"
                                      << "WIENER"
                                      << ""
                                      << "\\n\\n";
    QTest::newRow("LaTeX definition unknown") << "latex"
                                              << "NOPE" << undefined << undefined;
}

void TestCatalogueDocs::singleTexts()
{
    QFETCH(QString, operation);
    QFETCH(QString, argument);
    QFETCH(QString, prefix);
    QFETCH(QString, suffix);

    const BuildCalculus catalogue;
    const std::unique_ptr<Calculus> item(catalogue.makeCalculus(argument, false));
    const QString text = operation == "doc"    ? catalogue.Documentation(argument)
                         : operation == "tip"  ? catalogue.toolTip(argument)
                         : operation == "text" ? catalogue.textDefinition(argument)
                                               : catalogue.latexDefinition(argument);
    QVERIFY2(text.startsWith(prefix), qPrintable(text));
    QVERIFY2(text.endsWith(suffix), qPrintable(text));
    if (item) {
        // The item's own definition (the objective has none) is in the text, once.
        const QString definition = operation == "latex" ? item->latexDef : item->textDef;
        QCOMPARE(text.size(), prefix.size() + definition.size() + suffix.size());
        QCOMPARE(text.mid(prefix.size(), definition.size()), definition);
    } else {
        QCOMPARE(text, QStringLiteral("Undefined object."));
    }
}

QTEST_MAIN(TestCatalogueDocs)
#include "tst_cataloguedocs.moc"
