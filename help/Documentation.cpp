#include "help/Documentation.h"

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

QString introduction()
{
    return QStringLiteral(
        "Tessaly is a research tool for extremal graph theory. It searches for graphs that minimise or "
        "maximise a graph invariant, or a function built from several invariants, among the graphs that "
        "satisfy the requirements of a problem; the extremal graphs it finds are the raw material from "
        "which facts are checked and conjectures are drawn. The first version searched for extremal "
        "graphs of single invariants; the second added the combination of invariants by operators, the "
        "analysts and the conjecture engine. This third version handles the structural constraints "
        "inside the optimiser instead of penalising them, sets most optimisation parameters "
        "automatically, searches regular graphs with moves that keep the degrees, ranks secondary "
        "criteria and constraints in lexicographic order, and offers multi-objective optimisation.");
}

QString problemDefinition()
{
    return QStringLiteral(
        "A problem is defined by placing items on the white board and linking them. Items are graph "
        "invariants, whose values may be numbers, vertex vectors or matrices, and operators that combine "
        "them. Select an item, then the item that uses it, and press one of the keys 1 to 4 to make the "
        "first the argument of that number of the second. The board keeps three stacks: the invariants "
        "and operators, the statistics and constraints, and the objectives; the special OBJECTIVE item "
        "names what is minimised or maximised. Within a stack the items are computed in order, every "
        "argument before its users. The colour of a link shows its argument number. The figure below "
        "shows a problem on the white board.");
}

QStringList mainWindow()
{
    return {
        QStringLiteral("The toolbar at the top of the main window gives the most used commands."),
        QStringLiteral("#I|:/src/images/TSY-III_toolbar.png|500"),
        QStringLiteral("TSY-III : Toolbar."),
        QStringLiteral("The buttons, from left to right:"),
        QStringLiteral("1. Quit the program."),
        QStringLiteral("L|Problem related functions"),
        QStringLiteral("2. Load a problem."),
        QStringLiteral("3. Save the problem."),
        QStringLiteral("4. Refresh: recompute every item of the white board on the current graph."),
        QStringLiteral("L|Graph related functions"),
        QStringLiteral("5. Place the vertices of the graph automatically."),
        QStringLiteral("6. Load a graph."),
        QStringLiteral("7. Save the graph."),
        QStringLiteral("L|Optimization related functions"),
        QStringLiteral("8. Start the optimisation."),
        QStringLiteral("9. Stop the optimisation."),
        QStringLiteral("L|Print "),
        QStringLiteral("10. Print the active window."),
        QStringLiteral("L|Helper functions (opens new window)"),
        QStringLiteral("11. Show the graph backup window."),
        QStringLiteral("12. Show this documentation."),
        QStringLiteral("13. Show the inspector."),
        QStringLiteral("14. Show the about box."),
        QStringLiteral(
            "Below the toolbar, five tabs hold the white board, the graph, the graph analyst, the vertex "
            "analyst and the console."),
    };
}

