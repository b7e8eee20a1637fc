#pragma once

#include <QGraphicsLineItem>
#include <QPointF>
#include <QString>

class Node;

// The item of one unordered vertex pair of a Graph; drawn when the best graph has the edge and
// both vertices are shown. Items of a headless graph only keep their mark.
class Edge : public QGraphicsLineItem
{
public:
    Edge(Node *from, Node *to);
    ~Edge() override;

    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

    // Fits the line to the two vertex items.
    void adjust();
    // Visibility mark := v, but false while either vertex is not shown; then re-fits the line.
    void resetVisible(bool v);
    bool getVisible() const { return visible; }

    void setOrig(Node *n) { source = n; }
    void setDest(Node *n) { dest = n; }
    Node *from() const { return source; }
    Node *to() const { return dest; }
    double length() const;
    // Diagnostic dump on the error stream: "Edge(first name ; second name)".
    void display() const;

    QString getLabel() const { return label; }
    void setLabel(QString l) { label = l; }

    static int edgeWidth;
    static void setEdgeWidth(int w) { edgeWidth = w; }

private:
    bool isDrawn() const;

    Node *source;
    Node *dest;
    QPointF sourcePoint;
    QPointF destPoint;
    bool visible = false;
    QString label;
};
