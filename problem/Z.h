#pragma once

#include "problem/Calculus.h"

#include <QPolygon>

// The objective: one argument (a value or a column vector) and a direction. The evaluation reads
// its sign-adjusted values (getZ()), so a smaller value is always better.
class Z : public Calculus
{
public:
    explicit Z(bool withDisplay);
    ~Z() override;

    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

    // The sign-adjusted values: column 0, rows 0 .. rows-1.
    QVector<QVector<double>> *getZ() override;
    void setMin(bool m) override;
    // "\tmin" or "\tmax", after the dialog's box (the direction the user sees is the one saved).
    QString specificInformationToSave() override;
    void recompute() override;

    bool isMin() const { return min; }

private:
    void followDialog();

    bool min = true;
    QPolygon minOutline;
    QPolygon maxOutline;
    QVector<QVector<double>> zvals;
};
