#include "help/ProgressBar.h"

#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>

#include <climits>

ProgressBar::ProgressBar()
{
    auto *grid = new QGridLayout;
    bar = new QProgressBar;
    label = new QLabel(QStringLiteral("Progress"));
    label->setTextFormat(Qt::PlainText);
    grid->addWidget(bar, 1, 0);
    grid->addWidget(label, 0, 0);
    setLayout(grid);
    // A download in progress does not keep the program open once the main window has closed.
    setAttribute(Qt::WA_QuitOnClose, false);
}

void ProgressBar::setName(const QString &text)
{
    label->setText(text);
}

void ProgressBar::slot_progress(qint64 received, qint64 total)
{
    if (total < 0) {
        bar->setRange(0, 0);
        return;
    }
    received = qBound<qint64>(0, received, total);
    while (total > INT_MAX) {
        total /= 1024;
        received /= 1024;
    }
    // The maximum first: QProgressBar drops a value above its current maximum.
    bar->setRange(0, int(total));
    bar->setValue(int(received));
}
