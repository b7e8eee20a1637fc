#pragma once

#include <QVector>
#include <QWidget>

class Analyst;
class PlotItem;
class PlotView;

// The X-Y plot of an analyst tab: one point per analyst row at the row's values in two columns.
// A double-click on a point asks the analyst to load the row's graph; slot_hilight() then marks
// every point of that graph (both plots are connected to both analysts' signal_load_graph).
class PlotWidget : public QWidget
{
    Q_OBJECT

public:
    explicit PlotWidget(QWidget *parent = nullptr);

    // Removes and deletes every point.
    void clear();
    // Adds one point (null ignored); the view's scene owns it.
    void addItem(PlotItem *item);
    // Replaces the points by one per row of analyst: x = value in column xColumn times xScale,
    // y = value in column yColumn times yScale, the given radius, and the row's graph (its database
    // index) as the point's number. Rows with a non-finite value in either column get no point.
    // Nothing is drawn when a column is negative (no column chosen) or analyst is null.
    void fill(Analyst *analyst, int xColumn, int yColumn, double xScale, double yScale, double radius);
    // The visible area as a landscape PDF page; false when the file cannot be written.
    bool printToFile(const QString &fileName);

    PlotView *getView() const { return view; }
    const QVector<PlotItem *> &plotItems() const { return items; }

public slots:
    // Highlights (and raises to z 10) every point whose number is n; lowers all others to z 0.
    void slot_hilight(int n);
    // The print dialog (through the prompt) and, when accepted, the plot on the printer.
    void slot_print();

private:
    PlotView *view;
    QVector<PlotItem *> items;
};
