#pragma once
// Time and scheduling are injected. The device link and the windows schedule their numbered
// timers and blocking pauses through an EventLoop; the product runs a real one, tests a
// VirtualEventLoop whose clock only moves when the test (or a pause) moves it.
#include <cstdint>
#include <functional>

namespace orvane {

class EventLoop {
public:
    virtual ~EventLoop() = default;

    // Monotonic milliseconds.
    virtual int64_t nowMs() const = 0;
    // Blocks the calling thread; timers do not fire during a pause. Never used on the loop's
    // own thread by the product: waits there are timers.
    virtual void sleepMs(int ms) = 0;

    // Window-style timers: one per (owner, id). Starting a running timer restarts it.
    // A repeating timer fires every intervalMs until killed; callers of one-shot timers kill
    // them in their handler, as window timers are used.
    virtual void setTimer(const void* owner, int id, int intervalMs, std::function<void()> onFire) = 0;
    virtual void killTimer(const void* owner, int id) = 0;
    virtual bool timerActive(const void* owner, int id) const = 0;

    // Thread-safe: runs fn on the loop's thread, in posting order.
    virtual void post(std::function<void()> fn) = 0;

    // Runs work away from the loop's thread, then done on it: for calls that may block, such as
    // a transfer to a device, so that the loop goes on meanwhile. Work runs one item at a time,
    // in the order given; done is kept (and what it holds stays alive) until work has run. A
    // virtual loop runs the work at once and queues done as a post, so tests stay deterministic.
    virtual void offload(std::function<void()> work, std::function<void()> done) = 0;
};

}  // namespace orvane
