#include "help/Documentation.h"
#include "help/DocumentationText.h"

#include "dialogs/Prompt.h"
#include "graph/Graph.h"
#include "optimisation/VNSManager.h"
#include "problem/BuildCalculus.h"
#include "problem/Problem.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QPrinter>
#include <QPushButton>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextImageFormat>

namespace
{
struct SectionRow {
    const char *label;
    int depth;
    int firstSet; // the boxes a click also sets, first..last (0: none)
    int lastSet;
};

// The section tree, in document order.
const SectionRow sectionTree[Documentation::SectionCount] = {
    {"Introduction to TSY", 0, 2, 3},
    {"Known bugs/todo list", 1, 0, 0},
    {"Technical information", 1, 0, 0},
    {"Graphical interface", 0, 5, 16},
    {"Main window", 1, 6, 9},
    {"White board", 2, 0, 0},
    {"Graph tab", 2, 0, 0},
    {"Graph & Vertex analyst tabs", 2, 0, 0},
    {"Console tab", 2, 0, 0},
    {"Inspector", 1, 11, 16},
    {"Problem ", 2, 0, 0},
    {"Optimization ", 2, 0, 0},
    {"Constraints ", 2, 0, 0},
    {"Graph ", 2, 0, 0},
    {"Analyst ", 2, 0, 0},
    {"Notebook ", 2, 0, 0},
    {"Problem definition", 0, 18, 24},
    {"Invariants", 1, 19, 22},
    {"Values", 2, 0, 0},
    {"Vectors", 2, 0, 0},
    {"Matrices", 2, 0, 0},
    {"Families", 2, 0, 0},
    {"Operators", 1, 0, 0},
    {"Constraints", 1, 0, 0},
    {"Graph visualization", 0, 0, 0},
    {"Current problem", 0, 0, 0},
    {"Graph conjectures", 0, 0, 0},
    {"Vertex conjectures", 0, 0, 0},
    {"References", 0, 0, 0},
};

const QString fontFamily = QStringLiteral("Times");
} // namespace

using namespace DocumentationText;

// The images live in the static core library, whose resource object is linked only when
// something refers to it.
static void initImages()
{
    Q_INIT_RESOURCE(images);
}

Documentation::Documentation(Problem *problem, BuildCalculus *catalogue, ConjectureSource graphConjectures,
                             ConjectureSource vertexConjectures)
    : catalogue(catalogue), problem(problem), graphConjectures(std::move(graphConjectures)),
      vertexConjectures(std::move(vertexConjectures))
{
    initImages();
    setWindowTitle(tr("TSY-III Documentation center"));
    text = new QTextEdit;
    text->setMinimumWidth(610);
    text->setMinimumHeight(400);
    text->setLineWrapMode(QTextEdit::FixedPixelWidth);
    text->setLineWrapColumnOrWidth(600);
    text->setWordWrapMode(QTextOption::WordWrap);
    text->setAlignment(Qt::AlignJustify);
    text->setReadOnly(false);
    printButton = new QPushButton(QStringLiteral("Print"));
    quitButton = new QPushButton(QStringLiteral("Quit"));
    refreshButton = new QPushButton(QStringLiteral("Refresh"));

    auto *panel = new QWidget;
    auto *panelGrid = new QGridLayout;
    for (int k = 0; k < SectionCount; ++k) {
        // "&" in a label is shown as written, not taken as a shortcut mark.
        auto *box = new QCheckBox(
            QString::fromLatin1(sectionTree[k].label).replace(QLatin1Char('&'), QStringLiteral("&&")));
        boxes << box;
        panelGrid->addWidget(box, k, sectionTree[k].depth, 1, 3, Qt::AlignLeft);
    }
    panel->setLayout(panelGrid);

    auto *grid = new QGridLayout;
    grid->addWidget(panel, 0, 0, 2, 1);
    grid->addWidget(printButton, 0, 1);
    grid->addWidget(refreshButton, 0, 2);
    grid->addWidget(quitButton, 0, 3);
    grid->addWidget(text, 1, 1, 1, 3);
    setLayout(grid);

    // The dependent boxes take their new state before the rebuild that the same click starts.
    for (int k = 0; k < SectionCount; ++k)
        for (int d = sectionTree[k].firstSet; d >= 1 && d <= sectionTree[k].lastSet; ++d)
            connect(boxes[k], &QCheckBox::clicked, boxes[d - 1], &QCheckBox::setChecked);
    for (QCheckBox *box : qAsConst(boxes))
        connect(box, &QCheckBox::clicked, this, &Documentation::slot_update);
    connect(quitButton, &QPushButton::clicked, this, &QWidget::hide);
    connect(refreshButton, &QPushButton::clicked, this, &Documentation::slot_update);
    connect(printButton, &QPushButton::clicked, this, &Documentation::slot_print);
}

