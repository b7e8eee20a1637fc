#pragma once

#include <QStringList>
#include <QWidget>

class Analyst;
class ConjectureEngine;
class QCheckBox;
class QComboBox;
class QPushButton;
class QTextEdit;
class RunWindow;

// The "Conjectures" panel of an analyst: a target column, the kinds of candidate terms, "Search"
// (hands the analyst's column names and every row to the engine and starts it) and a read-only
// box that collects what every search reported. "Search" is disabled while a search runs; "Clear"
// empties the box. After the user cancels a search, only its end mark "---" is still shown.
class ConjectureWidget : public QWidget
{
    Q_OBJECT

public:
    explicit ConjectureWidget(Analyst *analyst, QWidget *parent = nullptr);
    // Stops a running search and waits for it.
    ~ConjectureWidget() override;

    // New column names: passed to the engine; the target box lists them, the first one current.
    void setHeader(const QStringList &names);
    // Everything the searches reported, as plain text.
    QString getConjectures() const;
    bool isSearching() const;

    ConjectureEngine *getEngine() const { return engine; }
    RunWindow *getRunWindow() const { return runWindow; }

public slots:
    void slot_run();
    // Empties the output box (not during a search).
    void slot_clear();

private slots:
    void slot_report(const QString &text);
    void slot_search_ended();

private:
    RunWindow *runWindow;
    ConjectureEngine *engine;
    Analyst *analyst;
    QTextEdit *output;
    QComboBox *targetBox;
    QCheckBox *upperBox;
    QPushButton *searchButton;
    QPushButton *clearButton;
    QCheckBox *squareBox;
    QCheckBox *sqrtBox;
    QCheckBox *productsBox;
    QCheckBox *combineBox;
    bool userCancelled = false;
};
