#include "device/Delivery.h"

namespace orvane {

FrameFate Delivery::fateOf(const SendOutcome& out) {
    // A device that was unplugged under the write refused nothing: the frame was not sent.
    if (out.attempted() == 0 || out.devicesGone()) return FrameFate::NoDevice;
    if (out.took(DeviceRole::Wired)) return FrameFate::Taken;
    // Through the receiver a write reaches the mouse only while it is online; the receiver
    // takes the frame either way. Online is what the last status said: until the next one
    // confirms it, such a frame may have met a mouse that fell asleep meanwhile.
    if (out.took(DeviceRole::Receiver)) {
        if (!presence_.mouseOnline()) return FrameFate::MouseOffline;
        unconfirmedThroughReceiver_ = true;
        return FrameFate::Taken;
    }
    return FrameFate::Refused;
}

bool Delivery::unconfirmedFramesLost(DeviceRole device) {
    if (!unconfirmedThroughReceiver_) return false;
    unconfirmedThroughReceiver_ = false;
    // Only the receiver knows whether its radio reached the mouse meanwhile.
    if (presence_.mouseOnline() && device == DeviceRole::Receiver) return false;
    // The mouse fell asleep at some point after the last status (or the cable answered, which
    // cannot tell): what went to it through the receiver alone since then may never have
    // arrived. It all goes again once the mouse is reachable.
    undelivered_ = true;
    return true;
}

bool Delivery::passEnded(const PassReport& pass) {
    if (pass.anyFrameLost() || pass.counterWithheld) {
        undelivered_ = true;
        return true;
    }
    if (pass.blocked == PassBlock::None) undelivered_ = false;
    return false;
}

}  // namespace orvane
