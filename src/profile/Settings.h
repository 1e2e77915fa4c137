#pragma once
// The 17 key/value texts kept in config/config.ini. Keys are stored, not fixed: the reader
// takes them from the file and the writer writes them back as read. Entries after those 17 are
// the keys of later additions (and of later versions): kept by name, in file order.
#include <array>
#include <cstdint>
#include <filesystem>
#include <string_view>
#include <utility>
#include <vector>

#include "base/Text.h"

namespace orvane {

enum class SettingKey : int {
    NeedPassword = 0,  // 1: start minimised and count as not shown
    Sensor,            // "0x%4X" SensorId last seen
    PreST,             // complement of the SensorId the DPI defaults were applied for
    Mac_ID,            // mouse whose settings were last written in full
    DataChange,        // change counter shared with the mouse
    CurrentProfile,
    ProfileShowCount,
    ProfileShowList0,
    ProfileShowList1,
    ProfileShowList2,
    ProfileShowList3,
    ProfileShowList4,
    ProfileSlot0URL,
    ProfileSlot1URL,
    ProfileSlot2URL,
    ProfileSlot3URL,
    ProfileSlot4URL,
};
inline constexpr int kSettingCount = 17;
// How many entries may follow the 17; a file with more is not ours.
inline constexpr int kMaxExtraSettings = 32;

// Keys of the entries after the 17.
namespace extra_setting {
inline constexpr std::u16string_view kDpiIndicator = u"ShowDPIChanges";  // "0" off, anything else on
inline constexpr std::u16string_view kFollowPrograms = u"FollowPrograms";  // "0" off, anything else on
}

class Settings {
public:
    // Key (part 0) or value (part 1) of entry n; an empty text for n above 16.
    [[nodiscard]] const Text& GetEntry(int n, int part) const;
    [[nodiscard]] const Text& GetValue(SettingKey k) const { return values_[size_t(k)]; }
    void SetKey(int n, Text key);
    void SetValue(int n, Text value);
    void SetValue(SettingKey k, Text value) { values_[size_t(k)] = std::move(value); }

    // Every entry back to its default; the slot paths point into the config folder.
    void ResetToDefaults(const std::filesystem::path& configDir);
    static std::filesystem::path DefaultSlotPath(const std::filesystem::path& configDir, int slot);

    [[nodiscard]] uint16_t GetSensor() const;  // low 16 bits of the hex value
    void SetSensor(uint16_t sensorId);
    [[nodiscard]] uint16_t GetPreST() const;
    void SetPreST(uint16_t value);
    [[nodiscard]] int32_t GetMacId() const;  // saturating: the default "0xFFFFFFFF" reads as 0x7FFFFFFF
    void SetMacId(uint32_t value);
    // The stored Mac_ID names the mouse that holds the stored profile. A Mac_ID is 24 bits:
    // anything else names none, and the next connection sends the mouse everything.
    [[nodiscard]] bool MacIdNamesAMouse() const;
    void ForgetMouse();  // the value a new configuration starts with
    [[nodiscard]] uint16_t GetDataChange() const;
    void SetDataChange(uint16_t value);
    [[nodiscard]] int GetCurrentProfile() const;
    void SetCurrentProfile(int index);
    [[nodiscard]] int GetProfileShowCount() const;
    void SetProfileShowCount(int count);
    [[nodiscard]] int GetProfileShowList(int position) const;  // -1 for a position outside 0-4
    void SetProfileShowList(int position, int profile);
    [[nodiscard]] bool GetNeedPassword() const;
    // Slot path of profile i as stored (may be empty when the file held no such entry).
    [[nodiscard]] std::filesystem::path GetSlotPath(int slot) const;

    // The entries after the 17, in file order.
    [[nodiscard]] const std::vector<std::pair<Text, Text>>& Extras() const { return extras_; }
    // The value of an entry after the 17; null when the file has none.
    [[nodiscard]] const Text* GetExtra(std::u16string_view key) const;
    // Replaces the value of the first entry with that key, or adds one at the end. False when
    // the table already holds kMaxExtraSettings other entries.
    bool SetExtra(std::u16string_view key, Text value);
    // For the reader: one more entry as the file has it (duplicates included).
    void AddExtra(Text key, Text value) { extras_.emplace_back(std::move(key), std::move(value)); }
    void ClearExtras() { extras_.clear(); }

    // CurrentProfile in 0-4, ProfileShowCount in 0-5 and a show list that is a permutation of 0-4:
    // every value that the profile bar uses as an index.
    [[nodiscard]] bool IndicesAreValid() const;

    bool operator==(const Settings&) const = default;

private:
    std::array<Text, kSettingCount> keys_;
    std::array<Text, kSettingCount> values_;
    std::vector<std::pair<Text, Text>> extras_;
};

// The tray's two choices, kept among the later entries; each is on unless its entry says "0".
// Setting one is false when the table has no room left for its entry (see SetExtra).
[[nodiscard]] bool DpiIndicatorEnabled(const Settings& settings);
bool SetDpiIndicatorEnabled(Settings& settings, bool on);
[[nodiscard]] bool FollowProgramsEnabled(const Settings& settings);
bool SetFollowProgramsEnabled(Settings& settings, bool on);

// Formats with "0x%4X": upper-case hex padded with spaces to four digits.
Text FormatHexSetting(uint32_t value);

}  // namespace orvane
