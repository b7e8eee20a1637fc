#pragma once

#include "problem/InfoItem.h"

// "Colors" or "Labels": copies a column vector (argument 1) that the board hands to the graph view
// as vertex colour indices or vertex labels.
class infoNODE : public InfoItem
{
public:
    infoNODE(const QString &name, bool withDisplay);

protected:
    bool copiedShape(int &r, int &c, QString &reason) const override;
};
