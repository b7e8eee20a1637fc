#pragma once

// Shared by the problem text tests: a random board with items of every kind, and the shape of a
// board read through the items' own accessors.

#include "graph/Random.h"
#include "problem/BuildCalculus.h"
#include "problem/Calculus.h"
#include "problem/Problem.h"
#include "problem/Z.h"
#include "problem/infoEDGE.h"
#include "problem/infoNODE.h"
#include "problem/invConstant.h"
#include "problem/invPARAM.h"

#include <QString>
#include <QStringList>
#include <QVector>

// The board as a list of lines, read through the items' own accessors (not through the problem
// text), so that two boards can be compared field by field.
inline QStringList shape(Problem &p)
{
    QStringList out;
    const QVector<Calculus *> &eval = p.evaluationStack();
    auto describe = [&](const QString &stack, Calculus *c) {
        c->applyChanges();
        QStringList f;
        f << stack << c->name << c->getGivenName();
        f << QString::number(c->inReport()) << QString::number(c->nodInReport())
          << QString::number(c->vecInReport()) << QString::number(c->isInvertGraph());
        f << QString::number(c->pos().x(), 'g', 17) << QString::number(c->pos().y(), 'g', 17);
        for (int k = 1; k <= 4; ++k)
            f << QString::number(eval.indexOf(c->argument(k)));
        if (auto *z = dynamic_cast<Z *>(c))
            f << (z->isMin() ? QStringLiteral("min") : QStringLiteral("max"));
        if (dynamic_cast<invConstant *>(c)) {
            f << QStringLiteral("%1x%2").arg(c->rows).arg(c->cols);
            for (int i = 0; i < c->rows; ++i)
                for (int j = 0; j < c->cols; ++j)
                    f << QString::number(c->M[i][j], 'g', 17);
        }
        out << f.join(QLatin1Char('|'));
    };
    for (Calculus *c : eval)
        describe(QStringLiteral("eval"), c);
    for (Calculus *c : p.familyStack())
        describe(QStringLiteral("family"), c);
    for (Calculus *c : p.constraintStack())
        describe(QStringLiteral("constraint"), c);
    for (Calculus *c : p.objectiveStack())
        describe(QStringLiteral("objective"), c);
    describe(QStringLiteral("display"), p.getColors());
    describe(QStringLiteral("display"), p.getLabels());
    describe(QStringLiteral("display"), p.getELabels());
    out << QStringLiteral("title|") + p.userTitle() << QStringLiteral("description|") + p.userDescription();
    return out;
}

inline QStringList makeable(const QStringList &keywords)
{
    BuildCalculus catalogue;
    QStringList out;
    for (const QString &k : keywords) {
        Calculus *c = catalogue.makeCalculus(k, false);
        if (c)
            out << k;
        delete c;
    }
    return out;
}

inline QString randomText(int length)
{
    static const QString alphabet = QStringLiteral("abcXYZ 09\t\n\r<NEW>_é");
    QString s;
    for (int i = 0; i < length; ++i)
        s += alphabet.at(tsy_rand(alphabet.size()));
    if (tsy_rand(3) == 0)
        s += QStringLiteral("<NEW>");
    return s;
}

inline double sixDigits()
{
    // Values that 'g' with 6 significant digits writes exactly.
    return double(tsy_rand(2000001) - 1000000) / 1000.0;
}

inline bool (Problem::*linkOp(int k))(Calculus *, Calculus *)
{
    static bool (Problem::*ops[4])(Calculus *, Calculus *) = {&Problem::link1, &Problem::link2,
                                                              &Problem::link3, &Problem::link4};
    return ops[k - 1];
}

// A random board: items of every kind the factory makes, random arguments among earlier items,
// random flags, names, positions, constants and directions, and a title and a description full of
// separators.
inline void buildRandomBoard(Problem &p, bool gui)
{
    BuildCalculus catalogue;
    const QStringList invariants = makeable({"ORDER", "SIZE", "DEGREES", "WIENER", "ADJACENCY", "DEGMAX"});
    const QStringList operators = makeable({"+", "-", "*", "SUM", "MAX", "ABS"});
    const QStringList constraints = makeable({"<=", ">=", "==", "<", ">"});
    const QStringList families = makeable({"TREE", "PATH", "STAR"});

    const int items = 3 + tsy_rand(10);
    for (int i = 0; i < items; ++i) {
        const int kind = tsy_rand(6);
        Calculus *c = nullptr;
        if (kind == 0 && !invariants.isEmpty()) {
            c = catalogue.makeCalculus(invariants.at(tsy_rand(invariants.size())), gui);
            p.addInvariantItem(c);
        } else if (kind == 1 && !operators.isEmpty()) {
            c = catalogue.makeCalculus(operators.at(tsy_rand(operators.size())), gui);
            p.addOperatorItem(c);
        } else if (kind == 2) {
            c = catalogue.makeConstant(gui);
            const int r = tsy_rand(4), cl = tsy_rand(4);
            QVector<double> values;
            for (int v = 0; v < r * cl; ++v)
                values << sixDigits();
            static_cast<invConstant *>(c)->loadData(r, cl, values);
            p.addOperatorItem(c);
        } else if (kind == 3 && !constraints.isEmpty()) {
            c = catalogue.makeCalculus(constraints.at(tsy_rand(constraints.size())), gui);
            p.addConstraintItem(c);
        } else if (kind == 4 && !families.isEmpty()) {
            c = catalogue.makeCalculus(families.at(tsy_rand(families.size())), gui);
            p.addFamilyItem(c);
        } else {
            c = catalogue.makeCalculus(tsy_rand(2) ? QStringLiteral("Z") : QStringLiteral("OBJECTIVE"), gui);
            c->setMin(tsy_rand(2) == 0);
            p.addZItem(c);
        }
    }
    // Flags, names and positions of every item; arguments from earlier evaluation-stack items.
    QVector<Calculus *> all =
        p.evaluationStack() + p.familyStack() + p.constraintStack() + p.objectiveStack();
    all << p.getColors() << p.getLabels() << p.getELabels();
    for (Calculus *c : all) {
        c->setPos(sixDigits(), sixDigits());
        c->setInReport(tsy_rand(2));
        const int mode = tsy_rand(3);
        c->setNodInReport(mode == 1);
        c->setVecInReport(mode == 2);
        c->setInvertGraph(tsy_rand(2));
        c->setGivenName(tsy_rand(2) ? randomText(tsy_rand(12)) : QString());
        const QVector<Calculus *> &eval = p.evaluationStack();
        int limit = eval.indexOf(c);
        if (limit < 0)
            limit = eval.size();
        for (int k = 1; k <= 4 && limit > 0; ++k)
            if (tsy_rand(2))
                (p.*linkOp(k))(eval.at(tsy_rand(limit)), c);
    }
    p.slot_set_title(randomText(20));
    p.slot_set_description(randomText(60));
}
