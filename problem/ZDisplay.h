#pragma once

#include "problem/CalculusDisplay.h"

class QCheckBox;

// The objective's dialog: the item information dialog with a "Minimization" box.
class ZDisplay : public CalculusDisplay
{
    Q_OBJECT

public:
    explicit ZDisplay(const QString &name);
    ~ZDisplay() override;

    void setObjMin(bool m) override;
    bool getObjMin() override;

private:
    QCheckBox *cb_min = nullptr;
};
