#pragma once
// The frames of one pass, decided when the pass starts, with the pauses the mouse needs after
// them. Deciding is the pass's bookkeeping: what the mouse is believed to hold changes at once,
// as when a frame is built, and each frame carries what to do once it is known whether a device
// took it. Sending is PacedSender's.
#include <functional>
#include <optional>
#include <vector>

#include "device/CommandFrame.h"
#include "device/FrameIo.h"

namespace orvane {

// What became of one scheduled frame.
struct FrameResult {
    bool reached = false;  // its turn came (false: the pass ended before it)
    bool skipped = false;  // its turn came and its condition said not to send it
    SendOutcome outcome;   // when it was sent
};

struct ScheduledFrame {
    std::optional<Frame> frame;  // none: a pause only
    int pauseAfterMs = 0;
    std::function<void(const FrameResult&)> then;
    std::function<bool()> when;  // asked at its turn; empty: always sent
};

class FrameSchedule {
public:
    // Room for the largest pass (six buttons, the settings, six macros of 21 chunks, the counter).
    FrameSchedule() { steps_.reserve(160); }
    using Then = std::function<void(const FrameResult&)>;
    // A frame for every open device, and what to do with its result.
    void send(const Frame& frame, Then then = {});
    // A frame sent only if, at its turn, when() says so: it may depend on how the frames
    // before it fared.
    void sendIf(const Frame& frame, std::function<bool()> when, Then then);
    // A pause after what was scheduled last; pauses in a row add up.
    void pause(int ms);

    [[nodiscard]] int frameCount() const { return frames_; }
    [[nodiscard]] bool empty() const { return steps_.empty(); }
    [[nodiscard]] const std::vector<ScheduledFrame>& steps() const { return steps_; }
    std::vector<ScheduledFrame>& steps() { return steps_; }

private:
    std::vector<ScheduledFrame> steps_;
    int frames_ = 0;
};

}  // namespace orvane
