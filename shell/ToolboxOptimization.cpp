// MainWidget: the Optimization parameters page of the inspector, which drives the search manager.
#include "shell/MainWidget.h"

#include "optimisation/VNSManager.h"
#include "problem/Problem.h"
#include "shell/MainWidgetControls.h"

#include <QGridLayout>
#include <QLabel>
#include <QSlider>
#include <QToolBox>

using namespace MainWidgetControls;

void MainWidget::buildOptimizationPage()
{
    auto *page = new QWidget;
    auto *grid = new QGridLayout;
    const Qt::Alignment left = Qt::AlignLeft;

    auto *threads = spinBox(QStringLiteral("threads"), 1, 4, nbThreads);
    auto *time = spinBox(QStringLiteral("time"), 0, 86400, 600);
    auto *evals = spinBox(QStringLiteral("evaluations"), 0, 10000000, 0);
    auto *saveGraphs = checkBox(tr("Save graphs"), QStringLiteral("saveGraphs"), true);
    useP1 = checkBox(tr("Use p1"), QStringLiteral("useP1"), false);
    useP2 = checkBox(tr("Use p2"), QStringLiteral("useP2"), false);
    useP2->setEnabled(false);
    p1Min = spinBox(QStringLiteral("p1Min"), 0, 10, 10);
    p1Min->setEnabled(false);
    p1Max = spinBox(QStringLiteral("p1Max"), 10, 1000, 10);
    p1Max->setEnabled(false);
    const char *p2Names[6] = {"p2MinSq", "p2MinLin", "p2MinCst", "p2MaxSq", "p2MaxLin", "p2MaxCst"};
    QDoubleSpinBox *p2[6];
    for (int k = 0; k < 6; ++k)
        p2[k] = doubleBox(QString::fromLatin1(p2Names[k]), -1e12, 1e12, 0.0);
    auto *slider = new QSlider(Qt::Horizontal);
    slider->setObjectName(QStringLiteral("agressivity"));
    slider->setRange(1, 100);
    slider->setValue(60);
    auto *c6 = checkBox(tr("C6 regular"), QStringLiteral("c6Regular"), false);
    auto *resetStats = checkBox(tr("Reset stats"), QStringLiteral("resetStats"), true);
    auto *random = checkBox(tr("Random graph"), QStringLiteral("randomGraph"), false);
    auto *family = checkBox(tr("Family opt."), QStringLiteral("familyOpt"), true);
    auto *amnesy = checkBox(tr("Amnesy mode"), QStringLiteral("amnesyMode"), true);

    grid->addWidget(new QLabel(tr("Number of threads ")), 1, 0, 1, 2);
    grid->addWidget(threads, 1, 2, 1, 1);
    grid->addWidget(new QLabel(tr("Optimization time (sec 0:infty) ")), 2, 0, 1, 2);
    grid->addWidget(time, 2, 2, 1, 1);
    grid->addWidget(new QLabel(tr("Max evaluations (0:infty) ")), 3, 0, 1, 2);
    grid->addWidget(evals, 3, 2, 1, 1);
    grid->addWidget(saveGraphs, 4, 0, 1, 1);
    grid->addWidget(useP1, 5, 0, 1, 2, left);
    grid->addWidget(useP2, 5, 2, 1, 2, left);
    grid->addWidget(p1Min, 6, 0, 1, 1, left);
    grid->addWidget(new QLabel(tr("<= p1 <=")), 6, 1, 1, 1, left);
    grid->addWidget(p1Max, 6, 2, 1, 1, left);
    grid->addWidget(new QLabel(tr("Min p2=")), 7, 0, 1, 1);
    grid->addWidget(new QLabel(tr("Max p2=")), 11, 0, 1, 1);
    for (int k = 0; k < 6; ++k) {
        const int row = (k < 3 ? 8 : 12) + k % 3;
        grid->addWidget(p2[k], row, 0, 1, 2);
        if (k % 3 == 0)
            grid->addWidget(new QLabel(tr("p1^2 +")), row, 2, 1, 1);
        else if (k % 3 == 1)
            grid->addWidget(new QLabel(tr("p1 +")), row, 2, 1, 1);
    }
    grid->addWidget(new QLabel(tr("Agressivity")), 15, 0, 1, 2);
    grid->addWidget(slider, 16, 0, 1, 3);
    grid->addWidget(c6, 17, 0, 1, 1);
    grid->addWidget(resetStats, 17, 2, 1, 1);
    grid->addWidget(random, 18, 0, 1, 1);
    grid->addWidget(family, 18, 1, 1, 1);
    grid->addWidget(amnesy, 18, 2, 1, 1);
    page->setLayout(grid);
    toolBox->addItem(page, QIcon(), tr("Optimization parameters"));
}

