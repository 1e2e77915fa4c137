#pragma once
// The commands the virtual mouse reads from its standard input, one per line, so that a demo
// or a test can unplug it, put it to sleep or press its buttons while applications use it.
#include <string>
#include <string_view>

#include "base/Result.h"
#include "device/hid/DeviceRole.h"

namespace orvane::vmouse {

struct Command {
    enum class Kind {
        Plug,
        Unplug,
        Sleep,
        Wake,
        Battery,
        Charging,
        Dpi,
        CycleDpi,
        Polling,
        Reset,
        Status,
        Quit,
        None
    };
    Kind kind = Kind::None;
    hid::DeviceRole device = hid::DeviceRole::Wired;  // Plug, Unplug
    int value = 0;                                    // Battery, Charging, Dpi (0-based), Polling (ms)
};

// An empty line or a comment ("# ...") is Kind::None. Fails with EINVAL and a usage hint.
Result<Command> parseCommand(std::string_view line);

inline constexpr const char* kCommandHelp =
    "commands: plug|unplug wired|receiver, sleep, wake, battery 0-100, charging 0|1|2,\n"
    "          dpi 1-4, cycle-dpi, polling 1|2|4|8, reset, status, quit";

}  // namespace orvane::vmouse
