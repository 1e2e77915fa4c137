#pragma once
// The product's event loop: Qt's, with window-style timers on QTimer, thread-safe posts
// queued to the UI thread, and one worker thread for the blocking calls handed to offload().
#include <QObject>
#include <QTimer>
#include <chrono>
#include <map>
#include <memory>
#include <vector>

#include "base/EventLoop.h"
#include "base/WorkerThread.h"

namespace orvane::platform::qt {

class QtEventLoop : public EventLoop {
public:
    QtEventLoop();
    ~QtEventLoop() override;

    int64_t nowMs() const override;
    void sleepMs(int ms) override;
    void setTimer(const void* owner, int id, int intervalMs, std::function<void()> onFire) override;
    void killTimer(const void* owner, int id) override;
    bool timerActive(const void* owner, int id) const override;
    void post(std::function<void()> fn) override;
    void offload(std::function<void()> work, std::function<void()> done) override;

private:
    using Key = std::pair<const void*, int>;
    struct Entry {
        std::unique_ptr<QTimer> timer;
        std::function<void()> fn;
    };
    void fire(const Key& key);

    std::unique_ptr<QObject> context_;  // lives on the UI thread; posts are queued to it
    std::map<Key, Entry> timers_;
    std::vector<std::unique_ptr<QTimer>> spare_;  // stopped timers, for reuse
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    WorkerThread worker_;  // last: stopped before the context it posts to goes away
};

}  // namespace orvane::platform::qt
