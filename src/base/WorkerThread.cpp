#include "base/WorkerThread.h"

namespace orvane {

void WorkerThread::run(std::function<void()> fn) {
    {
        std::lock_guard lock(mutex_);
        if (stopping_) return;
        queue_.push_back(std::move(fn));
        if (!thread_.joinable()) thread_ = std::thread([this] { work(); });
    }
    wake_.notify_one();
}

void WorkerThread::stop() {
    std::thread ending;
    std::deque<std::function<void()>> dropped;
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        dropped.swap(queue_);
        ending = std::move(thread_);
    }
    wake_.notify_one();
    if (ending.joinable()) ending.join();
}

void WorkerThread::work() {
    for (;;) {
        std::function<void()> fn;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
            if (stopping_) return;
            fn = std::move(queue_.front());
            queue_.pop_front();
        }
        fn();
    }
}

}  // namespace orvane
