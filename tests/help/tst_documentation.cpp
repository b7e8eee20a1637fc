#include "graph/Graph.h"
#include "help/Documentation.h"
#include "problem/BuildCalculus.h"
#include "problem/Problem.h"
#include "support/ScriptedPrompt.h"
#include "support/TestData.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextEdit>
#include <QtTest>

#include <memory>

namespace
{
struct FakePanel {
    QString text;
    QString getConjectures() const { return text; }
};

const QString title = QStringLiteral("Tessaly-III Documentation");

// Pages of a PDF file, counted from its page objects.
int pdfPages(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    return f.readAll().count("/Type /Page\n") + 0;
}

QTextBlock blockWithText(QTextDocument *doc, const QString &s)
{
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
        if (b.text() == s)
            return b;
    return QTextBlock();
}
} // namespace

class DocumentationTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<Graph> graph;
    std::unique_ptr<Problem> problem;
    BuildCalculus catalogue;
    FakePanel graphPanel{QStringLiteral("Conjecture: W <= n^2 / 4\n<b>not bold</b>")};
    FakePanel vertexPanel;
    std::unique_ptr<Documentation> doc;
    QString single[Documentation::SectionCount + 1]; // the text each section adds on its own

    void tick(const QList<int> &numbers)
    {
        for (int k = 1; k <= Documentation::SectionCount; ++k)
            doc->sectionBox(k)->setChecked(numbers.contains(k));
    }
    QString textOf(const QList<int> &numbers)
    {
        tick(numbers);
        doc->slot_update();
        return doc->getTextEdit()->toPlainText();
    }
    QList<int> ticked() const
    {
        QList<int> out;
        for (int k = 1; k <= Documentation::SectionCount; ++k)
            if (doc->sectionBox(k)->isChecked())
                out << k;
        return out;
    }
    QString composed(const QList<int> &numbers) const
    {
        QString s = title + QLatin1Char('\n');
        for (int k : numbers)
            s += single[k];
        return s;
    }
    bool load(const QString &file)
    {
        QFile f(testDataPath(QStringLiteral("problems/") + file));
        return f.open(QIODevice::ReadOnly) && problem->openString(QString::fromLatin1(f.readAll()));
    }

