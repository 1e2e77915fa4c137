#pragma once
// One writer at a time in a configuration folder. Every program that reads the files in order
// to change them holds this lock from its read to its last write: orvanectl for a whole command,
// the window for each save or reload. It is an advisory lock on ".orvane.lock" in the folder,
// released when the holder closes it or dies, so a crash never leaves the folder locked.
#include <filesystem>

#include "base/Result.h"

namespace orvane {

class ConfigLock {
public:
    // Waits up to timeoutMs (0: not at all) for the lock. Fails with EWOULDBLOCK when another
    // program kept it that long.
    static Result<ConfigLock> Acquire(const std::filesystem::path& configDir, int timeoutMs);

    ConfigLock(ConfigLock&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    ConfigLock& operator=(ConfigLock&& other) noexcept;
    ConfigLock(const ConfigLock&) = delete;
    ConfigLock& operator=(const ConfigLock&) = delete;
    ~ConfigLock();

    static std::filesystem::path PathIn(const std::filesystem::path& configDir) {
        return configDir / ".orvane.lock";
    }

private:
    explicit ConfigLock(int fd) : fd_(fd) {}
    int fd_ = -1;
};

}  // namespace orvane
