#include "device/MousePresence.h"

namespace orvane {

void MousePresence::statusSaid(bool mouseOnline) {
    mouseOnline_ = mouseOnline;
    if (!active_ && mouseOnline_) {
        autoShown_ = true;
        active_ = true;
        host_.showWindow();
    } else if (active_ && !mouseOnline_ && autoShown_) {
        autoShown_ = false;
        host_.hideWindow();
    }
}

void MousePresence::showOrPoll(const std::function<void()>& requestStatus) {
    if (active_ && mouseOnline_)
        host_.showWindow();
    else
        requestStatus();
}

}  // namespace orvane
