#include "problem/infoNODE.h"

infoNODE::infoNODE(const QString &keyword, bool withDisplay) : InfoItem(keyword, withDisplay) {}

bool infoNODE::copiedShape(int &r, int &c, QString &reason) const
{
    if (arg1->cols != 1) {
        reason = QStringLiteral("Argument should be a vector");
        return false;
    }
    r = qBound(0, arg1->rows, 32);
    c = 1;
    return true;
}
