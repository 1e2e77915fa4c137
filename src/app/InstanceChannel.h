#pragma once
// One running instance per user session. The first instance holds an advisory lock on a file in
// $XDG_RUNTIME_DIR and listens on a Unix socket beside it; a later instance finds the lock taken,
// connects and asks the first one to show itself. The lock dies with its process, so a crashed
// instance never blocks the next start, and nothing depends on a session bus.
#include <atomic>
#include <filesystem>
#include <functional>
#include <memory>
#include <thread>

#include "base/EventLoop.h"
#include "base/Result.h"

namespace orvane {

class InstanceChannel {
public:
    enum class Role {
        First,   // we own the session; activation requests will arrive through onActivate
        Second,  // another instance runs and has been asked to show itself
        Silent,  // another instance runs but could not be reached (still starting): just end
    };

    // dir: where the lock and socket live ($XDG_RUNTIME_DIR, else a per-user folder in /tmp).
    explicit InstanceChannel(std::filesystem::path dir = defaultDir());
    ~InstanceChannel();
    InstanceChannel(const InstanceChannel&) = delete;
    InstanceChannel& operator=(const InstanceChannel&) = delete;

    // First: onActivate runs on loop's thread for every later start.
    Result<Role> claim(EventLoop& loop, std::function<void()> onActivate);

    static std::filesystem::path defaultDir();
    std::filesystem::path socketPath() const { return dir_ / "orvane.socket"; }
    std::filesystem::path lockPath() const { return dir_ / "orvane.lock"; }

private:
    Role askFirstInstance() const;
    void serve(EventLoop& loop, std::function<void()> onActivate);

    std::filesystem::path dir_;
    int lockFd_ = -1;
    int listenFd_ = -1;
    int wakeFd_ = -1;
    std::thread server_;
};

}  // namespace orvane
