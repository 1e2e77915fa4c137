#pragma once
// Confining what config.ini holds before it is used. Values that the application uses as indices
// or paths are repaired one by one instead of costing the whole file.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "profile/Settings.h"

namespace orvane {

// PreST holds the complement of the sensor whose DPI defaults the profiles were given. When the
// settings had to be reset that sensor is not known, and PreST says so with this value (the
// complement of no sensor).
inline constexpr uint16_t kUnknownSensorPreST = 0xFFFF;

// Whether the settings know which sensor the profiles' DPI settings were made for.
bool SensorOfProfilesKnown(const Settings& settings);

// A slot path is used only when it names a ".psf" file directly inside the config folder (the
// folder as it is now: a path stored before the folder moved no longer counts).
bool IsUsableSlotPath(const std::filesystem::path& path, const std::filesystem::path& configDir);

// One entry of config.ini that could not be used as stored, and what it was set to.
struct SettingRepair {
    std::string key;
    std::string was;
    std::string now;
    [[nodiscard]] std::string Describe() const;  // "ProfileShowCount=9: set to 5"
};

// Repairs in place and returns each entry it changed, in file order:
//  - NeedPassword other than 0 or 1 becomes 1 (its default);
//  - the show list: entries outside 0-4 and repeated ones are dropped, missing profiles appended;
//  - ProfileShowCount confined to 0-5, CurrentProfile outside 0-4 becomes the first shown profile,
//    and a current profile that is not shown is shown after the others;
//  - a slot path that is not usable, or that another slot uses too, falls back to its defaultN.psf;
//  - a Sensor that is no known sensor becomes the profiles' sensor, or the default one with the
//    profiles' sensor marked unknown.
std::vector<SettingRepair> RepairSettings(Settings& settings, const std::filesystem::path& configDir);

}  // namespace orvane
