#include "profile/Profile.h"

#include "profile/LanguageTable.h"

namespace orvane {
namespace {

struct PairDefault {
    const char16_t* name;
    const char16_t* value;
};

constexpr PairDefault kPairDefaults[kProfilePairCount] = {
    {u"ProfileName", u""},
    {u"GameFile0", u""},
    {u"GameFile1", u""},
    {u"GameFile2", u""},
    {u"DoubleClickSpeed", u"6"},
    {u"PointerSpeed", u"5"},
    {u"AccelerationEnable", u"1"},
    {u"ScrollWheelSpeed", u"2"},
    {u"ScrollWheelPageEnable", u"0"},
    {u"TiltSpeed", u"2"},
    {u"Sensitivity_X", u"4"},
    {u"Sensitivity_Y", u"4"},
    {u"XYSynchronous", u"1"},
    {u"X_DPI", u"1"},
    {u"Y_DPI", u"1"},
    {u"MoveLightingOnOffMode", u"0"},
    {u"PowerDownTime", u"3"},
    {u"LiftDetectionHeight", u"1"},
    {u"KeyDebounce", u"12"},
};

struct KeyDefault {
    int nameEntry;
    std::array<uint8_t, 3> value;
};

constexpr KeyDefault kKeyDefaults[kKeyCount] = {
    {20, {0x10, 0x01, 0x00}}, {21, {0x10, 0x02, 0x00}}, {22, {0x10, 0x04, 0x00}},
    {24, {0x10, 0x08, 0x00}}, {23, {0x10, 0x10, 0x00}}, {42, {0x40, 0x01, 0x00}},
};

constexpr int kProfileNameEntry = 85;
constexpr int kLighting1NameEntry = 101;
constexpr int kLighting2NameEntry = 100;

struct SensorSteps {
    uint16_t sensorId;
    std::array<uint16_t, kDpiLevelCount> steps;
};

constexpr SensorSteps kSensorSteps[] = {
    {0x3325, {2, 6, 14, 30, 30, 58, 58, 50}},      {0x3327, {8, 2, 6, 14, 30, 58, 58, 58}},
    {0x3335, {9, 3, 7, 15, 31, 59, 59, 59}},       {0x3360, {3, 7, 15, 31, 59, 59, 59, 59}},
    {0x3370, {7, 15, 31, 63, 119, 119, 119, 119}},
};

constexpr std::array<Colour, kDpiLevelCount> kDpiColours = {0x0000FF, 0xFF00FF, 0xFF0000, 0x00FF00,
                                                            0x00FFFF, 0xFFFF00, 0xFFFFFF, 0xFFFFFF};

void SetEffectColours(Profile& p, int effect, std::initializer_list<Colour> colours) {
    size_t slot = 0;
    for (Colour c : colours) {
        p.Lighting1ColorSelected[size_t(effect)][slot] = 1;
        p.Lighting1FixedColor[size_t(effect)][slot] = c;
        ++slot;
    }
}

}  // namespace

const Text& Profile::GetPairName(int n) const {
    static const Text empty;
    return n >= 0 && n < kProfilePairCount ? pairs[size_t(n)].name : empty;
}

const Text& Profile::GetPairValue(int n) const {
    static const Text empty;
    return n >= 0 && n < kProfilePairCount ? pairs[size_t(n)].value : empty;
}

int Profile::GetPairInt(ProfilePair p) const {
    const Text& v = GetPairValue(p);
    size_t i = 0;
    bool negative = false;
    if (i < v.size() && (v[i] == u'-' || v[i] == u'+')) negative = v[i++] == u'-';
    long long n = 0;
    for (; i < v.size() && v[i] >= u'0' && v[i] <= u'9'; ++i) {
        n = n * 10 + (v[i] - u'0');
        if (n > 0x7FFFFFFF) return negative ? int(-0x7FFFFFFF - 1) : 0x7FFFFFFF;
    }
    return int(negative ? -n : n);
}

KeyAssignment* Profile::GetKeyAssignment(int k) {
    return k >= 0 && k < kKeyCount ? &keys[size_t(k)] : nullptr;
}

const KeyAssignment* Profile::GetKeyAssignment(int k) const {
    return k >= 0 && k < kKeyCount ? &keys[size_t(k)] : nullptr;
}

Text DefaultProfileName(int index, const LanguageTable& language) {
    if (index >= 0 && index < kProfileCount) return language.LanguageText(kProfileNameEntry + index);
    return u"Profile" + fromUtf8(std::to_string(unsigned(index + 1)));
}

void ResetProfileToDefaults(Profile& p, int index, const LanguageTable& language, uint16_t sensorId) {
    for (int n = 0; n < kProfilePairCount; ++n) {
        p.pairs[size_t(n)] = {kPairDefaults[n].name, kPairDefaults[n].value};
    }
    p.SetProfileName(DefaultProfileName(index, language));

    for (int k = 0; k < kKeyCount; ++k) {
        KeyAssignment& key = p.keys[size_t(k)];
        key.KeyName = language.LanguageText(kKeyDefaults[k].nameEntry);
        key.KeyValue = kKeyDefaults[k].value;
        key.KeyMacro.ActionCount = 0;
        key.KeyMacro.Name.clear();
    }

    p.PollingRateName = u"500HZ";
    p.PollingRateValue = {0x02, 0x00, 0x00};

    p.Lighting1OffOn = 1;
    p.Lighting1Name = language.LanguageText(kLighting1NameEntry);
    p.Lighting1ModeValue = {0x02, 0x00, 0x00};
    p.Lighting1Speed.fill(1);
    p.Lighting1Brightness = {1, 1, 1, 3, 1, 1, 1, 1, 1, 1};
    p.Lighting1ColorSelected = {};
    p.Lighting1FixedColor = {};
    SetEffectColours(p, 2, {0x0000FF, 0x00FF00, 0xFF0000, 0xFFFF00, 0x00FFFF, 0xFF00FF, 0xFFFFFF});
    SetEffectColours(p, 3, {0xFF00FF});
    SetEffectColours(p, 6, {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFFFF00, 0xFA00FA, 0xFFFFFF, 0xFF46FA});
    SetEffectColours(p, 7, {0x00FF00, 0x6A00FA});
    p.Lighting1Direction.fill(0);

    p.Lighting2OffOn = 0;
    p.Lighting2Name = language.LanguageText(kLighting2NameEntry);
    p.Lighting2ModeValue = {0x01, 0x00, 0x00};
    p.Lighting2Speed = 0;
    p.Lighting2Brightness = 0;
    p.Lighting2FixedColor = 0;

    ApplySensorDefaults(p, sensorId);
}

const std::array<uint16_t, kDpiLevelCount>* DefaultDpiSteps(uint16_t sensorId) {
    for (const SensorSteps& s : kSensorSteps) {
        if (s.sensorId == sensorId) return &s.steps;
    }
    return nullptr;
}

bool IsKnownSensor(uint16_t sensorId) { return DefaultDpiSteps(sensorId) != nullptr; }

void ApplySensorDefaults(Profile& p, uint16_t sensorId) {
    p.DPIOffOnFlagValue = 0x0F;
    if (const auto* steps = DefaultDpiSteps(sensorId)) p.XYSetting = *steps;
    p.CurrentDPILevelValue = 1;
    p.DPILevelIndication = kDpiColours;
    p.AngleSnapValue = 0;
    p.LiftDetectionValue = 2;
}

void AssignMacro(KeyAssignment& key, const MacroKey* source) {
    MacroKey& target = key.KeyMacro;
    target.ActionCount = 0;
    if (source == nullptr) return;
    target.Name = source->Name;
    const uint32_t count = source->UsableActionCount();
    for (uint32_t i = 0; i < count; ++i) target.InsertAction(i, source->Actions[i]);
}

}  // namespace orvane
