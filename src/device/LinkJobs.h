#pragma once
// The device link's traffic, one job at a time: a synchronisation pass, a status read, a factory
// reset, a detection. A job starts when the one before it has ended, so two never interleave on
// the wire, and a detection (which reopens the devices) never runs under a transfer. A job
// waits for the mouse with timers and transfers handed off the loop's thread, and says when it
// has ended; while it runs, the loop, and with it the window, goes on.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>

namespace orvane {

class LinkJobs {
public:
    // Called once by a job when it has ended; may be called before the job returns.
    using Done = std::function<void()>;
    using Job = std::function<void(Done)>;

    // Starts the job at once when none runs, else after the ones already waiting.
    void add(Job job);
    // Starts the job as soon as the running one has ended, before the ones waiting (a job's own
    // follow-up).
    void addNext(Job job);
    [[nodiscard]] bool running() const { return running_; }
    [[nodiscard]] bool idle() const { return !running_ && waiting_.empty(); }
    // Forgets the waiting jobs and the running one: its Done no longer counts.
    void clear();

private:
    void startWaiting();
    void finished(uint64_t job);

    std::deque<Job> waiting_;
    bool running_ = false;
    bool starting_ = false;
    uint64_t current_ = 0;
    size_t followUps_ = 0;  // follow-ups the running job has added, at the front of waiting_
};

}  // namespace orvane
