#pragma once

class Calculus;
class QString;

// Makes the graph invariants and family recognisers by keyword for the item factory.
class InvariantFactory
{
public:
    // A new item for an exact, case-sensitive keyword; null when the keyword is not one of these.
    static Calculus *make(const QString &keyword, bool withDisplay);
};
