#pragma once

#include "analysts/StatisticsDisplay.h"

#include <QVector>

class RectItem;

// The dialog of a "HISTOGRAM" item: the entries of its column vector as bars, at most 32; a blue
// bar above the axis for a value above 0.05, a red one below it for a value below -0.05, none in
// between (nor for a value that is not finite). "Scalex" is the width of a bar, "Scaley" the
// height of one unit; a change shows at the next "Apply" or new result.
//
// setValues() may be called on any thread: it only copies the values under the dialog's lock and
// asks for a redraw; the bars are drawn by a 100 ms timer on the GUI thread.
class histoDisplay : public StatisticsDisplay
{
    Q_OBJECT

public:
    explicit histoDisplay(const QString &name);
    ~histoDisplay() override;

    // A column (cols 1, rows 0..32) becomes the values shown, an empty one showing no bar;
    // anything else (a failed computation hands over 0 x 0) makes the bars disappear until the
    // next redraw, which shows the last column again.
    void setValues(const QVector<QVector<double>> &m, int rows, int cols) override;

    const QVector<RectItem *> &getBars() const { return bars; }

protected:
    void timerEvent(QTimerEvent *event) override;

private:
    QVector<RectItem *> bars;
};
