#pragma once
// An event loop on the real clock, for programs without a window system (orvanectl): timers by
// (owner, id), blocking pauses, and work posted from other threads. The loop runs only inside
// runUntil, on the thread that calls it.
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>

#include "base/EventLoop.h"
#include "base/WorkerThread.h"

namespace orvane {

class RealEventLoop : public EventLoop {
public:
    RealEventLoop();

    int64_t nowMs() const override;
    void sleepMs(int ms) override;
    void setTimer(const void* owner, int id, int intervalMs, std::function<void()> onFire) override;
    void killTimer(const void* owner, int id) override;
    bool timerActive(const void* owner, int id) const override;
    void post(std::function<void()> fn) override;
    void offload(std::function<void()> work, std::function<void()> done) override;

    // Runs posted work and due timers until done() holds (true) or timeoutMs passes (false).
    bool runUntil(const std::function<bool()>& done, int timeoutMs);
    // Runs what is already due without waiting.
    void runPending();

private:
    struct Timer {
        int64_t due;
        int interval;
        uint64_t order;
        std::function<void()> fn;
    };
    using Key = std::pair<const void*, int>;
    bool fireOneDue();
    bool runOnePosted();
    int64_t nextDue() const;

    std::chrono::steady_clock::time_point start_;
    uint64_t order_ = 0;
    std::map<Key, Timer> timers_;
    std::mutex postMutex_;
    std::condition_variable posted_;
    std::deque<std::function<void()>> queue_;
    WorkerThread worker_;  // last: stopped before the queue it posts to goes away
};

}  // namespace orvane
