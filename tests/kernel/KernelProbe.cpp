// Runs inside the test guest: starts orvane-virtual-mouse, then drives the hidraw backend
// against the kernel's own HID core, hidraw and uhid. Prints one line per check on the
// console, which the host parses:
//   ORVANE-KERNEL-TEST: PASS <check>
//   ORVANE-KERNEL-TEST: FAIL <check>: <why>
//   ORVANE-KERNEL-TEST: RESULT PASS|FAIL
#include <fcntl.h>
#include <fnmatch.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <future>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "device/hid/HidrawTransport.h"
#include "device/hid/InterfaceRole.h"

using namespace orvane::hid;
using orvane::Status;
using namespace std::chrono_literals;

namespace {

bool allPassed = true;

void pass(const std::string& check) {
    std::printf("ORVANE-KERNEL-TEST: PASS %s\n", check.c_str());
}
void fail(const std::string& check, const std::string& why) {
    std::printf("ORVANE-KERNEL-TEST: FAIL %s: %s\n", check.c_str(), why.c_str());
    allPassed = false;
}
void check(bool ok, const std::string& name, const std::string& why) {
    ok ? pass(name) : fail(name, why);
}

// The virtual mouse as a child process, commanded through its standard input.
class MouseProcess {
public:
    bool start(const char* program, const char* extra = nullptr) {
        int in[2], out[2];
        if (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0) return false;
        pid_ = ::fork();
        if (pid_ < 0) return false;
        if (pid_ == 0) {
            ::dup2(in[0], STDIN_FILENO);
            ::dup2(out[1], STDOUT_FILENO);
            ::execl(program, program, "--battery=57", "--mac=0x123456", extra,
                    static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(in[0]);
        ::close(out[1]);
        toChild_ = in[1];
        fromChild_ = out[0];
        return readLine(10s).rfind("ready:", 0) == 0;
    }
    // Sends a command and returns the mouse's answer.
    std::string command(const std::string& line) {
        const std::string text = line + "\n";
        if (::write(toChild_, text.data(), text.size()) != static_cast<ssize_t>(text.size()))
            return "write failed";
        return readLine(10s);
    }
    void stop() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
    ~MouseProcess() { stop(); }

private:
    std::string readLine(std::chrono::milliseconds timeout) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        for (;;) {
            const size_t nl = buffer_.find('\n');
            if (nl != std::string::npos) {
                std::string line = buffer_.substr(0, nl);
                buffer_.erase(0, nl + 1);
                return line;
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (left <= 0ms) return "timeout";
            pollfd p{fromChild_, POLLIN, 0};
            if (::poll(&p, 1, static_cast<int>(left.count())) <= 0) continue;
            char buf[256];
            const ssize_t n = ::read(fromChild_, buf, sizeof buf);
            if (n <= 0) return "eof";
            buffer_.append(buf, static_cast<size_t>(n));
        }
    }

    pid_t pid_ = -1;
    int toChild_ = -1;
    int fromChild_ = -1;
    std::string buffer_;
};

struct Found {
    std::optional<InterfaceInfo> input, feature;
};

Found find(const std::vector<InterfaceInfo>& list, uint16_t product) {
    Found f;
    for (const InterfaceInfo& i : list) {
        if (i.vendor != kVendorId || i.product != product) continue;
        const InterfaceRole role = classifyInterface(i);
        if (role == InterfaceRole::Input && !f.input) f.input = i;
        if (role == InterfaceRole::Feature && !f.feature) f.feature = i;
    }
    return f;
}

std::string describe(const std::vector<InterfaceInfo>& list) {
    std::string s;
    for (const InterfaceInfo& i : list) {
        char line[160];
        std::snprintf(line, sizeof line, "[%s %04X:%04X in %u feature %u] ", i.path.c_str(), i.vendor,
                      i.product, i.inputReportLength, i.featureReportLength);
        s += line;
    }
    return s;
}

// Waits until both devices show both interfaces (the kernel adds uhid devices asynchronously).
std::vector<InterfaceInfo> waitForDevices(HidrawTransport& transport, bool wantWired) {
    std::vector<InterfaceInfo> list;
    for (int i = 0; i < 200; ++i) {
        auto r = transport.enumerate();
        if (r) list = *r;
        const Found w = find(list, kWiredProductId), rc = find(list, kReceiverProductId);
        if ((w.input && w.feature) == wantWired && rc.input && rc.feature) break;
        std::this_thread::sleep_for(50ms);
    }
    return list;
}

// The KERNELS=="..." patterns of the shipped udev rule's hidraw lines.
std::vector<std::string> rulePatterns(const char* rulesFile) {
    std::vector<std::string> patterns;
    std::ifstream in(rulesFile);
    const std::string key = "KERNELS==\"";
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#' || line.find("SUBSYSTEM==\"hidraw\"") == std::string::npos) continue;
        const size_t at = line.find(key);
        if (at == std::string::npos) continue;
        const size_t end = line.find('"', at + key.size());
        if (end != std::string::npos) patterns.push_back(line.substr(at + key.size(), end - at - key.size()));
    }
    return patterns;
}

// Whether the rule gives the seat's user a node: the parent HID device's kernel name (what
// KERNELS matches on the way up) against the rule's patterns.
bool ruleCovers(const std::vector<std::string>& patterns, const std::string& node, std::string& parent) {
    std::error_code ec;
    parent = std::filesystem::canonical("/sys/class/hidraw/" + node + "/device", ec).filename().string();
    if (ec) return false;
    for (const std::string& p : patterns) {
        if (::fnmatch(p.c_str(), parent.c_str(), 0) == 0) return true;
    }
    return false;
}

std::string nodeOf(const std::string& path) {
    return path.substr(0, path.find('#'));
}

struct Events {
    std::mutex lock;
    std::condition_variable changed;
    std::vector<HotplugEvent> seen;
    bool waitFor(HotplugAction action, const std::string& path) {
        std::unique_lock<std::mutex> hold(lock);
        return changed.wait_for(hold, 10s, [&] {
            for (const auto& e : seen)
                if (e.action == action && e.path == path) return true;
            return false;
        });
    }
};

std::array<uint8_t, 33> frame(uint8_t command, uint8_t seq, std::vector<uint8_t> payload = {},
                              uint8_t write = 0) {
    std::array<uint8_t, 33> f{};
    f[0] = 0x0C;
    f[1] = 1;
    f[2] = command;
    f[4] = seq;
    f[5] = write;
    f[6] = static_cast<uint8_t>(payload.size());
    std::copy(payload.begin(), payload.end(), f.begin() + 7);
    return f;
}

void featureChecks(Device& feature) {
    auto request = frame(0x20, 1);
    Status sent = feature.setFeature(request);
    std::array<uint8_t, 33> reply{};
    reply.fill(0xFF);
    reply[0] = 0x0C;
    auto got = sent ? feature.getFeature(reply) : orvane::Result<size_t>(sent.error());
    check(got.ok() && *got == 33 && reply[2] == 0x20 && std::memcmp(&reply[7], "V7Q3", 4) == 0 &&
              reply[15] == 57 && reply[17] == 0x56 && reply[18] == 0x34 && reply[19] == 0x12,
          "status read through feature reports", got.ok() ? "unexpected reply" : got.error().message());

    // A write that changes the mouse's memory, then the read that shows it.
    Status written = feature.setFeature(frame(0x01, 2, {0xCD, 0xAB}, 1));
    Status asked = written ? feature.setFeature(frame(0x21, 3)) : written;
    reply.fill(0xFF);
    reply[0] = 0x0C;
    auto counter = asked ? feature.getFeature(reply) : orvane::Result<size_t>(asked.error());
    check(counter.ok() && reply[7] == 0xCD && reply[8] == 0xAB, "feature set/get round trip",
          counter.ok() ? "counter not stored" : counter.error().message());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: orvane-kernel-probe /path/to/orvane-virtual-mouse [udev-rules-file]\n");
        return 2;
    }
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const auto started = std::chrono::steady_clock::now();
    std::printf("ORVANE-KERNEL-TEST: INFO udevd %s\n",
                ::access("/run/udev/control", F_OK) == 0 ? "running" : "absent");

