#pragma once
// Ends the program through its normal exit path on SIGTERM (logout, systemd, kill), SIGINT
// (Ctrl+C) and SIGHUP (a closed terminal), so a pending save is still written. The signals are
// blocked in every thread and read from a signalfd by a small thread that posts the request to
// the UI thread.
#include <functional>
#include <thread>

#include "base/EventLoop.h"
#include "base/Result.h"

namespace orvane {

class TerminationSignals {
public:
    // Call before any thread is started, so that every thread inherits the blocked signals.
    static void Block();

    TerminationSignals() = default;
    ~TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    // onSignal runs on loop's thread once per signal received after Block().
    Status Watch(EventLoop& loop, std::function<void()> onSignal);

private:
    int signalFd_ = -1;
    int wakeFd_ = -1;
    std::thread reader_;
};

}  // namespace orvane
