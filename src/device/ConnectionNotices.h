#pragma once
// The notice two seconds after start: when the mouse cannot be reached, the user hears why. No
// device at all, a receiver whose mouse is asleep or off, or a device this user may not open
// (which has a fix of its own). Nothing is said while the cable is open.
#include "base/EventLoop.h"
#include "device/Connection.h"
#include "device/LinkHost.h"
#include "device/MousePresence.h"

namespace orvane {

class ConnectionNotices {
public:
    static constexpr int kTimer = 80;
    static constexpr int kDelayMs = 2000;
    // Language entries of the notices.
    static constexpr int kNoDevice = 155;
    static constexpr int kMouseAsleep = 156;

    ConnectionNotices(EventLoop& loop, LinkHost& host, const Connection& connection,
                      const MousePresence& presence)
        : loop_(loop), host_(host), connection_(connection), presence_(presence) {}
    ~ConnectionNotices() { loop_.killTimer(this, kTimer); }
    ConnectionNotices(const ConnectionNotices&) = delete;
    ConnectionNotices& operator=(const ConnectionNotices&) = delete;

    // The notice is given kDelayMs from now, if the mouse is unreachable then.
    void arm();

private:
    void give();

    EventLoop& loop_;
    LinkHost& host_;
    const Connection& connection_;
    const MousePresence& presence_;
};

}  // namespace orvane
