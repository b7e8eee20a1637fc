#pragma once

#include <QStringList>
#include <QVector>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;

// The row filter of an analyst tab: up to ten rules "variable relation value", each switched on
// by its "use" box, and "Reject all". A row (one graph or one vertex) enters the table only when
// it has one value per variable and every rule in use holds for it.
class FilterWidget : public QWidget
{
    Q_OBJECT

public:
    static constexpr int NbRules = 10;
    static constexpr double Tolerance = 1e-6;
    enum Relation { AtMost = 0, Equal = 1, AtLeast = 2 };

    FilterWidget();

    // New names (another count, or any name differs) refill every rule's variable box and switch
    // every rule off; the same names leave the rules as they are.
    void setVariables(QStringList names);
    // False when "Reject all" is ticked, when the row's length differs from the number of names,
    // or when a rule in use fails. A value that is not a number fails no rule.
    bool isValid(const QVector<double> &row) const;

    QStringList getVariables() const { return variables; }
    int getNbVariables() const { return nbVariables; }

    // Sets rule r as the user would (tick, variable, relation, value); false for a bad r or
    // variable. The spin box keeps the value within its range and precision.
    bool setRule(int r, bool use, int variable, Relation relation, double value);
    QCheckBox *getRejectAll() const { return rejectAll; }
    QCheckBox *getUseBox(int r) const { return useBoxes.value(r); }
    QComboBox *getVariableCombo(int r) const { return variableCombos.value(r); }
    QComboBox *getRelationCombo(int r) const { return relationCombos.value(r); }
    QDoubleSpinBox *getValueBox(int r) const { return valueBoxes.value(r); }

private:
    QVector<QComboBox *> variableCombos;
    QVector<QComboBox *> relationCombos;
    QVector<QDoubleSpinBox *> valueBoxes;
    QVector<QCheckBox *> useBoxes;
    QCheckBox *rejectAll;
    int nbRules = NbRules;
    int nbVariables = 0;
    QStringList variables;
};
