#include "device/MacroUploader.h"

#include <algorithm>

#include "profile/MacroCommands.h"

namespace orvane {

namespace {

const MacroSet* firstSet(const MacroLibrary& library) { return library.FindSet(0); }

void disable(KeyAssignment& key, const LanguageTable& language) {
    key.KeyName = language.LanguageText(kDisabledNameEntry);
    key.KeyValue = {0, 0, 0};
}

}  // namespace

bool profileHasMacro(const Profile& profile) {
    return std::any_of(profile.keys.begin(), profile.keys.end(),
                       [](const KeyAssignment& k) { return k.KeyValue[0] == 0x90; });
}

std::vector<DisabledMacroButton> MacroUploader::assignSlots(Profile& profile, const MacroLibrary& library,
                                                            const LanguageTable& language) {
    const MacroSet* set = firstSet(library);
    const uint32_t n = set ? set->KeyCount() : 0;
    if (n > 0) slots_.assign(n, -1);
    disabled_.clear();
    int next = 0;
    for (int k = 0; k < kKeyCount; ++k) {
        KeyAssignment& key = profile.keys[size_t(k)];
        if (key.KeyValue[0] != 0x90) continue;
        const int j = n > 0 ? findButtonMacro(key.KeyName, *set, language) : -1;
        if (j < 0) {
            disabled_.push_back(DisabledMacroButton{k, key.KeyName});
            disable(key, language);
            continue;
        }
        if (slots_[size_t(j)] == -1) slots_[size_t(j)] = next++;
        const MacroKey& macro = *set->FindKey(uint32_t(j));
        key.KeyValue = macroKeyValue(macro.LoopType, macro.LoopNum, uint8_t(slots_[size_t(j)] + 1));
    }
    return disabled_;
}

MacroUploader::Outcome MacroUploader::upload(const MacroLibrary& library, FrameChannel* channel) {
    Outcome out;
    if (channel) lost_ = false;
    const MacroSet* set = firstSet(library);
    const uint32_t n = set ? set->KeyCount() : 0;
    if (n == 0) return out;
    for (uint32_t j = 0; j < n && j < slots_.size(); ++j) {
        if (slots_[j] == -1) continue;
        const MacroKey& macro = *set->FindKey(j);
        const uint8_t slot = uint8_t(slots_[j] + 1);
        // Past the mouse's limits the chunk positions repeat and the image ends: what arrived
        // would be another macro. The slot keeps what it held.
        if (std::string why = MacroLimitProblem(macro); !why.empty()) {
            out.refused.push_back({macro.GetName(), slot, std::move(why)});
            continue;
        }
        MacroImage& held = images_[slot < kMacroImageCount ? slot : 0];
        const MacroImage encoded = encodeMacro(macro, slot);
        const bool differs = encoded != held;
        if (channel && differs) before_[slot < kMacroImageCount ? slot : 0] = held;
        held = encoded;
        if (channel && differs) {
            const auto chunks = macroChunkFrames(encoded, encoded[3], slot);
            for (size_t c = 0; c < chunks.size(); ++c) {
                FrameReport what;
                what.command = Command::MacroData;
                what.item = slot;
                what.chunk = int(c);
                what.chunks = int(chunks.size());
                channel->send(chunks[c], what);
                channel->pause(kFramePauseMs);
            }
            out.uploaded = true;
        }
        if (channel) channel->pause(kFramePauseMs);
    }
    return out;
}

void MacroUploader::chunkLost(int deviceSlot) {
    const size_t index = deviceSlot > 0 && deviceSlot < kMacroImageCount ? size_t(deviceSlot) : 0;
    images_[index] = before_[index];
    lost_ = true;
}

void MacroUploader::clearImages() {
    for (auto& img : images_) img.fill(0);
}

}  // namespace orvane
