#include "problem/BuildCalculus.h"
#include "problem/Calculus.h"

#include <QtTest>

#include <memory>

class TestBuildCalculus : public QObject
{
    Q_OBJECT

private slots:
    void lists_data();
    void lists();
    void allList();
    void noKeywordTwice();
    void type_data();
    void type();
    void unknownKeywordsGiveNull_data();
    void unknownKeywordsGiveNull();
    void madeItemsMatchTheirKeyword_data();
    void madeItemsMatchTheirKeyword();
    void constant();
};

void TestBuildCalculus::lists_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("operators") << "operators"
                               << QStringList{"CONSTANT",
                                              "+",
                                              "-",
                                              "*",
                                              ".*",
                                              "/",
                                              "ADDCOLS",
                                              "ANGLE",
                                              "ABS",
                                              "CENTER",
                                              "CEIL",
                                              "CHOLESKY",
                                              "COLUMN",
                                              "CORR",
                                              "DETERMINANT",
                                              "DIAG",
                                              "DPALINDROMIC",
                                              "ECORR",
                                              "EIGENVALUES",
                                              "EIGENVECTORS",
                                              "EUCLIDIANDIST",
                                              "EXP",
                                              "FLOOR",
                                              "IFGE",
                                              "INERTIA",
                                              "LAPLACIANOF",
                                              "MANHATTANDIST",
                                              "MAX",
                                              "MAXCOL",
                                              "MAXROW",
                                              "MIN",
                                              "MMAX",
                                              "MMIN",
                                              "MOMENT",
                                              "NBEQ",
                                              "RANDICTYPE",
                                              "SORT",
                                              "SQRT",
                                              "SUM",
                                              "SUMCOL",
                                              "SUMGE",
                                              "SUMPRODUCT",
                                              "SUMROW",
                                              "TRANSPOSE",
                                              "VALUE AT",
                                              "VAR"};
    QTest::newRow("invariantsVal") << "invariantsVal"
                                   << QStringList{"BALABAN",   "CLAWS",     "CHROMATIC",  "DEGMAX",
                                                  "DEGMIN",    "DIAMETER",  "DOMINATION", "HARARY",
                                                  "KIRCHHOFF", "NCONN",     "ORDER",      "PENDING",
                                                  "PLATT",     "RADIUS",    "RANDIC",     "SIZE",
                                                  "STABLEMAX", "TRIANGLES", "WIENER",     "ZAGREBM1",
                                                  "ZAGREBM2"};
    QTest::newRow("invariantsVec") << "invariantsVec"
                                   << QStringList{"CENTRALITY",   "CUTCENTRALITY",   "CHROMATICVAL",
                                                  "DEGREES",      "DISTCLOSESTLEAF", "DTRANSMISSION",
                                                  "ECCENTRICITY", "IINDEX",          "KCHERRIES",
                                                  "NUMERO",       "ONEVEC",          "SUMDISTP",
                                                  "TRANSMISSION"};
    QTest::newRow("invariantsMat") << "invariantsMat"
                                   << QStringList{"ADJACENCY", "BETWEENNESS", "COMNEIGH",   "DISTANCES",
                                                  "IDENTITY",  "LAPLACIAN",   "MODULARITY", "NLAPLACIAN",
                                                  "ONEMAT",    "SLLAPLACIAN"};
    QTest::newRow("parameters") << "parameters" << QStringList{"PARAM 1", "PARAM 2"};
    QTest::newRow("invariantsFam") << "invariantsFam"
                                   << QStringList{"CATERPILLAR", "COMET", "LOBSTER", "PATH",
                                                  "SPIDER",      "STAR",  "TREE"};
    QTest::newRow("constraints") << "constraints" << QStringList{"<", "<=", "==", ">=", ">"};
}

void TestBuildCalculus::lists()
{
    QFETCH(QString, list);
    QFETCH(QStringList, expected);

    const BuildCalculus b;
    const QStringList *actual = nullptr;
    if (list == QLatin1String("operators"))
        actual = &b.operators;
    else if (list == QLatin1String("invariantsVal"))
        actual = &b.invariantsVal;
    else if (list == QLatin1String("invariantsVec"))
        actual = &b.invariantsVec;
    else if (list == QLatin1String("invariantsMat"))
        actual = &b.invariantsMat;
    else if (list == QLatin1String("parameters"))
        actual = &b.parameters;
    else if (list == QLatin1String("invariantsFam"))
        actual = &b.invariantsFam;
    else
        actual = &b.constraints;
    QCOMPARE(*actual, expected);
}

void TestBuildCalculus::allList()
{
    const BuildCalculus b;
    QCOMPARE(b.all.size(), 106);
    QCOMPARE(b.all.first(), QStringLiteral("BALABAN"));
    QCOMPARE(b.all.mid(b.all.size() - 4), (QStringList{">=", ">", "Z", "OBJECTIVE"}));
    const int p1 = b.all.indexOf(QStringLiteral("PARAM 1"));
    QCOMPARE(b.all.at(p1 - 1), QStringLiteral("SLLAPLACIAN"));
    QCOMPARE(b.all.at(p1 + 1), QStringLiteral("PARAM 2"));
    QCOMPARE(b.all.at(p1 + 2), QStringLiteral("CATERPILLAR"));
    QCOMPARE(b.all.indexOf(QStringLiteral("CONSTANT")), 21 + 13 + 10 + 2 + 7);
    QCOMPARE(b.all.at(21 + 13 + 10 + 2 + 7 + 46), QStringLiteral("<"));
}

