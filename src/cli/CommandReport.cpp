#include "cli/CommandReport.h"

#include <algorithm>
#include <cstdio>

namespace orvane::cli {

namespace {

NotSentReason reasonOf(FrameFate fate) {
    switch (fate) {
    case FrameFate::MouseOffline: return NotSentReason::MouseOffline;
    case FrameFate::NoDevice: return NotSentReason::NoDevice;
    default: return NotSentReason::Refused;
    }
}

NotSentReason reasonOf(PassBlock block) {
    return block == PassBlock::NoDevice ? NotSentReason::NoDevice : NotSentReason::MouseOffline;
}

constexpr const char* kMacroGone =
    "its macro is no longer in the first set of the macro library, so the button was set to Disabled";

std::string join(const std::vector<std::string>& items) {
    std::string out;
    for (const auto& s : items) out += (out.empty() ? "" : ", ") + s;
    return out;
}

std::string commandHex(uint8_t command) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "0x%02X", command);
    return buf;
}

// Why, for the one-line message: the first reason that kept something from the mouse.
std::string whyNotSent(const NotSentItem& item) {
    switch (item.reason) {
    case NotSentReason::MouseOffline:
        return "the mouse is asleep, switched off or out of reach of the receiver";
    case NotSentReason::NoDevice: return "no mouse found: neither the wired mouse nor the receiver is plugged in";
    case NotSentReason::NoAccess: return item.detail;
    case NotSentReason::Refused: return item.detail;
    case NotSentReason::Withheld: return item.detail;
    case NotSentReason::TooLarge: return item.what + " has " + item.detail;
    }
    return item.detail;
}

}  // namespace

const char* reasonName(NotSentReason reason) {
    switch (reason) {
    case NotSentReason::Refused: return "refused";
    case NotSentReason::MouseOffline: return "mouse-offline";
    case NotSentReason::NoDevice: return "no-device";
    case NotSentReason::NoAccess: return "no-access";
    case NotSentReason::Withheld: return "withheld";
    case NotSentReason::TooLarge: return "too-large";
    }
    return "unknown";
}

std::string errorJson(int exitCode, const std::string& message) {
    JsonWriter json;
    json.beginObject();
    json.field("ok", false);
    json.field("exitCode", exitCode);
    json.field("error", message);
    json.endObject();
    return json.str();
}

void CommandReport::addPass(const PassReport& pass) {
    if (pass.kind == PassKind::FactoryReset) {
        resetAsked_ = true;
        resetDone_ = !pass.frames.empty() && pass.frames[0].fate == FrameFate::Taken;
    }
    std::vector<SyncGroup> held;
    for (SyncGroup g : pass.heldBack)
        if (groups_.empty() || std::find(groups_.begin(), groups_.end(), g) != groups_.end()) held.push_back(g);
    holdBack(held, reasonOf(pass.blocked), describeBlock(pass.blocked));
    if (pass.kind == PassKind::FactoryReset && pass.frames.empty())
        notSent_.push_back(NotSentItem{"factory reset", uint8_t(Command::FactoryReset), reasonOf(pass.blocked),
                                       describeBlock(pass.blocked)});
    for (const FrameReport& f : pass.frames) {
        const uint8_t command = uint8_t(f.command);
        if (f.fate != FrameFate::Taken) {
            notSent_.push_back(NotSentItem{describeFrame(f), command, reasonOf(f.fate), describeFate(f)});
            continue;
        }
        SentItem item{describeFrame(f), command, {}};
        for (hid::DeviceRole role : {hid::DeviceRole::Wired, hid::DeviceRole::Receiver})
            if (f.devices[size_t(role)].taken) item.devices.emplace_back(hid::roleName(role));
        sent_.push_back(std::move(item));
    }
    // Listed first: the mouse cannot take these however often the pass is repeated.
    for (const RefusedMacro& m : pass.refusedMacros)
        notSent_.insert(notSent_.begin(),
                        NotSentItem{"macro \"" + toUtf8(m.name) + "\"", uint8_t(Command::MacroData),
                                    NotSentReason::TooLarge, m.why});
    addDisabled(pass.macrosDisabled);
    if (pass.counterWithheld)
        notSent_.push_back(NotSentItem{"macro change counter", uint8_t(Command::DataChange), NotSentReason::Withheld,
                                       "left out because a macro did not reach the mouse"});
}

void CommandReport::holdBack(const std::vector<SyncGroup>& groups, NotSentReason reason, const std::string& detail) {
    if (groups.empty()) return;
    if (single_) {
        notSent_.push_back(NotSentItem{change_, std::nullopt, reason, detail});
        return;
    }
    for (SyncGroup g : groups) notSent_.push_back(NotSentItem{describeGroup(g), std::nullopt, reason, detail});
}

void CommandReport::resetNotSent(NotSentReason reason, const std::string& detail) {
    resetAsked_ = true;
    resetDone_ = false;
    notSent_.push_back(NotSentItem{"factory reset", uint8_t(Command::FactoryReset), reason, detail});
}

void CommandReport::addFile(const std::string& path, bool saved, const std::string& error) {
    // A file written twice counts with its last write.
    auto it = std::find_if(files_.begin(), files_.end(), [&](const FileItem& f) { return f.path == path; });
    if (it != files_.end()) files_.erase(it);
    files_.push_back(FileItem{path, saved, error});
}

