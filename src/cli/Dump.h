#pragma once
// The records the file readers produce, as JSON, for "dump" and "profile show".
#include <string>

#include "cli/JsonWriter.h"
#include "device/DpiTables.h"
#include "profile/LanguageTable.h"
#include "profile/MacroLibrary.h"
#include "profile/Profile.h"
#include "profile/Settings.h"

namespace orvane::cli {

// DPI values are added when tables for the profile's sensor are given.
// levels: how many DPI levels to list; a file holds eight, the mouse has the first four.
void writeProfile(JsonWriter& json, const Profile& profile, const DpiTables* tables, int levels = kDpiLevelCount);
void writeSettings(JsonWriter& json, const Settings& settings);
void writeLibrary(JsonWriter& json, const MacroLibrary& library);
void writeLanguage(JsonWriter& json, const LanguageTable& language);

// A readable summary of a profile for the terminal.
std::string profileText(const Profile& profile, const DpiTables& tables);

}  // namespace orvane::cli
