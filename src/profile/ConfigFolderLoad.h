#pragma once
// The start-up read of the config folder, the same for the window and orvanectl.
#include <string>
#include <vector>

namespace orvane {

struct AppData;

// The language (and its font), the main macro library, then the settings and the five profiles,
// each missing or damaged file replaced as Storage describes. Returns one line for each thing the
// user should hear of: a language file that could not be read (texts stay empty), a library file
// that was there but unusable (it was set aside and the library starts empty), every file that
// could not be written, and every entry of config.ini that was corrected before use. A library
// that simply is not there yet is no news.
std::vector<std::string> LoadConfigFolder(AppData& app, double displayScale);

}  // namespace orvane
