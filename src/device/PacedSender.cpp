#include "device/PacedSender.h"

namespace orvane {

PacedSender::~PacedSender() {
    loop_.killTimer(this, kPauseTimer);
}

void PacedSender::run(FrameSchedule schedule, Progress progress, Finished finished) {
    schedule_ = std::move(schedule);
    progress_ = std::move(progress);
    finished_ = std::move(finished);
    index_ = 0;
    running_ = true;
    inFlight_ = false;
    stopping_ = false;
    report_ = {};
    next();
}

void PacedSender::next() {
    auto& steps = schedule_.steps();
    if (stopping_ || index_ >= steps.size()) return finish();
    const ScheduledFrame& step = steps[index_];
    if (!step.frame || (step.when && !step.when())) {
        ++index_;
        if (step.frame && step.then) step.then(FrameResult{true, true, {}});
        if (progress_) progress_(int(index_), int(steps.size()));
        return wait(step.pauseAfterMs);
    }
    inFlight_ = true;
    io_.send(*step.frame, [this, frame = ++sending_](const SendOutcome& outcome) {
        if (frame == sending_) sent(outcome);
    });
}

void PacedSender::sent(const SendOutcome& outcome) {
    if (!inFlight_) return;
    inFlight_ = false;
    auto& steps = schedule_.steps();
    const ScheduledFrame& step = steps[index_++];
    if (outcome.attempted() > 0) report_.reachedDevice = true;
    if (step.then) step.then(FrameResult{true, false, outcome});
    // Every device that was open has gone: the rest would only fail the same way.
    if (outcome.devicesGone()) stopping_ = true;
    if (progress_) progress_(int(index_), int(steps.size()));
    if (stopping_) return finish();
    wait(step.pauseAfterMs);
}

void PacedSender::wait(int ms) {
    if (ms <= 0) return next();
    loop_.setTimer(this, kPauseTimer, ms, [this] {
        loop_.killTimer(this, kPauseTimer);
        next();
    });
}

void PacedSender::stop() {
    if (!running_) return;
    stopping_ = true;
    // Between frames: end now. With a frame in flight, its result ends the schedule.
    if (!inFlight_) {
        loop_.killTimer(this, kPauseTimer);
        finish();
    }
}

void PacedSender::abandon() {
    if (!running_) return;
    if (inFlight_) {
        // Its result will not be waited for: it counts as not sent.
        inFlight_ = false;
        ++sending_;
    }
    stopping_ = true;
    loop_.killTimer(this, kPauseTimer);
    finish();
}

void PacedSender::finish() {
    loop_.killTimer(this, kPauseTimer);
    auto& steps = schedule_.steps();
    report_.cut = index_ < steps.size();
    for (; index_ < steps.size(); ++index_)
        if (steps[index_].frame && steps[index_].then) steps[index_].then(FrameResult{});
    running_ = false;
    schedule_.steps().clear();
    Finished finished = std::move(finished_);
    finished_ = {};
    progress_ = {};
    if (finished) finished(report_);
}

}  // namespace orvane
