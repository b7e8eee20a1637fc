#pragma once

#include <QColor>
#include <QGraphicsItem>
#include <QString>

class Analyst;
class Graph;

// One point of an X-Y plot: a mark of the given radius at model coordinates (x, y), drawn at scene
// position (x, -y) so that model y grows upwards. It knows the analyst whose row it shows (a
// double-click asks it to load the row's graph) and, for a scatter of vertex values, the graph
// whose vertex it stands for (a double-click toggles that vertex's highlight). Not owned by them.
class PlotItem : public QGraphicsItem
{
public:
    // Marks: 0 circle (also any value outside 1..5), 1 square, 2 triangle apex up, 3 triangle apex
    // down, 4 diamond, 5 hexagon.
    PlotItem(double x, double y, Analyst *analyst, Graph *graph, int number, const QString &toolTip,
             double radius);

    // Stores the model coordinates, places the point at (x, -y) and stacks it at depth z.
    void setPosition(double x, double y, double z);
    double getCoordX() const { return x; }
    double getCoordY() const { return y; }
    double getCoordZ() const { return z; }
    int getNumber() const { return number; }
    bool isHilight() const { return hilight; }
    double getRadius() const { return radius; }
    int getShape() const { return shape; }

    QColor getColor() const { return color; }

    // Stored for the next paint.
    void setHilight(bool b);
    void setRadius(double r);
    void setGraph(Graph *g) { graph = g; }
    void setColor(const QColor &c);
    void setShape(int s);

    // The widest shared picture, in device pixels (wider marks are drawn as shapes).
    static constexpr int MaxPicture = 256;

    // A count that moves whenever any point moves, restacks, shows or hides, or changes its look.
    static quint64 changes() { return changeCount; }
    // Whether a mark of radius r is drawn as the shared picture under transformation t (a
    // positive scale without turns, the picture not too large).
    static bool sharesPicture(double r, const QTransform &t);
    // A repeat is not drawn while its view paints on screen (PlotView sets it for the
    // transformation of that paint, and names the screen it paints on here; null after it).
    void setRepeat(bool on) { repeat = on; }
    static void setScreenPass(const QWidget *viewport) { screenPass = viewport; }
    // The position, stacking value and visibility as last announced to the item: the same as
    // pos(), zValue() and isVisible() of a point in a group, and read without leaving the item,
    // for passes over millions of points.
    QPointF announcedPos() const { return place; }
    double announcedZ() const { return height; }
    bool announcedVisible() const { return shown; }

    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

protected:
    void mouseDoubleClickEvent(QGraphicsSceneMouseEvent *event) override;
    QVariant itemChange(GraphicsItemChange change, const QVariant &value) override;

private:
    // The mark in item coordinates: shape, gradient or highlight fill, black outline.
    void drawMark(QPainter *painter) const;

    double x;
    double y;
    double z = 0.0;
    Analyst *analyst;
    Graph *graph;
    int number;
    double radius;
    bool hilight = false;
    bool repeat = false;
    // As last announced (see announcedPos()).
    bool shown = true;
    QPointF place;
    double height = 0.0;
    int shape = 0;
    QColor color = Qt::red;

    static inline quint64 changeCount = 0;
    static inline const QWidget *screenPass = nullptr;
};