// ---- Styles -----------------------------------------------------------------------------------

void Documentation::setStyle(qreal size, bool bold, bool italic, const QColor &colour)
{
    format.setFontFamily(fontFamily);
    format.setFontPointSize(size);
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(italic);
    format.setForeground(colour);
    // Body text is justified; headings and the problem listing are not stretched.
    alignment = size <= 12 ? Qt::AlignJustify : Qt::AlignLeft;
}

void Documentation::titleStyle()
{
    setStyle(36, true, false, Qt::black);
}
void Documentation::h1Style()
{
    setStyle(24, true, false, Qt::black);
}
void Documentation::h2Style()
{
    setStyle(18, true, false, Qt::black);
}
void Documentation::h2iStyle()
{
    setStyle(18, true, true, Qt::black);
}
void Documentation::h3Style()
{
    setStyle(16, true, true, Qt::blue);
}
void Documentation::bodyStyle()
{
    setStyle(12, false, false, Qt::black);
}
void Documentation::problemHeadingStyle()
{
    setStyle(24, false, false, Qt::black);
}
void Documentation::problemTextStyle()
{
    setStyle(18, false, false, Qt::black);
}

// ---- Writing ----------------------------------------------------------------------------------

QTextCursor Documentation::newParagraph(Qt::Alignment alignment)
{
    QTextCursor cursor(text->document());
    cursor.movePosition(QTextCursor::End);
    QTextBlockFormat block;
    block.setAlignment(alignment);
    if (text->document()->isEmpty()) {
        cursor.setBlockFormat(block);
        cursor.setBlockCharFormat(format);
    } else {
        cursor.insertBlock(block, format);
    }
    return cursor;
}

void Documentation::append(const QString &s)
{
    // insertText turns every line feed into a paragraph break and never reads markup.
    newParagraph(alignment).insertText(s, format);
}

void Documentation::runIn(const QString &s)
{
    format.setFontWeight(QFont::Bold);
    append(s);
    format.setFontWeight(QFont::Normal);
}

void Documentation::note(const QString &s)
{
    format.setFontItalic(true);
    append(s);
    format.setFontItalic(false);
}

void Documentation::image(const QString &resource, int width, bool centred)
{
    QTextImageFormat picture;
    picture.setName(resource);
    picture.setWidth(width);
    newParagraph(centred ? Qt::AlignHCenter : Qt::AlignLeft).insertImage(picture);
}

void Documentation::paragraphs(const QStringList &list)
{
    for (const QString &p : list) {
        if (p.startsWith(QLatin1String("L|"))) {
            runIn(p.mid(2));
        } else if (p.startsWith(QLatin1String("N|"))) {
            note(p.mid(2));
        } else if (p.startsWith(QLatin1String("#I|"))) {
            const QStringList f = p.split(QLatin1Char('|'));
            image(f.value(1), f.value(2).toInt(), true);
        } else if (p.startsWith(QLatin1String("#B|"))) {
            bodyStyle();
        } else {
            append(p);
        }
    }
}

