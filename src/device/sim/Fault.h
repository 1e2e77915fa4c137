#pragma once
// Failures the virtual mouse can be told to show, per device.
namespace orvane::sim {

enum class Fault {
    OpenFeatureFails,  // opening the feature interface fails (EACCES, as without a udev rule)
    OpenInputFails,    // opening the input interface fails (EACCES)
    SetFails,          // a feature write fails (EPIPE, the device stalled the request)
    WriteFails,        // a write command fails (EPIPE); read requests and their replies still work
    GetFails,          // a feature read fails (EPIPE)
    EmptyReply,        // a feature read succeeds with payload length 0
    WrongReply,        // a feature read answers for another command
    Stall,             // the next feature transfer hangs and fails after the kernel's timeout (ETIMEDOUT)
    ReaderFails,       // the next (or the pending) input read fails (EIO)
    // A read waiting when the device is removed does not end by itself: only an interrupt ends
    // it (the reader's thread had not come back from its last report when the device went).
    ReaderMissesRemoval,
};

inline constexpr int kFaultAlways = -1;

}  // namespace orvane::sim
