#include "device/PassReport.h"

#include <algorithm>
#include <cstring>

namespace orvane {

bool PassReport::anyFrameLost() const {
    return std::any_of(frames.begin(), frames.end(), [](const FrameReport& f) { return f.fate != FrameFate::Taken; });
}

bool PassReport::complete() const {
    return heldBack.empty() && refusedMacros.empty() && !anyFrameLost() && !counterWithheld &&
           std::all_of(files.begin(), files.end(), [](const FileReport& f) { return f.saved; });
}

std::string describeFrame(const FrameReport& f) {
    switch (f.command) {
    case Command::DataChange: return "macro change counter";
    case Command::Button: return "button " + std::to_string(f.item + 1);
    case Command::Dpi: return "DPI levels";
    case Command::DpiColours: return "DPI colours";
    case Command::Polling: return "polling rate";
    case Command::Lighting: return "lighting";
    case Command::LiftOff: return "lift-off distance";
    case Command::Debounce: return "debounce time";
    case Command::Power: return "sleep time";
    case Command::MacroData:
        return "macro slot " + std::to_string(f.item) +
               (f.chunks > 1 ? " (part " + std::to_string(f.chunk + 1) + " of " + std::to_string(f.chunks) + ")" : "");
    case Command::FactoryReset: return "factory reset";
    case Command::ReadStatus: return "status request";
    case Command::ReadDataChange: return "macro change counter request";
    }
    return "command";
}

std::string describeGroup(SyncGroup group) {
    switch (group) {
    case SyncGroup::Buttons: return "buttons";
    case SyncGroup::Performance: return "DPI, polling, lift-off, debounce and lighting";
    case SyncGroup::Power: return "sleep time";
    case SyncGroup::Pointer: return "pointer";
    }
    return "settings";
}

std::string describeFate(const FrameReport& f) {
    switch (f.fate) {
    case FrameFate::Taken: return {};
    case FrameFate::NoDevice: return describeBlock(PassBlock::NoDevice);
    case FrameFate::MouseOffline:
        return "the receiver took it but the mouse is not online (asleep, switched off or out of reach)";
    case FrameFate::Refused: break;
    }
    std::string why = "refused by";
    bool first = true;
    for (hid::DeviceRole role : {hid::DeviceRole::Wired, hid::DeviceRole::Receiver}) {
        const DeviceWrite& d = f.devices[size_t(role)];
        if (!d.attempted) continue;
        why += first ? " the " : " and the ";
        why += role == hid::DeviceRole::Wired ? "wired mouse" : "receiver";
        if (d.error) why += std::string(" (") + std::strerror(d.error) + ")";
        first = false;
    }
    return why;
}

std::string describeBlock(PassBlock block) {
    switch (block) {
    case PassBlock::None: return {};
    case PassBlock::LinkInactive:
        return "the mouse has not reported itself online (asleep, switched off or out of reach)";
    case PassBlock::NoDevice: return "neither the wired mouse nor the receiver is open";
    }
    return {};
}

}  // namespace orvane
