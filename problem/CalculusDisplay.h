#pragma once

#include <QDialog>
#include <QString>
#include <QVector>

class Graph;
class QButtonGroup;
class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QTableWidget;
class QWidget;

// The property dialog "Item information" that every item shown on the board owns: the given name,
// the "Complement" box, the analyst flags ("Insert in analyst" with one of "Graph Value", "Node Value"
// and "Vector") and a table of the item's last published result. While the dialog exists its boxes
// hold the item's flags.
class CalculusDisplay : public QDialog
{
    Q_OBJECT

public:
    // The full dialog for the item of keyword name.
    explicit CalculusDisplay(const QString &name);
    // A bare dialog for subclasses that build their own widgets: no widgets, empty result.
    CalculusDisplay();
    ~CalculusDisplay() override;

    virtual bool clone();
    virtual void setNbRows(int n);
    virtual void setNbColumns(int n);
    // Shows the rows x cols block of m (6 significant digits) and keeps a copy.
    virtual void setValues(const QVector<QVector<double>> &m, int rows, int cols);
    virtual void setObjMin(bool m);
    virtual bool getObjMin();
    virtual QVector<QVector<double>> *getM();
    virtual void setGraph(Graph *g);
    virtual void loadData(int rows, int cols, QVector<double> values);

    int getNbRows() const { return nbRows; }
    int getNbCols() const { return nbCols; }
    // Entry [0][0] of the copy: the value painted in a 1 x 1 item's box.
    double getValue() const;
    Graph *getGraph() const { return graph; }

    // The keyword: the dialog's keyword text and the keyword label of the "Results" tab.
    void setName(const QString &keyword);
    QString getName() const { return name; }

    QString givenName() const;
    void setGivenName(const QString &s);
    bool inReport() const;
    void setInReport(bool b);
    bool graphInReport() const;
    void setGraphInReport(bool b);
    bool nodInReport() const;
    void setNodInReport(bool b);
    bool vecInReport() const;
    void setVecInReport(bool b);
    bool invertGraph() const;
    void setInvertGraph(bool b);
    void enableInvertGraph(bool b);

public slots:
    // Takes a fresh graph stamp so the board evaluates again with the dialog's settings.
    virtual void slot_apply();
    void slot_refresh();

signals:
    void signal_refresh();

protected:
    void enableReportModes(bool b);
    // Makes the three report modes one exclusive group, "Graph Value" ticked and all disabled.
    void groupReportModes();

    QString name;
    QLabel *lb_keyword = nullptr;
    QLineEdit *le_name = nullptr;
    QCheckBox *cb_inReport = nullptr;
    QCheckBox *cb_invertGraph = nullptr;
    QCheckBox *cb_nodInReport = nullptr;
    QCheckBox *cb_vecInReport = nullptr;
    QCheckBox *cb_graphInReport = nullptr;
    QWidget *w_extra = nullptr;
    QTableWidget *tw_results = nullptr;
    QVector<QVector<double>> M;
    int nbRows = 0;
    int nbCols = 0;
    Graph *graph = nullptr;
    QGridLayout *gl_results = nullptr;
    QGridLayout *gl_settings = nullptr;
    QLabel *lb_givenName = nullptr;
    QButtonGroup *bg_reportMode = nullptr;

private:
    void hideAndRefresh();
};
