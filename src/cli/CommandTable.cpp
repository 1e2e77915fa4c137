#include "cli/CommandTable.h"

#include "cli/ButtonFunction.h"
#include "cli/SettingChange.h"
#include "profile/Languages.h"
#include "profile/Profile.h"
#include "profile/ProfileLimits.h"

namespace orvane::cli {

namespace {

std::vector<std::string> numbers(int from, int to, int step = 1) {
    std::vector<std::string> out;
    for (int n = from; n <= to; n += step) out.push_back(std::to_string(n));
    return out;
}

std::string joined(const std::vector<std::string>& words, const char* separator) {
    std::string out;
    for (const std::string& w : words) out += (out.empty() ? "" : separator) + w;
    return out;
}

ArgDef choice(const char* name, std::vector<std::string> words, bool optional = false) {
    return ArgDef{name, ArgKind::Choice, std::move(words), optional, {}};
}
ArgDef profileArg(bool optional = false) {
    return choice("N", numbers(1, kProfileCount), optional);
}
ArgDef levelArg() {
    return choice("LEVEL", numbers(1, limits::kSentDpiLevels));
}
ArgDef fileArg() {
    return ArgDef{"FILE", ArgKind::File, {}, false, {}};
}
ArgDef textArg(const char* name, const char* example, std::vector<std::string> suggestions = {}) {
    return ArgDef{name, ArgKind::Text, std::move(suggestions), false, example};
}

std::vector<CommandDef> build() {
    const ArgDef macroName{"NAME", ArgKind::Macro, {}, false, {}};
    const ArgDef macroSet{"SET", ArgKind::MacroSet, {}, true, {}};
    std::vector<CommandDef> t;
    t.push_back({{"devices"},
                 {},
                 {},
                 {{"devices", "the HID interfaces of the mouse with their roles and report lengths"}}});
    t.push_back({{"status"},
                 {},
                 {},
                 {{"status",
                   "online, sensor, battery, charging, DPI level, Mac_ID, DataChange\n"
                   "and the configuration folder in use; reads only, and writes\n"
                   "nothing to the mouse or to a file"}}});
    t.push_back(
        {{"apply"},
         {},
         {{"--profile", true, profileArg()}},
         {{"apply [--profile N]", "write profile N (default: the current one) to the mouse in full"}}});
    t.push_back({{"set", "polling"},
                 {choice("RATE", pollingRateWords())},
                 {},
                 {{"set polling " + joined(pollingRateWords(), "|"),
                   "change one setting of the current profile and send what changed"}}});
    t.push_back(
        {{"set", "dpi"},
         {levelArg(), ArgDef{"DPI", ArgKind::Dpi, {}, false, "step:1"}},
         {},
         {{"set dpi LEVEL DPI|step:N", "LEVEL 1-4; a DPI value of the sensor's table, or a step index"}}});
    t.push_back(
        {{"set", "dpi-enable"},
         {levelArg(), choice("STATE", {"on", "off"})},
         {},
         {{"set dpi-enable LEVEL on|off", "LEVEL 1-4; the only enabled level cannot be switched off"}}});
    t.push_back(
        {{"set", "dpi-colour"},
         {levelArg(), textArg("RRGGBB", "00FF80",
                              {"FF0000", "00FF00", "0000FF", "FFFF00", "00FFFF", "FF00FF", "FFFFFF"})},
         {},
         {{"set dpi-colour LEVEL RRGGBB", "indicator colour of LEVEL 1-4"}}});
    t.push_back({{"set", "debounce"},
                 {choice("MS", numbers(0, limits::kMaxDebounce, 2))},
                 {},
                 {{"set debounce MS", "0 to 16, even"}}});
    t.push_back({{"set", "sleep"},
                 {choice("N", numbers(limits::kMinSleep, limits::kMaxSleep))},
                 {},
                 {{"set sleep N", "1 to 10"}}});
    const auto liftOff = numbers(limits::kMinLiftOff, limits::kMaxLiftOff);
    t.push_back(
        {{"set", "lift-off"}, {choice("N", liftOff)}, {}, {{"set lift-off " + joined(liftOff, "|"), ""}}});
    t.push_back({{"set", "button"},
                 {choice("N", numbers(1, kKeyCount)),
                  ArgDef{"FUNCTION", ArgKind::ButtonFunction, buttonFunctionWords(), false, {}}},
                 {},
                 {{"set button N FUNCTION",
                   "N 1-6; FUNCTION is one of:\n"
                   "  left right middle back forward disable\n"
                   "  dpi-cycle dpi-up dpi-down\n"
                   "  fire (the fixed 50/3 repeat) | fire A B (A above 4)\n"
                   "  key \"Ctrl+C\" (Ctrl, Shift, Alt, Win and a key name)\n"
                   "  media-player prev next stop play-pause mute volume-up\n"
                   "  volume-down email calculator my-computer\n"
                   "  alt-f4 show-desktop run minimise maximise\n"
                   "  macro NAME (a macro of the library's first set)\n"
                   "at least one button keeps the left click"}}});
    t.push_back({{"profile", "show"},
                 {profileArg(true)},
                 {},
                 {{"profile show [N]", "the settings of profile N (default: the current one)"}}});
    t.push_back({{"profile", "export"},
                 {profileArg(), fileArg()},
                 {},
                 {{"profile export N FILE", "write profile N to a profile file"}}});
    t.push_back(
        {{"profile", "import"},
         {profileArg(), fileArg()},
         {},
         {{"profile import N FILE", "read a profile file into profile N (a bad file changes nothing)"}}});
    t.push_back({{"profile", "select"},
                 {profileArg()},
                 {},
                 {{"profile select N", "make profile N current and send it to the mouse"}}});
    t.push_back({{"profile", "programs"},
                 // add and remove are followed by the program, typed freely.
                 {profileArg(), choice("ACTION", {"list", "add", "remove"}, true)},
                 {},
                 {{"profile programs N [list | add PROGRAM | remove PROGRAM]",
                   "the programs (at most three) whose focused window makes profile N\n"
                   "current: a name or window class, any case, or a full path"}}});
    const std::vector<std::string> dumpKinds{"profile", "settings", "library", "language"};
    t.push_back({{"dump"},
                 {choice("KIND", dumpKinds), fileArg()},
                 {},
                 {{"dump " + joined(dumpKinds, "|") + " FILE", "what the reader makes of FILE, as JSON"}}});
    t.push_back({{"reset"},
                 {},
                 {{"--yes", false, {}, true}},
                 {{"reset --yes", "factory reset of the mouse and of the current profile"}}});
    t.push_back({{"macro", "list"},
                 {macroSet},
                 {},
                 {{"macro list [SET]", "the macro sets (or set SET, numbered from 1) and their macros"}}});
    t.push_back({{"macro", "show"},
                 {macroName, macroSet},
                 {},
                 {{"macro show NAME [SET]",
                   "the actions of macro NAME of SET (default: the first set,\n"
                   "whose macros the buttons use)"}}});
    t.push_back(
        {{"macro", "export"}, {fileArg()}, {}, {{"macro export FILE", "write the macro library to FILE"}}});
    t.push_back({{"macro", "import"},
                 {fileArg()},
                 {},
                 {{"macro import FILE", "make FILE the macro library (a bad file changes nothing)"}}});
    t.push_back({{"macro", "delete"},
                 {macroName, macroSet},
                 {},
                 {{"macro delete NAME [SET]", "delete macro NAME of SET (default: the first set)"}}});
    t.push_back(
        {{"udev-rule"},
         {},
         {{"--install", false, {}}},
         {{"udev-rule", "print the udev rule that lets the user at the seat use the mouse"},
          {"udev-rule --install", "(as root) write it to /etc/udev/rules.d and have udev apply it"}}});
    t.push_back({{"language"},
                 {choice("CODE", languageWords(), true)},
                 {},
                 {{"language", "the interface language the window uses, and why, with the codes"},
                  {"language CODE|system", "start the window in language CODE, or in the system\n"
                                           "locale's language, from its next start"}}});
    t.push_back({{"follow-programs"},
                 {choice("STATE", {"on", "off"}, true)},
                 {},
                 {{"follow-programs [on|off]",
                   "whether a profile becomes current when a program it follows\n"
                   "has the focus (the tray's switch); a running window follows\n"
                   "within a second"}}});
    t.push_back({{"dpi-indicator"},
                 {choice("STATE", {"on", "off"}, true)},
                 {},
                 {{"dpi-indicator [on|off]",
                   "whether the window shows the DPI level the mouse's own button\n"
                   "chose (the tray's switch); a running window follows within a\n"
                   "second"}}});
    // The completion scripts, and the library's names and sets they offer; not for people.
    t.push_back(
        {{"completion"}, {choice("WHAT", {"bash", "zsh", "fish", "macros", "sets"}), macroSet}, {}, {}});
    return t;
}

}  // namespace

std::vector<std::string> languageWords() {
    std::vector<std::string> words;
    for (const ShippedLanguage& l : ShippedLanguages()) words.push_back(toUtf8(Text(l.code)));
    words.emplace_back("system");
    return words;
}

std::string CommandDef::joinedPath() const {
    return joined(path, " ");
}

const std::vector<CommandDef>& commandTable() {
    static const std::vector<CommandDef> table = build();
    return table;
}

const std::vector<OptionDef>& globalOptions() {
    static const std::vector<OptionDef> options{
        {"--app-dir", true, ArgDef{"DIR", ArgKind::Folder, {}, false, {}}},
        {"--simulate", false, {}},
        {"--json", false, {}},
        {"--version", false, {}},
        {"--help", false, {}},
        {"-h", false, {}},
    };
    return options;
}

std::vector<std::string> commandNames() {
    std::vector<std::string> names;
    for (const CommandDef& c : commandTable())
        if (!c.help.empty() && (names.empty() || names.back() != c.path[0])) names.push_back(c.path[0]);
    return names;
}

std::vector<std::string> subcommandsOf(const std::string& command) {
    std::vector<std::string> subs;
    for (const CommandDef& c : commandTable())
        if (c.path.size() > 1 && c.path[0] == command) subs.push_back(c.path[1]);
    return subs;
}

std::string listWords(const std::vector<std::string>& words) {
    std::string out;
    for (size_t i = 0; i < words.size(); ++i)
        out += (i == 0 ? "" : i + 1 == words.size() ? " or " : ", ") + words[i];
    return out;
}

std::string commandsHelp() {
    constexpr size_t kColumn = 32;
    const std::string indent(2 + kColumn, ' ');
    std::string out = "Commands:\n";
    for (const CommandDef& c : commandTable()) {
        for (const HelpLine& h : c.help) {
            out += "  " + h.usage;
            if (h.text.empty()) {
                out += "\n";
                continue;
            }
            // A usage too wide for its column puts its description on the next line.
            out += h.usage.size() + 2 > kColumn ? "\n" + indent : std::string(kColumn - h.usage.size(), ' ');
            for (char ch : h.text) out += ch == '\n' ? "\n" + indent : std::string(1, ch);
            out += "\n";
        }
    }
    return out;
}

}  // namespace orvane::cli
