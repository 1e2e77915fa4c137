#pragma once
// Whether what the link sent has reached the mouse, as far as it can tell. The mouse never
// acknowledges a write: a frame the wired mouse took is held; one only the receiver took reached
// the mouse only if it was online, which just the receiver's next status can confirm.
#include "device/FrameIo.h"
#include "device/MousePresence.h"
#include "device/PassReport.h"

namespace orvane {

class Delivery {
public:
    explicit Delivery(const MousePresence& presence) : presence_(presence) {}

    // What became of a frame for the mouse, from how the devices took it.
    FrameFate fateOf(const SendOutcome& out);
    // A status with the mouse's signature came from device. True when frames that went through
    // the receiver alone since the last one may have missed the mouse: they count as undelivered,
    // and nothing they carried may be taken as held.
    bool unconfirmedFramesLost(DeviceRole device);
    // A sync pass ended. True when it lost a frame or withheld the counter: whatever pass comes
    // next must try it again.
    bool passEnded(const PassReport& pass);

    // A frame missed the mouse since the last pass that delivered everything it had to send.
    [[nodiscard]] bool undelivered() const { return undelivered_; }
    // Frames went through the receiver alone since the last status the receiver gave: whether
    // the mouse was awake to take them is known only once the next one comes.
    [[nodiscard]] bool awaitingConfirmation() const { return unconfirmedThroughReceiver_; }

private:
    const MousePresence& presence_;
    bool undelivered_ = false;
    bool unconfirmedThroughReceiver_ = false;
};

}  // namespace orvane
