#pragma once
// What sysfs tells about one hidraw node without opening it: its identity and the report
// lengths of each top-level collection.
#include <cstdint>
#include <string>
#include <vector>

#include "base/Result.h"
#include "device/hid/ReportDescriptor.h"
#include "device/hid/Transport.h"

namespace orvane::hid {

struct HidrawNode {
    std::string sysname;  // "hidraw3"
    std::string devnode;  // "/dev/hidraw3"
    uint16_t vendor = 0;
    uint16_t product = 0;
    // Empty when the descriptor could not be read or parsed; such a node offers no interface
    // our classification accepts.
    std::vector<CollectionReports> collections;
    bool numbered = false;

    // Every hidraw node, ordered by node number.
    static Result<std::vector<HidrawNode>> enumerateAll();
    static Result<HidrawNode> fromSysname(const std::string& sysname);

    // One InterfaceInfo per top-level collection (at least one, so the node stays visible).
    std::vector<InterfaceInfo> interfaces() const;
};

struct InterfacePath {
    std::string devnode;
    size_t collection = 0;
};
std::string makeInterfacePath(const std::string& devnode, size_t collection);
// Fails with EINVAL for anything that is not "/dev/hidrawN" or "/dev/hidrawN#k".
Result<InterfacePath> parseInterfacePath(const std::string& path);

}  // namespace orvane::hid