void CommandReport::addDisabled(const std::vector<DisabledMacroButton>& buttons) {
    for (const DisabledMacroButton& b : buttons)
        if (std::find(disabled_.begin(), disabled_.end(), b) == disabled_.end()) disabled_.push_back(b);
}

void CommandReport::fail(const std::string& message) {
    if (!failure_) failure_ = message;
}

bool CommandReport::complete() const {
    return !failure_ && notSent_.empty() && (!resetAsked_ || resetDone_) &&
           std::all_of(files_.begin(), files_.end(), [](const FileItem& f) { return f.saved; });
}

std::string CommandReport::errorMessage() const {
    if (failure_) return *failure_;
    const bool anySaved = std::any_of(files_.begin(), files_.end(), [](const FileItem& f) { return f.saved; });
    if (resetAsked_ && !resetDone_) {
        const std::string why = notSent_.empty() ? std::string("no device took it") : whyNotSent(notSent_.front());
        return "the mouse was not reset: " + why + "; the profile was left as it was";
    }
    if (!notSent_.empty()) {
        std::string m = change_ + ": not sent: " + whyNotSent(notSent_.front());
        // Sending again cannot help a macro the mouse cannot hold.
        if (notSent_.front().reason == NotSentReason::TooLarge)
            return m + "; shorten it or give its button another macro";
        if (anySaved) m += "; saved: the next connection sends the whole profile again, or run 'orvanectl apply' once the mouse is reachable";
        return m;
    }
    for (const FileItem& f : files_)
        if (!f.saved) return "could not save " + f.path + ": " + f.error;
    return {};
}

std::string CommandReport::text(const std::string& configDir) const {
    auto shortPath = [&configDir](const std::string& p) {
        if (!configDir.empty() && p.rfind(configDir + "/", 0) == 0) return p.substr(configDir.size() + 1);
        return p;
    };
    std::string out = change_;
    if (resetAsked_)
        out += resetDone_ ? ": done" : ": NOT done";
    else if (!notSent_.empty())
        out += sent_.empty() ? ": NOT sent" : ": only partly sent";
    else if (!sent_.empty())
        out += ": sent";
    else if (!groups_.empty())
        out += ": nothing to send, the mouse holds it already";
    out += "\n";
    if (!sent_.empty()) {
        std::vector<std::string> whats;
        for (const auto& s : sent_) whats.push_back(s.what);
        out += "  sent: " + join(whats) + "\n";
    }
    for (const auto& n : notSent_) out += "  not sent: " + n.what + ": " + n.detail + "\n";
    for (const auto& d : disabled_)
        out += "  disabled: button " + std::to_string(d.button + 1) + " (\"" + toUtf8(d.name) + "\"): " +
               kMacroGone + "\n";
    std::vector<std::string> saved;
    for (const auto& f : files_)
        if (f.saved) saved.push_back(shortPath(f.path));
    if (!saved.empty())
        out += "  saved: " + join(saved) + (configDir.empty() ? "" : " (in " + configDir + ")") + "\n";
    for (const auto& f : files_)
        if (!f.saved) out += "  not saved: " + f.path + ": " + f.error + "\n";
    if (!note_.empty()) out += "  " + note_ + "\n";
    return out;
}

void CommandReport::writeJson(JsonWriter& json) const {
    json.beginObject();
    json.field("command", command_);
    json.field("change", change_);
    if (profile_) json.field("profile", *profile_ + 1);
    if (enabled_) json.field("enabled", *enabled_);
    json.field("ok", complete());
    if (resetAsked_) json.field("reset", resetDone_);
    json.key("sent").beginArray();
    for (const auto& s : sent_) {
        json.beginObject();
        json.field("what", s.what);
        json.field("command", commandHex(s.command));
        json.key("devices").beginArray();
        for (const auto& d : s.devices) json.value(d);
        json.endArray();
        json.endObject();
    }
    json.endArray();
    json.key("notSent").beginArray();
    for (const auto& n : notSent_) {
        json.beginObject();
        json.field("what", n.what);
        json.key("command");
        if (n.command) json.value(commandHex(*n.command)); else json.null();
        json.field("reason", reasonName(n.reason));
        json.field("detail", n.detail);
        json.endObject();
    }
    json.endArray();
    json.key("saved").beginArray();
    for (const auto& f : files_)
        if (f.saved) json.value(f.path);
    json.endArray();
    json.key("notSaved").beginArray();
    for (const auto& f : files_) {
        if (f.saved) continue;
        json.beginObject();
        json.field("file", f.path);
        json.field("error", f.error);
        json.endObject();
    }
    json.endArray();
    json.key("disabledButtons").beginArray();
    for (const auto& d : disabled_) {
        json.beginObject();
        json.field("button", d.button + 1);
        json.field("name", toUtf8(d.name));
        json.field("reason", "macro-not-in-library");
        json.field("detail", kMacroGone);
        json.endObject();
    }
    json.endArray();
    if (!note_.empty()) json.field("note", note_);
    if (!complete()) json.field("error", errorMessage());
    json.endObject();
}

}  // namespace orvane::cli
