#include "graph/Graph.h"
#include "graph/Node.h"

#include <QApplication>
#include <QtMath>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Node::initColors();

    // For now the window shows a random graph, its vertices on a circle.
    Graph graph(QStringLiteral("graph"), true);
    const int n = graph.getNbNodes();
    for (int k = 0; k < n; ++k) {
        const double t = 2.0 * M_PI * k / n;
        graph.getNode(k)->setPosition(150.0 * qCos(t), 150.0 * qSin(t));
    }
    graph.update_display();
    graph.setWindowTitle(QStringLiteral("Tessaly"));
    graph.resize(640, 480);
    graph.show();
    return app.exec();
}
