#pragma once

#include <QString>
#include <QStringList>

class Calculus;

// The item catalogue: the keyword lists offered by the component tree, the context menu and the
// documentation, the category code of a keyword, and the factory that makes items by keyword.
class BuildCalculus
{
public:
    BuildCalculus();
    ~BuildCalculus();

    // 0 not a catalogue keyword, 1 invariant or parameter, 2 family, 3 operator (with "CONSTANT"),
    // 4 constraint, 5 objective. Exact and case-sensitive.
    int type(const QString &keyword) const;

    // A new item for keyword (exact, case-sensitive), owned by the caller; null when no class is
    // known for it. withDisplay false gives a headless item.
    Calculus *makeCalculus(const QString &keyword, bool withDisplay) const;
    // A new constant item, the same as makeCalculus("CONSTANT", withDisplay).
    Calculus *makeConstant(bool withDisplay) const;

    // Filled by the constructor and never changed afterwards.
    QStringList operators;
    QStringList invariantsVal;
    QStringList invariantsVec;
    QStringList invariantsMat;
    QStringList parameters;
    QStringList invariantsFam;
    QStringList all;
    QStringList constraints;

    // Keywords the factory makes although no list offers them (category code 0).
    static const QStringList &unlistedInvariants();
    // The statistics items ("HISTOGRAM", "PLOT"): made by the factory and read from problem text
    // (evaluated with the other items), category code 0; offered where the shell chooses.
    static const QStringList &statisticsItems();
};
