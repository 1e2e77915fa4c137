#include "profile/ProfileLimits.h"

#include <cstdio>

namespace orvane {

namespace {

std::string hexBytes(const std::array<uint8_t, 3>& v) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02X%02X%02X", v[0], v[1], v[2]);
    return buf;
}

std::string hexByte(uint8_t b) {
    char buf[4];
    std::snprintf(buf, sizeof buf, "%02X", b);
    return buf;
}

std::string pairName(ProfilePair p) {
    static constexpr const char* kNames[] = {"PowerDownTime", "LiftDetectionHeight", "KeyDebounce"};
    return kNames[int(p) - int(ProfilePair::PowerDownTime)];
}

std::string keyField(int k) { return "Key" + std::to_string(k) + "Value"; }

bool isMouseButtonBit(uint8_t b) { return b == 0x01 || b == 0x02 || b == 0x04 || b == 0x08 || b == 0x10; }

}  // namespace

bool IsValidButtonFunction(const std::array<uint8_t, 3>& v) {
    switch (v[0]) {
    case 0x00: return v[1] == 0 && v[2] == 0;
    case 0x10: return isMouseButtonBit(v[1]) && v[2] == 0;
    case 0x30: return v[1] >= limits::kMinFireFirstValue;
    case 0x40: return v[1] >= 1 && v[1] <= 3 && v[2] == 0;
    // A shortcut of modifier boxes alone has no key (usage 0), but must have a box ticked.
    case 0x70: return v[1] <= 0x0F && (v[2] == 0 ? v[1] != 0 : IsKeyboardKeyUsage(v[2]));
    case 0x80: return v[1] != 0 || v[2] != 0;
    case 0x90: return true;
    default: return false;
    }
}

bool IsLeftClick(const std::array<uint8_t, 3>& v) { return v[0] == 0x10 && v[1] == 0x01; }

bool HasLeftClick(const Profile& profile) {
    for (const KeyAssignment& k : profile.keys)
        if (IsLeftClick(k.KeyValue)) return true;
    return false;
}

std::string ProfileProblem::Describe() const { return field + "=" + value + ": " + why; }

namespace {

// Every check, in file order. With defaults, each broken value is also set back to its default
// and the problem says what it became.
std::vector<ProfileProblem> check(Profile& p, const Profile* defaults) {
    std::vector<ProfileProblem> out;
    auto note = [&](std::string field, std::string before, std::string why, const std::string& after) {
        if (defaults) why += after.empty() ? "; set back to its default" : "; set to " + after;
        out.push_back({std::move(field), std::move(before), std::move(why)});
    };
    for (const ProfilePair which : {ProfilePair::PowerDownTime, ProfilePair::KeyDebounce}) {
        const bool sleep = which == ProfilePair::PowerDownTime;
        const int v = p.GetPairInt(which);
        if (sleep ? IsValidSleep(v) : IsValidDebounce(v)) continue;
        const std::string before = toUtf8(p.GetPairValue(which));
        if (defaults) p.SetPairValue(which, defaults->GetPairValue(which));
        note(pairName(which), before,
             sleep ? "the sleep time must be 1-10" : "the debounce time must be an even number of milliseconds 0-16",
             toUtf8(p.GetPairValue(which)));
    }
    if (p.PollingRateValue[0] > limits::kMaxPollingCode) {
        const std::string before = hexBytes(p.PollingRateValue);
        if (defaults) {
            p.PollingRateValue = defaults->PollingRateValue;
            p.PollingRateName = defaults->PollingRateName;
        }
        note("PollingRateValue", before, "the rate code must be 00-03", hexBytes(p.PollingRateValue));
    }
    if ((p.DPIOffOnFlagValue & limits::kSentDpiMask) == 0) {
        const std::string before = hexByte(p.DPIOffOnFlagValue);
        if (defaults) {
            p.DPIOffOnFlagValue = defaults->DPIOffOnFlagValue;
            p.CurrentDPILevelValue = defaults->CurrentDPILevelValue;
        }
        note("DPIOffOnFlagValue", before, "at least one of the DPI levels 1-4 must be enabled",
             hexByte(p.DPIOffOnFlagValue));
    }
    for (int k = 0; k < kKeyCount; ++k) {
        KeyAssignment& key = p.keys[size_t(k)];
        if (IsValidButtonFunction(key.KeyValue)) continue;
        const std::string before = hexBytes(key.KeyValue);
        if (defaults) {
            key.KeyName = defaults->keys[size_t(k)].KeyName;
            key.KeyValue = defaults->keys[size_t(k)].KeyValue;
        }
        note(keyField(k), before, "not a function the mouse can carry out", hexBytes(key.KeyValue));
    }
    if (!HasLeftClick(p)) {
        // The first button's default is the left click.
        const std::string before = hexBytes(p.keys[0].KeyValue);
        if (defaults) {
            p.keys[0].KeyName = defaults->keys[0].KeyName;
            p.keys[0].KeyValue = defaults->keys[0].KeyValue;
        }
        note(keyField(0), before, "no button has the left click (100100), which one button must keep",
             hexBytes(p.keys[0].KeyValue));
    }
    return out;
}

}  // namespace

std::vector<ProfileProblem> FindProfileProblems(const Profile& profile) {
    Profile copy = profile;
    return check(copy, nullptr);
}

std::string DescribeProblems(const std::vector<ProfileProblem>& problems) {
    std::string out;
    for (const ProfileProblem& p : problems) out += (out.empty() ? "" : "; ") + p.Describe();
    return out;
}

std::vector<ProfileProblem> RepairProfile(Profile& p, int index, const LanguageTable& language, uint16_t sensorId) {
    if (FindProfileProblems(p).empty()) return {};
    Profile defaults;
    ResetProfileToDefaults(defaults, index, language, sensorId);
    return check(p, &defaults);
}

}  // namespace orvane
