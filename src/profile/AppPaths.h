#pragma once
// Where the application's files live: config/ and skins/ beside the executable, unless
// ORVANE_APP_DIR names another folder (tests, installs, several setups side by side).
#include <filesystem>

namespace orvane {

std::filesystem::path ApplicationFolder();

}  // namespace orvane
