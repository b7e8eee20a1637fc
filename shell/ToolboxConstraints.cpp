// MainWidget: the Constraints page of the inspector and the interlocks between its controls.
#include "shell/MainWidget.h"

#include "graph/Graph.h"
#include "optimisation/VNSManager.h"
#include "problem/Problem.h"
#include "shell/MainWidgetControls.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QToolBox>

using namespace MainWidgetControls;

namespace
{
QComboBox *relationBox(const QString &objectName)
{
    auto *box = new QComboBox;
    box->setObjectName(objectName);
    box->addItems({QStringLiteral("<="), QStringLiteral("=="), QStringLiteral(">=")});
    return box;
}

// The integer half of a non-negative product, truncated.
int halfOf(int a, int b)
{
    return static_cast<int>((qint64(a) * b) / 2);
}
} // namespace

void MainWidget::buildConstraintsPage()
{
    auto *page = new QWidget;
    auto *grid = new QGridLayout;
    const Qt::Alignment left = Qt::AlignLeft;

    connectedBox = checkBox(tr("Connected"), QStringLiteral("connected"), true);
    auto *complementBox = checkBox(tr("ConnectedBar"), QStringLiteral("connectedBar"), false);
    complementBox->setToolTip(tr("Should the complement of the graph be connected?"));
    chemicalBox = checkBox(tr("Chemical"), QStringLiteral("chemical"), false);
    orderBox = spinBox(QStringLiteral("order"), 5, 32, 10);
    p1Box = checkBox(tr("P1"), QStringLiteral("p1"), false);
    p1Box->setEnabled(false);
    sizeFixBox = checkBox(tr("SIZE ="), QStringLiteral("sizeFix"), false);
    sizeBox = spinBox(QStringLiteral("size"), 9, 45, 10);
    sizeBox->setEnabled(false);
    p2Box = checkBox(tr("P2"), QStringLiteral("p2"), false);
    p2Box->setEnabled(false);
    regularBox = checkBox(tr("Regular"), QStringLiteral("regular"), false);
    degreeBox = new QSpinBox;
    degreeBox->setObjectName(QStringLiteral("degree"));
    degreeBox->setValue(4);
    degreeBox->setRange(2, graph->getNbNodes() - 1);
    degreeBox->setEnabled(false);
    degmaxBox = checkBox(tr("DEGMAX"), QStringLiteral("degmax"), false);
    degmaxRelation = relationBox(QStringLiteral("degmaxRelation"));
    degmaxRelation->setEnabled(false);
    degmaxValue = spinBox(QStringLiteral("degmaxValue"), 1, 9, 9);
    degmaxValue->setEnabled(false);
    diameterBox = checkBox(tr("DIAMETER"), QStringLiteral("diameter"), false);
    diameterRelation = relationBox(QStringLiteral("diameterRelation"));
    diameterRelation->setEnabled(false);
    diameterValue = spinBox(QStringLiteral("diameterValue"), 1, 9, 9);
    diameterValue->setEnabled(false);

    grid->addWidget(connectedBox, 0, 0, left);
    grid->addWidget(complementBox, 0, 1, left);
    grid->addWidget(chemicalBox, 0, 2, left);
    grid->addWidget(new QLabel(tr("ORDER =   ")), 1, 0);
    grid->addWidget(orderBox, 1, 1, left);
    grid->addWidget(p1Box, 1, 2, left);
    grid->addWidget(sizeFixBox, 2, 0);
    grid->addWidget(sizeBox, 2, 1, left);
    grid->addWidget(p2Box, 2, 2, left);
    grid->addWidget(regularBox, 3, 0, left);
    grid->addWidget(degreeBox, 3, 1, left);
    grid->addWidget(degmaxBox, 4, 0);
    grid->addWidget(degmaxRelation, 4, 1, left);
    grid->addWidget(degmaxValue, 4, 2);
    grid->addWidget(diameterBox, 5, 0);
    grid->addWidget(diameterRelation, 5, 1, left);
    grid->addWidget(diameterValue, 5, 2);
    page->setLayout(grid);
    toolBox->addItem(page, QIcon(), tr("Constraints"));
}

