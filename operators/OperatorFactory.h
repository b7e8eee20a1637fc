#pragma once

class Calculus;
class QString;

// Makes the operators and the comparison constraints by keyword for the item factory.
class OperatorFactory
{
public:
    // A new item for an exact, case-sensitive keyword; null when the keyword is not one of these.
    static Calculus *make(const QString &keyword, bool withDisplay);
};
