#include "analysts/FilterWidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>

#include <cmath>
#include <iostream>

FilterWidget::FilterWidget() : QWidget(nullptr)
{
    auto *layout = new QGridLayout(this);
    rejectAll = new QCheckBox(tr("Reject all"));
    layout->addWidget(rejectAll, 0, 0);
    for (int r = 0; r < nbRules; ++r) {
        auto *use = new QCheckBox(tr("use"));
        auto *variable = new QComboBox;
        auto *relation = new QComboBox;
        relation->addItems({QStringLiteral("<="), QStringLiteral("=="), QStringLiteral(">=")});
        auto *value = new QDoubleSpinBox;
        value->setRange(-1000.0, 1000.0);
        value->setValue(0.0);
        variable->setEnabled(false);
        relation->setEnabled(false);
        value->setEnabled(false);
        layout->addWidget(use, r + 1, 0);
        layout->addWidget(variable, r + 1, 1);
        layout->addWidget(relation, r + 1, 2);
        layout->addWidget(value, r + 1, 3);
        connect(use, &QCheckBox::clicked, variable, &QWidget::setEnabled);
        connect(use, &QCheckBox::clicked, relation, &QWidget::setEnabled);
        connect(use, &QCheckBox::clicked, value, &QWidget::setEnabled);
        useBoxes << use;
        variableCombos << variable;
        relationCombos << relation;
        valueBoxes << value;
    }
}

void FilterWidget::setVariables(QStringList names)
{
    if (names == variables)
        return;
    nbVariables = names.size();
    for (int r = 0; r < nbRules; ++r) {
        variableCombos[r]->clear();
        variableCombos[r]->addItems(names);
    }
    variables = names;
    for (int r = 0; r < nbRules; ++r) {
        useBoxes[r]->setChecked(false);
        variableCombos[r]->setEnabled(false);
        relationCombos[r]->setEnabled(false);
        valueBoxes[r]->setEnabled(false);
    }
}

bool FilterWidget::isValid(const QVector<double> &row) const
{
    if (rejectAll->isChecked())
        return false;
    if (row.size() != nbVariables)
        return false;
    for (int r = 0; r < nbRules; ++r) {
        if (!useBoxes[r]->isChecked())
            continue;
        const int k = variableCombos[r]->currentIndex();
        // A rule with no variable to test (none set yet) cannot judge the row.
        if (k < 0 || k >= row.size())
            continue;
        const double v = row[k];
        const double c = valueBoxes[r]->value();
        // Each relation rejects only on a comparison that holds, so a value that is not a number
        // (an item that could not be computed) is never filtered out by a rule.
        switch (relationCombos[r]->currentIndex()) {
        case AtMost:
            if (v >= c + Tolerance)
                return false;
            break;
        case Equal:
            if (std::fabs(v - c) > Tolerance)
                return false;
            break;
        case AtLeast:
            if (c - Tolerance >= v)
                return false;
            break;
        default:
            std::cerr << "Error in FilterWidget::isValid()" << std::endl;
            break;
        }
    }
    return true;
}

bool FilterWidget::setRule(int r, bool use, int variable, Relation relation, double value)
{
    if (r < 0 || r >= nbRules || variable < 0 || variable >= nbVariables)
        return false;
    variableCombos[r]->setCurrentIndex(variable);
    relationCombos[r]->setCurrentIndex(relation);
    valueBoxes[r]->setValue(value);
    useBoxes[r]->setChecked(use);
    variableCombos[r]->setEnabled(use);
    relationCombos[r]->setEnabled(use);
    valueBoxes[r]->setEnabled(use);
    return true;
}
