#pragma once
// HID report descriptors of the virtual mouse's interfaces. The in-process transport reports the
// lengths below; the uhid program hands the same bytes to the kernel, so the hidraw backend's
// parser must arrive at the same lengths.
#include <cstdint>
#include <span>

namespace orvane::sim {

enum class InterfaceKind {
    BootMouse,  // a plain boot-protocol mouse: the decoy that must be ignored
    Input,      // vendor collection with input report 5 (32 data bytes)
    Feature,    // vendor collection with feature report 0x0C (32 data bytes) and a short input report
    Combined,   // input report 5 and feature report 0x0C in one collection
};

inline constexpr uint8_t kInputReportId = 0x05;
inline constexpr uint8_t kFeatureReportId = 0x0C;
inline constexpr uint8_t kAuxInputReportId = 0x0D;  // the feature interface's own input report
inline constexpr size_t kReportLength = 33;         // report ID + 32 data bytes

std::span<const uint8_t> reportDescriptor(InterfaceKind kind);

// Largest report of each kind plus one byte for the report ID, 0 when there is none.
uint16_t inputReportLength(InterfaceKind kind);
uint16_t featureReportLength(InterfaceKind kind);
bool hasInputReport5(InterfaceKind kind);
bool hasFeatureReport0C(InterfaceKind kind);

// The interfaces of one device in the order their paths number them. With combinedInput the
// input interface also carries the 33-byte feature report, which the link must not take as its
// feature interface.
std::span<const InterfaceKind> deviceInterfaces(bool combinedInput);

}  // namespace orvane::sim
