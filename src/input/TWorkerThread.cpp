#include "TWorkerThread.h"

#include <system_error>

TWorkerThread::TWorkerThread()
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
        FChanged.wait(lock, [this] { return !FJob; });
        FJob = std::move(job);
    }
    FChanged.notify_all();
}

void TWorkerThread::Wait()
{
    std::unique_lock<std::mutex> lock(FMutex);
    FChanged.wait(lock, [this] { return !FJob; });
}

// The job runs outside the lock and is cleared only when it has finished:
// that is what Post() and Wait() wait for.
void TWorkerThread::Loop()
{
    std::unique_lock<std::mutex> lock(FMutex);
    for (;;) {
        FChanged.wait(lock, [this] { return FStop || FJob; });
        if (FStop)
            return;
        lock.unlock();
        FJob();
        lock.lock();
        FJob = nullptr;
        FChanged.notify_all();
    }
}
