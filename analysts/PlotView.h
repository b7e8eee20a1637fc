#pragma once

#include <QGraphicsView>
#include <QList>
#include <QString>
#include <QTransform>
#include <QVector>

class PlotItem;
class QGraphicsLineItem;
class QTimer;
class RectItem;

// The drawing area of the X-Y plots and of the histogram and scatter displays: a scene with two
// axis lines and points (PlotItem) or bars (RectItem). The wheel and the + and - keys zoom (the
// scale stays within 0.07 and 100); the arrow keys turn the points in three dimensions (with Alt,
// left and right turn them in the plane of the screen). Prints through the prompt's print dialog
// and writes PDF files.
//
// A plot can hold millions of points. Points added together (addItems) are kept in groups of at
// most GroupSize under an invisible parent item, so that the scene sorts a few hundred groups
// instead of every point whenever points are added or restacked; a group stands as high as its
// highest point. On screen, a point whose mark would land on the very pixels of a later point
// that looks the same is not drawn: piles of equal points cost one mark.
class PlotView : public QGraphicsView
{
public:
    explicit PlotView(QWidget *parent = nullptr);
    ~PlotView() override;

    // Adds a point (owned by the scene from then on) and fits the axes to every point.
    void addItem(PlotItem *item);
    // Adds many points and widens the axes to them once (filling a plot point by point costs a
    // square); the same axes as a fit to every point.
    void addItems(const QVector<PlotItem *> &points);
    // Adds a bar to the scene; bars do not widen the axes.
    void addItem(RectItem *item);
    // Removes and deletes every point; bars stay. The axes keep their extent until the next fit.
    // A large plot without bars takes a new scene at once and deletes the old one in slices
    // from the event loop (isDisposing()).
    void clear();
    // True while points of an emptied plot are still being deleted.
    bool isDisposing() const { return !dumps.isEmpty(); }
    // Fits the axes to the shown points' model coordinates (the origin always inside; non-finite
    // coordinates ignored).
    void updateBounds();
    // Stacks every group of points (from group number from on) at the height of its highest point
    // (after points changed their stacking value), so a raised point is drawn over the points of
    // other groups too.
    void restack(int from = 0);
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
    // Points under one parent item at most.
    static constexpr int GroupSize = 16384;

protected:
    void paintEvent(QPaintEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    // Alt as seen by its own press and release, or as a modifier of the event.
    bool altHeld(const QKeyEvent *event) const;
    QGraphicsScene *makeScene();
    // Puts a new scene in place of the current one, whose points go in slices.
    void handOver();
    void disposeSlice();
    // Widens the extents to the point and sets the axes.
    void widen(const PlotItem *item);
    void setAxes();
    // Marks the points not to draw on screen (see the class comment); true when the marks hold
    // for the view's current transformation.
    bool markRepeats();

    // One entry per top-level stack: a group of points (first .. first + count - 1 of items), or
    // one point added alone (group null, count 1).
    struct Stack {
        QGraphicsItem *group;
        int first;
        int count;
    };

    // A scene handed over for deletion: its first axis (taken out first), then its points in
    // address order from next on (-1: not listed yet).
    struct Dump {
        QGraphicsScene *scene;
        QGraphicsItem *axis;
        QList<QGraphicsItem *> order;
        int next;
    };

    QGraphicsScene *scene;
    QList<PlotItem *> items;
    QVector<Stack> stacks;
    QVector<Dump> dumps;
    QTimer *disposal;
    // The bars added with addItem(RectItem *); the scene owns them.
    QList<QGraphicsItem *> bars;
    bool altPressed = false;
    double xmin = 0, xmax = 0, ymin = 0, ymax = 0;
    // The extents of the points before the margins (the origin included).
    double left = 0, right = 0, bottom = 0, top = 0;
    // What the repeat marks were computed for.
    quint64 marksRevision = 0;
    QTransform marksTransform;
    bool marksValid = false;
    QGraphicsLineItem *xAxis;
    QGraphicsLineItem *yAxis;
};
