#pragma once

#include "problem/Constraint.h"

#include <cmath>

// Shared shape of the five comparison items: construction, the checks and the penalty sum.
//
// The penalty (entry [0][0], the item's only value) is 0 when the relation holds for every pair of
// entries and grows with the violation. A pair in which either entry is not a number is a violation
// of unknown size: under an ordering relation it adds NaNPenalty, so that such a graph ranks behind
// every measurable violation; under "==" it makes the whole penalty not a number, which the
// evaluation also counts as violated and ranks last. The size labels keep the "NA" of the base.
class ConstraintFrame : public Constraint
{
public:
    static constexpr double Tolerance = 1e-6;
    static constexpr double NaNPenalty = 1e12;

    // What a pair with an entry that is not a number adds; a rule may hide it with its own.
    static double nanContribution() { return NaNPenalty; }

protected:
    ConstraintFrame() = default;

    // Keyword, display flag, board set-up of a displayed item, then the description as both texts.
    void setUp(const QString &keyword, bool display, const QString &description);

    // Rule provides static double contribution(double a, double b): what the pair (a, b) adds, 0 when it
    // satisfies the relation; it is called with numbers only.
    template <class Rule> void computePenalty(const QString &keyword);
};

template <class Rule> void ConstraintFrame::computePenalty(const QString &keyword)
{
    const Calculus *a = arg1;
    const Calculus *b = arg2;
    if (!a || !b) {
        saveTooltip(QStringLiteral("Missing arguments"));
        rows = 0;
        cols = 0;
        error = true;
        return;
    }
    if (a->rows != b->rows || a->cols != b->cols) {
        saveTooltip(QStringLiteral("Format error"));
        rows = 0;
        cols = 0;
        error = true;
        return;
    }
    saveTooltip(keyword);
    rows = 1;
    cols = 1;
    double penalty = 0.0;
    for (int i = 0; i < a->rows; ++i)
        for (int j = 0; j < a->cols; ++j) {
            const double x = a->M[i][j];
            const double y = b->M[i][j];
            if (std::isnan(x) || std::isnan(y))
                penalty += Rule::nanContribution();
            else
                penalty += Rule::contribution(x, y);
        }
    M[0][0] = penalty;
}