    HidrawTransport transport;
    Events events;
    Status watching = transport.watch([&](const HotplugEvent& e) {
        std::lock_guard<std::mutex> hold(events.lock);
        events.seen.push_back(e);
        events.changed.notify_all();
    });
    check(watching.ok(), "monitor started", watching.ok() ? "" : watching.error().message());

    MouseProcess mouse;
    if (!mouse.start(argv[1])) {
        fail("virtual mouse started", "no ready line");
        std::printf("ORVANE-KERNEL-TEST: RESULT FAIL\n");
        return 1;
    }
    pass("virtual mouse started");

    auto list = waitForDevices(transport, true);
    const Found wired = find(list, kWiredProductId), receiver = find(list, kReceiverProductId);
    const bool lengthsOk = wired.input && wired.feature && receiver.input && receiver.feature &&
                           wired.input->inputReportLength == 33 && wired.feature->featureReportLength == 33 &&
                           wired.feature->inputReportLength != 33 &&
                           receiver.input->inputReportLength == 33 &&
                           receiver.feature->featureReportLength == 33;
    check(lengthsOk, "both devices enumerate with 33-byte input and feature interfaces", describe(list));
    if (!lengthsOk) {
        std::printf("ORVANE-KERNEL-TEST: RESULT FAIL\n");
        return 1;
    }
    std::printf("ORVANE-KERNEL-TEST: INFO %s\n", describe(list).c_str());
    if (argc == 3) {
        const auto patterns = rulePatterns(argv[2]);
        std::string missed;
        for (const auto* i : {&wired.input, &wired.feature, &receiver.input, &receiver.feature}) {
            const std::string node = std::filesystem::path(nodeOf((*i)->path)).filename().string();
            std::string parent;
            if (!ruleCovers(patterns, node, parent)) missed += " " + node + " (" + parent + ")";
        }
        check(!patterns.empty() && missed.empty(), "the udev rule gives every mouse node to the seat's user",
              patterns.empty() ? "no KERNELS patterns in the rule" : "not matched:" + missed);
    }
    check(events.waitFor(HotplugAction::Added, nodeOf(wired.input->path)),
          "monitor saw the wired mouse arrive", "no add event for " + nodeOf(wired.input->path));

