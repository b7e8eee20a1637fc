// MainWidget: the inspector's Graph page: editing, layout, shuffle, hand-over to the graph analyst.
#include "shell/MainWidget.h"

#include "analysts/Analyst.h"
#include "analysts/AnalystWidget.h"
#include "dialogs/Prompt.h"
#include "graph/Edge.h"
#include "graph/Graph.h"
#include "graph/MDS.h"
#include "graph/ShuffleCheck.h"
#include "problem/Problem.h"
#include "shell/Console.h"
#include "shell/MainWidgetControls.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QToolBox>

#include <iostream>

using namespace MainWidgetControls;

void MainWidget::buildGraphPage()
{
    auto *page = new QWidget;
    auto *grid = new QGridLayout;

    struct Entry {
        const char *text;
        const char *name;
        int row, column;
        void (Graph::*slot)();
    };
    const Entry buttons[] = {{"Add E", "addEdges", 0, 0, &Graph::slot_adde},
                             {"Rem E", "removeEdges", 0, 1, &Graph::slot_reme},
                             {"Add V", "addVertex", 1, 0, &Graph::slot_addv},
                             {"Rem V", "removeVertices", 1, 1, &Graph::slot_remv},
                             {"Print", "printGraph", 1, 2, &Graph::slot_print},
                             {"Unselect", "unselect", 3, 0, &Graph::slot_unselect},
                             {"Inv. sel.", "invertSelection", 3, 1, &Graph::slot_invert_select},
                             {"Compl.", "complement", 3, 2, &Graph::slot_complement},
                             {"Save", "saveGraph", 7, 0, &Graph::slot_save_graph},
                             {"Load", "loadGraph", 7, 1, &Graph::slot_load_graph}};
    for (const Entry &e : buttons) {
        auto *b = button(tr(e.text), QString::fromLatin1(e.name));
        grid->addWidget(b, e.row, e.column);
        connect(b, &QPushButton::clicked, graph, e.slot);
    }
    // How a double click on the graph adds vertices.
    auto *modes = new QButtonGroup(page);
    const Entry radios[] = {{"Cliq.", "addClique", 2, 0, &Graph::slot_set_add_k},
                            {"Bipart.", "addBipartite", 2, 1, &Graph::slot_set_add_bip},
                            {"Tail.", "addTail", 2, 2, &Graph::slot_set_add_tail}};
    for (const Entry &e : radios) {
        auto *r = new QRadioButton(tr(e.text));
        r->setObjectName(QString::fromLatin1(e.name));
        r->setChecked(e.column == 0);
        modes->addButton(r);
        grid->addWidget(r, e.row, e.column);
        connect(r, &QRadioButton::clicked, graph, e.slot);
    }

    auto *nodeSize = doubleBox(QStringLiteral("nodeSize"), 0.5, 200.0, 20.0);
    auto *shuffle = button(tr("Shuffle"), QStringLiteral("shuffle"));
    auto *edgeWidth = spinBox(QStringLiteral("edgeWidth"), 0, 20, 2);
    auto *mds3d = checkBox(tr("3D pos."), QStringLiteral("mds3d"), false);
    positionBox = doubleBox(QStringLiteral("position"), 10.0, 2000.0, 500.0);
    auto *place = button(tr("Place"), QStringLiteral("place"));
    auto *toAnalyst = button(tr("Analyst"), QStringLiteral("toAnalyst"));

    grid->addWidget(new QLabel(tr("Node size")), 4, 0);
    grid->addWidget(nodeSize, 4, 1);
    grid->addWidget(shuffle, 4, 2);
    grid->addWidget(new QLabel(tr("Edge width")), 5, 0);
    grid->addWidget(edgeWidth, 5, 1);
    grid->addWidget(mds3d, 5, 2);
    grid->addWidget(new QLabel(tr("Position")), 6, 0);
    grid->addWidget(positionBox, 6, 1);
    grid->addWidget(place, 6, 2);
    grid->addWidget(toAnalyst, 7, 2);

    connect(nodeSize, QOverload<double>::of(&QDoubleSpinBox::valueChanged), graph,
            &Graph::slot_set_node_radius);
    connect(shuffle, &QPushButton::clicked, this, &MainWidget::slot_shuffle);
    connect(edgeWidth, QOverload<int>::of(&QSpinBox::valueChanged), this, &MainWidget::slot_set_edge_width);
    connect(mds3d, &QCheckBox::clicked, this, &MainWidget::slot_set_mds3d);
    connect(place, &QPushButton::clicked, this, &MainWidget::slot_place_graph);
    connect(toAnalyst, &QPushButton::clicked, this, &MainWidget::slot_save_graph_analyst);

    page->setLayout(grid);
    toolBox->addItem(page, QIcon(), tr("Graph"));
}

void MainWidget::slot_place_graph()
{
    const double size = positionBox->value();
    if (graph->getNbNodes() < 3)
        return;
    for (Graph *g : {graph, graphBak}) {
        MDS layout(g, size, mdsDim);
        g->update_display();
    }
}

void MainWidget::slot_shuffle()
{
    // The relabellings are tested on a worker thread behind a progress dialog, so the window stays
    // alive however long the isomorphism tests take. The graph is left in the last relabelling
    // tested, which the board has been evaluated on through the graph's announcement.
    const ShuffleCheck::Result r = ShuffleCheck::run(graph, 100, this);
    problem->update_display();
    // The trace of every test, in order: its number, then the running count of answers that are
    // not "unknown" (0).
    int count = 0;
    for (int i = 0; i < r.answers.size(); ++i) {
        std::cerr << "i = " << i << '\n';
        if (r.answers.at(i) != 0)
            ++count;
        std::cerr << count << " success.\n";
    }
    std::cerr << "ISO : " << count << " success." << std::endl;
    console->append(tr("Shuffle: %1 of %2 relabellings recognised as isomorphic%3.")
                        .arg(r.isomorphic)
                        .arg(r.rounds)
                        .arg(r.cancelled ? tr(" (cancelled after %1 tests)").arg(r.tested) : QString()),
                    false, 0, Qt::black);
}

void MainWidget::slot_save_graph_analyst()
{
    const QString g = graph->graphData();
    const int r = analystG->currentRow();
    if (r >= 0 && r < analystG->nbGraphs() &&
        Prompt::current()->question(this, tr("Question"),
                                    tr("Do you want to replace current graph in Analyst?")))
        analystWidgetG->replaceGraph(g, analystG->vertex(r));
    else
        analystWidgetG->addGraph(g);
}

void MainWidget::slot_set_edge_width(int w)
{
    Edge::setEdgeWidth(w);
}
