#pragma once
// The 33-byte feature report (report ID 0x0C) that carries every command to the mouse, and the
// rolling sequence number each built frame takes.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace orvane {

inline constexpr size_t kFrameSize = 33;
inline constexpr uint8_t kCommandReportId = 0x0C;
inline constexpr size_t kPayloadOffset = 7;
inline constexpr size_t kMaxPayload = kFrameSize - kPayloadOffset;  // 26

using Frame = std::array<uint8_t, kFrameSize>;

enum class Command : uint8_t {
    DataChange = 0x01,
    Button = 0x04,
    Dpi = 0x05,
    DpiColours = 0x06,
    Polling = 0x07,
    Lighting = 0x08,
    LiftOff = 0x09,
    Debounce = 0x0A,
    Power = 0x0B,
    MacroData = 0x0E,
    FactoryReset = 0x0F,
    ReadStatus = 0x20,
    ReadDataChange = 0x21,
};

// Frame field offsets.
inline constexpr size_t kTargetByte = 1;
inline constexpr size_t kCommandByte = 2;
inline constexpr size_t kSequenceByte = 4;
inline constexpr size_t kWriteFlagByte = 5;
inline constexpr size_t kLengthByte = 6;

// Starts at 1; every built frame takes the current value, then it advances and wraps at 255.
class SequenceNumber {
public:
    uint8_t take() { return value_++; }
    [[nodiscard]] uint8_t peek() const { return value_; }
    void reset(uint8_t value = 1) { value_ = value; }

private:
    uint8_t value_ = 1;
};

// A zeroed frame with the header filled in. The payload bytes are copied after byte 6 and
// anything that would not fit the frame is dropped; the length byte is written as given,
// because the firmware is sent some lengths that exceed what the frame can hold.
Frame makeFrame(Command command, uint8_t sequence, uint8_t writeFlag, uint8_t payloadLength,
                std::span<const uint8_t> payload = {});

// A read request: write flag 0, length 0.
Frame makeReadRequest(Command command, uint8_t sequence);

}  // namespace orvane
