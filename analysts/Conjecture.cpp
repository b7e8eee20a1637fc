#include "analysts/Conjecture.h"

Conjecture::Conjecture(const QString &formula, int touching, double sumErr)
    : formula(formula), touching(touching), sumErr(sumErr)
{
}

bool Conjecture::operator<(const Conjecture &other) const
{
    if (touching != other.touching)
        return touching < other.touching;
    return sumErr >= other.sumErr + 1e-6;
}