QStringList problemTab()
{
    return {
        QStringLiteral(
            "The white board is where a problem is defined. Items are placed on it from the context "
            "menu or the inspector and linked to one another."),
        QStringLiteral(
            "Click an item to select it; hold Control to select several, or drag a band around them."),
        QStringLiteral(
            "With two or more items selected, the keys 1 to 4 make each earlier item the argument of "
            "that number of each later one."),
        QStringLiteral(
            "Each argument number has its own link colour and width, so the arguments of an item can be "
            "told apart at a glance."),
        QStringLiteral("Arguments attach to the left side of the item that uses them."),
        QStringLiteral("N|See also the problem pane of the inspector."),
        QStringLiteral("L|Key shortsuts in the \"Problem\" context."),
        QStringLiteral("- and + : zoom out and in."),
        QStringLiteral("Right, Left, Up, Down : move the selected items."),
        QStringLiteral("1, 2, 3, 4 : link the selected items as argument 1, 2, 3 or 4."),
        QStringLiteral("A : space the selected items evenly along the x-axis."),
        QStringLiteral("D : delete the selected items."),
        QStringLiteral("H : halt the optimisation."),
        QStringLiteral("I : invert the selection."),
        QStringLiteral("R : run the optimisation."),
        QStringLiteral("U : unselect all items."),
        QStringLiteral("P : print the white board."),
        QStringLiteral("V : space the selected items evenly along the y-axis."),
        QStringLiteral("X and Y : align the selected items on the x-axis or the y-axis."),
        QStringLiteral("L|Context menu for the white board."),
        QStringLiteral("A right click on the board opens a menu of every item kind, grouped by category."),
        QStringLiteral("Choosing an entry places a new item of that kind on the board."),
        QStringLiteral("The new item is selected, ready to be linked."),
        QStringLiteral("L|Displaying and changing attributes of the nodes:"),
        QStringLiteral("A double click on an item opens its properties window."),
        QStringLiteral("The Complement box computes the item on the complement of the graph."),
        QStringLiteral(
            "The name field gives the item a name of its own, shown on the board and in the analysts."),
        QStringLiteral("The box \"Insert in analyst\" adds the item's value to the analyst tables."),
        QStringLiteral("A value is reported once per graph."),
        QStringLiteral("A vertex vector may be reported as node values, one value per vertex."),
        QStringLiteral("Node values appear in the vertex analyst, one row per vertex."),
        QStringLiteral("A vector may also be reported whole, one column per entry."),
        QStringLiteral("The rows and columns of the result are shown with their sizes."),
        QStringLiteral("The data tab shows the item's current result as a table."),
        QStringLiteral("The status line tells why an item could not be computed."),
        QStringLiteral(
            "The properties window belongs to its item and goes with it when the item is deleted."),
        QStringLiteral("L|A short example:"),
        QStringLiteral(
            "The energy of a graph is the sum of the absolute values of the eigenvalues of its adjacency "
            "matrix."),
        QStringLiteral("To maximise it, open the context menu of the white board."),
        QStringLiteral("#I|:/src/images/Problem_context_menu.png|300"),
        QStringLiteral("#B|"),
        QStringLiteral("Place an ADJACENCY item."),
        QStringLiteral("Place an EIGENVALUES item and link ADJACENCY to it as argument 1."),
        QStringLiteral("Place an ABS item and link EIGENVALUES to it as argument 1."),
        QStringLiteral("Place a SUM item and link ABS to it as argument 1."),
        QStringLiteral("Place an OBJECTIVE item and link SUM to it as argument 1."),
        QStringLiteral("Double-click the OBJECTIVE item and choose to maximise."),
        QStringLiteral("Set the order of the graphs in the constraints pane of the inspector."),
        QStringLiteral("Press R to start the search."),
        QStringLiteral("The best graph found so far is shown in the graph tab while the search runs."),
    };
}

QStringList graphTab()
{
    return {
        QStringLiteral(
            "The graph tab shows the best graph found so far, or the graph loaded from a file or an "
            "analyst."),
        QStringLiteral("Vertices can be moved by hand, or placed automatically by the placement tool."),
        QStringLiteral("N|See the toolbar section for the placement tool."),
        QStringLiteral(
            "Vertex colours, vertex labels and edge labels come from the Colors, Labels and E_Labels "
            "items of the white board."),
        QStringLiteral("N|See the problem tab section for linking items to them."),
        QStringLiteral("After selecting vertices, the graph can be edited with the keys below."),
        QStringLiteral("L|Key shortsuts in the \"Graph\" context."),
        QStringLiteral("- and + : zoom out and in."),
        QStringLiteral("Up and Down : rotate about the x-axis."),
        QStringLiteral("Right and Left : rotate about the z-axis."),
        QStringLiteral("Alt+Right and Alt+Left : rotate about the y-axis."),
        QStringLiteral("Space : load the next graph of the database."),
        QStringLiteral("A : add an edge between every two selected vertices."),
        QStringLiteral("B : add a vertex joined to the selection; the selection is kept."),
        QStringLiteral("C : complement the subgraph induced by the selection."),
        QStringLiteral("D : delete the selection."),
        QStringLiteral("H : halt the optimisation."),
        QStringLiteral("I : invert the selection."),
        QStringLiteral("K : add a vertex joined to the selection and add it to the selection."),
        QStringLiteral("M : place the vertices by multidimensional scaling."),
        QStringLiteral("N : add an isolated vertex."),
        QStringLiteral("P : print the graph."),
        QStringLiteral("R : run the optimisation."),
        QStringLiteral(
            "T : add a vertex joined to the selection, which then becomes the only selected vertex."),
        QStringLiteral("U : unselect all vertices."),
        QStringLiteral("L|Context menu for the graph."),
    };
}

QStringList analystTabs()
{
    return {
        QStringLiteral(
            "The two analyst tabs tabulate the values marked \"Insert in analyst\" for a database of "
            "graphs: the graph analyst takes graphs as observations, the vertex analyst takes vertices."),
        QStringLiteral("N|The database is filled by an optimisation run or loaded from a file."),
        QStringLiteral("L|Filter"),
        QStringLiteral("Up to ten rules keep only the rows whose values satisfy them."),
        QStringLiteral("N|Reject all drops every row until a rule accepts it."),
        QStringLiteral("L|Table view"),
        QStringLiteral(
            "One row per graph or vertex, one column per reported value; a double click loads the graph."),
        QStringLiteral("L|X-Y plot"),
        QStringLiteral("Two columns plotted against each other; a double click on a dot loads its graph."),
        QStringLiteral("L|Conjectures"),
        QStringLiteral(
            "The conjecture engine looks for bounds of the form Target <= f(x) or Target >= f(x)."),
        QStringLiteral(
            "Its options choose the target column, the direction of the bound and the kinds of terms: "
            "squares, square roots, products and combinations of columns."),
    };
}

