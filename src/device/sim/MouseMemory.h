#pragma once
// What the mouse keeps in its own memory, held as the bytes the commands carried.
#include <array>
#include <cstdint>
#include <map>
#include <vector>

namespace orvane::sim {

using KeyValue = std::array<uint8_t, 3>;

struct MacroSlot {
    std::vector<uint8_t> data;  // event bytes, reassembled from the chunks in arrival order
    int chunks = 0;             // chunks taken into this upload so far
    bool complete = false;      // a short final chunk has arrived
};

struct MouseMemory {
    std::array<KeyValue, 6> buttons{};
    std::array<uint8_t, 26> dpi{};  // level/count byte, on/off mask, X codes, 4 spare, Y codes, 4 spare
    std::array<uint8_t, 18> dpiColours{};
    uint8_t pollingInterval = 2;         // report interval in ms
    std::array<uint8_t, 25> lighting{};  // length, effect, brightness/speed, parameters
    std::array<uint8_t, 2> liftOff{};
    uint8_t debounce = 0;
    uint8_t sleepTime = 0;
    uint8_t movingLighting = 0;
    std::map<uint8_t, MacroSlot> macros;  // by device slot number
    uint16_t dataChange = 0;
    int dpiLevel = 0;  // 0-based, among the enabled levels

    // The mouse as it leaves the factory (and after command 0x0F) for the given sensor code.
    static MouseMemory factoryDefaults(uint8_t sensorCode);

    int enabledLevelCount() const;
};

inline constexpr uint16_t kFactoryDataChange = 0x1234;

}  // namespace orvane::sim
