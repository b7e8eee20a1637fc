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

    // ---- Documentation: each call makes a temporary headless item per keyword, reads its texts
    // and destroys it; nothing is cached. ----
    // The entries ("name : definition" and a line feed each) of a catalogue list, chosen by kind:
    // "InvariantsVal", "InvariantsVec", "InvariantsMat", "InvariantsFam", "Operators",
    // "Constraints" or "All" (exact case); any other kind is taken as one keyword. A keyword the
    // factory does not know gives "Undefined object.".
    QString Documentation(const QString &kind) const;
    // keyword, ": ", then its documentation entry; "Undefined object." for an unknown keyword.
    QString toolTip(const QString &keyword) const;
    // The documentation entry of keyword; "Undefined object." for an unknown keyword.
    QString textDefinition(const QString &keyword) const;
    // The LaTeX definition of keyword followed by the four characters \n\n written out;
    // "Undefined object." for an unknown keyword.
    QString latexDefinition(const QString &keyword) const;

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
    // The statistics items ("HISTOGRAM", "PLOT"): no keyword of the factory makes them (they are
    // built by their own factory), but a problem text that holds them reads back, so a board that
    // carries one still copies to the search workers. Category code 0.
    static const QStringList &statisticsItems();
    // A new statistics item for one of statisticsItems(); null for any other keyword.
    static Calculus *makeStatisticsItem(const QString &keyword, bool withDisplay);
};
