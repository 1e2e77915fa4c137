#include "app/TerminationSignals.h"

#include <poll.h>
#include <signal.h>
#include <sys/eventfd.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cerrno>

namespace orvane {

namespace {

sigset_t endingSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGHUP);
    return set;
}

}  // namespace

void TerminationSignals::Block() {
    const sigset_t set = endingSignals();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

TerminationSignals::~TerminationSignals() {
    if (reader_.joinable()) {
        const uint64_t one = 1;
        (void)!::write(wakeFd_, &one, sizeof one);
        reader_.join();
    }
    if (signalFd_ >= 0) ::close(signalFd_);
    if (wakeFd_ >= 0) ::close(wakeFd_);
}

Status TerminationSignals::Watch(EventLoop& loop, std::function<void()> onSignal) {
    const sigset_t set = endingSignals();
    signalFd_ = ::signalfd(-1, &set, SFD_CLOEXEC);
    if (signalFd_ < 0) return makeError(errno, "signalfd");
    wakeFd_ = ::eventfd(0, EFD_CLOEXEC);
    if (wakeFd_ < 0) return makeError(errno, "eventfd");
    reader_ = std::thread([this, &loop, onSignal = std::move(onSignal)] {
        for (;;) {
            pollfd fds[2] = {{signalFd_, POLLIN, 0}, {wakeFd_, POLLIN, 0}};
            if (::poll(fds, 2, -1) < 0) {
                if (errno == EINTR) continue;
                return;
            }
            if (fds[1].revents) return;
            signalfd_siginfo info;
            if (::read(signalFd_, &info, sizeof info) == ssize_t(sizeof info)) loop.post(onSignal);
        }
    });
    return {};
}

}  // namespace orvane
