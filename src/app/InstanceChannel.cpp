#include "app/InstanceChannel.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

namespace orvane {

namespace {

constexpr char kActivate[] = "activate\n";

bool fillAddress(sockaddr_un& addr, const std::filesystem::path& path) {
    std::memset(&addr, 0, sizeof addr);
    addr.sun_family = AF_UNIX;
    const std::string p = path.string();
    if (p.size() >= sizeof addr.sun_path) return false;
    std::memcpy(addr.sun_path, p.c_str(), p.size() + 1);
    return true;
}

}  // namespace

std::filesystem::path InstanceChannel::defaultDir() {
    if (const char* d = std::getenv("XDG_RUNTIME_DIR"); d && *d) return d;
    // Without a runtime folder a private one under /tmp, named by the user, does the same job.
    std::filesystem::path tmp = std::filesystem::path("/tmp") / ("orvane-" + std::to_string(::getuid()));
    ::mkdir(tmp.c_str(), 0700);
    return tmp;
}

InstanceChannel::InstanceChannel(std::filesystem::path dir) : dir_(std::move(dir)) {}

InstanceChannel::~InstanceChannel() {
    if (server_.joinable()) {
        const uint64_t one = 1;
        (void)!::write(wakeFd_, &one, sizeof one);
        server_.join();
    }
    if (listenFd_ >= 0) {
        ::unlink(socketPath().c_str());
        ::close(listenFd_);
    }
    if (wakeFd_ >= 0) ::close(wakeFd_);
    if (lockFd_ >= 0) ::close(lockFd_);
}

Result<InstanceChannel::Role> InstanceChannel::claim(EventLoop& loop, std::function<void()> onActivate) {
    lockFd_ = ::open(lockPath().c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lockFd_ < 0) return makeError(errno, "open " + lockPath().string());
    if (::flock(lockFd_, LOCK_EX | LOCK_NB) != 0) {
        const int e = errno;
        ::close(lockFd_);
        lockFd_ = -1;
        if (e != EWOULDBLOCK) return makeError(e, "lock " + lockPath().string());
        return askFirstInstance();
    }
    // We hold the lock: whatever socket is there belongs to an instance that has ended.
    ::unlink(socketPath().c_str());
    sockaddr_un addr;
    if (!fillAddress(addr, socketPath())) return makeError(ENAMETOOLONG, "listen on " + socketPath().string());
    listenFd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (listenFd_ < 0) return makeError(errno, "create the instance socket");
    if (::bind(listenFd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(listenFd_, 4) != 0)
        return makeError(errno, "listen on " + socketPath().string());
    wakeFd_ = ::eventfd(0, EFD_CLOEXEC);
    if (wakeFd_ < 0) return makeError(errno, "create the instance wake-up");
    server_ = std::thread([this, &loop, cb = std::move(onActivate)] { serve(loop, cb); });
    return Role::First;
}

InstanceChannel::Role InstanceChannel::askFirstInstance() const {
    sockaddr_un addr;
    if (!fillAddress(addr, socketPath())) return Role::Silent;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return Role::Silent;
    Role role = Role::Silent;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) == 0) {
        const ssize_t n = ::send(fd, kActivate, sizeof kActivate - 1, MSG_NOSIGNAL);
        if (n == ssize_t(sizeof kActivate - 1)) {
            // Wait until the first instance has taken the request, as a sent message would.
            ::shutdown(fd, SHUT_WR);
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, 2000) > 0) {
                char ack;
                (void)!::read(fd, &ack, 1);
            }
            role = Role::Second;
        }
    }
    ::close(fd);
    return role;
}

void InstanceChannel::serve(EventLoop& loop, std::function<void()> onActivate) {
    for (;;) {
        pollfd fds[2] = {{listenFd_, POLLIN, 0}, {wakeFd_, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR) continue;
            return;
        }
        if (fds[1].revents) return;
        const int client = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0) continue;
        // Read the request with a bound, so a stray client cannot hold the server.
        std::string request;
        char buf[32];
        pollfd cp{client, POLLIN, 0};
        while (request.size() < 64 && ::poll(&cp, 1, 500) > 0) {
            const ssize_t n = ::read(client, buf, sizeof buf);
            if (n <= 0) break;
            request.append(buf, size_t(n));
        }
        if (request == kActivate) {
            loop.post(onActivate);
            (void)!::send(client, "k", 1, MSG_NOSIGNAL);
        }
        ::close(client);
    }
}

}  // namespace orvane
