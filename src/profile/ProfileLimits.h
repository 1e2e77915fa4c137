#pragma once
// What the mouse accepts in a profile, in one place: the command line's "set" checks its words
// against these limits, an imported profile that breaks one is refused, and a loaded profile
// that breaks one is repaired (the file may have been edited by hand or by another program).
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "profile/LanguageTable.h"
#include "profile/Profile.h"

namespace orvane {

namespace limits {
inline constexpr int kMinSleep = 1;  // PowerDownTime, the sleep slider's steps
inline constexpr int kMaxSleep = 10;
inline constexpr int kMaxDebounce = 16;  // KeyDebounce, even milliseconds
inline constexpr int kMinLiftOff = 1;    // LiftDetectionHeight: the two lift-off options
inline constexpr int kMaxLiftOff = 2;
inline constexpr uint8_t kMaxPollingCode = 3;  // 125, 250, 500, 1000 Hz
inline constexpr int kSentDpiLevels = 4;       // the mouse gets the first four levels
inline constexpr uint8_t kSentDpiMask = 0x0F;
inline constexpr int kMinFireFirstValue = 5;  // the fire dialog's first number is above 4
}  // namespace limits

[[nodiscard]] inline bool IsValidSleep(int v) { return v >= limits::kMinSleep && v <= limits::kMaxSleep; }
[[nodiscard]] inline bool IsValidDebounce(int v) { return v >= 0 && v <= limits::kMaxDebounce && v % 2 == 0; }
[[nodiscard]] inline bool IsValidLiftOff(int v) { return v >= limits::kMinLiftOff && v <= limits::kMaxLiftOff; }

// A keyboard-page usage the mouse can send as the key of a shortcut: below the modifier usages.
// Zero (no usage) and our own mouse-action codes 0xF0 and above are not keys.
[[nodiscard]] inline bool IsKeyboardKeyUsage(uint8_t usage) { return usage != 0 && usage < 0xE0; }

// A KeyValue the mouse can carry out: one of the functions the assignment menus and dialogs
// produce. Macro buttons pass; whether their macro exists is decided when slots are assigned.
[[nodiscard]] bool IsValidButtonFunction(const std::array<uint8_t, 3>& value);
[[nodiscard]] bool IsLeftClick(const std::array<uint8_t, 3>& value);
// Some button must keep the left click, or the user is left without one.
[[nodiscard]] bool HasLeftClick(const Profile& profile);

// One value of a profile that the mouse would not take, named as the profile file names it.
struct ProfileProblem {
    std::string field;  // "KeyDebounce", "Key2Value", "DPIOffOnFlagValue", ...
    std::string value;  // as found
    std::string why;    // "must be an even number 0-16"
    [[nodiscard]] std::string Describe() const;  // "KeyDebounce=255: must be ..."
};

[[nodiscard]] std::vector<ProfileProblem> FindProfileProblems(const Profile& profile);
// All of them on one line, separated by "; ".
[[nodiscard]] std::string DescribeProblems(const std::vector<ProfileProblem>& problems);

// A repair made to profile `profile` (0-4) when it was loaded.
struct ProfileRepair {
    int profile = 0;
    ProfileProblem problem;
};

// Puts each value FindProfileProblems names back to the default of profile `index` (a button
// without the left click anywhere gives button 1 its default, the left click) and returns what
// was repaired. A profile without problems is not touched.
std::vector<ProfileProblem> RepairProfile(Profile& profile, int index, const LanguageTable& language,
                                          uint16_t sensorId);

}  // namespace orvane