void MainWidget::connectOptimizationPage()
{
    connect(control<QSpinBox>(QStringLiteral("threads")), QOverload<int>::of(&QSpinBox::valueChanged), vns,
            &VNSManager::slot_set_nb_threads);
    connect(control<QSpinBox>(QStringLiteral("time")), QOverload<int>::of(&QSpinBox::valueChanged), vns,
            &VNSManager::slot_setMaxTime);
    connect(control<QSpinBox>(QStringLiteral("evaluations")), QOverload<int>::of(&QSpinBox::valueChanged),
            vns, &VNSManager::slot_set_max_evals);
    connect(control<QCheckBox>(QStringLiteral("saveGraphs")), &QCheckBox::clicked, vns,
            &VNSManager::slot_save_graphs);
    connect(useP1, &QCheckBox::clicked, vns, &VNSManager::slot_use_param1);
    connect(useP1, &QCheckBox::clicked, p1Min, &QWidget::setEnabled);
    connect(useP1, &QCheckBox::clicked, p1Max, &QWidget::setEnabled);
    connect(useP1, &QCheckBox::clicked, problem, &Problem::setUseP1);
    connect(useP1, &QCheckBox::clicked, p1Box, &QWidget::setEnabled);
    connect(useP1, &QCheckBox::clicked, useP2, &QWidget::setEnabled);
    connect(useP2, &QCheckBox::clicked, vns, &VNSManager::slot_use_param2);
    connect(useP2, &QCheckBox::clicked, problem, &Problem::setUseP2);
    connect(useP2, &QCheckBox::clicked, p2Box, &QWidget::setEnabled);
    connect(p1Min, QOverload<int>::of(&QSpinBox::valueChanged), vns, &VNSManager::slot_set_p1min);
    connect(p1Min, QOverload<int>::of(&QSpinBox::valueChanged), this, &MainWidget::slot_set_sb_p1_min);
    connect(p1Max, QOverload<int>::of(&QSpinBox::valueChanged), vns, &VNSManager::slot_set_p1max);
    connect(p1Max, QOverload<int>::of(&QSpinBox::valueChanged), this, &MainWidget::slot_set_sb_p1_max);
    const std::pair<const char *, void (VNSManager::*)(double)> p2Slots[6] = {
        {"p2MinSq", &VNSManager::slot_set_p2minsq},   {"p2MinLin", &VNSManager::slot_set_p2minlin},
        {"p2MinCst", &VNSManager::slot_set_p2mincst}, {"p2MaxSq", &VNSManager::slot_set_p2maxsq},
        {"p2MaxLin", &VNSManager::slot_set_p2maxlin}, {"p2MaxCst", &VNSManager::slot_set_p2maxcst}};
    for (const auto &s : p2Slots)
        connect(control<QDoubleSpinBox>(QString::fromLatin1(s.first)),
                QOverload<double>::of(&QDoubleSpinBox::valueChanged), vns, s.second);
    connect(control<QSlider>(QStringLiteral("agressivity")), &QSlider::valueChanged, vns,
            &VNSManager::slot_set_agressivity);
    connect(control<QCheckBox>(QStringLiteral("c6Regular")), &QCheckBox::clicked, vns,
            &VNSManager::slot_use_c6_regular);
    connect(control<QCheckBox>(QStringLiteral("resetStats")), &QCheckBox::clicked, vns,
            &VNSManager::slot_reset_stats);
    connect(control<QCheckBox>(QStringLiteral("randomGraph")), &QCheckBox::clicked, vns,
            &VNSManager::slot_set_start_random);
    connect(control<QCheckBox>(QStringLiteral("familyOpt")), &QCheckBox::clicked, vns,
            &VNSManager::slot_optimize_family_in_ls);
    connect(control<QCheckBox>(QStringLiteral("amnesyMode")), &QCheckBox::clicked, vns,
            &VNSManager::slot_set_amnesy_mode);
}

void MainWidget::slot_set_sb_p1_min(int v)
{
    p1Max->setMinimum(v);
}

void MainWidget::slot_set_sb_p1_max(int v)
{
    p1Min->setMaximum(v);
}
