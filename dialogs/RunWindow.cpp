#include "dialogs/RunWindow.h"

#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

RunWindow::RunWindow(QString text) : QDialog(nullptr), label(text)
{
    auto *layout = new QGridLayout;
    labelWidget = new QLabel(text);
    // The text comes from the program, never from a file, but it is shown literally anyway.
    labelWidget->setTextFormat(Qt::PlainText);
    cancelButton = new QPushButton(tr("Cancel"));
    progressBar = new QProgressBar;
    progressBar->setMaximum(100);
    progressBar->setValue(0);
    layout->addWidget(labelWidget, 0, 0);
    layout->addWidget(cancelButton, 1, 0);
    layout->addWidget(progressBar, 2, 0);
    setLayout(layout);
    connect(cancelButton, &QPushButton::clicked, this, &RunWindow::slot_cancel);
    hide();
}

void RunWindow::slot_set_max(int n)
{
    progressBar->setMaximum(n);
}

void RunWindow::slot_set_value(int v)
{
    progressBar->setValue(v);
}

void RunWindow::slot_cancel()
{
    cancelled.store(true);
    progressBar->setValue(0);
    hide();
}

void RunWindow::slot_start(int n)
{
    progressBar->setMaximum(n);
    progressBar->setValue(0);
    cancelled.store(false);
    show();
}