void TestBuildCalculus::noKeywordTwice()
{
    const BuildCalculus b;
    QStringList listed = b.invariantsVal + b.invariantsVec + b.invariantsMat + b.parameters +
                         b.invariantsFam + b.operators + b.constraints;
    QCOMPARE(listed.size(), 104);
    listed.removeDuplicates();
    QCOMPARE(listed.size(), 104);
    for (const QString &k : BuildCalculus::unlistedInvariants())
        QVERIFY(!listed.contains(k));
    QCOMPARE(BuildCalculus::unlistedInvariants().size(), 7);
}

void TestBuildCalculus::type_data()
{
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<int>("code");

    QTest::newRow("WIENER") << "WIENER" << 1;
    QTest::newRow("PARAM 2") << "PARAM 2" << 1;
    QTest::newRow("DISTANCES") << "DISTANCES" << 1;
    QTest::newRow("TREE") << "TREE" << 2;
    QTest::newRow("CONSTANT") << "CONSTANT" << 3;
    QTest::newRow("VALUE AT") << "VALUE AT" << 3;
    QTest::newRow(".*") << ".*" << 3;
    QTest::newRow(">=") << ">=" << 4;
    QTest::newRow("<") << "<" << 4;
    QTest::newRow("Z") << "Z" << 5;
    QTest::newRow("OBJECTIVE") << "OBJECTIVE" << 5;
    QTest::newRow("wiener") << "wiener" << 0;
    QTest::newRow("objective") << "objective" << 0;
    QTest::newRow("z") << "z" << 0;
    QTest::newRow("PARAM1") << "PARAM1" << 0;
    QTest::newRow("blank before") << " WIENER" << 0;
    QTest::newRow("blank after") << "TREE " << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("DISTANCE") << "DISTANCE" << 0;
    QTest::newRow("DCENTRALITY") << "DCENTRALITY" << 0;
    QTest::newRow("NBETWEENNESS") << "NBETWEENNESS" << 0;
    QTest::newRow("Labels") << "Labels" << 0;
    QTest::newRow("Colors") << "Colors" << 0;
    QTest::newRow("PLOT") << "PLOT" << 0;
}

void TestBuildCalculus::type()
{
    QFETCH(QString, keyword);
    QFETCH(int, code);
    QCOMPARE(BuildCalculus().type(keyword), code);
}

void TestBuildCalculus::unknownKeywordsGiveNull_data()
{
    QTest::addColumn<QString>("keyword");

    for (const char *k :
         {"NODEIMPACT", "SUURBALLE", "HISTOGRAM", "PLOT", "histogram", "Plot", "", "Colors", "Labels",
          "E_Labels", "objective", "DISTANCE", "PARAM1", "PARAM 3", " Z", "wiener", "NA", "DESC"})
        QTest::newRow(*k ? k : "empty") << QString::fromLatin1(k);
}

void TestBuildCalculus::unknownKeywordsGiveNull()
{
    QFETCH(QString, keyword);
    const BuildCalculus b;
    QVERIFY(!b.makeCalculus(keyword, false));
}

void TestBuildCalculus::madeItemsMatchTheirKeyword_data()
{
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("category");

    const BuildCalculus b;
    auto add = [](const QStringList &keywords, const QString &category) {
        for (const QString &k : keywords)
            QTest::newRow(qPrintable(k)) << k << k << category;
    };
    add(b.invariantsVal + b.invariantsVec + b.invariantsMat + BuildCalculus::unlistedInvariants(),
        QStringLiteral("Invariant"));
    add(b.parameters, QStringLiteral("Invariant"));
    add(b.invariantsFam, QStringLiteral("Family"));
    add(b.operators, QStringLiteral("Operator"));
    add(b.constraints, QStringLiteral("Constraint"));
    QTest::newRow("Z") << "Z"
                       << "Z"
                       << "Z";
    QTest::newRow("OBJECTIVE") << "OBJECTIVE"
                               << "Z"
                               << "Z";
}

// Items arrive as their classes land; whatever the factory makes must be the keyword's item.
void TestBuildCalculus::madeItemsMatchTheirKeyword()
{
    QFETCH(QString, keyword);
    QFETCH(QString, name);
    QFETCH(QString, category);

    const BuildCalculus b;
    std::unique_ptr<Calculus> first(b.makeCalculus(keyword, false));
    if (!first)
        QSKIP("no class for this keyword yet");
    std::unique_ptr<Calculus> second(b.makeCalculus(keyword, false));
    QVERIFY(second);
    QVERIFY(first.get() != second.get());
    QCOMPARE(first->name, name);
    QCOMPARE(first->category, category);
    QVERIFY(!first->withDisplay);
    QVERIFY(!first->getCalculusDisplay());
    QVERIFY(!first->graph);
    QCOMPARE(first->M.size(), 32);
}

void TestBuildCalculus::constant()
{
    const BuildCalculus b;
    std::unique_ptr<Calculus> viaKeyword(b.makeCalculus(QStringLiteral("CONSTANT"), false));
    std::unique_ptr<Calculus> direct(b.makeConstant(false));
    QCOMPARE(bool(viaKeyword), bool(direct));
    if (!direct)
        QSKIP("no constant class yet");
    QCOMPARE(direct->name, QStringLiteral("CONSTANT"));
    QCOMPARE(direct->category, QStringLiteral("Operator"));
    QVERIFY(!direct->getCalculusDisplay());
    QCOMPARE(direct->getCaractToSave(), viaKeyword->getCaractToSave());
}

QTEST_MAIN(TestBuildCalculus)
#include "tst_buildcalculus.moc"
