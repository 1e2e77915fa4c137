#include "device/hid/FrameTrace.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace orvane::hid {
namespace {

const auto kProcessStart = std::chrono::steady_clock::now();

struct Sink {
    std::mutex mutex;
    bool configured = false;
    FILE* file = nullptr;  // stderr or an owned file
    bool ownsFile = false;
    std::function<void(std::string_view)> override;

    void close() {
        if (ownsFile && file) std::fclose(file);
        file = nullptr;
        ownsFile = false;
    }
    Status open(std::string_view setting) {
        close();
        configured = true;
        if (setting.empty() || setting == "0") return {};
        if (setting == "1") {
            file = stderr;
            return {};
        }
        const std::string path(setting);
        file = std::fopen(path.c_str(), "a");
        if (!file) return makeError(errno, "open trace file " + path);
        ownsFile = true;
        return {};
    }
    // Called with the mutex held.
    void configureFromEnvironment() {
        if (configured) return;
        const char* value = std::getenv("ORVANE_TRACE");
        const Status s = open(value ? value : "");
        if (!s) std::fprintf(stderr, "orvane: %s\n", s.error().message().c_str());
    }
    ~Sink() { close(); }
};

Sink& sink() {
    static Sink s;
    return s;
}

int64_t elapsedMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 kProcessStart)
        .count();
}

}  // namespace

std::string_view FrameTrace::kindName(FrameKind kind) {
    switch (kind) {
        case FrameKind::Set:
            return "SET";
        case FrameKind::Get:
            return "GET";
        case FrameKind::In:
            return "IN";
    }
    return "?";
}

std::string FrameTrace::formatLine(int64_t ms, FrameKind kind, DeviceRole device,
                                   std::span<const uint8_t> bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string line = std::to_string(ms);
    line += ' ';
    line += kindName(kind);
    line += ' ';
    line += roleName(device);
    for (uint8_t b : bytes) {
        line += ' ';
        line += kHex[b >> 4];
        line += kHex[b & 0x0F];
    }
    return line;
}

bool FrameTrace::enabled() {
    Sink& s = sink();
    std::lock_guard lock(s.mutex);
    s.configureFromEnvironment();
    return s.override || s.file;
}

void FrameTrace::trace(FrameKind kind, DeviceRole device, std::span<const uint8_t> bytes) {
    Sink& s = sink();
    std::lock_guard lock(s.mutex);
    s.configureFromEnvironment();
    if (!s.override && !s.file) return;
    const std::string line = formatLine(elapsedMs(), kind, device, bytes);
    if (s.override) {
        s.override(line);
        return;
    }
    // One write per line, flushed, so lines of the reader threads never interleave and a crash
    // loses nothing already traced.
    std::fprintf(s.file, "%s\n", line.c_str());
    std::fflush(s.file);
}

Status FrameTrace::configure(std::string_view setting) {
    Sink& s = sink();
    std::lock_guard lock(s.mutex);
    return s.open(setting);
}

void FrameTrace::setSink(std::function<void(std::string_view line)> fn) {
    Sink& s = sink();
    std::lock_guard lock(s.mutex);
    s.override = std::move(fn);
}

}  // namespace orvane::hid
