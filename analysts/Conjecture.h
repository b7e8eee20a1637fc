#pragma once

#include <QString>

// One bound found by the conjecture engine: its text (without the statistics), the number of data
// points that lie on it and the sum of the gaps to the points that do not.
class Conjecture
{
public:
    Conjecture() = default;
    Conjecture(const QString &formula, int touching, double sumErr);

    QString getFormula() const { return formula; }
    int getTouching() const { return touching; }
    double getSumErr() const { return sumErr; }

    // Fewer touching points is smaller; among equal counts, an error sum larger by at least 1e-6
    // is smaller. Sorting by it in decreasing order puts the tightest bounds first.
    bool operator<(const Conjecture &other) const;

private:
    QString formula;
    int touching = 0;
    double sumErr = 0.0;
};
