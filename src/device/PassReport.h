#pragma once
// What one synchronisation pass or factory reset did: each write frame with what became of it,
// the changes held back and why, and the files the link asked to be written. The link builds it
// while it works and hands the finished value to its host, so a front end can say exactly what
// reached the mouse without looking at the link's state afterwards.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "base/Text.h"
#include "device/CommandFrame.h"
#include "device/MacroButtonName.h"
#include "device/hid/DeviceRole.h"

namespace orvane {

enum class SyncGroup { Buttons, Performance, Power, Pointer };

// One device's part in one write.
struct DeviceWrite {
    bool attempted = false;  // the device was open and the frame was handed to it
    bool taken = false;      // the write call succeeded
    int error = 0;           // errno of a failed write
};

// What became of one write frame, as far as the host can know: the mouse never acknowledges.
enum class FrameFate {
    Taken,         // the wired mouse took it, or the receiver took it while the mouse was online
    Refused,       // every open device failed the write
    MouseOffline,  // only the receiver took it, and the mouse behind it was not online
    NoDevice,      // no device was open
};

struct FrameReport {
    Command command = Command::Button;
    int item = -1;  // the button (0-5) of 0x04, the device slot of 0x0E; otherwise -1
    int chunk = 0;  // 0x0E: chunk index and count
    int chunks = 0;
    std::array<DeviceWrite, 2> devices{};  // by hid::DeviceRole
    FrameFate fate = FrameFate::Taken;
};

// A macro a button plays that was not put on the mouse because it exceeds what the mouse holds.
struct RefusedMacro {
    Text name;
    int deviceSlot = 0;
    std::string why;  // "200 commands; the mouse takes at most 168"
};

enum class FileKind { Settings, Profile };

struct FileReport {
    FileKind kind = FileKind::Settings;
    int profile = -1;  // 0-4 for a profile file
    bool saved = false;
};

// Why a pass sent nothing at all.
enum class PassBlock {
    None,
    LinkInactive,  // the mouse has not reported itself online since the start
    NoDevice,      // no feature handle is open
};

enum class PassKind { Sync, FactoryReset };

struct PassReport {
    PassKind kind = PassKind::Sync;
    PassBlock blocked = PassBlock::None;
    std::vector<SyncGroup> heldBack;  // dirty groups that the block kept from being sent
    std::vector<FrameReport> frames;
    std::vector<FileReport> files;
    // The DataChange frame was left out because a macro chunk did not reach the mouse.
    bool counterWithheld = false;
    std::vector<RefusedMacro> refusedMacros;
    // Macro buttons the pass turned into disabled buttons because their macro is no longer in
    // the library. The mouse gets (and the profile holds) the disabled button; the user should
    // be told, since nothing they did asked for it.
    std::vector<DisabledMacroButton> macrosDisabled;

    // Every frame reached the mouse, nothing was held back or refused and every file was written.
    [[nodiscard]] bool complete() const;
    [[nodiscard]] bool anyFrameLost() const;
};

// "polling rate", "button 3", "macro slot 1 (chunk 2 of 3)": what a frame carried, for people.
std::string describeFrame(const FrameReport& frame);
std::string describeGroup(SyncGroup group);
// Why a frame did not reach the mouse; empty for a taken frame.
std::string describeFate(const FrameReport& frame);
std::string describeBlock(PassBlock block);

}  // namespace orvane
