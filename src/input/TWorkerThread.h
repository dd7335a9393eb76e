#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

// Runs jobs one at a time on a helper thread, in the order they come, while
// the caller goes on. At most depth jobs wait or run: Post() first waits
// until fewer do. Wait() waits until all have finished. Where no thread can
// be had, Post() runs the job itself. The destructor waits for the jobs
// posted and joins.
class TWorkerThread
{
public:
    explicit TWorkerThread(int depth);
    ~TWorkerThread();
    TWorkerThread(const TWorkerThread &) = delete;
    TWorkerThread &operator=(const TWorkerThread &) = delete;

    void Post(std::function<void()> job);
    void Wait();

private:
    void Loop();

    std::mutex FMutex;
    std::condition_variable FChanged;
    const std::size_t FDepth;
    std::deque<std::function<void()>> FJobs; // the front one runs
    bool FStop = false;
    std::thread FThread;
};
