#include "cli/SettingChange.h"

#include <cstdlib>

#include "cli/ButtonFunction.h"
#include "cli/CommandTable.h"
#include "device/ButtonEncoder.h"
#include "profile/ProfileLimits.h"

namespace orvane::cli {

namespace {

// The mouse gets the first four levels; the profile stores eight, but the rest never leave it.
constexpr int kSentDpiLevels = limits::kSentDpiLevels;

Error usage(const std::string& what) { return makeError(0, what); }

bool parseInt(const std::string& s, int lo, int hi, int& out) {
    char* end = nullptr;
    const long v = std::strtol(s.c_str(), &end, 10);
    if (s.empty() || *end != '\0' || v < lo || v > hi) return false;
    out = int(v);
    return true;
}

// Bit number of the (b + 1)-th set bit of the mask; 0 for b above 3.
int levelPosition(int b, uint8_t mask) {
    if (b > 3) return 0;
    int seen = 0;
    for (int bit = 0; bit < 8; ++bit) {
        if (!((mask >> bit) & 1)) continue;
        if (seen++ == b) return bit;
    }
    return 0;
}

struct Rate {
    const char* word;
    uint8_t code;
    const char16_t* name;
};
constexpr Rate kRates[] = {{"125", 0, u"125HZ"}, {"250", 1, u"250HZ"}, {"500", 2, u"500HZ"}, {"1000", 3, u"1000HZ"}};

Result<SettingChange> polling(const std::vector<std::string>& w) {
    if (w.size() != 2) return usage("set polling takes one rate: 125, 250, 500 or 1000");
    for (const Rate& r : kRates) {
        if (w[1] != r.word) continue;
        const Rate rate = r;
        return SettingChange{"polling " + w[1] + " Hz", {SyncGroup::Performance}, [rate](AppData& app) {
                                 app.Current().PollingRateValue = {rate.code, 0, 0};
                                 app.Current().PollingRateName = rate.name;
                             }};
    }
    return usage("unknown polling rate " + w[1] + " (125, 250, 500 or 1000)");
}

Result<SettingChange> dpi(const std::vector<std::string>& w, const DpiTables& tables) {
    int level = 0;
    if (w.size() != 3 || !parseInt(w[1], 1, kSentDpiLevels, level))
        return usage("set dpi takes a level 1-4 and a DPI value or step:N");
    int step = 0;
    if (w[2].rfind("step:", 0) == 0) {
        if (!parseInt(w[2].substr(5), 0, 0xFFFF, step) || (tables.stepCount() > 0 && step >= tables.stepCount()))
            return usage("step index out of range: the sensor has " + std::to_string(tables.stepCount()) + " steps");
    } else {
        int value = 0;
        if (!parseInt(w[2], 1, 100000, value)) return usage("not a DPI value: " + w[2]);
        if (tables.stepCount() == 0) return usage("the stored sensor is unknown; give the step as step:N");
        step = tables.indexForDpi(value);
        if (tables.dpiValue(step) != value)
            return usage(w[2] + " DPI is not a step of this sensor; the nearest is " +
                         std::to_string(tables.dpiValue(step)));
    }
    const int k = level - 1;
    const std::string shown = tables.stepCount() > 0 ? std::to_string(tables.dpiValue(step)) + " DPI (step " +
                                                            std::to_string(step) + ")"
                                                      : "step " + std::to_string(step);
    return SettingChange{"DPI level " + w[1] + " " + shown, {SyncGroup::Performance},
                         [k, step](AppData& app) { app.Current().XYSetting[size_t(k)] = uint16_t(step); }};
}

Result<SettingChange> dpiEnable(const std::vector<std::string>& w, const AppData& app) {
    int level = 0;
    if (w.size() != 3 || !parseInt(w[1], 1, kSentDpiLevels, level) || (w[2] != "on" && w[2] != "off"))
        return usage("set dpi-enable takes a level 1-4 and on or off");
    const int k = level - 1;
    const bool on = w[2] == "on";
    const uint8_t mask = app.Current().DPIOffOnFlagValue;
    // The mouse gets levels 1-4 only: one of them stays on, whatever the higher levels hold.
    if (!on && ((mask >> k) & 1) && (mask & ~(1u << k) & limits::kSentDpiMask) == 0)
        return usage("level " + w[1] + " is the only enabled level of 1-4 and stays on");
    return SettingChange{"DPI level " + w[1] + " " + w[2], {SyncGroup::Performance}, [k, on](AppData& a) {
                             Profile& p = a.Current();
                             const uint8_t before = p.DPIOffOnFlagValue;
                             const bool wasOn = (before >> k) & 1;
                             if (wasOn == on) return;
                             p.CurrentDPILevelValue = uint8_t(dpiLevelAfterToggle(p.CurrentDPILevelValue, before, k, on));
                             p.DPIOffOnFlagValue = uint8_t(on ? before | (1u << k) : before & ~(1u << k));
                         }};
}

Result<SettingChange> dpiColour(const std::vector<std::string>& w) {
    int level = 0;
    if (w.size() != 3 || !parseInt(w[1], 1, kSentDpiLevels, level) || w[2].size() != 6 ||
        w[2].find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        return usage("set dpi-colour takes a level 1-4 and a colour RRGGBB");
    const uint32_t rgb = uint32_t(std::strtoul(w[2].c_str(), nullptr, 16));
    const Colour bgr = ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
    const int k = level - 1;
    return SettingChange{"DPI level " + w[1] + " colour " + w[2], {SyncGroup::Performance},
                         [k, bgr](AppData& app) { app.Current().DPILevelIndication[size_t(k)] = bgr; }};
}

Result<SettingChange> numberSetting(const std::vector<std::string>& w) {
    int v = 0;
    const std::string& what = w[0];
    if (what == "debounce") {
        if (w.size() != 2 || !parseInt(w[1], 0, limits::kMaxDebounce, v) || !IsValidDebounce(v))
            return usage("set debounce takes an even 0-" + std::to_string(limits::kMaxDebounce) + " (ms)");
        return SettingChange{"debounce " + w[1] + " ms", {SyncGroup::Performance},
                             [v](AppData& app) { app.Current().SetKeyDebounce(v); }};
    }
    if (what == "sleep") {
        if (w.size() != 2 || !parseInt(w[1], limits::kMinSleep, limits::kMaxSleep, v))
            return usage("set sleep takes " + std::to_string(limits::kMinSleep) + "-" + std::to_string(limits::kMaxSleep));
        return SettingChange{"sleep " + w[1], {SyncGroup::Power, SyncGroup::Performance},
                             [v](AppData& app) { app.Current().SetPowerDownTime(v); }};
    }
    if (w.size() != 2 || !parseInt(w[1], limits::kMinLiftOff, limits::kMaxLiftOff, v))
        return usage("set lift-off takes 1 or 2");
    return SettingChange{"lift-off " + w[1], {SyncGroup::Performance},
                         [v](AppData& app) { app.Current().SetLiftDetectionHeight(v); }};
}

Result<SettingChange> button(const std::vector<std::string>& w, const AppData& app) {
    int n = 0;
    if (w.size() < 3 || !parseInt(w[1], 1, kKeyCount, n)) return usage("set button takes a button 1-6 and a function");
    auto function = parseButtonFunction({w.begin() + 2, w.end()}, app.language, app.library);
    if (!function) return function.error();
    // The words above only make functions the mouse takes; this holds them to the rule that
    // imported and loaded profiles are held to.
    if (!IsValidButtonFunction(function->value)) return usage("not a function the mouse can carry out");
    const int k = n - 1;
    int leftClicks = 0;
    for (int i = 0; i < kKeyCount; ++i) {
        const auto& v = i == k ? function->value : app.Current().keys[size_t(i)].KeyValue;
        if (IsLeftClick(v)) ++leftClicks;
    }
    if (leftClicks == 0) return usage("refused: button " + w[1] + " has the only left click, which must stay");
    const ButtonFunction f = function.value();
    return SettingChange{"button " + w[1] + " " + toUtf8(f.name), {SyncGroup::Buttons}, [k, f](AppData& a) {
                             KeyAssignment& key = a.Current().keys[size_t(k)];
                             key.KeyName = f.name;
                             key.KeyValue = f.value;
                             AssignMacro(key, f.macro);
                         }};
}

}  // namespace

int dpiLevelAfterToggle(int b, uint8_t maskBefore, int k, bool nowOn) {
    const int q = levelPosition(b, maskBefore);
    if (nowOn) return q > k ? b + 1 : b;
    if (q > k || (q == k && b > 0)) return b - 1;
    return b;
}

Result<SettingChange> parseSettingChange(const std::vector<std::string>& w, const AppData& app,
                                         const DpiTables& tables) {
    if (w.empty()) return usage("set needs a setting: " + listWords(subcommandsOf("set")));
    const std::string& what = w[0];
    if (what == "polling") return polling(w);
    if (what == "dpi") return dpi(w, tables);
    if (what == "dpi-enable") return dpiEnable(w, app);
    if (what == "dpi-colour" || what == "dpi-color") return dpiColour(w);
    if (what == "debounce" || what == "sleep" || what == "lift-off") return numberSetting(w);
    if (what == "button") return button(w, app);
    return usage("unknown setting " + what);
}

std::vector<std::string> pollingRateWords() {
    std::vector<std::string> words;
    for (const Rate& r : kRates) words.emplace_back(r.word);
    return words;
}

}  // namespace orvane::cli
