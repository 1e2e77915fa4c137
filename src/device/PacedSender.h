#pragma once
// Sends a pass's schedule: each frame through FrameIo, which hands the transfer off the loop's
// thread, and the pause after it as a timer on the loop. The loop, and with it the window, goes
// on between frames. Stopping sends nothing after the frame in flight; the frames left over are
// then reported as never sent, so their images are restored like those of frames no device
// took.
#include <functional>
#include <memory>

#include "base/EventLoop.h"
#include "device/FrameIo.h"
#include "device/FrameSchedule.h"

namespace orvane {

class PacedSender {
public:
    struct Report {
        bool reachedDevice = false;  // some frame was handed to an open device
        bool cut = false;            // stopped before the end of the schedule
    };
    // Steps done of the schedule's steps, after each one.
    using Progress = std::function<void(int done, int total)>;
    using Finished = std::function<void(const Report&)>;

    PacedSender(FrameIo& io, EventLoop& loop) : io_(io), loop_(loop) {}
    ~PacedSender();
    PacedSender(const PacedSender&) = delete;
    PacedSender& operator=(const PacedSender&) = delete;

    // One schedule at a time.
    void run(FrameSchedule schedule, Progress progress, Finished finished);
    [[nodiscard]] bool running() const { return running_; }
    // Ends the schedule after the frame in flight (an unplugged device).
    void stop();
    // Ends it now, without waiting for the frame in flight (shutdown).
    void abandon();

private:
    static constexpr int kPauseTimer = 1;
    void next();
    void sent(const SendOutcome& outcome);
    void wait(int ms);
    void finish();

    FrameIo& io_;
    EventLoop& loop_;
    FrameSchedule schedule_;
    Progress progress_;
    Finished finished_;
    size_t index_ = 0;
    bool running_ = false;
    bool inFlight_ = false;
    bool stopping_ = false;
    Report report_;
    // Numbers the frames sent: a result that comes back after an abandon is dropped, and so is
    // one that comes back after this object is gone (alive_).
    uint64_t sending_ = 0;
    // Numbers the runs: a callback that ended the run (or started another) is noticed on return.
    uint64_t run_ = 0;
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

}  // namespace orvane
