#pragma once
// Gives each macro that the current profile's buttons name a device slot, and uploads the
// macros whose encoded form differs from what the slot was last given.
#include <array>
#include <vector>

#include "device/FrameIo.h"
#include "device/MacroEncoder.h"
#include "profile/LanguageTable.h"
#include "profile/MacroLibrary.h"
#include "profile/Profile.h"

namespace orvane {

inline constexpr int kMacroPrefixEntry = 190;
inline constexpr int kDisabledNameEntry = 34;
inline constexpr int kMacroImageCount = 11;

class MacroUploader {
public:
    // Slots in button order; a button whose macro is not in the first set is disabled.
    void assignSlots(Profile& profile, const MacroLibrary& library, const LanguageTable& language);

    struct Outcome {
        bool uploaded = false;       // at least one macro was (or, with no device, would be) sent
        bool sentSomething = false;  // a frame reached an open handle
    };
    // With io null nothing is sent: the encoded macros are only recorded as held.
    Outcome upload(const MacroLibrary& library, FrameIo* io);

    void clearImages();
    [[nodiscard]] const std::vector<int>& slotTable() const { return slots_; }
    [[nodiscard]] const MacroImage& image(int deviceSlot) const { return images_[size_t(deviceSlot)]; }

private:
    std::vector<int> slots_;
    std::array<MacroImage, kMacroImageCount> images_{};
};

// True when any button of the profile plays a macro.
bool profileHasMacro(const Profile& profile);

}  // namespace orvane
