#pragma once
// The two USB devices through which the mouse can be reached.
#include <string_view>

namespace orvane::hid {

enum class DeviceRole { Wired, Receiver };

inline constexpr std::string_view roleName(DeviceRole role) {
    return role == DeviceRole::Wired ? "wired" : "receiver";
}

}  // namespace orvane::hid
