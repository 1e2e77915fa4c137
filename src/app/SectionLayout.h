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

// The sections' header controls.
inline constexpr uint32_t kIdDpiHeader = 3001;
inline constexpr uint32_t kIdPollingHeader = 3004;
inline constexpr uint32_t kIdLiftOffHeader = 3011;
inline constexpr uint32_t kIdSleepHeader = 3010;
inline constexpr uint32_t kIdDebounceHeader = 3012;
inline constexpr uint32_t kIdPointerHeader = 3003;

// The control groups holding the sections' contents.
inline constexpr int kGroupDpi = 1;
inline constexpr int kGroupPointer = 3;
inline constexpr int kGroupPolling = 4;
inline constexpr int kGroupLiftOff = 5;
inline constexpr int kGroupSleep = 6;
inline constexpr int kGroupDebounce = 7;

// The headers' language entries.
inline constexpr int kTextDpiHeader = 11;
inline constexpr int kTextPollingHeader = 13;
inline constexpr int kTextPointerHeader = 14;
inline constexpr int kTextLiftOffHeader = 19;
inline constexpr int kTextSleepHeader = 265;
inline constexpr int kTextDebounceHeader = 272;

// In column order, top to bottom.
inline constexpr std::array<SectionInfo, kSectionCount> kSections = {{
    {kIdDpiHeader, kGroupDpi, 196, kTextDpiHeader},
    {kIdPollingHeader, kGroupPolling, 85, kTextPollingHeader},
    {kIdLiftOffHeader, kGroupLiftOff, 85, kTextLiftOffHeader},
    {kIdSleepHeader, kGroupSleep, 110, kTextSleepHeader},
    {kIdDebounceHeader, kGroupDebounce, 85, kTextDebounceHeader},
    {kIdPointerHeader, kGroupPointer, 110, kTextPointerHeader},
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

// The column as it stands: which sections are open, and whether the sensor has the lift-off
// section.
struct SectionColumn {
    OpenSections open{};
    bool liftOffShown = false;

    [[nodiscard]] bool IsOpen(Section s) const { return open[size_t(s)]; }
    // Top of a section's contents in design pixels.
    [[nodiscard]] int32_t ContentTop(Section s) const { return contentTop(s, open, liftOffShown); }
};

// After the user opened `opened`: of the other open sections only the topmost stays open, so at
// most two sections are open. Closing a section changes nothing else.
OpenSections afterHeaderToggled(Section toggled, OpenSections open);

}  // namespace orvane
