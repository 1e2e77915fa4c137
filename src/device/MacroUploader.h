#pragma once
// Gives each macro that the current profile's buttons name a device slot, and uploads the
// macros whose encoded form differs from what the slot was last given.
#include <array>
#include <vector>

#include "device/FrameIo.h"
#include "device/MacroButtonName.h"
#include "device/MacroEncoder.h"
#include "device/PassReport.h"
#include "profile/LanguageTable.h"
#include "profile/MacroLibrary.h"
#include "profile/Profile.h"

namespace orvane {

inline constexpr int kDisabledNameEntry = 34;
inline constexpr int kMacroImageCount = 11;

// Where the uploader's frames go: the link's pass, which sends them later, paced, records what
// became of each, and calls chunkLost() for a chunk that did not reach the mouse.
class FrameChannel {
public:
    virtual ~FrameChannel() = default;
    // what names the chunk: the device slot, the chunk's index and the chunk count.
    virtual void send(const Frame& frame, const FrameReport& what) = 0;
    virtual void pause(int ms) = 0;
};

class MacroUploader {
public:
    // Slots in button order; a button whose macro is not in the first set is disabled, and
    // returned (also kept as lastDisabled()) so that the user can be told.
    std::vector<DisabledMacroButton> assignSlots(Profile& profile, const MacroLibrary& library,
                                                 const LanguageTable& language);
    // The buttons the last assignSlots disabled.
    [[nodiscard]] const std::vector<DisabledMacroButton>& lastDisabled() const { return disabled_; }

    struct Outcome {
        bool uploaded = false;  // at least one macro was (or, with no device, would be) sent
        // Slotted macros that could only reach the mouse cut short or wrapped round: neither
        // sent nor recorded as held.
        std::vector<RefusedMacro> refused;
    };
    // With channel null nothing is sent: the encoded macros are only recorded as held. A macro
    // beyond the mouse's limits is refused whole.
    Outcome upload(const MacroLibrary& library, FrameChannel* channel);
    // A chunk of the last upload missed the mouse (an open device lost it, or it was never
    // sent): the slot gets back the image it had before, so the next pass sends the macro again.
    void chunkLost(int deviceSlot);
    // Whether a chunk of the last upload was lost, as far as the results have come back.
    [[nodiscard]] bool chunksLost() const { return lost_; }

    void clearImages();
    [[nodiscard]] const std::vector<int>& slotTable() const { return slots_; }
    [[nodiscard]] const MacroImage& image(int deviceSlot) const { return images_[size_t(deviceSlot)]; }

private:
    std::vector<int> slots_;
    std::vector<DisabledMacroButton> disabled_;
    std::array<MacroImage, kMacroImageCount> images_{};
    std::array<MacroImage, kMacroImageCount> before_{};  // each slot's image before the last upload
    bool lost_ = false;
};

// True when any button of the profile plays a macro.
bool profileHasMacro(const Profile& profile);

}  // namespace orvane
