#include "shell/PreferenceWindow.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QPushButton>

PreferenceWindow::PreferenceWindow()
{
    reload = new QCheckBox(tr("Reload environment"));
    noAskUpdate = new QCheckBox(tr("Do not check for updates"));
    changeWd = new QPushButton(tr("Change Working Directory"));
    changeWd->setToolTip(tr("Change TSY working directory"));
    done = new QPushButton(tr("Done"));

    auto *grid = new QGridLayout;
    grid->addWidget(reload, 0, 0);
    grid->addWidget(noAskUpdate, 1, 0);
    grid->addWidget(changeWd, 2, 0);
    grid->addWidget(done, 3, 0);
    setLayout(grid);

    connect(reload, &QCheckBox::clicked, this, &PreferenceWindow::slot_set_reload);
    connect(noAskUpdate, &QCheckBox::clicked, this, &PreferenceWindow::slot_set_ask_update);
    connect(changeWd, &QPushButton::clicked, this, &PreferenceWindow::slot_change_wd);
    connect(done, &QPushButton::clicked, this, &QWidget::hide);
}

void PreferenceWindow::slot_reload(bool on)
{
    reload->setChecked(on);
}

void PreferenceWindow::slot_ask_update(bool on)
{
    noAskUpdate->setChecked(on);
}