void Documentation::writeCatalogue(const QString &kind)
{
    bodyStyle();
    append(catalogue ? catalogue->Documentation(kind) : QString());
}

void Documentation::writeCurrentProblem()
{
    bodyStyle();
    const QString listing = problem ? problem->currentDescription() : QString();
    if (listing.isEmpty())
        return;
    if (!problem->userTitle().isEmpty()) {
        problemHeadingStyle();
        append(problem->userTitle() + QLatin1Char('\n'));
    }
    problemTextStyle();
    append(problem->userDescription() + QLatin1Char('\n'));
    problemHeadingStyle();
    append(QStringLiteral("TSY problem description\n"));
    problemTextStyle();
    append(listing);
}

void Documentation::writeReferences()
{
    bodyStyle();
    append(QStringLiteral("If you use Tessaly in your research, please cite the following references."));
    const QStringList references = {
        QStringLiteral(
            "The Tessaly developers. Tessaly-III: a variable neighbourhood search for extremal graphs. "
            "User documentation, version 3.0.1."),
        QStringLiteral(
            "The Tessaly developers. Conjectures from extremal graphs: the analysts and the conjecture "
            "engine of Tessaly. Technical note."),
    };
    for (int k = 0; k < references.size(); ++k)
        append(QStringLiteral("[%1] ").arg(k + 1) + references[k]);
}

void Documentation::writeSection(int number)
{
    if (number <= 3)
        writeFrontMatter(number);
    else if (number <= 16)
        writeInterfaceSection(number);
    else if (number <= 24)
        writeProblemDefinitionSection(number);
    else
        writeResultsSection(number);
}

// The third-level sections: a blue heading, then fixed text or a catalogue list.
void Documentation::subsectionHeading(const char *heading)
{
    h3Style();
    append(QLatin1String(heading));
    bodyStyle();
}

void Documentation::writeFrontMatter(int number)
{
    switch (number) {
    case 1:
        h1Style();
        append(QStringLiteral("Introduction to TSY\n"));
        bodyStyle();
        append(introduction());
        append(QStringLiteral("\n"));
        break;
    case 2:
        h2Style();
        append(QStringLiteral("Known bugs / to-do list\n"));
        bodyStyle();
        append(QStringLiteral("- The conjecture engine does not yet propose equalities."));
        append(QStringLiteral("- This documentation does not yet list the references of every invariant."));
        append(QStringLiteral("\n"));
        break;
    case 3:
        h2Style();
        append(QStringLiteral("Technical description of this version\n"));
        bodyStyle();
        append(QStringLiteral("This is Tessaly-III\n"));
        append(QStringLiteral("Version Tessaly-III version ") + QStringLiteral(TESSALY_VERSION));
        append(QStringLiteral("Compiled for %1 vertices.").arg(Graph::MaxNodes));
        append(QStringLiteral("Support for threads enabled up to %1 threads").arg(VNSManager::NbWorkers));
        append(QStringLiteral("\n"));
        break;
    }
}