    {
        auto feature = transport.open(wired.feature->path);
        if (feature) {
            featureChecks(**feature);
        } else {
            fail("open feature interface", feature.error().message());
        }

        auto input = transport.open(wired.input->path);
        if (!input) {
            fail("open input interface", input.error().message());
        } else {
            Device& reader = **input;
            auto readOne = [&] {
                return std::async(std::launch::async, [&] {
                    std::array<uint8_t, 33> report{};
                    auto n = reader.readInput(report);
                    return std::make_pair(n.ok() ? static_cast<int>(*n) : -n.error().code, report);
                });
            };
            auto pending = readOne();
            std::this_thread::sleep_for(100ms);
            const std::string answer = mouse.command("dpi 3");
            const bool arrived = pending.wait_for(5s) == std::future_status::ready;
            auto [n, report] = arrived ? pending.get() : std::make_pair(0, std::array<uint8_t, 33>{});
            check(arrived && n == 33 && report[0] == 5 && report[1] == 6 && report[4] == 3,
                  "input report reaches a blocked reader",
                  "mouse said '" + answer + "', read " + std::to_string(n));
            if (!arrived) reader.interruptRead();  // the remaining checks fail rather than hang

            auto blocked = readOne();
            std::this_thread::sleep_for(200ms);
            const auto unplugAt = std::chrono::steady_clock::now();
            mouse.command("unplug wired");
            const bool woke = blocked.wait_for(5s) == std::future_status::ready;
            const int result = woke ? blocked.get().first : 0;
            check(woke && result == -ENODEV, "unplug wakes the blocked reader with an error",
                  woke ? "read returned " + std::to_string(result) : "reader still blocked");
            std::printf("ORVANE-KERNEL-TEST: INFO reader woke %lld ms after unplug\n",
                        static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                                   std::chrono::steady_clock::now() - unplugAt)
                                                   .count()));
            check(events.waitFor(HotplugAction::Removed, nodeOf(wired.input->path)),
                  "monitor saw the removal", "no remove event for " + nodeOf(wired.input->path));
            if (!woke) reader.interruptRead();
        }
    }

    {
        std::lock_guard<std::mutex> hold(events.lock);
        events.seen.clear();
    }
    mouse.command("plug wired");
    auto again = waitForDevices(transport, true);
    const Found replugged = find(again, kWiredProductId);
    check(replugged.input && events.waitFor(HotplugAction::Added, nodeOf(replugged.input->path)),
          "re-plug is seen by the monitor", describe(again));

    auto receiverInput = transport.open(receiver.input->path);
    if (receiverInput) {
        Device& reader = **receiverInput;
        auto blocked = std::async(std::launch::async, [&] {
            std::array<uint8_t, 33> report{};
            auto n = reader.readInput(report);
            return n.ok() ? 0 : n.error().code;
        });
        std::this_thread::sleep_for(200ms);
        reader.interruptRead();
        const bool woke = blocked.wait_for(5s) == std::future_status::ready;
        check(woke && blocked.get() == ECANCELED, "interruptRead wakes a blocked reader",
              "reader still blocked");
    } else {
        fail("open receiver input interface", receiverInput.error().message());
    }

    mouse.stop();

    // Input interfaces that also declare the 33-byte feature report stay input interfaces.
    MouseProcess combined;
    if (combined.start(argv[1], "--combined-input")) {
        auto both = waitForDevices(transport, true);
        const Found w = find(both, kWiredProductId);
        check(w.input && w.feature && w.input->inputReportLength == 33 &&
                  w.input->featureReportLength == 33 && w.feature->path != w.input->path,
              "an interface with 33-byte input and feature reports counts as input only", describe(both));
        combined.stop();
    } else {
        fail("virtual mouse with combined input started", "no ready line");
    }
    check(transport.watch({}).ok(), "monitor stopped", "");
    std::printf("ORVANE-KERNEL-TEST: INFO probe took %lld ms\n",
                static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                           std::chrono::steady_clock::now() - started)
                                           .count()));
    std::printf("ORVANE-KERNEL-TEST: RESULT %s\n", allPassed ? "PASS" : "FAIL");
    return allPassed ? 0 : 1;
}
