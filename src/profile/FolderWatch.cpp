#include "profile/FolderWatch.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <thread>

namespace orvane {

namespace {

// Whatever a writer of another program does to a file: written and closed, renamed over (an
// atomic write), created, deleted, its mode changed.
constexpr uint32_t kChanges =
    IN_CLOSE_WRITE | IN_MOVED_TO | IN_MOVED_FROM | IN_CREATE | IN_DELETE | IN_ATTRIB | IN_DELETE_SELF | IN_MOVE_SELF;
// The end of the watch: the folder is gone or renamed, or events were dropped.
constexpr uint32_t kLost = IN_IGNORED | IN_Q_OVERFLOW | IN_DELETE_SELF | IN_MOVE_SELF | IN_UNMOUNT;

void closeFd(int& fd) {
    if (fd >= 0) ::close(fd);
    fd = -1;
}

}  // namespace

struct FolderWatch::State {
    int inotify = -1;
    int stop = -1;  // an eventfd the destructor writes to end the thread's poll
    OnChange onChange;
    std::thread thread;

    ~State() {
        closeFd(inotify);
        closeFd(stop);
    }

    void run() {
        alignas(inotify_event) std::array<char, 4096> buffer{};
        for (;;) {
            std::array<pollfd, 2> fds{pollfd{inotify, POLLIN, 0}, pollfd{stop, POLLIN, 0}};
            if (::poll(fds.data(), fds.size(), -1) < 0) {
                if (errno == EINTR) continue;
                onChange(true);
                return;
            }
            if (fds[1].revents != 0) return;
            const ssize_t n = ::read(inotify, buffer.data(), buffer.size());
            if (n < 0) {
                if (errno == EINTR || errno == EAGAIN) continue;
                onChange(true);
                return;
            }
            bool lost = false;
            for (ssize_t at = 0; at + ssize_t(sizeof(inotify_event)) <= n;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer.data() + at);
                lost = lost || (event->mask & kLost) != 0;
                at += ssize_t(sizeof(inotify_event) + event->len);
            }
            onChange(lost);
            if (lost) return;
        }
    }
};

FolderWatch::FolderWatch(std::unique_ptr<State> state) : state_(std::move(state)) {}

FolderWatch::~FolderWatch() {
    const uint64_t one = 1;
    if (::write(state_->stop, &one, sizeof one) < 0) {
        // An eventfd write fails only when its counter is full, which one write cannot make.
    }
    if (state_->thread.joinable()) state_->thread.join();
}

Result<std::unique_ptr<FolderWatch>> FolderWatch::Start(const std::filesystem::path& folder, OnChange onChange) {
    auto state = std::make_unique<State>();
    state->onChange = std::move(onChange);
    state->inotify = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    if (state->inotify < 0) return makeError(errno, "watch " + folder.string());
    if (::inotify_add_watch(state->inotify, folder.c_str(), kChanges | IN_ONLYDIR) < 0)
        return makeError(errno, "watch " + folder.string());
    state->stop = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (state->stop < 0) return makeError(errno, "watch " + folder.string());
    State* s = state.get();
    state->thread = std::thread([s] { s->run(); });
    return std::unique_ptr<FolderWatch>(new FolderWatch(std::move(state)));
}

}  // namespace orvane
