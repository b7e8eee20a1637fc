#pragma once

#include "analysts/StatisticsDisplay.h"

#include <QMetaObject>
#include <QVector>

class PlotItem;

// The dialog of a "PLOT" item: the rows of its n x 2 result as points of a scatter, at most 32;
// row i is point i at (first value x "Scalex", second value x "Scaley"), the second value growing
// upwards. When the two arguments are vertex vectors, point i stands for vertex i of the item's
// graph: a double-click toggles that vertex's highlight, and the graph's highlight marks the
// matching point. "Radius" is the size of the points; settings show at the next "Apply" or result.
//
// setValues() may be called on any thread: it only copies the values under the dialog's lock and
// asks for a redraw; the points are drawn by a 100 ms timer on the GUI thread.
class plotDisplay : public StatisticsDisplay
{
    Q_OBJECT

public:
    explicit plotDisplay(const QString &name);
    ~plotDisplay() override;

    // Two columns (rows 0..32) become the points shown, no rows showing no point; anything else
    // (a failed computation hands over 0 x 0) hides the points until the next redraw, which shows
    // the last good rows again.
    void setValues(const QVector<QVector<double>> &m, int rows, int cols) override;
    // The points stand for this graph's vertices; its highlight signal reaches slot_hilight()
    // (the connection to a former graph is dropped).
    void setGraph(Graph *g) override;

    const QVector<PlotItem *> &getPoints() const { return points; }

public slots:
    void slot_set_radius(double v);
    // Highlights point k alone (none for k outside 0..31) and asks for a redraw.
    void slot_hilight(int k);

protected:
    void timerEvent(QTimerEvent *event) override;

private:
    double radius = 5.0;
    QVector<PlotItem *> points;
    QMetaObject::Connection hilightConnection;
};
