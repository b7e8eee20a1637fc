#pragma once

#include "problem/CalculusDisplay.h"

class QTableWidget;

// The constant's editor "Constant definition": an editable value table of 1 to 32 rows and
// columns, and a "Clone" button that copies the result of the constant's argument 1 into it once.
class ConstantDisplay : public CalculusDisplay
{
    Q_OBJECT

public:
    explicit ConstantDisplay(const QString &name);
    ~ConstantDisplay() override;

    // True exactly once after "Clone": the request is consumed by this call.
    bool clone() override;
    // The item's results never overwrite the user's table.
    void setValues(const QVector<QVector<double>> &m, int rows, int cols) override;
    // Reads every cell of the table (text that is no number reads 0).
    QVector<QVector<double>> *getM() override;
    // Puts rows x cols values (row by row) into the table. A size outside 0..32 or a value count
    // other than rows x cols is refused and leaves the table as it was.
    void loadData(int rows, int cols, QVector<double> values) override;

public slots:
    void slot_add_row();
    void slot_add_col();
    void slot_del_row();
    void slot_del_col();
    void slot_clone();
    void slot_apply() override;

private:
    void fillNewCells();

    bool cloneRequested = false;
};
