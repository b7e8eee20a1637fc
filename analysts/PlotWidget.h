#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QVector>
#include <QWidget>

#include <vector>

class Analyst;
class PlotItem;
class PlotView;
class QTimer;

// The X-Y plot of an analyst tab: one point per analyst row at the row's values in two columns.
// A double-click on a point asks the analyst to load the row's graph; slot_hilight() then marks
// every point of that graph (both plots are connected to both analysts' signal_load_graph).
//
// A plot of millions of rows is filled in slices from the event loop (each at most SliceMs long
// and at most one group of PlotView::GroupSize points), so the window stays alive: fill() makes
// the first slice itself (a small plot is complete when it returns), the rest follows, and a
// clear() or a newer fill() drops what is left of an older one. While a fill goes on the view is
// repainted about once a second.
class PlotWidget : public QWidget
{
    Q_OBJECT

public:
    // Work done per slice of a fill, in milliseconds.
    static constexpr int SliceMs = 50;

    explicit PlotWidget(QWidget *parent = nullptr);
    ~PlotWidget() override;

    // Removes and deletes every point, and stops a fill in progress.
    void clear();
    // Adds one point (null ignored); the view's scene owns it.
    void addItem(PlotItem *item);
    // Replaces the points by one per row of analyst: x = value in column xColumn times xScale,
    // y = value in column yColumn times yScale, the given radius, and the row's graph (its database
    // index) as the point's number. Rows with a non-finite value in either column get no point.
    // Nothing is drawn when a column is negative (no column chosen) or analyst is null. The rows'
    // values are read when fill() is called; the points follow in slices (see isFilling()).
    void fill(Analyst *analyst, int xColumn, int yColumn, double xScale, double yScale, double radius);
    // True while points of the last fill are still to come.
    bool isFilling() const { return next < rows.size(); }
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
    // One row to draw: its values and its graph.
    struct Row {
        double x, y;
        int number;
    };

    // Makes the points of the next slice; at the end of the rows the fill is over.
    void fillSlice();
    // Drops the rows of a fill and shows the view as it is.
    void stopFill();

    PlotView *view;
    QVector<PlotItem *> items;

    // The fill in progress: the rows read when it started, the next one to draw, its settings.
    std::vector<Row> rows;
    size_t next = 0;
    QPointer<Analyst> source;
    double scaleX = 1, scaleY = 1, markRadius = 1;
    QTimer *slices;
    // Since the view last showed the points of a running fill.
    QElapsedTimer sinceShown;
};
