#include "device/LinkJobs.h"

#include <algorithm>
#include <cstddef>

namespace orvane {

void LinkJobs::add(Job job) {
    waiting_.push_back(std::move(job));
    startWaiting();
}

void LinkJobs::addNext(Job job) {
    // Follow-ups of one job keep the order they were added in.
    waiting_.insert(waiting_.begin() + std::ptrdiff_t(std::min(followUps_, waiting_.size())), std::move(job));
    ++followUps_;
    startWaiting();
}

void LinkJobs::clear() {
    waiting_.clear();
    followUps_ = 0;
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
        followUps_ = 0;
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
