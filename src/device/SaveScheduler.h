#pragma once
// The deferred save. A pass, and a rate or level the mouse reports, change what the files hold;
// they are written once things have been quiet for ten seconds, not after every change, and a
// save still pending is written at shutdown.
#include "base/EventLoop.h"
#include "device/LinkHost.h"

namespace orvane {

class SaveScheduler {
public:
    static constexpr int kTimer = 70;
    static constexpr int kDelayMs = 10000;

    SaveScheduler(EventLoop& loop, LinkHost& host) : loop_(loop), host_(host) {}
    ~SaveScheduler() { loop_.killTimer(this, kTimer); }
    SaveScheduler(const SaveScheduler&) = delete;
    SaveScheduler& operator=(const SaveScheduler&) = delete;

    // A pass ended: the save is pending and the timer starts over.
    void afterPass();
    // The mouse reported a rate or level: the timer starts over. Only a report through the
    // receiver makes the save pending, so only that one is written at shutdown too.
    void afterReport(bool pending);
    // Writes a pending save now (shutdown, the command line's end); nothing when none is.
    void writePending();
    [[nodiscard]] bool pending() const { return pending_; }

private:
    void arm();
    void onTimer();

    EventLoop& loop_;
    LinkHost& host_;
    bool pending_ = false;
};

}  // namespace orvane
