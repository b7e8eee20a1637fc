#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;

// The small top-level window that follows a download: a label over a progress bar.
class ProgressBar : public QWidget
{
    Q_OBJECT

public:
    ProgressBar();

    void setName(const QString &text);

    QProgressBar *getBar() const { return bar; }
    QLabel *getLabel() const { return label; }

public slots:
    // received of total bytes; a negative total (unknown size) shows a busy bar. Byte counts
    // beyond the range of the bar are scaled down together.
    void slot_progress(qint64 received, qint64 total);

private:
    QProgressBar *bar;
    QLabel *label;
};
