#pragma once

#include "problem/InfoItem.h"

// "E_Labels": copies an n x n matrix (argument 1, n the order of the graph) that the board hands to
// the graph view as edge labels.
class infoEDGE : public InfoItem
{
public:
    infoEDGE(const QString &name, bool withDisplay);

protected:
    bool copiedShape(int &r, int &c, QString &reason) const override;
};
