#include "app/SimulatorConsole.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "Commands.h"

namespace orvane {

SimulatorConsole::SimulatorConsole(EventLoop& loop, sim::SimTransport& mouse, int fd) : loop_(loop), mouse_(mouse) {
    if (::pipe2(stop_, O_CLOEXEC) != 0) {
        std::fprintf(stderr, "orvane: cannot take commands for the virtual mouse: %s\n", std::strerror(errno));
        return;
    }
    reader_ = std::thread([this, fd] { Read(fd); });
}

SimulatorConsole::~SimulatorConsole() {
    *alive_ = false;
    if (stop_[1] >= 0) {
        const char byte = 0;
        (void)!::write(stop_[1], &byte, 1);
    }
    if (reader_.joinable()) reader_.join();
    for (int f : stop_)
        if (f >= 0) ::close(f);
}

void SimulatorConsole::Read(int fd) {
    std::string pending;
    char buf[512];
    for (;;) {
        pollfd fds[2] = {{fd, POLLIN, 0}, {stop_[0], POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR) continue;
            return;
        }
        if (fds[1].revents) return;
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;  // the other end is closed: no more commands, the window goes on
        pending.append(buf, size_t(n));
        for (size_t eol; (eol = pending.find('\n')) != std::string::npos;) {
            std::string line = pending.substr(0, eol);
            pending.erase(0, eol + 1);
            loop_.post([this, alive = alive_, line = std::move(line)] {
                if (!*alive) return;
                if (const std::string problem = Apply(mouse_, line); !problem.empty())
                    std::fprintf(stderr, "orvane: virtual mouse: %s\n", problem.c_str());
            });
        }
        // A line longer than any command is not one; drop it rather than grow without end.
        if (pending.size() > 4096) pending.clear();
    }
}

std::string SimulatorConsole::Apply(sim::SimTransport& mouse, const std::string& line) {
    auto parsed = vmouse::parseCommand(line);
    if (!parsed) return parsed.error().message();
    const vmouse::Command& c = parsed.value();
    using K = vmouse::Command::Kind;
    Status done;
    switch (c.kind) {
        case K::Plug: mouse.plug(c.device); break;
        case K::Unplug: mouse.unplug(c.device); break;
        case K::Sleep: mouse.setOnline(false); break;
        case K::Wake: mouse.setOnline(true); break;
        case K::Battery: mouse.setBattery(uint8_t(c.value), mouse.condition().chargeState); break;
        case K::Charging: mouse.setBattery(mouse.condition().battery, uint8_t(c.value)); break;
        case K::Dpi: done = mouse.userSelectDpiLevel(c.value); break;
        case K::CycleDpi: done = mouse.userCycleDpiLevel(); break;
        case K::Polling: done = mouse.userSetPollingInterval(uint8_t(c.value)); break;
        case K::Reset: mouse.withModel([](sim::FirmwareModel& m) { m.factoryReset(); }); break;
        case K::Status:
        case K::Quit:
            return "'" + line + "' is for orvane-virtual-mouse only";
        case K::None: break;
    }
    return done ? std::string() : done.error().message();
}

}  // namespace orvane
