#include "platform/qt/QtEventLoop.h"

#include <QMetaObject>
#include <thread>

namespace orvane::platform::qt {

QtEventLoop::QtEventLoop() : context_(std::make_unique<QObject>()) {}

QtEventLoop::~QtEventLoop() {
    worker_.stop();
    for (auto& [key, entry] : timers_) entry.timer->stop();
    for (auto& timer : spare_) timer->stop();
}

int64_t QtEventLoop::nowMs() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start_).count();
}

void QtEventLoop::sleepMs(int ms) {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void QtEventLoop::setTimer(const void* owner, int id, int intervalMs, std::function<void()> onFire) {
    const Key key{owner, id};
    Entry& e = timers_[key];
    if (!e.timer) {
        if (!spare_.empty()) {
            e.timer = std::move(spare_.back());
            spare_.pop_back();
        } else {
            e.timer = std::make_unique<QTimer>();
            e.timer->setTimerType(Qt::PreciseTimer);
        }
        QObject::connect(e.timer.get(), &QTimer::timeout, context_.get(), [this, key] { fire(key); });
    }
    e.fn = std::move(onFire);
    e.timer->start(std::max(intervalMs, 0));  // restarts a running timer
}

void QtEventLoop::fire(const Key& key) {
    auto it = timers_.find(key);
    if (it == timers_.end()) return;
    auto fn = it->second.fn;  // the handler may kill or re-arm its own timer
    if (fn) fn();
}

void QtEventLoop::killTimer(const void* owner, int id) {
    auto it = timers_.find({owner, id});
    if (it == timers_.end()) return;
    // Kept for the next timer rather than deleted: a pass stops and starts one per frame, and a
    // timer may not be deleted from inside its own timeout anyway.
    QTimer* timer = it->second.timer.get();
    timer->stop();
    QObject::disconnect(timer, &QTimer::timeout, context_.get(), nullptr);
    spare_.push_back(std::move(it->second.timer));
    timers_.erase(it);
}

bool QtEventLoop::timerActive(const void* owner, int id) const { return timers_.count({owner, id}) != 0; }

void QtEventLoop::post(std::function<void()> fn) {
    QMetaObject::invokeMethod(context_.get(), std::move(fn), Qt::QueuedConnection);
}

void QtEventLoop::offload(std::function<void()> work, std::function<void()> done) {
    worker_.run([this, work = std::move(work), done = std::move(done)]() mutable {
        work();
        post(std::move(done));
    });
}

}  // namespace orvane::platform::qt
