#include "device/hid/InterfaceRole.h"

namespace orvane::hid {

InterfaceRole classifyInterface(uint16_t inputReportLength, uint16_t featureReportLength) {
    if (inputReportLength == kReportLength) return InterfaceRole::Input;
    if (featureReportLength == kReportLength) return InterfaceRole::Feature;
    return InterfaceRole::Ignored;
}

}  // namespace orvane::hid
