#pragma once

#include "problem/CalculusDisplay.h"

#include <QMutex>
#include <QVector>

#include <atomic>

class PlotView;
class QDoubleSpinBox;

// What the dialogs of the statistics items ("HISTOGRAM", "PLOT") share: the name row, a "Results"
// tab with the drawing and its "Apply" / "Done" buttons, a "Settings" tab with "Invert", the
// given name, "Insert in report" with its column count, "Scalex" and "Scaley" (rows 0 to 4), and
// the redraw request that the GUI thread's timer of the concrete dialog serves.
class StatisticsDisplay : public CalculusDisplay
{
    Q_OBJECT

public:
    QVector<QVector<double>> *getM() override;
    // The values come from the item's computation only: nothing to load.
    void loadData(int rows, int cols, QVector<double> values) override;

    PlotView *getView() const { return view; }
    double getScaleX() const { return scalex; }
    double getScaleY() const { return scaley; }

public slots:
    // Asks for a redraw.
    void slot_apply() override;
    void slot_set_scalex(double v);
    void slot_set_scaley(double v);

protected:
    // title: the window title; buttonRow: the row of "Apply" and "Done" in the results grid.
    StatisticsDisplay(const QString &itemName, const QString &title, int buttonRow);

    // A scale box (1 to 1000) with its label on row `row` of the settings grid.
    QDoubleSpinBox *addScaleBox(const QString &label, int row, double value);

    static const int maxEntries = 32;

    PlotView *view = nullptr;
    double scalex = 10.0;
    double scaley = 10.0;
    QMutex mutex;
    std::atomic<bool> changed{true};
    std::atomic<bool> blank{false};
    int timerId = 0;
};
