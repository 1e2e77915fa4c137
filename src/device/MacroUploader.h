#pragma once
// Gives each macro that the current profile's buttons name a device slot, and uploads the
// macros whose encoded form differs from what the slot was last given.
#include <array>
#include <functional>
#include <memory>
#include <optional>
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

// Where the uploader's frames go: the link's pass, which sends them later, paced, and says
// what became of each one.
class FrameChannel {
public:
    // What became of a frame; none when the pass ended before it was sent.
    using Fate = std::function<void(std::optional<FrameFate>)>;
    virtual ~FrameChannel() = default;
    // what names the frame (command, slot, chunk); the channel records the outcome.
    virtual void send(const Frame& frame, const FrameReport& what, Fate fate) = 0;
    virtual void pause(int ms) = 0;
};

class MacroUploader {
public:
    // Slots in button order; a button whose macro is not in the first set is disabled.
    void assignSlots(Profile& profile, const MacroLibrary& library, const LanguageTable& language);

    struct Outcome {
        bool uploaded = false;  // at least one macro was (or, with no device, would be) sent
        // Set, as the frames come back, when a chunk handed to an open handle missed the mouse
        // or was never sent.
        std::shared_ptr<bool> lost = std::make_shared<bool>(false);
    };
    // With channel null nothing is sent: the encoded macros are only recorded as held. A macro
    // whose chunk is lost gets its previous image back, so the next pass sends it again.
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
