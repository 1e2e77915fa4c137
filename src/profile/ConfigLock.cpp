#include "profile/ConfigLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

namespace orvane {

Result<ConfigLock> ConfigLock::Acquire(const std::filesystem::path& configDir, int timeoutMs) {
    const std::filesystem::path path = PathIn(configDir);
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0) return makeError(errno, "open " + path.string());
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return ConfigLock(fd);
        const int e = errno;
        if (e == EINTR) continue;
        if (e != EWOULDBLOCK || std::chrono::steady_clock::now() >= deadline) {
            ::close(fd);
            return makeError(e, "lock " + path.string());
        }
        // Writers hold the lock for a command at most; a short poll keeps this simple.
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

ConfigLock& ConfigLock::operator=(ConfigLock&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = other.fd_;
        other.fd_ = -1;
    }
    return *this;
}

ConfigLock::~ConfigLock() {
    if (fd_ >= 0) ::close(fd_);
}

}  // namespace orvane
