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

// Where the uploader's frames go: the link sends each one and says what became of it.
class FrameChannel {
public:
    virtual ~FrameChannel() = default;
    // what names the frame (command, slot, chunk); the channel records the outcome.
    virtual FrameFate send(const Frame& frame, const FrameReport& what) = 0;
    virtual void pause(int ms) = 0;
};

class MacroUploader {
public:
    // Slots in button order; a button whose macro is not in the first set is disabled.
    void assignSlots(Profile& profile, const MacroLibrary& library, const LanguageTable& language);

    struct Outcome {
        bool uploaded = false;       // at least one macro was (or, with no device, would be) sent
        bool sentSomething = false;  // a frame reached an open handle
        bool lost = false;           // a chunk was handed to an open handle but missed the mouse
    };
    // With channel null nothing is sent: the encoded macros are only recorded as held.
    Outcome upload(const MacroLibrary& library, FrameChannel* channel);

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