void MainWidget::connectConstraintsPage()
{
    connect(connectedBox, &QCheckBox::clicked, problem, &Problem::setConnected);
    connect(control<QCheckBox>(QStringLiteral("connectedBar")), &QCheckBox::clicked, problem,
            &Problem::setConnectedBar);
    connect(chemicalBox, &QCheckBox::clicked, this, &MainWidget::setChemical);
    connect(orderBox, QOverload<int>::of(&QSpinBox::valueChanged), vns, &VNSManager::slot_set_nbnod);
    connect(orderBox, QOverload<int>::of(&QSpinBox::valueChanged), problem, &Problem::setNbNod);
    connect(orderBox, QOverload<int>::of(&QSpinBox::valueChanged), this, &MainWidget::slot_set_nbnod);
    connect(p1Box, &QCheckBox::clicked, vns, &VNSManager::slot_fix_nbnod_to_p1);
    connect(p1Box, &QCheckBox::clicked, orderBox, &QWidget::setDisabled);
    connect(sizeFixBox, &QCheckBox::clicked, problem, &Problem::setFixNbArcs);
    connect(sizeFixBox, &QCheckBox::clicked, this, &MainWidget::setFixNbArcs);
    connect(sizeFixBox, &QCheckBox::clicked, vns, &VNSManager::slot_fix_nbarcs);
    connect(sizeBox, QOverload<int>::of(&QSpinBox::valueChanged), problem, &Problem::setNbArcs);
    connect(sizeBox, QOverload<int>::of(&QSpinBox::valueChanged), vns, &VNSManager::slot_set_nbarcs);
    connect(p2Box, &QCheckBox::clicked, vns, &VNSManager::slot_fix_nbarcs_to_p2);
    connect(regularBox, &QCheckBox::clicked, this, &MainWidget::setRegular);
    connect(regularBox, &QCheckBox::clicked, degreeBox, &QWidget::setEnabled);
    connect(degreeBox, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &MainWidget::slot_set_regular_degree);
    connect(degmaxBox, &QCheckBox::clicked, this, &MainWidget::setDegmax);
    connect(degmaxRelation, &QComboBox::textActivated, problem, &Problem::setDegmaxType);
    connect(degmaxValue, QOverload<int>::of(&QSpinBox::valueChanged), this, &MainWidget::slot_set_degmax);
    connect(diameterBox, &QCheckBox::clicked, this, &MainWidget::setDiameter);
    connect(diameterRelation, &QComboBox::textActivated, problem, &Problem::setDiameterType);
    connect(diameterValue, QOverload<int>::of(&QSpinBox::valueChanged), this, &MainWidget::slot_set_diameter);
}

void MainWidget::slot_set_nbnod(int n)
{
    sizeBox->setEnabled(sizeFixBox->isChecked());
    degreeBox->setMaximum(n - 1);
    sizeBox->setMinimum(problem->getConnected() ? n - 1 : 0);
    sizeBox->setMaximum(problem->getChemical() ? 2 * n : halfOf(n, n - 1));
    degmaxValue->setMaximum(n - 1);
    degmaxValue->setMinimum(problem->getConnected() ? 1 : 0);
    diameterValue->setMaximum(n - 1);
    diameterValue->setMinimum(1);
    if (problem->getRegular()) {
        const int s = halfOf(n, problem->getRegDegree());
        sizeBox->setMinimum(s);
        sizeBox->setMaximum(s);
        sizeBox->setEnabled(false);
    }
}

void MainWidget::setFixNbArcs(bool b)
{
    sizeBox->setEnabled(b);
}

void MainWidget::setRegular(bool b)
{
    problem->setRegular(b);
    if (b) {
        const int s = halfOf(orderBox->value(), problem->getRegDegree());
        sizeBox->setMinimum(s);
        sizeBox->setMaximum(s);
        sizeFixBox->setChecked(true);
        sizeFixBox->setEnabled(false);
        sizeBox->setEnabled(false);
        degmaxBox->setChecked(false);
        problem->setDegmax(false);
        degmaxRelation->setEnabled(false);
        degmaxValue->setEnabled(false);
        degmaxBox->setEnabled(false);
    } else {
        sizeFixBox->setEnabled(true);
        const int n = orderBox->value();
        sizeBox->setMinimum(problem->getConnected() ? n - 1 : 0);
        sizeBox->setMaximum(problem->getChemical() ? 2 * n : halfOf(n, n - 1));
        degmaxBox->setEnabled(true);
        sizeBox->setEnabled(true);
    }
}

void MainWidget::slot_set_regular_degree(int r)
{
    problem->setRegDegree(r);
    const int s = halfOf(orderBox->value(), r);
    sizeBox->setMinimum(s);
    sizeBox->setMaximum(s);
}

void MainWidget::setDegmax(bool b)
{
    problem->setDegmax(b);
    degmaxRelation->setEnabled(b);
    degmaxValue->setEnabled(b);
}

void MainWidget::setDiameter(bool b)
{
    problem->setDiameter(b);
    diameterRelation->setEnabled(b);
    diameterValue->setEnabled(b);
}

void MainWidget::setChemical(bool b)
{
    if (b) {
        degmaxBox->setChecked(false);
        problem->setDegmax(false);
        degmaxRelation->setEnabled(false);
        degmaxValue->setEnabled(false);
    }
    problem->setChemical(b);
}

void MainWidget::slot_set_degmax(int d)
{
    problem->setDegmaxValue(d);
    sizeBox->setMaximum(halfOf(orderBox->value(), d));
}

void MainWidget::slot_set_diameter(int d)
{
    problem->setDiameterValue(d);
}
