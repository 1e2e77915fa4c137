#pragma once
// One thread that runs functions in the order they were given: blocking calls (a device
// transfer) that must not hold up an event loop. The thread starts with the first function.
// Stopping lets the function in progress finish and drops the ones still waiting.
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace orvane {

class WorkerThread {
public:
    WorkerThread() = default;
    ~WorkerThread() { stop(); }
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // Thread-safe. Ignored once stopped.
    void run(std::function<void()> fn);
    // Waits for the function in progress, if any; the thread has ended when this returns.
    void stop();

private:
    void work();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> queue_;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace orvane
