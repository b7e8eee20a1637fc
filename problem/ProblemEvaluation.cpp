// Problem: the evaluation (compute, eval, the structural checks), publication of the best graph
// and the analyst report columns.
#include "problem/Problem.h"

#include "graph/Graph.h"
#include "problem/Calculus.h"
#include "problem/Eval.h"
#include "problem/ProblemInternal.h"
#include "problem/StructuralPenalties.h"
#include "problem/infoEDGE.h"
#include "problem/infoNODE.h"

#include <QMutexLocker>

#include <cmath>
#include <limits>

using ProblemInternal::onGuiThread;

namespace
{
const double unavailable = 1e12;
} // namespace

// ---- Evaluation ---------------------------------------------------------------------------------

bool Problem::compute(bool force)
{
    if (!force) {
        // The display items feed the view only, which takes them from a forced computation.
        colors->crucial = false;
        labels->crucial = false;
        eLabels->crucial = false;
        for (int i = evalStack.size() - 1; i >= 0; --i)
            evalStack.at(i)->crucial = false;
        for (int i = famStack.size() - 1; i >= 0; --i)
            famStack.at(i)->crucial = false;
        for (Calculus *c : qAsConst(consStack))
            c->crucial = true;
        for (Calculus *c : qAsConst(objStack))
            c->crucial = true;
        for (Calculus *c : qAsConst(objStack))
            c->update_crucial();
        for (Calculus *c : qAsConst(consStack))
            c->update_crucial();
        for (int i = evalStack.size() - 1; i >= 0; --i)
            evalStack.at(i)->update_crucial();
    } else {
        for (Calculus *c : qAsConst(objStack))
            c->crucial = true;
        colors->crucial = true;
        labels->crucial = true;
        eLabels->crucial = true;
        for (Calculus *c : qAsConst(consStack))
            c->crucial = true;
        for (int i = evalStack.size() - 1; i >= 0; --i)
            evalStack.at(i)->crucial = true;
    }

    // Families read nothing but the graph, and operators of the evaluation stack may use them:
    // they are computed first, so no operator reads a family's result for the previous graph.
    for (Calculus *c : qAsConst(famStack))
        c->compute(force);
    for (Calculus *c : qAsConst(evalStack))
        c->compute(force);
    for (Calculus *c : qAsConst(consStack))
        c->compute(force);
    for (Calculus *c : qAsConst(objStack))
        c->compute(force);
    colors->compute(force);
    labels->compute(force);
    return eLabels->compute(force);
}

int Problem::readAdjacency(quint32 *adj) const
{
    if (!graph) {
        for (int i = 0; i < Graph::MaxNodes; ++i)
            adj[i] = 0;
        return 0;
    }
    return graph->adjacencyRows(adj);
}

void Problem::eval(Eval *e)
{
    if (!e)
        return;
    compute(false);
    // The record's own vectors are refilled in place: a record that nobody kept allocates
    // nothing, and the record shares no scratch storage with the board.
    e->refill(objStack.size());

    for (int i = 0; i < objStack.size(); ++i) {
        Calculus *z = objStack.at(i);
        const QVector<QVector<double>> &values = *z->getZ();
        const int r = qBound(0, z->rows, qMin(Graph::MaxNodes, values.size()));
        QVector<double> &out = e->z(i);
        out.resize(r);
        double *d = out.data();
        for (int k = 0; k < r; ++k) {
            double v = values.at(k).at(0);
            // Beyond the representable range in either direction, or not a number at all: the
            // worst value of a minimised objective.
            if (std::isnan(v) || v >= unavailable || v <= -unavailable)
                v = unavailable;
            d[k] = v;
        }
    }

    bool failed = false;
    for (Calculus *c : consStack) {
        double v = c->getValue(1);
        if (std::isnan(v))
            v = unavailable; // a constraint that cannot be evaluated is violated
        e->push_front(v);
        failed = failed || c->getError();
    }
    for (Calculus *z : objStack)
        failed = failed || z->getError();

    quint32 adj[Graph::MaxNodes];
    const int n = readAdjacency(adj);
    if (chemical)
        e->push_front(StructuralPenalties::chemical(adj, n));
    if (degmax)
        e->push_front(StructuralPenalties::degmax(adj, n, degmaxValue, degmaxType));
    if (diameter)
        e->push_front(StructuralPenalties::diameter(adj, n, diameterValue, diameterType));
    if (regular)
        e->push_front(StructuralPenalties::regular(adj, n, regDegree));
    if (fixNbArcs)
        e->push_front(std::fabs(double(StructuralPenalties::edges(adj, n) - nbArcs)));
    if (connected)
        e->push_front(graph ? StructuralPenalties::components(adj, n) : 0.0);
    if (connectedBar)
        e->push_front(graph ? StructuralPenalties::complementComponents(adj, n) : 0.0);
    e->push_front(std::fabs(double(n) - double(nbNod)));
    e->push_front(failed ? 1.0 : 0.0);

    if (nbEvalsCount < std::numeric_limits<int>::max())
        ++nbEvalsCount;
    if (maxEval != 0 && nbEvalsCount >= maxEval)
        emit signal_max_eval_reached();
}

double Problem::isChemical()
{
    quint32 adj[Graph::MaxNodes];
    const int n = readAdjacency(adj);
    return StructuralPenalties::chemical(adj, n);
}

