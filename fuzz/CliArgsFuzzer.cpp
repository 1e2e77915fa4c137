// Any command line for orvanectl (words split at NUL bytes): the parser takes it or refuses it
// with a message (the program exits 2 then), the program's own options are found wherever they
// stand and never after "--", and a `set` command that is taken leaves a profile that its file
// holds unchanged and that breaks none of the profile rules.
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/CliArgs.h"
#include "cli/CommandTable.h"
#include "cli/SettingChange.h"
#include "device/DpiTables.h"
#include "device/sim/SimOptions.h"
#include "profile/ProfileFile.h"
#include "profile/ProfileLimits.h"

namespace {

using namespace orvane;

const AppData& freshApp() {
    static const AppData app = [] {
        AppData a;
        a.SensorId = 0x3370;
        a.settings.ResetToDefaults("/app");
        for (int i = 0; i < kProfileCount; ++i) a.ResetProfileToDefaults(i);
        a.library.AddSet(u"Set").AddKey(u"m").InsertAction(0, 0x32000003);
        return a;
    }();
    return app;
}

void checkSetCommand(const std::vector<std::string>& words) {
    static const DpiTables tables = [] {
        DpiTables t;
        t.rebuild(0x3370);
        return t;
    }();
    auto change = cli::parseSettingChange(words, freshApp(), tables);
    if (!change) {
        if (change.error().context.empty()) std::abort();  // a usage error says what was wrong
        return;
    }
    AppData app = freshApp();
    change->apply(app);
    const Profile& p = app.Current();
    if (!FindProfileProblems(p).empty()) std::abort();
    const std::string file = FormatProfileFile(p);
    auto back = ParseProfileFile(file, Profile{});
    if (!back || FormatProfileFile(*back) != file) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> words(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            if (words.size() == 12) break;
            words.emplace_back();
        } else {
            words.back().push_back(char(data[i]));
        }
    }
    auto args = cli::parseCliArgs(words);
    if (!args) {
        if (args.error().context.empty()) std::abort();
        return 0;
    }
    // --json before "--" is the program's own, wherever it stands, unless it is --app-dir's folder.
    auto end = words.begin();
    bool jsonAsked = false;
    for (; end != words.end() && *end != "--"; ++end) {
        if (*end == "--app-dir" && end + 1 != words.end()) ++end;
        else if (*end == "--json") jsonAsked = true;
    }
    if (args->json != jsonAsked) std::abort();
    // Nothing after "--" is taken as an option: the line's last word is the command's last.
    if (end != words.end() && end + 1 != words.end()) {
        const std::string& last = args->words.empty() ? args->command : args->words.back();
        if (last != words.back()) std::abort();
    }
    if (args->simulate) (void)sim::parseSimOptions(*args->simulate);
    (void)cli::subcommandsOf(args->command);
    if (args->command == "set") checkSetCommand(args->words);
    return 0;
}
