#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

// Runs jobs on a helper thread, one at a time, while the caller goes on.
// Post() waits until the job before has finished, then hands the new one
// over; Wait() waits until the job posted last has finished. Where no thread
// can be had, Post() runs the job itself. The destructor waits for the job
// posted last and joins.
class TWorkerThread
{
public:
    TWorkerThread();
    ~TWorkerThread();
    TWorkerThread(const TWorkerThread &) = delete;
    TWorkerThread &operator=(const TWorkerThread &) = delete;

    void Post(std::function<void()> job);
    void Wait();

private:
    void Loop();

    std::mutex FMutex;
    std::condition_variable FChanged;
    std::function<void()> FJob; // empty while the helper is idle
    bool FStop = false;
    std::thread FThread;
};
