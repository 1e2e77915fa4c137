#include "device/FrameSchedule.h"

namespace orvane {

void FrameSchedule::send(const Frame& frame, Then then) {
    steps_.push_back(ScheduledFrame{frame, 0, std::move(then), {}});
    ++frames_;
}

void FrameSchedule::sendIf(const Frame& frame, std::function<bool()> when, Then then) {
    steps_.push_back(ScheduledFrame{frame, 0, std::move(then), std::move(when)});
    ++frames_;
}

void FrameSchedule::pause(int ms) {
    if (ms <= 0) return;
    if (steps_.empty())
        steps_.push_back(ScheduledFrame{std::nullopt, ms, {}, {}});
    else
        steps_.back().pauseAfterMs += ms;
}

}  // namespace orvane
