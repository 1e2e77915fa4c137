#include "device/CommandFrame.h"

#include <algorithm>

namespace orvane {

Frame makeFrame(Command command, uint8_t sequence, uint8_t writeFlag, uint8_t payloadLength,
                std::span<const uint8_t> payload) {
    Frame f{};
    f[0] = kCommandReportId;
    f[kTargetByte] = 1;
    f[kCommandByte] = static_cast<uint8_t>(command);
    f[kSequenceByte] = sequence;
    f[kWriteFlagByte] = writeFlag;
    f[kLengthByte] = payloadLength;
    const size_t n = std::min(payload.size(), kMaxPayload);
    std::copy_n(payload.begin(), n, f.begin() + kPayloadOffset);
    return f;
}

Frame makeReadRequest(Command command, uint8_t sequence) { return makeFrame(command, sequence, 0, 0); }

}  // namespace orvane