QStringList consoleTab()
{
    return {
        QStringLiteral("The console shows the messages of every part of the program."),
        QStringLiteral("The verbosity level chooses how detailed the messages are."),
        QStringLiteral("The Debug box also shows the debugging messages."),
        QStringLiteral("The thread box shows the messages of one search thread only."),
        QStringLiteral("Thread -1 shows the messages of all threads."),
        QStringLiteral("The Clear button empties the console."),
    };
}

QStringList inspector()
{
    return {
        QStringLiteral("The inspector is a separate window with six panels:"),
        QStringLiteral("- Problem: items, files, links and positions of the white board."),
        QStringLiteral("- Optimization parameters: how the search runs."),
        QStringLiteral("- Constraints: the structural requirements on the graphs."),
        QStringLiteral("- Graph: editing and drawing the graph."),
        QStringLiteral("- Analyst: loading, filtering and saving graph databases."),
        QStringLiteral("- Notes: the title and description of the problem."),
    };
}

QStringList inspectorProblem()
{
    return {
        QStringLiteral("The component chooser lists every item kind by category."),
        QStringLiteral("A double click on a kind places a new item of it on the white board."),
        QStringLiteral("The first row of buttons loads, saves and clears the problem."),
        QStringLiteral("The second row links the selected items as argument 1 to 4."),
        QStringLiteral("The third row deletes the selected items and arranges them."),
        QStringLiteral("Align X moves the selected items to the same x position."),
        QStringLiteral("Align Y moves the selected items to the same y position."),
        QStringLiteral("Space X spaces the selected items evenly along the x-axis."),
        QStringLiteral("Space Y spaces the selected items evenly along the y-axis."),
        QStringLiteral("Items keep their positions when the problem is saved."),
        QStringLiteral("The white board can also be edited with the mouse and the keys."),
    };
}

QStringList inspectorOptimisation()
{
    return {
        QStringLiteral("The number of threads sets how many searches run at the same time, from 1 to 4."),
        QStringLiteral("Each search stops at its time limit or at its limit on evaluations."),
        QStringLiteral("The value -1 disables one of the two stopping criteria."),
        QStringLiteral("Save graphs hands the graphs found to the analysts at the end of a run."),
        QStringLiteral("The parameter p1 can sweep a range of integers."),
        QStringLiteral("One job runs for each value of p1."),
        QStringLiteral("p1 may also set the order of the graphs of its job."),
        QStringLiteral("The parameter p2 can sweep a range that depends on p1."),
        QStringLiteral("Its lower and upper bounds are quadratic functions of p1."),
        QStringLiteral("p2 may also set the number of edges of its job."),
        QStringLiteral("The PARAM 1 and PARAM 2 items give p1 and p2 to the white board."),
        QStringLiteral("With both parameters, one job runs for each pair of values."),
        QStringLiteral("Aggressivity sets how often the search accepts a worse graph."),
        QStringLiteral("A low aggressivity keeps the search near its best graph."),
        QStringLiteral("A high aggressivity lets it wander further."),
        QStringLiteral("The C6-Regular transformation rewires alternating 6-cycles of regular graphs."),
        QStringLiteral("It keeps every degree, so the graphs stay regular."),
        QStringLiteral("Family-based optimisation also searches within the recognised families."),
        QStringLiteral("Several OBJECTIVE items make the search multi-objective."),
        QStringLiteral("The search then keeps every graph that no other graph dominates."),
        QStringLiteral("Secondary objectives are compared in lexicographic order."),
        QStringLiteral("Reset statistics forgets what the search learnt between jobs."),
        QStringLiteral("Amnesia mode forgets it between restarts of a job."),
        QStringLiteral("A random start graph begins each job from a random graph."),
        QStringLiteral("Otherwise each job starts from the current graph."),
    };
}

QStringList inspectorConstraints()
{
    return {
        QStringLiteral("The constraints of this page are handled by the optimiser itself."),
        QStringLiteral("Its moves keep them, so no graph is wasted on violations."),
        QStringLiteral("Chemical graphs have no vertex of degree above 4."),
        QStringLiteral("Connected asks for a connected graph."),
        QStringLiteral("Complement connected asks for a connected complement."),
        QStringLiteral("Regular asks for a regular graph of the given degree."),
        QStringLiteral("The maximum degree can be bounded from above, fixed or bounded from below."),
        QStringLiteral("So can the diameter."),
        QStringLiteral("The order sets the number of vertices."),
        QStringLiteral("The number of edges can be fixed as well."),
    };
}

