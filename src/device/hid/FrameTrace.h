#pragma once
// Hex trace of the device traffic, switched on by the environment:
//   ORVANE_TRACE=1            one line per frame on standard error
//   ORVANE_TRACE=/path/file   the same lines appended to that file
// A line is "<ms since start> <SET|GET|IN> <wired|receiver> <bytes as upper-case hex pairs>".
// Unset, empty or "0" writes nothing. Safe to call from the reader threads.
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "base/Result.h"
#include "device/hid/DeviceRole.h"

namespace orvane::hid {

enum class FrameKind { Set, Get, In };

class FrameTrace {
public:
    FrameTrace() = delete;

    static void trace(FrameKind kind, DeviceRole device, std::span<const uint8_t> bytes);
    static bool enabled();

    // Replaces the setting read from ORVANE_TRACE; fails when the file cannot be opened, in
    // which case tracing is off.
    static Status configure(std::string_view setting);
    // Sends lines (without their line feed) to a function instead; an empty function restores
    // the configured sink.
    static void setSink(std::function<void(std::string_view line)> sink);

    static std::string formatLine(int64_t ms, FrameKind kind, DeviceRole device,
                                  std::span<const uint8_t> bytes);
    static std::string_view kindName(FrameKind kind);
};

}  // namespace orvane::hid
