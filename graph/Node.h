#pragma once

#include <QColor>
#include <QGraphicsEllipseItem>
#include <QList>
#include <QPointF>
#include <QString>
#include <QVector>

class Edge;
class Graph;

// The item of one vertex slot of a Graph. It lives as long as its graph; vertices beyond the
// order are hidden, never destroyed. An item of a headless graph keeps its marks and coordinates
// but never touches a scene.
class Node : public QGraphicsEllipseItem
{
public:
    // The third and fourth values are not used (kept for the callers' shape of the call).
    Node(double x, double y, double, double, QString name, Graph *graph, bool displayed);
    ~Node() override;

    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

    void addENeighbor(Edge *e);
    // Diagnostic dump on the error stream: the name, then the number of incident edge items.
    void display() const;
    const QList<Edge *> &edgeItems() const { return edgeList; }

    // Display mark: the vertex is drawn; read by the edge items.
    bool getVisible() const { return visible; }
    void setVisibleMark(bool v) { visible = v; }
    // Item visibility := display mark, then repaint.
    void updateVisible();
    // Existence mark: the slot lies below the order.
    bool getExists() const { return exists; }
    void setExists(bool e) { exists = e; }
    // Marks the vertex as gone and hides it and its edges.
    void delete_me();

    // Coordinates := (x, y, 0) or (x, y, z); item position := (x, y); depth order follows z.
    void setPosition(double x, double y);
    void setPosition(double x, double y, double z);
    // Moves the item without changing the stored coordinates.
    void move(QPointF d);
    void move(double dx, double dy);
    double getCoordX() const { return coordX; }
    double getCoordY() const { return coordY; }
    double getCoordZ() const { return coordZ; }

    QString nodeName() const { return name; }
    void setNodeName(QString n) { name = n; }
    QString getLabel() const { return label; }
    void setLabel(QString l) { label = l; }
    int getColorIndex() const { return colorIndex; }
    void setColorIndex(int c) { colorIndex = c; }
    double getRadius() const { return radius; }
    // The bounding rectangle follows the radius.
    void setRadius(double r);
    bool isSelected() const { return selected; }
    void setSelected(bool s) { selected = s; }
    void toggleSelected() { selected = !selected; }
    bool isHighlighted() const { return highlighted; }
    void hilight() { highlighted = true; }
    void unhilight() { highlighted = false; }
    bool isDisplayed() const { return displayed; }
    Graph *getGraph() const { return graph; }

    // The vertex colour table, filled once at start-up.
    static QVector<QColor> NodeColor;
    static int NbNodeColors;
    static void initColors();
    static Node *nodeUnderMouse() { return node_under_mouse; }
    static void setNodeUnderMouse(Node *n) { node_under_mouse = n; }

protected:
    QVariant itemChange(GraphicsItemChange change, const QVariant &value) override;

private:
    void adjustEdges();

    static Node *node_under_mouse;

    QList<Edge *> edgeList;
    Graph *graph;
    bool visible = true;
    QString name;
    QString label;
    int colorIndex = 0;
    double coordX;
    double coordY;
    double coordZ = 0.0;
    bool displayed;
    double radius = 20.0;
    bool exists = true;
    bool selected = false;
    bool highlighted = false;
};
