#pragma once
// HID report descriptors, reduced to what device discovery needs: for every top-level
// collection, the byte lengths of its largest input, output and feature report, counted the
// way our classification expects them (largest report plus one byte for the report ID, and
// that byte is counted even when the device does not number its reports).
#include <cstdint>
#include <span>
#include <vector>

#include "base/Result.h"

namespace orvane::hid {

struct CollectionReports {
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    uint16_t inputReportLength = 0;  // 0 when the collection has no input report
    uint16_t outputReportLength = 0;
    uint16_t featureReportLength = 0;
};

class ReportDescriptor {
public:
    // Fails with EINVAL on a malformed descriptor (truncated item, unbalanced collections or
    // Push/Pop, report ID 0, a report longer than a HID length field can state).
    static Result<ReportDescriptor> parse(std::span<const uint8_t> bytes);

    const std::vector<CollectionReports>& collections() const { return collections_; }
    // Whether the device prefixes its reports with a report ID byte on the wire.
    bool numbered() const { return numbered_; }

private:
    std::vector<CollectionReports> collections_;
    bool numbered_ = false;
};

}  // namespace orvane::hid
