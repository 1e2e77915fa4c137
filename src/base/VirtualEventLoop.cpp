#include "base/VirtualEventLoop.h"

#include <algorithm>

namespace orvane {

void VirtualEventLoop::sleepMs(int ms) {
    if (ms <= 0) return;
    now_ += ms;
    slept_ += ms;
}

VirtualEventLoop::Timer* VirtualEventLoop::find(const void* owner, int id) {
    for (Entry& e : timers_)
        if (e.owner == owner && e.id == id) return &e.timer;
    return nullptr;
}

const VirtualEventLoop::Timer* VirtualEventLoop::find(const void* owner, int id) const {
    return const_cast<VirtualEventLoop*>(this)->find(owner, id);
}

void VirtualEventLoop::setTimer(const void* owner, int id, int intervalMs, std::function<void()> onFire) {
    Timer* t = find(owner, id);
    if (!t) t = &timers_.emplace_back(Entry{owner, id, {}}).timer;
    t->due = now_ + intervalMs;
    t->interval = intervalMs;
    t->order = order_++;
    t->fn = std::move(onFire);
    t->active = true;
}

void VirtualEventLoop::killTimer(const void* owner, int id) {
    if (Timer* t = find(owner, id)) {
        t->active = false;
        t->fn = nullptr;
    }
}

bool VirtualEventLoop::timerActive(const void* owner, int id) const {
    const Timer* t = find(owner, id);
    return t && t->active;
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
    std::vector<std::function<void()>> batch;
    for (;;) {
        {
            std::lock_guard lock(postMutex_);
            if (posted_.empty()) {
                // The queue keeps an allocation: a pass posts once a frame.
                if (posted_.capacity() < batch.capacity()) posted_.swap(batch);
                return;
            }
            batch.swap(posted_);
        }
        for (auto& fn : batch) fn();
        batch.clear();
    }
}

bool VirtualEventLoop::fireNextDue(int64_t limit) {
    const Timer* best = nullptr;
    size_t index = 0;
    for (size_t i = 0; i < timers_.size(); ++i) {
        const Timer& t = timers_[i].timer;
        if (!t.active || t.due > limit) continue;
        if (!best || t.due < best->due || (t.due == best->due && t.order < best->order)) {
            best = &t;
            index = i;
        }
    }
    if (!best) return false;
    if (best->due > now_) now_ = best->due;
    // The handler may kill or re-arm its own timer, or arm new ones (which may move the entries):
    // if it does neither to its own, it gets its function back.
    Timer& t = timers_[index].timer;
    std::function<void()> fn = std::move(t.fn);
    t.due = now_ + (t.interval > 0 ? t.interval : 1);
    const uint64_t order = t.order = order_++;
    fn();
    Timer& after = timers_[index].timer;
    if (after.active && after.order == order && !after.fn) after.fn = std::move(fn);
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
