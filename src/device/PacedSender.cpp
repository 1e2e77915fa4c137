#include "device/PacedSender.h"

namespace orvane {

PacedSender::~PacedSender() {
    loop_.killTimer(this, kPauseTimer);
}

namespace {
// Calls a step's callback moved out of the schedule first: it may stop the sender, which empties
// the schedule, and a function must not be destroyed while it runs.
void report(std::function<void(const FrameResult&)>& then, const FrameResult& result) {
    if (!then) return;
    auto call = std::move(then);
    then = {};
    call(result);
}
}  // namespace

void PacedSender::run(FrameSchedule schedule, Progress progress, Finished finished) {
    schedule_ = std::move(schedule);
    progress_ = std::move(progress);
    finished_ = std::move(finished);
    index_ = 0;
    ++run_;
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
        const uint64_t run = run_;
        const int pause = step.pauseAfterMs;
        ++index_;
        if (step.frame) report(steps[index_ - 1].then, FrameResult{true, true, {}});
        if (progress_ && run == run_) progress_(int(index_), int(steps.size()));
        if (run != run_ || !running_) return;  // a callback stopped or replaced the schedule
        return wait(pause);
    }
    inFlight_ = true;
    std::weak_ptr<int> alive = alive_;
    io_.send(*step.frame, [this, alive, frame = ++sending_](const SendOutcome& outcome) {
        // The result of a write that outlived this sender, or that was disowned, is dropped.
        if (alive.lock() && frame == sending_) sent(outcome);
    });
}

void PacedSender::sent(const SendOutcome& outcome) {
    if (!inFlight_ || !running_ || index_ >= schedule_.steps().size()) return;
    inFlight_ = false;
    const uint64_t run = run_;
    auto& steps = schedule_.steps();
    const int pause = steps[index_].pauseAfterMs;
    ++index_;
    if (outcome.attempted() > 0) report_.reachedDevice = true;
    // Every device that was open has gone: the rest would only fail the same way.
    if (outcome.devicesGone()) stopping_ = true;
    report(steps[index_ - 1].then, FrameResult{true, false, outcome});
    if (progress_ && run == run_) progress_(int(index_), int(steps.size()));
    if (run != run_ || !running_) return;  // a callback stopped or replaced the schedule
    if (stopping_) return finish();
    wait(pause);
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
    if (!running_) return;
    loop_.killTimer(this, kPauseTimer);
    // Ends this run before any callback runs, so a callback that stops the sender finds nothing
    // left to stop.
    running_ = false;
    ++run_;
    FrameSchedule left = std::move(schedule_);
    schedule_ = FrameSchedule{};
    auto& steps = left.steps();
    report_.cut = index_ < steps.size();
    const Report result = report_;
    Finished finished = std::move(finished_);
    finished_ = {};
    progress_ = {};
    for (size_t i = index_; i < steps.size(); ++i)
        if (steps[i].frame) report(steps[i].then, FrameResult{});
    if (finished) finished(result);
}

}  // namespace orvane
