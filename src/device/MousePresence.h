#pragma once
// Whether the mouse answers, whether the link may talk to it, and when the window shows itself
// for it. Without NeedPassword the link is active from the start. With it, the link stays
// inactive (no pass goes out) until a status finds the mouse online: that brings the window up
// and makes the link active. A window that showed itself so hides again when a status finds
// the mouse gone.
#include <functional>

#include "device/LinkHost.h"

namespace orvane {

class MousePresence {
public:
    explicit MousePresence(LinkHost& host) : host_(host) {}

    void start(bool needPassword) {
        mouseOnline_ = false;
        active_ = !needPassword;
    }
    // A status that carried the mouse's signature said whether the mouse is online.
    void statusSaid(bool mouseOnline);
    // The last device went: nothing answers for the mouse any more, and then the link rests.
    void mouseGone() { mouseOnline_ = false; }
    void deactivate() { active_ = false; }
    // Tray click, tray menu entry and a second start: show when online, else ask the mouse.
    void showOrPoll(const std::function<void()>& requestStatus);
    [[nodiscard]] bool mouseOnline() const { return mouseOnline_; }
    [[nodiscard]] bool active() const { return active_; }

private:
    LinkHost& host_;
    bool mouseOnline_ = false;
    bool active_ = false;
    bool autoShown_ = false;
};

}  // namespace orvane
