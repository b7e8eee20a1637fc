#pragma once

#include <QMainWindow>

class BuildCalculus;
class MainWidget;
class QAction;
class QMenu;
class QToolBar;

// The main window: the hub as central widget, the actions, the menu bar, the "Edit" toolbar and
// the two context menus the hub pops up on the board and on the graph. Its actions only call the
// hub; closing the window by its frame takes the same path as "&Exit".
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    MainWindow();
    ~MainWindow() override;

    MainWidget *hub() const { return mainWidget; }
    // The action whose text is text (as shown, with its "&"), or null.
    QAction *action(const QString &text) const;
    QMenu *problemContextMenu() const { return problemMenu; }
    QMenu *graphContextMenu() const { return graphMenu; }
    QToolBar *toolbar() const { return editToolBar; }

    static QString versionBanner();
    // The date the program was built, as "Nov 10 2014".
    static QString buildDate();

public slots:
    void about();
    // Asks for confirmation, then emits signal_quit().
    void quit();

signals:
    void signal_quit();

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void createActions();
    void createMenus();
    void createToolbars();
    QAction *makeAction(const QString &icon, const QString &text, const QString &tip);

    MainWidget *mainWidget = nullptr;
    QAction *openProblemAct = nullptr;
    QAction *saveProblemAct = nullptr;
    QAction *openGraphAct = nullptr;
    QAction *saveGraphAct = nullptr;
    QAction *refreshAct = nullptr;
    QAction *documentationAct = nullptr;
    QAction *preferencesAct = nullptr;
    QAction *exitAct = nullptr;
    QAction *aboutAct = nullptr;
    QAction *runAct = nullptr;
    QAction *haltAct = nullptr;
    QAction *inspectorAct = nullptr;
    QAction *backupAct = nullptr;
    QAction *printAct = nullptr;
    QAction *placeAct = nullptr;
    QMenu *helpMenu = nullptr;
    QMenu *graphMenuBar = nullptr;
    QMenu *optimizationMenu = nullptr;
    QMenu *problemMenuBar = nullptr;
    QMenu *problemMenu = nullptr;
    QMenu *graphMenu = nullptr;
    QToolBar *editToolBar = nullptr;
    BuildCalculus *catalogue = nullptr;
};
