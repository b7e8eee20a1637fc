#pragma once

#include "ShellFixture.h"

#include "shell/MainWidget.h"
#include "shell/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QTreeWidget>

#include <memory>

// The main window and its hub driven as a user does, with settings kept in a temporary folder:
// what the main window test classes share. The fixture slots stay in each test class, since a slot
// needs the class's own meta-object: initTestCase() makes the isolation and installs the prompt,
// init() resets both, cleanup() closes the window.
class MainWindowFixture
{
protected:
    MainWindow *start();
    QAction *act(const char *text) { return window->action(QString::fromLatin1(text)); }
    // Double-clicks the tree leaf with this text, as a user does.
    void doubleClickLeaf(const QString &text);

    std::unique_ptr<IsolatedSettings> isolation;
    ShellPrompt prompt;
    QPointer<MainWindow> window;
};

inline MainWindow *MainWindowFixture::start()
{
    CerrCapture quiet;
    window = new MainWindow;
    window->show();
    return window;
}

inline void MainWindowFixture::doubleClickLeaf(const QString &text)
{
    QTreeWidget *tree = window->hub()->getComponentTree();
    const QList<QTreeWidgetItem *> found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    QVERIFY2(!found.isEmpty(), qPrintable(text));
    for (QTreeWidgetItem *up = found.first()->parent(); up; up = up->parent())
        up->setExpanded(true);
    QTest::qWait(20);
    tree->scrollToItem(found.first());
    QTest::qWait(QApplication::doubleClickInterval() + 20);
    const QRect r = tree->visualItemRect(found.first());
    QVERIFY2(r.isValid(), qPrintable(text));
    // Selected first by a single click, as a user's eye and hand do.
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
    QTest::qWait(QApplication::doubleClickInterval() + 20);
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
}
