// Documentation: the fixed help text, the paragraphs of the sections not generated at a rebuild.
#include "help/DocumentationText.h"

namespace DocumentationText
{
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
} // namespace DocumentationText
