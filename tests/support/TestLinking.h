#pragma once

#include "problem/Calculus.h"
#include "problem/Link.h"
#include "support/TestConstraintItem.h"
#include "support/TestFamilyItem.h"
#include "support/TestInvariantItem.h"
#include "support/TestOperatorItem.h"
#include "support/TestStatisticsItem.h"

#include <QString>

// Links source as argument k (1..4) of target the way the board does: the link is offered to the
// target's slot and the source's outgoing links, then the argument is set. False (and the link
// deleted) when either end refuses.
inline bool linkAsArgument(Calculus *source, Calculus *target, int k)
{
    auto *l = new Link(source, target, false);
    const bool in = k == 1   ? target->setLink1(l)
                    : k == 2 ? target->setLink2(l)
                    : k == 3 ? target->setLink3(l)
                             : target->setLink4(l);
    if (!in || !source->setLinkTo(l)) {
        delete l;
        return false;
    }
    return k == 1   ? target->setArg1(source)
           : k == 2 ? target->setArg2(source)
           : k == 3 ? target->setArg3(source)
                    : target->setArg4(source);
}

// A test item of the named kind ("Invariant", "Family", "Operator", "Constraint", else Statistics).
inline Calculus *makeTestKind(const QString &kind, bool display = false)
{
    if (kind == QLatin1String("Invariant"))
        return new TestInvariantItem(display);
    if (kind == QLatin1String("Family"))
        return new TestFamilyItem(display);
    if (kind == QLatin1String("Operator"))
        return new TestOperatorItem(display);
    if (kind == QLatin1String("Constraint"))
        return new TestConstraintItem(display);
    return new TestStatisticsItem(display);
}