private slots:
    void initTestCase()
    {
        graph.reset(new Graph(QStringLiteral("graph"), false));
        problem.reset(new Problem(graph.get(), QStringLiteral("board"), false));
        QVERIFY(load(QStringLiteral("sum_under_constraint.tsy3")));
        doc.reset(new Documentation(problem.get(), &catalogue, &graphPanel, &vertexPanel));
        QCOMPARE(doc->getTextEdit()->toPlainText(), QString());
        const QString prefix = title + QLatin1Char('\n');
        QCOMPARE(textOf({}), prefix);
        for (int k = 1; k <= Documentation::SectionCount; ++k) {
            const QString t = textOf({k});
            QVERIFY(t.startsWith(prefix));
            single[k] = t.mid(prefix.size());
            QVERIFY2(!single[k].isEmpty(), qPrintable(QString::number(k)));
        }
    }

    // Each section opens with its heading, in the style of its level.
    void headings_data()
    {
        QTest::addColumn<int>("section");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("italic");
        QTest::addColumn<QColor>("colour");
        const QColor black(Qt::black), blue(Qt::blue);
        QTest::newRow("1") << 1 << "Introduction to TSY" << 24 << true << false << black;
        QTest::newRow("2") << 2 << "Known bugs / to-do list" << 18 << true << false << black;
        QTest::newRow("3") << 3 << "Technical description of this version" << 18 << true << false << black;
        QTest::newRow("4") << 4 << "Graphical interface" << 24 << true << false << black;
        QTest::newRow("5") << 5 << "Main window" << 18 << true << true << black;
        QTest::newRow("6") << 6 << "Problem tab" << 16 << true << true << blue;
        QTest::newRow("8") << 8 << "Graph & vertex analyst tabs" << 16 << true << true << blue;
        QTest::newRow("10") << 10 << "Inspector" << 18 << true << true << black;
        QTest::newRow("12") << 12 << "Optimization parameters" << 16 << true << true << blue;
        QTest::newRow("17") << 17 << "Problem definition" << 24 << true << false << black;
        QTest::newRow("18") << 18 << "Invariants" << 18 << true << true << black;
        QTest::newRow("19") << 19 << "Values" << 16 << true << true << blue;
        QTest::newRow("23") << 23 << "Operators" << 18 << true << true << black;
        QTest::newRow("24") << 24 << "Constraints" << 18 << true << true << black;
        QTest::newRow("25") << 25 << "Graph visualization" << 24 << true << false << black;
        QTest::newRow("26") << 26 << "Current problem" << 24 << true << false << black;
        QTest::newRow("29") << 29 << "References" << 24 << true << false << black;
    }
    void headings()
    {
        QFETCH(int, section);
        QFETCH(QString, heading);
        QFETCH(int, size);
        QFETCH(bool, bold);
        QFETCH(bool, italic);
        QFETCH(QColor, colour);
        textOf({section});
        QTextDocument *d = doc->getTextEdit()->document();
        const QTextCharFormat t = d->begin().charFormat();
        QCOMPARE(d->begin().text(), title);
        QCOMPARE(t.fontPointSize(), 36.0);
        QCOMPARE(t.fontWeight(), int(QFont::Bold));
        QTextBlock b = blockWithText(d, heading);
        QVERIFY2(b.isValid(), qPrintable(heading));
        const QTextCharFormat f = b.begin().fragment().charFormat();
        QCOMPARE(f.fontFamily(), QStringLiteral("Times"));
        QCOMPARE(f.fontPointSize(), qreal(size));
        QCOMPARE(f.fontWeight() == QFont::Bold, bold);
        QCOMPARE(f.fontItalic(), italic);
        QCOMPARE(f.foreground().color(), colour);
        // The paragraph after a heading is body text.
        QTextBlock next = b.next();
        while (next.isValid() &&
               (next.text().trimmed().isEmpty() || next.text().contains(QChar::ObjectReplacementCharacter)))
            next = next.next();
        if (next.isValid() && section != 26) {
            const QTextCharFormat body = next.begin().fragment().charFormat();
            QCOMPARE(body.fontPointSize(),
                     section == 4 ? 24.0
                                  : 12.0); // the caption under the first figure keeps the heading's style
        }
    }

    // Whatever the ticked sections, the document is the title and each ticked section in tree
    // order, exactly as that section reads alone.
    void combinations()
    {
        QRandomGenerator gen(1919);
        QList<QList<int>> sets = {{}};
        QList<int> all;
        for (int k = 1; k <= Documentation::SectionCount; ++k)
            all << k;
        sets << all;
        for (int k = 1; k <= Documentation::SectionCount; ++k) {
            QList<int> allBut = all;
            allBut.removeAll(k);
            sets << allBut;
        }
        for (int n = 0; n < 200; ++n) {
            const quint32 mask = gen.generate() & ((1u << Documentation::SectionCount) - 1);
            QList<int> s;
            for (int k = 1; k <= Documentation::SectionCount; ++k)
                if (mask & (1u << (k - 1)))
                    s << k;
            sets << s;
        }
        for (const QList<int> &s : qAsConst(sets))
            QCOMPARE(textOf(s), composed(s));
    }

    // Clicks with the mouse: a parent sets its listed children, never the other way round; the
    // document follows the boxes whatever the order of the clicks.
    void clicks_data()
    {
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("refresh only") << QList<int>{0} << QList<int>{};
        QTest::newRow("introduction") << QList<int>{1} << QList<int>{1, 2, 3};
        QTest::newRow("graphical interface")
            << QList<int>{4} << QList<int>{4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
        QTest::newRow("graphical interface twice") << QList<int>{4, 4} << QList<int>{};
        QTest::newRow("one child cleared") << QList<int>{5, 9} << QList<int>{5, 6, 7, 8};
        QTest::newRow("problem definition") << QList<int>{17} << QList<int>{17, 18, 19, 20, 21, 22, 23, 24};
        QTest::newRow("invariants cleared") << QList<int>{17, 18} << QList<int>{17, 23, 24};
        QTest::newRow("values alone") << QList<int>{19} << QList<int>{19};
        QTest::newRow("late then early") << QList<int>{29, 26, 1, 25} << QList<int>{1, 2, 3, 25, 26, 29};
        QTest::newRow("inspector then main window")
            << QList<int>{10, 5, 27} << QList<int>{5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 27};
    }
    void clicks()
    {
        QFETCH(QList<int>, clicks);
        QFETCH(QList<int>, expected);
        tick({});
        doc->show();
        QVERIFY(QTest::qWaitForWindowExposed(doc.get()));
        for (int k : clicks)
            QTest::mouseClick(k == 0 ? static_cast<QWidget *>(doc->getRefreshButton())
                                     : static_cast<QWidget *>(doc->sectionBox(k)),
                              Qt::LeftButton);
        QCOMPARE(ticked(), expected);
        QCOMPARE(doc->getTextEdit()->toPlainText(), composed(expected));
        QTest::mouseClick(doc->getQuitButton(), Qt::LeftButton);
        QVERIFY(!doc->isVisible());
    }

    // The current problem: its title and description, then the listing of the board; text from
    // the problem is shown as written, never read as markup.
    void currentProblem_data()
    {
        QTest::addColumn<QString>("problemTitle");
        QTest::addColumn<QString>("description");
        QTest::addColumn<bool>("empty");
        QTest::newRow("titled") << "Sum of order and size"
                                << "Maximise n + m" << false;
        QTest::newRow("no title") << QString() << "Maximise n + m" << false;
        QTest::newRow("no description") << "T" << QString() << false;
        QTest::newRow("markup") << "<b>bold</b> & <i>x</i>"
                                << "<h1>big</h1>" << false;
        QTest::newRow("no board") << "T"
                                  << "D" << true;
    }
    void currentProblem()
    {
        QFETCH(QString, problemTitle);
        QFETCH(QString, description);
        QFETCH(bool, empty);
        Graph g(QStringLiteral("graph"), false);
        Problem p(&g, QStringLiteral("board"), false);
        if (!empty) {
            QFile f(testDataPath(QStringLiteral("problems/sum_under_constraint.tsy3")));
            QVERIFY(f.open(QIODevice::ReadOnly) && p.openString(QString::fromLatin1(f.readAll())));
        }
        p.slot_set_title(problemTitle);
        p.slot_set_description(description);
        FakePanel none;
        Documentation d(empty ? nullptr : &p, &catalogue, &none, &none);
        d.sectionBox(26)->setChecked(true);
        d.slot_update();
        QStringList expected = {title, QString(), QStringLiteral("Current problem"), QString()};
        QList<int> sizes = {36, 36, 24, 24};
        if (!empty) {
            if (!problemTitle.isEmpty()) {
                expected << problemTitle << QString();
                sizes << 24 << 24;
            }
            expected << description << QString() << QStringLiteral("TSY problem description") << QString();
            sizes << 18 << 18 << 24 << 24;
            // The board of the file: ORDER, SIZE, DEGREES, "+", CONSTANT, "<=" and Z.
            const QStringList listing = p.currentDescription().split(QLatin1Char('\n'));
            QCOMPARE(listing
                         .filter(QRegularExpression(
                             QStringLiteral("^\\S+: (ORDER|SIZE|DEGREES|\\+|CONSTANT|<=|Z)( \\(.*\\))?$")))
                         .size(),
                     7);
            for (const QString &line : listing) {
                expected << line;
                sizes << 18;
            }
        }
        QStringList blocks;
        QList<int> blockSizes;
        for (QTextBlock b = d.getTextEdit()->document()->begin(); b.isValid(); b = b.next()) {
            blocks << b.text();
            const QTextCharFormat f = b.text().isEmpty() ? b.charFormat() : b.begin().fragment().charFormat();
            blockSizes << int(f.fontPointSize());
            if (blocks.size() > 4 && !b.text().isEmpty())
                QCOMPARE(f.fontWeight(), int(QFont::Normal));
        }
        QCOMPARE(blocks, expected);
        for (int i = 0; i < blocks.size(); ++i)
            if (!blocks[i].isEmpty())
                QCOMPARE(blockSizes[i], sizes[i]);
    }

    // Generated text from the catalogue and the conjecture panels is shown literally.
    void generatedText()
    {
        const QString constraints = textOf({24});
        QVERIFY(constraints.contains(QStringLiteral("\n<= : ")));
        QVERIFY(constraints.contains(QStringLiteral("\n< : ")));
        const QString values = textOf({19});
        QStringList lines = values.split(QLatin1Char('\n')).filter(QStringLiteral(" : "));
        QVERIFY(!lines.isEmpty());
        for (const QString &line : lines)
            QVERIFY2(catalogue.invariantsVal.contains(line.section(QStringLiteral(" : "), 0, 0)) ||
                         catalogue.type(line.section(QStringLiteral(" : "), 0, 0)) == 0,
                     qPrintable(line));
        QVERIFY(textOf({27}).endsWith(
            QStringLiteral("Graph conjectures\n\nConjecture: W <= n^2 / 4\n<b>not bold</b>")));
        QVERIFY(textOf({28}).endsWith(QStringLiteral("Vertex conjectures\n\n")));
        Documentation withoutPanels(problem.get(), &catalogue, Documentation::ConjectureSource(),
                                    Documentation::ConjectureSource());
        withoutPanels.sectionBox(27)->setChecked(true);
        withoutPanels.slot_update();
        QVERIFY(withoutPanels.getTextEdit()->toPlainText().endsWith(QStringLiteral("Graph conjectures\n\n")));
        const QString technical = textOf({3});
        QVERIFY(technical.contains(QStringLiteral("Version Tessaly-III version 3.0.1\n")));
        QVERIFY(technical.contains(QStringLiteral("Compiled for 32 vertices.\n")));
        QVERIFY(technical.contains(QStringLiteral("Support for threads enabled up to 4 threads\n")));
    }

    // The section boxes show their labels as written (no shortcut marks), at their depth.
    void labels()
    {
        const QStringList labels = {"Introduction to TSY",
                                    "Known bugs/todo list",
                                    "Technical information",
                                    "Graphical interface",
                                    "Main window",
                                    "White board",
                                    "Graph tab",
                                    "Graph & Vertex analyst tabs",
                                    "Console tab",
                                    "Inspector",
                                    "Problem ",
                                    "Optimization ",
                                    "Constraints ",
                                    "Graph ",
                                    "Analyst ",
                                    "Notebook ",
                                    "Problem definition",
                                    "Invariants",
                                    "Values",
                                    "Vectors",
                                    "Matrices",
                                    "Families",
                                    "Operators",
                                    "Constraints",
                                    "Graph visualization",
                                    "Current problem",
                                    "Graph conjectures",
                                    "Vertex conjectures",
                                    "References"};
        const QList<int> depth = {0, 1, 1, 0, 1, 2, 2, 2, 2, 1, 2, 2, 2, 2, 2,
                                  2, 0, 1, 2, 2, 2, 2, 1, 1, 0, 0, 0, 0, 0};
        doc->show();
        QVERIFY(QTest::qWaitForWindowExposed(doc.get()));
        for (int k = 1; k <= Documentation::SectionCount; ++k) {
            QCheckBox *box = doc->sectionBox(k);
            QVERIFY(QKeySequence::mnemonic(box->text()).isEmpty());
            QCOMPARE(box->text().replace(QStringLiteral("&&"), QStringLiteral("&")), labels[k - 1]);
            QCOMPARE(box->x() > doc->sectionBox(1)->x(), depth[k - 1] > 0);
            QCOMPARE(box->x() > doc->sectionBox(2)->x(), depth[k - 1] > 1);
        }
        doc->hide();
    }

    // The figures of the fixed sections come from the compiled-in images.
    void figures()
    {
        textOf({4, 5, 6, 17});
        QStringList names;
        for (QTextBlock b = doc->getTextEdit()->document()->begin(); b.isValid(); b = b.next())
            for (auto it = b.begin(); !it.atEnd(); ++it)
                if (it.fragment().charFormat().isImageFormat()) {
                    names << it.fragment().charFormat().toImageFormat().name();
                    QVERIFY2(!QImage(names.last()).isNull(), qPrintable(names.last()));
                }
        QCOMPARE(names,
                 QStringList({":/src/images/TSY-III_main_window.png", ":/src/images/TSY-III_Inspector.png",
                              ":/src/images/TSY-III_toolbar.png", ":/src/images/Problem_context_menu.png",
                              ":/src/images/print_screen_problem.png"}));
    }

    // Printing goes through the print prompt to a PDF file; a cancelled dialog prints nothing.
    void print_data()
    {
        QTest::addColumn<QList<int>>("sections");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("minPages");
        QTest::addColumn<int>("maxPages");
        QList<int> all;
        for (int k = 1; k <= Documentation::SectionCount; ++k)
            all << k;
        QTest::newRow("title only") << QList<int>{} << true << 1 << 1;
        QTest::newRow("technical information") << QList<int>{3} << true << 1 << 1;
        QTest::newRow("everything") << all << true << 12 << 60;
        QTest::newRow("cancelled") << all << false << 0 << 0;
    }
    void print()
    {
        QFETCH(QList<int>, sections);
        QFETCH(bool, accepted);
        QFETCH(int, minPages);
        QFETCH(int, maxPages);
        textOf(sections);
        QTemporaryDir dir;
        ScriptedPrompt prompt;
        const QString pdf = dir.filePath(QStringLiteral("documentation.pdf"));
        prompt.printTo = accepted ? pdf : QString();
        QTest::mouseClick(doc->getPrintButton(), Qt::LeftButton);
        QCOMPARE(prompt.asked, QStringList{QStringLiteral("print")});
        if (!accepted) {
            QVERIFY(!QFile::exists(pdf));
            return;
        }
        const int pages = pdfPages(pdf);
        QVERIFY2(pages >= minPages && pages <= maxPages, qPrintable(QString::number(pages)));
    }
};

QTEST_MAIN(DocumentationTest)
#include "tst_documentation.moc"
