#pragma once

class Calculus;
class QString;

// Makes the objective, the constant and the two parameters by keyword for the item factory.
class ProblemItemFactory
{
public:
    // A new item for an exact, case-sensitive keyword; null when the keyword is not one of these.
    static Calculus *make(const QString &keyword, bool withDisplay);
};
