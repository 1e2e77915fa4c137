#include "device/LinkJobs.h"

namespace orvane {

void LinkJobs::add(Job job) {
    waiting_.push_back(std::move(job));
    startWaiting();
}

void LinkJobs::addNext(Job job) {
    waiting_.push_front(std::move(job));
    startWaiting();
}

void LinkJobs::clear() {
    waiting_.clear();
    running_ = false;
    ++current_;
}

// A loop, not recursion: a job that ends at once (nothing to send) lets the next one start here.
void LinkJobs::startWaiting() {
    if (starting_) return;
    starting_ = true;
    while (!running_ && !waiting_.empty()) {
        Job job = std::move(waiting_.front());
        waiting_.pop_front();
        running_ = true;
        const uint64_t id = ++current_;
        job([this, id] { finished(id); });
    }
    starting_ = false;
}

void LinkJobs::finished(uint64_t job) {
    if (!running_ || job != current_) return;
    running_ = false;
    startWaiting();
}

}  // namespace orvane
