#pragma once

#include <QGraphicsLineItem>
#include <QPointF>

class Calculus;

// The arrow from an argument item (from) to the item that uses it (to), carrying the argument
// number 1 to 4. It is also the bookkeeping record of the argument: the user holds it as incoming
// link k, the argument item in its outgoing links, and destroying the link clears both. Links of a
// headless board are never drawn.
class Link : public QGraphicsLineItem
{
public:
    Link(Calculus *from, Calculus *to, bool gui);
    ~Link() override;

    Link(const Link &) = delete;
    Link &operator=(const Link &) = delete;

    // Covers everything paint() draws (line, caps and the numbered disc); empty without two ends.
    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

    // Recomputes both ends from the items' positions; hides the link when an end is missing or
    // hidden, or when both ends are the same item.
    void adjust();
    Calculus *from() const { return m_from; }
    Calculus *to() const { return m_to; }
    qreal length() const;
    QPointF sourcePoint() const { return m_source; }
    QPointF destinationPoint() const { return m_dest; }
    // The argument item becomes item; shown and adjusted.
    void setArg(Calculus *item);
    void setArgNo(int k) { m_argNo = k; }
    int argNo() const { return m_argNo; }
    // Moves the link to a new argument item. The new item is asked first; when it refuses to be an
    // argument nothing changes and false is returned. Otherwise the link leaves the old item and the
    // answer is whether the old item held it.
    bool changeOrig(Calculus *item);
    // "Link From <from> To <to>" on the standard error stream.
    void display() const;

    // Colour and pen width of the argument number (black, 1 for any other number).
    static QColor argColor(int k);
    static int argWidth(int k);

private:
    Calculus *m_from;
    Calculus *m_to;
    QPointF m_source;
    QPointF m_dest;
    int m_argNo = -1;
    bool m_gui;
};
