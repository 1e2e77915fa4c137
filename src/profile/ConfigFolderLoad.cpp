#include "profile/ConfigFolderLoad.h"

#include <cerrno>

#include "profile/AppData.h"
#include "profile/LanguageFile.h"
#include "profile/Storage.h"

namespace orvane {

std::vector<std::string> LoadConfigFolder(AppData& app, double displayScale) {
    std::vector<std::string> problems;
    if (const Status language = LoadLanguage(app, displayScale); !language)
        problems.push_back(language.error().message());
    if (const Status library = LoadLibraryFile(app); !library && library.error().code != ENOENT)
        problems.push_back(library.error().message() + " (the macro library starts empty)");
    for (const Error& unsaved : LoadSettingsAndProfiles(app)) problems.push_back(unsaved.message());
    for (const SettingRepair& repair : app.settingsRepairs)
        problems.push_back(app.Config("config.ini").string() + " as stored: " + repair.Describe());
    return problems;
}

}  // namespace orvane
