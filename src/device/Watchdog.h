#pragma once
// The link's watchdog. It ticks every second, which animates the battery gauge, and every 21st
// tick is due a status read (and a look for readers that ended). With nothing showing the gauge
// it sleeps until that tick, the only one the mouse needs; once the gauge is in sight again it
// ticks every second from where its countdown is by then.
#include <cstdint>
#include <functional>

#include "base/EventLoop.h"
#include "device/LinkHost.h"

namespace orvane {

class Watchdog {
public:
    static constexpr int kTimer = 110;
    static constexpr int kTickMs = 1000;

    // statusDue runs at the tick that reads the status, ticked after every tick.
    Watchdog(EventLoop& loop, const LinkHost& host, std::function<void()> statusDue,
             std::function<void()> ticked)
        : loop_(loop), host_(host), statusDue_(std::move(statusDue)), ticked_(std::move(ticked)) {}
    ~Watchdog() { loop_.killTimer(this, kTimer); }
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

    // Ticks every second from now, awake.
    void arm();
    // A pass or a reset talked to the mouse: the next status read is a full period away.
    void restartCountdown();
    // A device came or went: the status is read at the second tick from now.
    void readStatusSoon() { count_ = 19; }
    // The battery gauge is in sight again (the window painted).
    void batteryInSight();
    [[nodiscard]] bool asleep() const { return asleep_; }

private:
    void tick();
    void sleep();

    EventLoop& loop_;
    const LinkHost& host_;
    std::function<void()> statusDue_;
    std::function<void()> ticked_;
    int count_ = 0;  // ticks since the last status read; it is read at the tick after 20
    bool asleep_ = false;
    int64_t sleptAtMs_ = 0;
};

}  // namespace orvane
