#pragma once
// Deterministic event loop for tests and for the simulated product: advanceMs() fires due timers
// in time order (ties in arming order) and runs posted functions.
#include <mutex>
#include <vector>

#include "base/EventLoop.h"

namespace orvane {

class VirtualEventLoop : public EventLoop {
public:
    int64_t nowMs() const override { return now_; }
    void sleepMs(int ms) override;
    void setTimer(const void* owner, int id, int intervalMs, std::function<void()> onFire) override;
    void killTimer(const void* owner, int id) override;
    bool timerActive(const void* owner, int id) const override;
    void post(std::function<void()> fn) override;
    void offload(std::function<void()> work, std::function<void()> done) override;

    // Runs posted work, then moves time forward by ms, firing every timer that falls due.
    void advanceMs(int64_t ms);
    // Runs posted work and timers already due, without moving time.
    void runPending();
    // Fires timers in time order, moving time to each, until done() holds (true) or maxMs have
    // passed (false).
    bool runUntil(const std::function<bool()>& done, int64_t maxMs);
    // Total time spent in sleepMs() since construction.
    int64_t sleptMs() const { return slept_; }

private:
    struct Timer {
        int64_t due;
        int interval;
        uint64_t order;
        std::function<void()> fn;
        bool active = true;  // a killed timer keeps its entry, for the next one of its id
    };
    struct Entry {
        const void* owner;
        int id;
        Timer timer;
    };
    Timer* find(const void* owner, int id);
    const Timer* find(const void* owner, int id) const;
    bool fireNextDue(int64_t limit);
    void runPosted();

    int64_t now_ = 0;
    int64_t slept_ = 0;
    uint64_t order_ = 0;
    // A killed timer keeps its entry (a pass stops and starts its pause timer once a frame);
    // the few entries are searched in a row.
    std::vector<Entry> timers_;
    mutable std::mutex postMutex_;
    std::vector<std::function<void()>> posted_;
};

}  // namespace orvane
