// Report descriptors come from whatever device is plugged in.
#include <cstddef>
#include <cstdint>

#include "device/hid/InterfaceRole.h"
#include "device/hid/ReportDescriptor.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto parsed = orvane::hid::ReportDescriptor::parse({data, size});
    if (!parsed) return 0;
    for (const auto& c : parsed->collections())
        (void)orvane::hid::classifyInterface(c.inputReportLength, c.featureReportLength);
    return 0;
}
