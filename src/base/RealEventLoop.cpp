#include "base/RealEventLoop.h"

#include <limits>
#include <thread>

namespace orvane {

RealEventLoop::RealEventLoop() : start_(std::chrono::steady_clock::now()) {}

int64_t RealEventLoop::nowMs() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start_).count();
}

void RealEventLoop::sleepMs(int ms) {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void RealEventLoop::setTimer(const void* owner, int id, int intervalMs, std::function<void()> onFire) {
    timers_[{owner, id}] = Timer{nowMs() + intervalMs, intervalMs, order_++, std::move(onFire)};
}

void RealEventLoop::killTimer(const void* owner, int id) { timers_.erase({owner, id}); }

bool RealEventLoop::timerActive(const void* owner, int id) const { return timers_.count({owner, id}) != 0; }

void RealEventLoop::post(std::function<void()> fn) {
    {
        std::lock_guard lock(postMutex_);
        queue_.push_back(std::move(fn));
    }
    posted_.notify_one();
}

void RealEventLoop::offload(std::function<void()> work, std::function<void()> done) {
    worker_.run([this, work = std::move(work), done = std::move(done)]() mutable {
        work();
        post(std::move(done));
    });
}

bool RealEventLoop::runOnePosted() {
    std::function<void()> fn;
    {
        std::lock_guard lock(postMutex_);
        if (queue_.empty()) return false;
        fn = std::move(queue_.front());
        queue_.pop_front();
    }
    fn();
    return true;
}

bool RealEventLoop::fireOneDue() {
    const int64_t now = nowMs();
    auto best = timers_.end();
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
        if (it->second.due > now) continue;
        if (best == timers_.end() || it->second.due < best->second.due ||
            (it->second.due == best->second.due && it->second.order < best->second.order))
            best = it;
    }
    if (best == timers_.end()) return false;
    auto fn = best->second.fn;  // the handler may kill or re-arm its own timer
    best->second.due = now + (best->second.interval > 0 ? best->second.interval : 1);
    best->second.order = order_++;
    fn();
    return true;
}

int64_t RealEventLoop::nextDue() const {
    int64_t due = std::numeric_limits<int64_t>::max();
    for (const auto& [key, t] : timers_) due = std::min(due, t.due);
    return due;
}

void RealEventLoop::runPending() {
    while (runOnePosted() || fireOneDue()) {
    }
}

bool RealEventLoop::runUntil(const std::function<bool()>& done, int timeoutMs) {
    const int64_t deadline = nowMs() + timeoutMs;
    for (;;) {
        // The condition is looked at after every handler, not once the queue has run dry: on a
        // slow machine a timer armed by one handler falls due while the others run, and the
        // caller must get the chance to act (cancel it) before it fires.
        while (!done()) {
            if (!runOnePosted() && !fireOneDue()) break;
        }
        if (done()) return true;
        const int64_t now = nowMs();
        if (now >= deadline) return false;
        const int64_t wake = std::min(deadline, nextDue());
        std::unique_lock lock(postMutex_);
        posted_.wait_for(lock, std::chrono::milliseconds(std::max<int64_t>(wake - now, 0)),
                         [this] { return !queue_.empty(); });
    }
}

}  // namespace orvane