void Documentation::writeInterfaceSection(int number)
{
    switch (number) {
    case 4:
        h1Style();
        append(QStringLiteral("Graphical interface\n"));
        image(QStringLiteral(":/src/images/TSY-III_main_window.png"), 500, true);
        append(QStringLiteral("TSY-III : main window\n"));
        bodyStyle();
        append(
            QStringLiteral("The main window holds the white board, the graph and the analysts; the inspector "
                           "window beside it holds the settings of the problem, the search and the graph."));
        image(QStringLiteral(":/src/images/TSY-III_Inspector.png"), 250, true);
        append(QStringLiteral("TSY-III : Inspector"));
        break;
    case 5:
        h2iStyle();
        append(QStringLiteral("\nMain window\n"));
        bodyStyle();
        paragraphs(mainWindow());
        break;
    case 6:
        subsectionHeading("Problem tab");
        paragraphs(problemTab());
        break;
    case 7:
        subsectionHeading("Graph tab");
        paragraphs(graphTab());
        break;
    case 8:
        subsectionHeading("Graph & vertex analyst tabs");
        paragraphs(analystTabs());
        break;
    case 9:
        subsectionHeading("Console tab");
        paragraphs(consoleTab());
        break;
    case 10:
        h2iStyle();
        append(QStringLiteral("\nInspector\n"));
        bodyStyle();
        paragraphs(inspector());
        break;
    case 11:
        subsectionHeading("Problem");
        paragraphs(inspectorProblem());
        break;
    case 12:
        subsectionHeading("Optimization parameters");
        paragraphs(inspectorOptimisation());
        break;
    case 13:
        subsectionHeading("Constraints");
        paragraphs(inspectorConstraints());
        break;
    case 14:
        subsectionHeading("Graph");
        paragraphs(inspectorGraph());
        break;
    case 15:
        subsectionHeading("Analyst");
        paragraphs(inspectorAnalyst());
        break;
    case 16:
        subsectionHeading("Notebook");
        append(QStringLiteral("The notebook keeps the title and the description of the problem under study; "
                              "they are saved with the problem."));
        break;
    }
}

void Documentation::writeProblemDefinitionSection(int number)
{
    switch (number) {
    case 17:
        h1Style();
        append(QStringLiteral("\nProblem definition\n"));
        bodyStyle();
        append(problemDefinition());
        image(QStringLiteral(":/src/images/print_screen_problem.png"), 500, false);
        break;
    case 18:
        h2iStyle();
        append(QStringLiteral("Invariants\n"));
        bodyStyle();
        paragraphs(invariants());
        break;
    case 19:
        subsectionHeading("Values");
        writeCatalogue(QStringLiteral("InvariantsVal"));
        break;
    case 20:
        subsectionHeading("Vectors");
        writeCatalogue(QStringLiteral("InvariantsVec"));
        break;
    case 21:
        subsectionHeading("Matrices");
        writeCatalogue(QStringLiteral("InvariantsMat"));
        break;
    case 22:
        subsectionHeading("Families");
        writeCatalogue(QStringLiteral("InvariantsFam"));
        break;
    case 23:
        h2iStyle();
        append(QStringLiteral("Operators\n"));
        writeCatalogue(QStringLiteral("Operators"));
        break;
    case 24:
        h2iStyle();
        append(QStringLiteral("Constraints\n"));
        writeCatalogue(QStringLiteral("Constraints"));
        break;
    }
}

void Documentation::writeResultsSection(int number)
{
    switch (number) {
    case 25:
        h1Style();
        append(QStringLiteral("Graph visualization\n"));
        break;
    case 26:
        h1Style();
        append(QStringLiteral("Current problem\n"));
        writeCurrentProblem();
        break;
    case 27:
    case 28:
        h1Style();
        append(number == 27 ? QStringLiteral("Graph conjectures\n") : QStringLiteral("Vertex conjectures\n"));
        bodyStyle();
        {
            const ConjectureSource &source = number == 27 ? graphConjectures : vertexConjectures;
            append(source ? source() : QString());
        }
        break;
    case 29:
        h1Style();
        append(QStringLiteral("References\n"));
        writeReferences();
        break;
    }
}

void Documentation::slot_update()
{
    text->clear();
    titleStyle();
    append(QStringLiteral("Tessaly-III Documentation\n"));
    for (int k = 1; k <= SectionCount; ++k)
        if (boxes[k - 1]->isChecked())
            writeSection(k);
    text->moveCursor(QTextCursor::End);
}

void Documentation::slot_print()
{
    QPrinter printer(QPrinter::HighResolution);
    if (Prompt::current()->print(nullptr, &printer))
        text->print(&printer);
}
