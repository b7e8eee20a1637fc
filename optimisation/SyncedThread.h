#pragma once

#include <QDeadlineTimer>
#include <QThread>

#include <atomic>

// A QThread whose end is published through an atomic: run() marks its end (EndMark), and
// wait() reads the mark after joining. QThread::wait() already orders the thread's work before
// the caller's next step, but through Qt's own futex-based locks, which ThreadSanitizer cannot
// see; the mark states the same ordering in a form it checks, so its reports stay meaningful.
class SyncedThread : public QThread
{
    Q_OBJECT

public:
    explicit SyncedThread(QObject *parent = nullptr) : QThread(parent) {}

    bool wait(QDeadlineTimer deadline = QDeadlineTimer(QDeadlineTimer::Forever));
    bool wait(unsigned long time);

protected:
    // Declare one at the top of run(): its destruction, on every way out, marks the end.
    class EndMark
    {
    public:
        explicit EndMark(SyncedThread *t) : thread(t) {}
        ~EndMark() { thread->ended.fetch_add(1, std::memory_order_release); }
        EndMark(const EndMark &) = delete;
        EndMark &operator=(const EndMark &) = delete;

    private:
        SyncedThread *thread;
    };

private:
    std::atomic<int> ended{0};
};
