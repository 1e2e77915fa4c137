#pragma once
// How the virtual mouse starts: the --simulate[=OPTIONS] argument of the programs, a
// comma-separated list such as "sensor=0x3335,battery=57,charging,receiver-only".
#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "base/Result.h"
#include "device/sim/Fault.h"
#include "device/sim/FirmwareModel.h"

namespace orvane::sim {

struct SimOptions {
    MouseCondition condition;
    std::optional<uint16_t> dataChange;  // the counter stored in the mouse; factory value when unset
    bool wired = true;
    bool receiver = true;
    bool combinedInput = false;  // the input interface also declares the 33-byte feature report
    int stallMs = 5000;          // how long a stalled transfer takes to fail, as the kernel's timeout
    std::vector<std::pair<Link, Fault>> faults;  // in force for the whole run
};

// Options:
//   sensor=0x3335 (a sensor ID, or its one-byte code)   battery=0..100
//   charging | charged                                  asleep
//   mac=0x123456                                        datachange=0x1234
//   wired-only | receiver-only                          combined-input
//   fail-writes[=wired|receiver] (write commands fail; reads still answer)
// An empty text gives the defaults: both devices plugged, mouse online. Errors carry no errno,
// and their text names the item, so callers can put "--simulate: " in front.
Result<SimOptions> parseSimOptions(std::string_view text);

}  // namespace orvane::sim
