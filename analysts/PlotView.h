#pragma once

#include <QGraphicsView>
#include <QList>
#include <QString>
#include <QVector>

class PlotItem;
class QGraphicsLineItem;
class RectItem;

// The drawing area of the X-Y plots and of the histogram and scatter displays: a scene with two
// axis lines and points (PlotItem) or bars (RectItem). The wheel and the + and - keys zoom (the
// scale stays within 0.07 and 100); the arrow keys turn the points in three dimensions (with Alt,
// left and right turn them in the plane of the screen). Prints through the prompt's print dialog
// and writes PDF files.
class PlotView : public QGraphicsView
{
public:
    explicit PlotView(QWidget *parent = nullptr);
    ~PlotView() override;

    // Adds a point (owned by the scene from then on) and fits the axes to every point.
    void addItem(PlotItem *item);
    // Adds many points and fits the axes once (filling a plot point by point costs a square).
    void addItems(const QVector<PlotItem *> &points);
    // Adds a bar to the scene; bars do not widen the axes.
    void addItem(RectItem *item);
    // Removes and deletes every point; bars stay. The axes keep their extent until the next fit.
    void clear();
    // Fits the axes to the shown points' model coordinates (the origin always inside; non-finite
    // coordinates ignored).
    void updateBounds();
    // Turns every point about the x, y and z axes (radians, in that order), then fits the axes.
    void rotate(double ax, double ay, double az);
    // One zoom step; false (and nothing changes) when the scale would leave 0.07..100.
    bool scaleView(double factor);
    // Does nothing.
    void center() {}
    // The print dialog (through the prompt); the visible area on the page when accepted.
    void print();
    // The visible area as a landscape PDF page; false when the file cannot be written.
    bool printToFile(const QString &fileName);

    const QList<PlotItem *> &plotItems() const { return items; }
    QLineF xAxisLine() const;
    QLineF yAxisLine() const;

    // The angle of one arrow-key step.
    static constexpr double angleStep = 3.14159265 / 64;

protected:
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    // Alt as seen by its own press and release, or as a modifier of the event.
    bool altHeld(const QKeyEvent *event) const;

    QGraphicsScene *scene;
    QList<PlotItem *> items;
    // The bars added with addItem(RectItem *); the scene owns them.
    QList<QGraphicsItem *> bars;
    bool altPressed = false;
    double xmin = 0, xmax = 0, ymin = 0, ymax = 0;
    QGraphicsLineItem *xAxis;
    QGraphicsLineItem *yAxis;
};