double Problem::isDegmax()
{
    quint32 adj[Graph::MaxNodes];
    const int n = readAdjacency(adj);
    return StructuralPenalties::degmax(adj, n, degmaxValue, degmaxType);
}

double Problem::isDiameter()
{
    quint32 adj[Graph::MaxNodes];
    const int n = readAdjacency(adj);
    return StructuralPenalties::diameter(adj, n, diameterValue, diameterType);
}

double Problem::isRegular()
{
    quint32 adj[Graph::MaxNodes];
    const int n = readAdjacency(adj);
    return StructuralPenalties::regular(adj, n, regDegree);
}

double Problem::isFixNbArcs()
{
    const int m = graph ? graph->getNbEdges() : 0;
    return std::fabs(double(m - nbArcs));
}

double Problem::isNbNod()
{
    const int n = graph ? graph->getNbNodes() : 0;
    return std::fabs(double(n - nbNod));
}

double Problem::isConnected()
{
    if (!graph)
        return 0.0;
    quint32 adj[Graph::MaxNodes];
    const int n = readAdjacency(adj);
    return StructuralPenalties::components(adj, n);
}

double Problem::isConnectedBar()
{
    if (!graph)
        return 0.0;
    quint32 adj[Graph::MaxNodes];
    const int n = readAdjacency(adj);
    return StructuralPenalties::complementComponents(adj, n);
}

void Problem::best_backup()
{
    // The items' dialogs and the graph view are widgets: a worker publishing on a board with a
    // user interface hands the work to the GUI thread.
    if (gui && !onGuiThread()) {
        QMetaObject::invokeMethod(
            this, [this]() { best_backup(); }, Qt::QueuedConnection);
        return;
    }
    QMutexLocker lock(&backupLock);
    compute(true);
    for (Calculus *item : allItems())
        item->bestBackup();
    Eval e;
    eval(&e);
    handOverToGraph(e);
}

void Problem::handOverToGraph(const Eval &e)
{
    // A worker's board bound to a displayed graph leaves the view alone.
    if (!graph || (!onGuiThread() && graph->isDisplayed()))
        return;
    graph->setViolated(e.violated());
    handDisplayItems(true, true, true);
}

void Problem::handDisplayItems(bool withColors, bool withLabels, bool withELabels)
{
    if (!graph)
        return;
    if (colors && withColors)
        graph->setColors(colors->getFirstCol());
    if (labels && withLabels)
        graph->setLabels(labels->getFirstCol());
    if (eLabels && withELabels) {
        const int n = graph->getNbNodes();
        QVector<QVector<double>> m;
        bool show = false;
        {
            QMutexLocker valueLock(&eLabels->valueMutex);
            m = eLabels->M;
            show = eLabels->rows == n && eLabels->cols == n;
        }
        graph->setELabels(m, show);
    }
}

void Problem::slot_best_backup()
{
    best_backup();
}

void Problem::slot_refresh()
{
    if (graph)
        graph->best_backup();
    best_backup();
    if (graph && (onGuiThread() || !graph->isDisplayed()))
        graph->update_display();
    update_display();
}

// ---- Analyst report columns ---------------------------------------------------------------------

namespace
{
QString headerOf(Calculus *item)
{
    item->updateGivenName();
    if (!item->getGivenName().isEmpty())
        return item->getGivenName();
    if (!item->name.isEmpty())
        return item->name;
    return QStringLiteral("NA");
}

// Entry i (from 1) of the item's current result; NaN where the result has no such entry (an item
// in error, or a value asked for per vertex), so a stale number never fills a column.
double reportValue(Calculus *item, int i)
{
    const bool column = item->cols < 2;
    const int available = column ? item->rows : (item->rows >= 1 ? item->cols : 0);
    if (i < 1 || i > available)
        return std::numeric_limits<double>::quiet_NaN();
    return item->getValue(i);
}
} // namespace

QStringList Problem::getReportNames(bool vertexMode)
{
    const int n = graph ? graph->getNbNodes() : 0;
    QStringList names;
    for (Calculus *item : evalStack + famStack + objStack) {
        if (!item->inReport())
            continue;
        const bool vec = item->vecInReport();
        const bool nod = item->nodInReport();
        const int k = vec ? n : (nod && !vertexMode ? n : 1);
        const QString header = headerOf(item);
        if (k == 1) {
            names << header;
            continue;
        }
        for (int i = 1; i <= k; ++i)
            names << header + QLatin1Char('[') + QString::number(i) + QLatin1Char(']');
    }
    return names;
}

QVector<double> Problem::getReportValues()
{
    const int n = graph ? graph->getNbNodes() : 0;
    QVector<double> row;
    for (Calculus *item : evalStack + famStack + objStack) {
        if (!item->inReport())
            continue;
        const int k = (item->vecInReport() || item->nodInReport()) ? n : 1;
        for (int i = 1; i <= k; ++i)
            row << reportValue(item, i);
    }
    return row;
}

QVector<double> Problem::getReportValues(int v)
{
    const int n = graph ? graph->getNbNodes() : 0;
    QVector<double> row;
    for (Calculus *item : evalStack + famStack + objStack) {
        if (!item->inReport())
            continue;
        if (item->nodInReport()) {
            row << reportValue(item, v);
        } else if (item->vecInReport()) {
            for (int i = 1; i <= n; ++i)
                row << reportValue(item, i);
        } else {
            row << reportValue(item, 1);
        }
    }
    return row;
}
