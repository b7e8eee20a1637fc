#pragma once

#include "FixedItem.h"
#include "graph/Graph.h"
#include "problem/BuildCalculus.h"
#include "problem/Calculus.h"
#include "problem/Link.h"
#include "support/TestLinking.h"

#include <QtTest>

#include <cmath>
#include <memory>
#include <vector>

// A tiny headless board for the operator tests: one item under test made by the factory, its
// argument items, a graph whose change stamp is advanced before every evaluation, and the links
// made the way the board makes them.
class OperatorBoard
{
public:
    OperatorBoard() : graph(std::make_unique<Graph>(QStringLiteral("operators"), false)) {}

    ~OperatorBoard()
    {
        // Users before their arguments: deleting an item deletes its links.
        item.reset();
        args.clear();
    }

    // Makes the item of keyword (null when the factory does not know it).
    Calculus *make(const QString &keyword, bool display = false)
    {
        item.reset(BuildCalculus().makeCalculus(keyword, display));
        if (item)
            item->setGraph(graph.get());
        return item.get();
    }

    // A preset argument; an empty layout gives none.
    FixedItem *fixed(const QString &layout)
    {
        if (layout.isEmpty())
            return nullptr;
        args.push_back(std::make_unique<FixedItem>(layout));
        args.back()->setGraph(graph.get());
        args.back()->compute(true);
        return static_cast<FixedItem *>(args.back().get());
    }

    // Links source as argument k of target as the board does; false when either refuses.
    static bool link(Calculus *source, Calculus *target, int k) { return linkAsArgument(source, target, k); }

    // Links the preset arguments 1 to 4 (empty layouts stay unlinked) and evaluates the item.
    void linkAll(const QStringList &layouts)
    {
        for (int k = 0; k < layouts.size() && k < 4; ++k)
            if (FixedItem *a = fixed(layouts[k]))
                QVERIFY(link(a, item.get(), k + 1));
        evaluate();
    }

    // A new change stamp, then every argument and the item in stack order.
    void evaluate()
    {
        graph->changeBest();
        for (auto &a : args)
            a->compute(true);
        if (item)
            item->compute(true);
    }

    Graph *getGraph() const { return graph.get(); }
    Calculus *getItem() const { return item.get(); }

private:
    std::unique_ptr<Graph> graph;
    std::vector<std::unique_ptr<Calculus>> args;
    std::unique_ptr<Calculus> item;
};

// Two doubles agree: both NaN, equal (infinities included), or within tol relative to max(1, |b|).
inline bool sameNumber(double a, double b, double tol = 1e-12)
{
    if (std::isnan(a) || std::isnan(b))
        return std::isnan(a) && std::isnan(b);
    if (a == b)
        return true;
    return std::fabs(a - b) <= tol * std::max(1.0, std::fabs(b));
}

// Checks the item's result against "RxC:v,v,..." (size and entries).
inline void compareResult(const Calculus *item, const QString &expected, double tol = 1e-12)
{
    FixedItem want(expected);
    want.recompute();
    QCOMPARE(item->rows, want.rows);
    QCOMPARE(item->cols, want.cols);
    for (int i = 0; i < want.rows; ++i)
        for (int j = 0; j < want.cols; ++j)
            if (!sameNumber(item->M[i][j], want.M[i][j], tol))
                QFAIL(qPrintable(QStringLiteral("entry [%1][%2] is %3, expected %4")
                                     .arg(i)
                                     .arg(j)
                                     .arg(item->M[i][j], 0, 'g', 17)
                                     .arg(want.M[i][j], 0, 'g', 17)));
}
