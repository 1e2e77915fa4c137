#pragma once
// config/config.ini: "[Setting]" and 17 key=value lines, keys taken from the file, then up to
// kMaxExtraSettings entries added since (Settings::Extras).
#include <filesystem>
#include <string>
#include <string_view>

#include "base/Result.h"
#include "profile/Settings.h"

namespace orvane {

// Whether the file would read back: every key and value is non-empty without a line feed, and no
// key holds "=". The settings writer refuses a table that fails this.
Status CheckSettingsFit(const Settings& settings);

std::string FormatSettingsFile(const Settings& settings);

// Parses into a copy of `base`: of the 17, entries the file does not reach keep base's texts; the
// entries after them are the file's alone. A line without "=", with "=" first or last, or more
// than 17 + kMaxExtraSettings entries make the file malformed.
Result<Settings> ParseSettingsFile(std::string_view bytes, const Settings& base);

// Checks (CheckSettingsFit) and writes the table.
Status WriteSettingsFile(const Settings& settings, const std::filesystem::path& path);

// Reads without side effects; the same checks as ParseSettingsFile.
Result<Settings> ReadSettingsFile(const std::filesystem::path& path, const Settings& base);

}  // namespace orvane
