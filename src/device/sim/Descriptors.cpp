#include "device/sim/Descriptors.h"

#include <array>

namespace orvane::sim {
namespace {

// Three buttons, X, Y and wheel, no report ID: four bytes per report.
constexpr uint8_t kBootMouse[] = {
    0x05, 0x01,  // Usage Page (Generic Desktop)
    0x09, 0x02,  // Usage (Mouse)
    0xA1, 0x01,  // Collection (Application)
    0x09, 0x01,  //   Usage (Pointer)
    0xA1, 0x00,  //   Collection (Physical)
    0x05, 0x09,  //     Usage Page (Button)
    0x19, 0x01,  //     Usage Minimum (1)
    0x29, 0x03,  //     Usage Maximum (3)
    0x15, 0x00,  //     Logical Minimum (0)
    0x25, 0x01,  //     Logical Maximum (1)
    0x95, 0x03,  //     Report Count (3)
    0x75, 0x01,  //     Report Size (1)
    0x81, 0x02,  //     Input (Data, Var, Abs)
    0x95, 0x01,  //     Report Count (1)
    0x75, 0x05,  //     Report Size (5)
    0x81, 0x01,  //     Input (Const)
    0x05, 0x01,  //     Usage Page (Generic Desktop)
    0x09, 0x30,  //     Usage (X)
    0x09, 0x31,  //     Usage (Y)
    0x09, 0x38,  //     Usage (Wheel)
    0x15, 0x81,  //     Logical Minimum (-127)
    0x25, 0x7F,  //     Logical Maximum (127)
    0x75, 0x08,  //     Report Size (8)
    0x95, 0x03,  //     Report Count (3)
    0x81, 0x06,  //     Input (Data, Var, Rel)
    0xC0,        //   End Collection
    0xC0,        // End Collection
};

constexpr uint8_t kInput[] = {
    0x06, 0x00, 0xFF,  // Usage Page (Vendor 0xFF00)
    0x09, 0x01,        // Usage (1)
    0xA1, 0x01,        // Collection (Application)
    0x85, 0x05,        //   Report ID (5)
    0x09, 0x02,        //   Usage (2)
    0x15, 0x00,        //   Logical Minimum (0)
    0x26, 0xFF, 0x00,  //   Logical Maximum (255)
    0x75, 0x08,        //   Report Size (8)
    0x95, 0x20,        //   Report Count (32)
    0x81, 0x02,        //   Input (Data, Var, Abs)
    0xC0,              // End Collection
};

constexpr uint8_t kFeature[] = {
    0x06, 0x01, 0xFF,  // Usage Page (Vendor 0xFF01)
    0x09, 0x01,        // Usage (1)
    0xA1, 0x01,        // Collection (Application)
    0x15, 0x00,        //   Logical Minimum (0)
    0x26, 0xFF, 0x00,  //   Logical Maximum (255)
    0x75, 0x08,        //   Report Size (8)
    0x85, 0x0D,        //   Report ID (13)
    0x09, 0x03,        //   Usage (3)
    0x95, 0x08,        //   Report Count (8)
    0x81, 0x02,        //   Input (Data, Var, Abs)
    0x85, 0x0C,        //   Report ID (12)
    0x09, 0x04,        //   Usage (4)
    0x95, 0x20,        //   Report Count (32)
    0xB1, 0x02,        //   Feature (Data, Var, Abs)
    0xC0,              // End Collection
};

constexpr uint8_t kCombined[] = {
    0x06, 0x00, 0xFF,  // Usage Page (Vendor 0xFF00)
    0x09, 0x01,        // Usage (1)
    0xA1, 0x01,        // Collection (Application)
    0x15, 0x00,        //   Logical Minimum (0)
    0x26, 0xFF, 0x00,  //   Logical Maximum (255)
    0x75, 0x08,        //   Report Size (8)
    0x95, 0x20,        //   Report Count (32)
    0x85, 0x05,        //   Report ID (5)
    0x09, 0x02,        //   Usage (2)
    0x81, 0x02,        //   Input (Data, Var, Abs)
    0x85, 0x0C,        //   Report ID (12)
    0x09, 0x04,        //   Usage (4)
    0xB1, 0x02,        //   Feature (Data, Var, Abs)
    0xC0,              // End Collection
};

constexpr std::array<InterfaceKind, 3> kSeparate = {InterfaceKind::BootMouse, InterfaceKind::Input,
                                                    InterfaceKind::Feature};
constexpr std::array<InterfaceKind, 3> kWithCombined = {InterfaceKind::BootMouse, InterfaceKind::Combined,
                                                        InterfaceKind::Feature};

}  // namespace

std::span<const uint8_t> reportDescriptor(InterfaceKind kind) {
    switch (kind) {
        case InterfaceKind::BootMouse:
            return kBootMouse;
        case InterfaceKind::Input:
            return kInput;
        case InterfaceKind::Feature:
            return kFeature;
        case InterfaceKind::Combined:
            return kCombined;
    }
    return {};
}

uint16_t inputReportLength(InterfaceKind kind) {
    switch (kind) {
        case InterfaceKind::BootMouse:
            return 5;
        case InterfaceKind::Input:
        case InterfaceKind::Combined:
            return kReportLength;
        case InterfaceKind::Feature:
            return 9;
    }
    return 0;
}

uint16_t featureReportLength(InterfaceKind kind) {
    return hasFeatureReport0C(kind) ? kReportLength : 0;
}

bool hasInputReport5(InterfaceKind kind) {
    return kind == InterfaceKind::Input || kind == InterfaceKind::Combined;
}

bool hasFeatureReport0C(InterfaceKind kind) {
    return kind == InterfaceKind::Feature || kind == InterfaceKind::Combined;
}

std::span<const InterfaceKind> deviceInterfaces(bool combinedInput) {
    if (combinedInput) return kWithCombined;
    return kSeparate;
}

}  // namespace orvane::sim
