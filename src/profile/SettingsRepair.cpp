#include "profile/SettingsRepair.h"

#include <algorithm>
#include <array>

#include "profile/Profile.h"
#include "profile/TextNumbers.h"

namespace orvane {
namespace {

constexpr uint16_t kDefaultSensor = 0x3370;

void RepairShowList(Settings& s) {
    std::array<bool, kProfileCount> seen{};
    std::array<int, kProfileCount> list{};
    size_t n = 0;
    for (int pos = 0; pos < kProfileCount; ++pos) {
        const int p = s.GetProfileShowList(pos);
        if (p < 0 || p >= kProfileCount || seen[size_t(p)]) continue;
        seen[size_t(p)] = true;
        list[n++] = p;
    }
    for (int p = 0; p < kProfileCount; ++p) {
        if (!seen[size_t(p)]) list[n++] = p;
    }
    const int storedCount = s.GetProfileShowCount();
    int count = std::clamp(storedCount, 0, kProfileCount);
    const int storedCurrent = s.GetCurrentProfile();
    const int current = storedCurrent >= 0 && storedCurrent < kProfileCount ? storedCurrent : list[0];
    // The current profile is always a shown one: the add button resets the first hidden profile,
    // which must never be the one in use. A hidden current profile becomes the last shown one.
    const auto at = std::find(list.begin(), list.end(), current);
    if (at - list.begin() >= count) {
        std::rotate(list.begin() + count, at, at + 1);
        ++count;
    }
    for (int pos = 0; pos < kProfileCount; ++pos) {
        if (s.GetProfileShowList(pos) != list[size_t(pos)]) s.SetProfileShowList(pos, list[size_t(pos)]);
    }
    if (count != storedCount) s.SetProfileShowCount(count);
    if (current != storedCurrent) s.SetCurrentProfile(current);
}

void RepairSlotPaths(Settings& s, const std::filesystem::path& configDir) {
    std::array<std::filesystem::path, kProfileCount> stored;
    std::array<std::filesystem::path, kProfileCount> slots;
    auto fallback = [&](int i) { return Settings::DefaultSlotPath(configDir, i).lexically_normal(); };
    for (int i = 0; i < kProfileCount; ++i) {
        stored[size_t(i)] = s.GetSlotPath(i);
        const std::filesystem::path& path = stored[size_t(i)];
        slots[size_t(i)] = IsUsableSlotPath(path, configDir) ? path.lexically_normal() : fallback(i);
    }
    // Two slots on one file would overwrite each other: both go back to their own files. The
    // default files are distinct, so this ends.
    for (bool again = true; again;) {
        again = false;
        for (int i = 0; i < kProfileCount; ++i) {
            for (int j = i + 1; j < kProfileCount; ++j) {
                if (slots[size_t(i)] != slots[size_t(j)]) continue;
                for (int k : {i, j}) {
                    if (slots[size_t(k)] == fallback(k)) continue;
                    slots[size_t(k)] = fallback(k);
                    again = true;
                }
            }
        }
    }
    for (int i = 0; i < kProfileCount; ++i) {
        if (stored[size_t(i)] != slots[size_t(i)])
            s.SetValue(int(SettingKey::ProfileSlot0URL) + i, fromUtf8(slots[size_t(i)].string()));
    }
}

void RepairSensor(Settings& s) {
    if (IsKnownSensor(s.GetSensor())) return;
    if (SensorOfProfilesKnown(s)) {
        s.SetSensor(uint16_t(~s.GetPreST()));
    } else {
        s.SetSensor(kDefaultSensor);
        s.SetPreST(kUnknownSensorPreST);
    }
}

// NeedPassword says how the program was started: 1 with the session (minimised, not talking to
// the mouse until the window is shown), 0 by the user. Another value would be read as neither.
void RepairStartMode(Settings& s) {
    const int mode = ParseDecimal(s.GetValue(SettingKey::NeedPassword));
    if (mode != 0 && mode != 1) s.SetValue(SettingKey::NeedPassword, u"1");
}

}  // namespace

bool SensorOfProfilesKnown(const Settings& settings) {
    return IsKnownSensor(uint16_t(~settings.GetPreST()));
}

bool IsUsableSlotPath(const std::filesystem::path& path, const std::filesystem::path& configDir) {
    if (path.empty() || path.is_absolute() != configDir.is_absolute()) return false;
    // Lexically only: "." and ".." would let a path name a file outside while seeming inside.
    for (const auto& part : path.relative_path()) {
        if (part == "." || part == "..") return false;
    }
    // Through a child, so that a trailing separator on the folder does not count.
    const std::filesystem::path folder = (configDir / "x").lexically_normal().parent_path();
    const std::filesystem::path normal = path.lexically_normal();
    return normal.parent_path() == folder && normal.extension() == ".psf" && normal.stem() != "";
}

std::string SettingRepair::Describe() const { return key + "=" + was + ": set to " + now; }

std::vector<SettingRepair> RepairSettings(Settings& settings, const std::filesystem::path& configDir) {
    const Settings stored = settings;
    RepairStartMode(settings);
    RepairShowList(settings);
    RepairSlotPaths(settings, configDir);
    RepairSensor(settings);
    std::vector<SettingRepair> repairs;
    for (int n = 0; n < kSettingCount; ++n) {
        const Text& now = settings.GetEntry(n, 1);
        if (now == stored.GetEntry(n, 1)) continue;
        repairs.push_back({toUtf8(settings.GetEntry(n, 0)), toUtf8(stored.GetEntry(n, 1)), toUtf8(now)});
    }
    return repairs;
}

}  // namespace orvane