QStringList inspectorGraph()
{
    return {
        QStringLiteral("The graph page edits and draws the graph of the graph tab."),
        QStringLiteral("Add edges joins every two selected vertices."),
        QStringLiteral("Remove edges deletes the edges between selected vertices."),
        QStringLiteral("Add vertex adds an isolated vertex."),
        QStringLiteral("Remove vertices deletes the selected vertices."),
        QStringLiteral(
            "Cliq adds a vertex joined to the selection and selects it too; repeated, it grows a clique."),
        QStringLiteral("Bipart adds a vertex joined to the selection, which stays as it was; repeated, it "
                       "grows a complete bipartite graph."),
        QStringLiteral("Tail adds a vertex joined to the selection and makes it the only selected vertex; "
                       "repeated, it grows a pendant path."),
        QStringLiteral("Unselect clears the selection."),
        QStringLiteral("Inv. sel. inverts the selection."),
        QStringLiteral("Compl. complements the subgraph induced by the selection."),
        QStringLiteral("Node size and edge width change the drawing."),
        QStringLiteral("Position scale stretches or shrinks the drawing."),
        QStringLiteral("Shuffle relabels the vertices at random."),
        QStringLiteral("Placement lays the graph out in 2 or 3 dimensions."),
        QStringLiteral("The last row of buttons loads, saves, prints and sends the graph to the analyst."),
    };
}

QStringList inspectorAnalyst()
{
    return {
        QStringLiteral("The analyst page works on the graph databases of the analysts."),
        QStringLiteral("Load reads graphs from a graph6 file or a graph list file."),
        QStringLiteral("Filter on load keeps only the graphs that satisfy the constraints."),
        QStringLiteral("Update recomputes every marked value with the current problem."),
        QStringLiteral("Clear empties the databases."),
        QStringLiteral("Delete removes the current graph."),
        QStringLiteral("Save data writes the table as tab-separated values."),
        QStringLiteral("Save graphs writes every graph of the database, one per line."),
        QStringLiteral("Save used graphs writes only the graphs of the table."),
        QStringLiteral("Save as PDF draws each graph into a PDF file of its own."),
    };
}

QStringList invariants()
{
    return {
        QStringLiteral(
            "An invariant is a quantity that depends only on the graph, not on how its vertices are "
            "numbered."),
        QStringLiteral("Here the word also covers vertex vectors and matrices computed from the graph."),
        QStringLiteral("Values are single numbers, such as the order or the Wiener index."),
        QStringLiteral("Vectors hold one number per vertex, such as the degrees."),
        QStringLiteral("Matrices hold one number per pair of vertices, such as the distances."),
        QStringLiteral("Families tell whether the graph belongs to a class, such as the trees."),
    };
}
} // namespace

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
    case 10:
        h2iStyle();
        append(QStringLiteral("\nInspector\n"));
        bodyStyle();
        paragraphs(inspector());
        break;
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
    default: {
        // The third-level sections: a blue heading, then fixed text or a catalogue list.
        static const char *const headings[] = {
            nullptr,       nullptr,       nullptr,     nullptr,
            nullptr,       "Problem tab", "Graph tab", "Graph & vertex analyst tabs",
            "Console tab", nullptr,       "Problem",   "Optimization parameters",
            "Constraints", "Graph",       "Analyst",   "Notebook",
            nullptr,       nullptr,       "Values",    "Vectors",
            "Matrices",    "Families"};
        h3Style();
        append(QLatin1String(headings[number - 1]));
        bodyStyle();
        switch (number) {
        case 6:
            paragraphs(problemTab());
            break;
        case 7:
            paragraphs(graphTab());
            break;
        case 8:
            paragraphs(analystTabs());
            break;
        case 9:
            paragraphs(consoleTab());
            break;
        case 11:
            paragraphs(inspectorProblem());
            break;
        case 12:
            paragraphs(inspectorOptimisation());
            break;
        case 13:
            paragraphs(inspectorConstraints());
            break;
        case 14:
            paragraphs(inspectorGraph());
            break;
        case 15:
            paragraphs(inspectorAnalyst());
            break;
        case 16:
            append(
                QStringLiteral("The notebook keeps the title and the description of the problem under study; "
                               "they are saved with the problem."));
            break;
        case 19:
            writeCatalogue(QStringLiteral("InvariantsVal"));
            break;
        case 20:
            writeCatalogue(QStringLiteral("InvariantsVec"));
            break;
        case 21:
            writeCatalogue(QStringLiteral("InvariantsMat"));
            break;
        case 22:
            writeCatalogue(QStringLiteral("InvariantsFam"));
            break;
        }
    }
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
