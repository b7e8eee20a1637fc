#include "optimisation/SyncedThread.h"

bool SyncedThread::wait(QDeadlineTimer deadline)
{
    const bool done = QThread::wait(deadline);
    if (done)
        (void)ended.load(std::memory_order_acquire);
    return done;
}

bool SyncedThread::wait(unsigned long time)
{
    const bool done = QThread::wait(time);
    if (done)
        (void)ended.load(std::memory_order_acquire);
    return done;
}
