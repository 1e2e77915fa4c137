#include "base/VirtualEventLoop.h"

#include <algorithm>

namespace orvane {

void VirtualEventLoop::sleepMs(int ms) {
    if (ms <= 0) return;
    now_ += ms;
    slept_ += ms;
}

void VirtualEventLoop::setTimer(const void* owner, int id, int intervalMs, std::function<void()> onFire) {
    Timer& t = timers_[{owner, id}];
    t.due = now_ + intervalMs;
    t.interval = intervalMs;
    t.order = order_++;
    t.fn = std::move(onFire);
    t.active = true;
}

// The entry stays: a pass stops and starts its pause timer once a frame.
void VirtualEventLoop::killTimer(const void* owner, int id) {
    auto it = timers_.find({owner, id});
    if (it == timers_.end()) return;
    it->second.active = false;
    it->second.fn = nullptr;
}

bool VirtualEventLoop::timerActive(const void* owner, int id) const {
    auto it = timers_.find({owner, id});
    return it != timers_.end() && it->second.active;
}

void VirtualEventLoop::post(std::function<void()> fn) {
    std::lock_guard lock(postMutex_);
    posted_.push_back(std::move(fn));
}

void VirtualEventLoop::offload(std::function<void()> work, std::function<void()> done) {
    work();
    post(std::move(done));
}

void VirtualEventLoop::runPosted() {
    for (;;) {
        std::vector<std::function<void()>> batch;
        {
            std::lock_guard lock(postMutex_);
            batch.swap(posted_);
        }
        if (batch.empty()) return;
        for (auto& fn : batch) fn();
    }
}

bool VirtualEventLoop::fireNextDue(int64_t limit) {
    auto best = timers_.end();
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
        if (!it->second.active || it->second.due > limit) continue;
        if (best == timers_.end() || it->second.due < best->second.due ||
            (it->second.due == best->second.due && it->second.order < best->second.order))
            best = it;
    }
    if (best == timers_.end()) return false;
    if (best->second.due > now_) now_ = best->second.due;
    Key key = best->first;
    auto fn = best->second.fn;  // the handler may kill or re-arm its own timer
    best->second.due = now_ + (best->second.interval > 0 ? best->second.interval : 1);
    best->second.order = order_++;
    fn();
    (void)key;
    runPosted();
    return true;
}

void VirtualEventLoop::runPending() {
    runPosted();
    while (fireNextDue(now_)) {
    }
}

bool VirtualEventLoop::runUntil(const std::function<bool()>& done, int64_t maxMs) {
    const int64_t limit = now_ + maxMs;
    runPosted();
    while (!done() && fireNextDue(limit)) {
    }
    if (done()) return true;
    now_ = std::max(now_, limit);
    return false;
}

void VirtualEventLoop::advanceMs(int64_t ms) {
    runPosted();
    const int64_t target = now_ + ms;
    while (fireNextDue(target)) {
    }
    if (now_ < target) now_ = target;
}

}  // namespace orvane
