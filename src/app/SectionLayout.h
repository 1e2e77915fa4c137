#pragma once
// The right column of the main window: six collapsible sections under their headers. Which
// sections may be open together, and where each header sits for a given set of open sections,
// in design pixels.
#include <array>
#include <cstddef>
#include <cstdint>

namespace orvane {

enum class Section : int { Dpi = 0, Polling, LiftOff, Sleep, Debounce, Pointer };
inline constexpr int kSectionCount = 6;

struct SectionInfo {
    uint32_t headerId;
    int group;        // control group holding the section's contents
    int panelHeight;  // design pixels below the header
    int textEntry;    // language entry of the header
};

// In column order, top to bottom.
inline constexpr std::array<SectionInfo, kSectionCount> kSections = {{
    {3001, 1, 196, 11},
    {3004, 4, 85, 13},
    {3011, 5, 85, 19},
    {3010, 6, 110, 265},
    {3012, 7, 85, 272},
    {3003, 3, 110, 14},
}};

inline constexpr int32_t kColumnLeft = 846;
inline constexpr int32_t kColumnWidth = 262;
inline constexpr int32_t kHeaderHeight = 25;

const SectionInfo& sectionInfo(Section s);
// The section whose header has this Id, or -1.
int sectionForHeader(uint32_t headerId);

using OpenSections = std::array<bool, kSectionCount>;

// Top of a header in design pixels. liftOffShown: the sensor has the lift-off page.
int32_t headerTop(Section s, const OpenSections& open, bool liftOffShown);
inline int32_t contentTop(Section s, const OpenSections& open, bool liftOffShown) {
    return headerTop(s, open, liftOffShown) + kHeaderHeight;
}

// After the user opened `opened`: of the other open sections only the topmost stays open, so at
// most two sections are open. Closing a section changes nothing else.
OpenSections afterHeaderToggled(Section toggled, OpenSections open);

}  // namespace orvane
