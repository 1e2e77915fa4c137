#include "app/UndeliveredChanges.h"

#include <optional>
#include <string>
#include <vector>

namespace orvane {

using namespace undelivered;

namespace {

// The first "%s" or "%d" of a language text replaced by value.
Text Fill(const Text& format, const Text& value) {
    for (size_t i = 0; i + 1 < format.size(); ++i)
        if (format[i] == u'%' && (format[i + 1] == u's' || format[i + 1] == u'd'))
            return format.substr(0, i) + value + format.substr(i + 2);
    return format;
}

Text Number(int n) { return fromUtf8(std::to_string(n)); }

int EntryOf(Command command) {
    switch (command) {
    case Command::Dpi: return kTextDpiLevels;
    case Command::DpiColours: return kTextDpiColours;
    case Command::Polling: return kTextPolling;
    case Command::Lighting: return kTextLighting;
    case Command::LiftOff: return kTextLiftOff;
    case Command::Debounce: return kTextDebounce;
    case Command::Power: return kTextSleep;
    default: return kTextMacros;
    }
}

// The group whose pass sends the command; macros go out with every pass.
std::optional<SyncGroup> GroupOf(Command command) {
    switch (command) {
    case Command::Button: return SyncGroup::Buttons;
    case Command::Power: return SyncGroup::Power;
    case Command::Dpi:
    case Command::DpiColours:
    case Command::Polling:
    case Command::Lighting:
    case Command::LiftOff:
    case Command::Debounce: return SyncGroup::Performance;
    default: return std::nullopt;
    }
}

int EntryOf(SyncGroup group) {
    switch (group) {
    case SyncGroup::Performance: return kTextPerformance;
    case SyncGroup::Power: return kTextSleep;
    default: return kTextAllButtons;
    }
}

}  // namespace

UndeliveredChanges::Item UndeliveredChanges::ItemOf(const FrameReport& frame) {
    if (frame.command == Command::Button) return {Command::Button, frame.item};
    if (frame.command == Command::DataChange) return {Command::MacroData, -1};
    if (frame.command == Command::MacroData) return {Command::MacroData, -1};
    return {frame.command, -1};
}

void UndeliveredChanges::Take(const PassReport& report, const std::set<SyncGroup>& processed) {
    if (report.kind == PassKind::FactoryReset) {
        // A reset the mouse took leaves it and the profile at the defaults: nothing is missing.
        // One it did not take changed neither.
        for (const FrameReport& f : report.frames)
            if (f.command == Command::FactoryReset && f.fate == FrameFate::Taken) frames_.clear(), held_.clear();
        return;
    }
    // An unblocked pass went through every group that was waiting; whatever of them missed the
    // mouse is among its frames.
    if (report.blocked == PassBlock::None) {
        held_.clear();
        refusedMacros_.clear();
        for (const RefusedMacro& m : report.refusedMacros) refusedMacros_.insert(m.name);
        if (processed.count(SyncGroup::Buttons)) disabledButtons_.clear();
        // What a pass sends is what differs from what the mouse holds: an item of a group it went
        // through without a frame for it is on the mouse. Macros are looked at in every pass.
        std::set<Item> sent;
        for (const FrameReport& f : report.frames) sent.insert(ItemOf(f));
        for (auto it = frames_.begin(); it != frames_.end();) {
            const auto group = GroupOf(it->first.first);
            const bool lookedAt = group ? processed.count(*group) > 0 : !report.counterWithheld;
            it = lookedAt && !sent.count(it->first) ? frames_.erase(it) : std::next(it);
        }
    }
    for (SyncGroup g : report.heldBack)
        if (g != SyncGroup::Pointer) held_.insert(g);
    // Taken frames first: a macro chunk that arrived does not hide one of the same pass that did not.
    for (const FrameReport& f : report.frames)
        if (f.fate == FrameFate::Taken) frames_.erase(ItemOf(f));
    for (const FrameReport& f : report.frames)
        if (f.fate != FrameFate::Taken) frames_[ItemOf(f)] = f.fate;
    if (report.counterWithheld) frames_.emplace(Item{Command::MacroData, -1}, FrameFate::Refused);
    for (const DisabledMacroButton& b : report.macrosDisabled) disabledButtons_.insert(b.button);
}

Text UndeliveredChanges::Describe(const LanguageTable& language) const {
    if (Empty()) return {};
    // What the user should know although nothing waits for the mouse: macros it cannot hold, and
    // buttons that lost their macro.
    Text notes;
    auto note = [&](const Text& sentence) { notes += (notes.empty() ? Text{} : Text(u" ")) + sentence; };
    for (const Text& name : refusedMacros_) note(Fill(language.LanguageText(kTextMacroTooLong), name));
    for (int b : disabledButtons_) note(Fill(language.LanguageText(kTextButtonDisabled), Number(b + 1)));
    if (frames_.empty() && held_.empty()) return notes;
    const Text waiting = DescribeWaiting(language);
    return notes.empty() ? waiting : waiting + u" " + notes;
}

Text UndeliveredChanges::DescribeWaiting(const LanguageTable& language) const {
    std::vector<Text> parts;
    bool refused = false;
    std::vector<int> buttons;
    for (const auto& [item, fate] : frames_) {
        refused |= fate == FrameFate::Refused;
        if (item.first == Command::Button) buttons.push_back(item.second + 1);
    }
    // The buttons lead, as the window lists them.
    if (buttons.size() == 1) {
        parts.push_back(Fill(language.LanguageText(kTextButton), Number(buttons.front())));
    } else if (!buttons.empty()) {
        Text numbers;
        for (int b : buttons) numbers += (numbers.empty() ? Text{} : Text(u"/")) + Number(b);
        parts.push_back(Fill(language.LanguageText(kTextButtons), numbers));
    }
    for (const auto& [item, fate] : frames_)
        if (item.first != Command::Button) parts.push_back(language.LanguageText(EntryOf(item.first)));
    for (SyncGroup g : held_) {
        // A group held back as a whole: its changes are not known one by one.
        const Text name = language.LanguageText(g == SyncGroup::Buttons ? kTextAllButtons : EntryOf(g));
        bool seen = false;
        for (const Text& p : parts) seen |= p == name;
        if (!seen) parts.push_back(name);
    }
    Text list;
    for (const Text& p : parts) list += (list.empty() ? Text{} : Text(u", ")) + p;
    return Fill(language.LanguageText(refused ? kTextRefused : kTextWaitForMouse), list);
}

}  // namespace orvane
