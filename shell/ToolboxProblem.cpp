// MainWidget: the inspector's Problem page (component tree, board buttons) and adding components.
#include "shell/MainWidget.h"

#include "problem/BuildCalculus.h"
#include "problem/Calculus.h"
#include "problem/Problem.h"
#include "shell/Console.h"
#include "shell/MainWidgetControls.h"

#include <QGridLayout>
#include <QPushButton>
#include <QToolBox>
#include <QTreeWidget>

using namespace MainWidgetControls;

void MainWidget::buildProblemPage()
{
    auto *page = new QWidget;
    auto *grid = new QGridLayout;

    tree = new QTreeWidget;
    tree->setObjectName(QStringLiteral("components"));
    tree->setColumnCount(1);
    tree->setHeaderLabel(tr("Problem components"));
    auto addLeaves = [this](QTreeWidgetItem *parent, const QStringList &keywords) {
        for (const QString &k : keywords) {
            auto *leaf = new QTreeWidgetItem(parent, QStringList(k));
            leaf->setToolTip(0, catalogue->toolTip(k));
        }
    };
    auto *invariants = new QTreeWidgetItem(tree, QStringList(tr("Invariants")));
    addLeaves(new QTreeWidgetItem(invariants, QStringList(tr("Value"))), catalogue->invariantsVal);
    addLeaves(new QTreeWidgetItem(invariants, QStringList(tr("Vector"))), catalogue->invariantsVec);
    addLeaves(new QTreeWidgetItem(invariants, QStringList(tr("Matrix"))), catalogue->invariantsMat);
    addLeaves(new QTreeWidgetItem(invariants, QStringList(tr("Custom"))), catalogue->parameters);
    addLeaves(new QTreeWidgetItem(tree, QStringList(tr("Family"))), catalogue->invariantsFam);
    addLeaves(new QTreeWidgetItem(tree, QStringList(tr("Operators"))), catalogue->operators);
    addLeaves(new QTreeWidgetItem(tree, QStringList(tr("Constraints"))), catalogue->constraints);
    auto *objective = new QTreeWidgetItem(tree, QStringList(QStringLiteral("OBJECTIVE")));
    objective->setToolTip(0, tr("Objective function"));
    grid->addWidget(tree, 0, 0, 12, 4);

    auto *load = button(tr("Load"), QStringLiteral("loadProblem"));
    load->setToolTip(tr("Load problem"));
    auto *save = button(tr("Save"), QStringLiteral("saveProblem"));
    save->setToolTip(tr("Save problem"));
    auto *refresh = button(tr("Refr."), QStringLiteral("refresh"));
    refresh->setToolTip(tr("Refresh"));
    auto *del = button(tr("del"), QStringLiteral("deleteItems"));
    grid->addWidget(load, 13, 0);
    grid->addWidget(save, 13, 1);
    grid->addWidget(refresh, 13, 2);
    grid->addWidget(del, 13, 3);
    connect(load, &QPushButton::clicked, problem, &Problem::slot_open);
    connect(save, &QPushButton::clicked, problem, &Problem::slot_save);
    connect(refresh, &QPushButton::clicked, this, &MainWidget::slot_refresh);
    connect(del, &QPushButton::clicked, problem, &Problem::slot_delete_items);

    // The argument buttons answer the keys 1 to 4 while the inspector is the active window.
    void (Problem::*links[4])() = {&Problem::slot_link1, &Problem::slot_link2, &Problem::slot_link3,
                                   &Problem::slot_link4};
    for (int k = 0; k < 4; ++k) {
        auto *arg = button(QStringLiteral("arg%1").arg(k + 1), QStringLiteral("arg%1").arg(k + 1));
        arg->setShortcut(QKeySequence(QString::number(k + 1)));
        grid->addWidget(arg, 14, k);
        connect(arg, &QPushButton::clicked, problem, links[k]);
    }
    const std::pair<QString, void (Problem::*)()> arrange[4] = {{tr("Align X"), &Problem::slot_alignX},
                                                                {tr("Align Y"), &Problem::slot_alignY},
                                                                {tr("Space X"), &Problem::slot_spaceX},
                                                                {tr("Space Y"), &Problem::slot_spaceY}};
    for (int k = 0; k < 4; ++k) {
        auto *b = button(arrange[k].first, arrange[k].first);
        grid->addWidget(b, 15, k);
        connect(b, &QPushButton::clicked, problem, arrange[k].second);
    }

    page->setLayout(grid);
    toolBox->addItem(page, QIcon(), tr("Problem"));
}

void MainWidget::connectProblemPage()
{
    connect(tree, &QTreeWidget::itemDoubleClicked, this, &MainWidget::slot_item_clicked);
}

bool MainWidget::addItemByCategory(Calculus *item, int category)
{
    switch (category) {
    case 1:
        problem->addInvariantItem(item);
        return true;
    case 2:
        problem->addFamilyItem(item);
        return true;
    case 3:
        problem->addOperatorItem(item);
        return true;
    case 4:
        problem->addConstraintItem(item);
        return true;
    case 5:
        problem->addZItem(item);
        return true;
    default:
        delete item;
        return false;
    }
}

void MainWidget::addComponent(const QString &keyword, const QPointF *at)
{
    const int category = catalogue->type(keyword);
    if (category == 0)
        return;
    Calculus *item = catalogue->makeCalculus(keyword, true);
    if (!item) {
        console->append(tr("No component is known for %1.").arg(keyword), false, 0, Qt::red);
        return;
    }
    if (at)
        item->setPos(*at);
    addItemByCategory(item, category);
}

void MainWidget::slot_item_clicked(QTreeWidgetItem *item, int column)
{
    if (!item || column < 0)
        return;
    addComponent(item->text(column), nullptr);
}
