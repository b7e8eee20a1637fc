#pragma once

#include <QDialog>
#include <QString>

#include <atomic>

class QLabel;
class QProgressBar;
class QPushButton;

// The small modeless window that shows the progress of a long job running in another thread
// and lets the user cancel it. The job drives it only through queued signals to its slots; the
// job's thread reads and clears the cancelled flag directly (it is atomic).
class RunWindow : public QDialog
{
    Q_OBJECT

public:
    explicit RunWindow(QString text);

    // Polled by the job between steps.
    bool isCancelled() const { return cancelled.load(); }
    // The job clears the flag when it starts.
    void setCancel(bool on) { cancelled.store(on); }

    QString getLabel() const { return label; }
    QProgressBar *getProgressBar() const { return progressBar; }
    QPushButton *getCancelButton() const { return cancelButton; }

signals:
    void signal_cancel();

public slots:
    void slot_set_max(int n);
    void slot_set_value(int v);
    // The Cancel button's action and the target of the job's end signal: sets the flag, empties
    // the bar and hides the window.
    void slot_cancel();
    // Maximum n, value 0, flag cleared, window shown.
    void slot_start(int n);

private:
    QProgressBar *progressBar;
    QString label;
    std::atomic<bool> cancelled{false};
    QLabel *labelWidget;
    QPushButton *cancelButton;
};
