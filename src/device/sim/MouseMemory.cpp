#include "device/sim/MouseMemory.h"

#include <bit>
#include <cstddef>

namespace orvane::sim {
namespace {

// DPI codes of the four default levels per sensor: the same values a freshly reset profile
// sends, so that a reset mouse and a reset profile agree.
std::array<uint16_t, 4> defaultDpiCodes(uint8_t sensorCode) {
    switch (sensorCode) {
        case 0x25:
            return {3, 7, 15, 31};
        case 0x27:
            return {9, 3, 7, 15};
        case 0x35:
            return {9, 3, 7, 15};
        case 0x60:
            return {3, 7, 15, 31};
        default:
            return {7, 15, 31, 63};  // 0x70 and sensors this firmware does not know
    }
}

constexpr std::array<uint8_t, 18> kDefaultDpiColours = {
    0xFF, 0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0x00, 0xFF,
    0x00, 0xFF, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0xFF, 0xFF,
};

// Colour-cycle effect with seven colours, brightness 2, speed 2.
constexpr std::array<uint8_t, 25> kDefaultLighting = {
    24,   2,    0x22, 7,    0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0xFF,
    0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0xFF, 0xFF, 0xFF,
};

}  // namespace

MouseMemory MouseMemory::factoryDefaults(uint8_t sensorCode) {
    MouseMemory m;
    m.buttons = {KeyValue{0x10, 0x01, 0x00}, KeyValue{0x10, 0x02, 0x00}, KeyValue{0x10, 0x04, 0x00},
                 KeyValue{0x10, 0x08, 0x00}, KeyValue{0x10, 0x10, 0x00}, KeyValue{0x40, 0x01, 0x00}};
    m.dpiLevel = 1;
    m.dpi[0] = 0x24;  // level 2 of 4
    m.dpi[1] = 0x0F;
    const auto codes = defaultDpiCodes(sensorCode);
    for (std::size_t j = 0; j < codes.size(); ++j) {
        m.dpi[2 + 2 * j] = m.dpi[14 + 2 * j] = static_cast<uint8_t>(codes[j] & 0xFF);
        m.dpi[3 + 2 * j] = m.dpi[15 + 2 * j] = static_cast<uint8_t>(codes[j] >> 8);
    }
    m.dpiColours = kDefaultDpiColours;
    m.pollingInterval = 2;
    m.lighting = kDefaultLighting;
    m.liftOff = {1, 0};
    m.debounce = 12;
    m.sleepTime = 3;
    m.movingLighting = 0;
    m.dataChange = kFactoryDataChange;
    return m;
}

int MouseMemory::enabledLevelCount() const {
    const int n = std::popcount(dpi[1]);
    return n > 0 ? n : 1;
}

}  // namespace orvane::sim
