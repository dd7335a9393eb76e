#include "TWorkerThread.h"

#include <system_error>

TWorkerThread::TWorkerThread(int depth)
    : FDepth(std::size_t(depth))
{
    try {
        FThread = std::thread([this] { Loop(); });
    } catch (const std::system_error &) {
        // No thread to be had: Post() runs the jobs.
    }
}

TWorkerThread::~TWorkerThread()
{
    if (!FThread.joinable())
        return;
    Wait();
    {
        std::lock_guard<std::mutex> lock(FMutex);
        FStop = true;
    }
    FChanged.notify_all();
    FThread.join();
}

void TWorkerThread::Post(std::function<void()> job)
{
    if (!FThread.joinable()) {
        job();
        return;
    }
    {
        std::unique_lock<std::mutex> lock(FMutex);
        FChanged.wait(lock, [this] { return FJobs.size() < FDepth; });
        FJobs.push_back(std::move(job));
    }
    FChanged.notify_all();
}

void TWorkerThread::Wait()
{
    std::unique_lock<std::mutex> lock(FMutex);
    FChanged.wait(lock, [this] { return FJobs.empty(); });
}

// The front job runs outside the lock and leaves the queue only when it has
// finished: the queue's length is what Post() and Wait() wait on. Post()
// only appends, which leaves the front job in place.
void TWorkerThread::Loop()
{
    std::unique_lock<std::mutex> lock(FMutex);
    for (;;) {
        FChanged.wait(lock, [this] { return FStop || !FJobs.empty(); });
        if (FStop)
            return;
        std::function<void()> &job = FJobs.front();
        lock.unlock();
        job();
        lock.lock();
        FJobs.pop_front();
        FChanged.notify_all();
    }
}
