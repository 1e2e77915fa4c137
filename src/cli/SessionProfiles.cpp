// orvanectl's file commands: profile show/export/import/select and dump.
#include <ostream>

#include "cli/Dump.h"
#include "cli/JsonWriter.h"
#include "cli/Session.h"
#include "profile/AtomicFile.h"
#include "profile/LanguageFile.h"
#include "profile/MacroLibraryFile.h"
#include "profile/ProfileFile.h"
#include "profile/SettingsFile.h"
#include "profile/Storage.h"

namespace orvane::cli {

Session::Outcome Session::profile() {
    const auto& w = args_.words;
    const std::string sub = w.empty() ? "" : w[0];
    if (sub == "show") {
        if (w.size() > 2) return Failure{kExitUsage, "profile show takes at most a profile number"};
        if (auto f = loadFiles()) return f;
        const int index = w.size() == 2 ? profileIndex(w[1]) : app_->CurrentIndex();
        if (index < 0) return Failure{kExitUsage, "profile numbers are 0-4"};
        DpiTables tables;
        tables.rebuild(app_->SensorId);
        const Profile& p = app_->profiles[size_t(index)];
        if (args_.json) {
            JsonWriter json;
            writeProfile(json, p, &tables);
            print(json.str());
        } else {
            print("profile:     " + std::to_string(index) + (index == app_->CurrentIndex() ? " (current)\n" : "\n"));
            print(profileText(p, tables));
        }
        return std::nullopt;
    }
    if (sub == "export" || sub == "import") {
        if (w.size() != 3 || profileIndex(w[1]) < 0) return Failure{kExitUsage, "profile " + sub + " takes N (0-4) and FILE"};
        if (auto f = loadFiles()) return f;
        const int index = profileIndex(w[1]);
        Profile& p = app_->profiles[size_t(index)];
        if (sub == "export") {
            if (auto st = WriteProfileFile(p, w[2]); !st) return Failure{kExitFailure, st.error().message()};
            return std::nullopt;
        }
        auto read = ReadProfileFileInto(w[2], p);
        if (!read) return Failure{kExitFailure, w[2] + ": not a profile file (" + read.error().message() + "); nothing changed"};
        p = std::move(read.value());
        // As the profile bar does: the settings and all five profile files, no synchronisation.
        host_->saveAll();
        return fileFailure();
    }
    if (sub == "select") {
        if (w.size() != 2 || profileIndex(w[1]) < 0) return Failure{kExitUsage, "profile select takes N (0-4)"};
        if (auto f = loadFiles()) return f;
        app_->currentProfile = profileIndex(w[1]);
        app_->settings.SetCurrentProfile(app_->currentProfile);
        // With a mouse online the new profile's buttons and performance settings are sent.
        if (!connect(true)) {
            link_->markDirty(SyncGroup::Buttons);
            link_->markDirty(SyncGroup::Performance);
            link_->armSync();
            if (auto f = finish()) return f;
        } else {
            if (link_) link_.reset();
            host_->writeSettings();
            return fileFailure();
        }
        return fileFailure();
    }
    return Failure{kExitUsage, "profile takes show, export, import or select"};
}

Session::Outcome Session::dump() {
    const auto& w = args_.words;
    if (w.size() != 2) return Failure{kExitUsage, "dump takes profile|settings|library|language and FILE"};
    const std::string& kind = w[0];
    const std::string& path = w[1];
    JsonWriter json;
    if (kind == "profile") {
        auto read = ReadProfileFileInto(path, Profile{});
        if (!read) return Failure{kExitFailure, path + ": " + read.error().message()};
        writeProfile(json, read.value(), nullptr);
    } else if (kind == "settings") {
        auto read = ReadSettingsFile(path, Settings{});
        if (!read) return Failure{kExitFailure, path + ": " + read.error().message()};
        writeSettings(json, read.value());
    } else if (kind == "library") {
        MacroLibrary library;
        if (auto st = ReadLibraryFile(library, path); !st) return Failure{kExitFailure, path + ": " + st.error().message()};
        writeLibrary(json, library);
    } else if (kind == "language") {
        auto bytes = ReadFileBytes(path);
        if (!bytes) return Failure{kExitFailure, bytes.error().message()};
        LanguageTable table;
        const LanguageParse parsed = ParseLanguageFile(bytes.value(), table);
        if (!parsed.status) return Failure{kExitFailure, path + ": " + parsed.status.error().message()};
        writeLanguage(json, table);
    } else {
        return Failure{kExitUsage, "dump takes profile, settings, library or language"};
    }
    print(json.str());
    return std::nullopt;
}

}  // namespace orvane::cli
