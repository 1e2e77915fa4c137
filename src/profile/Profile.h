#pragma once
// One profile's complete settings: what is sent to the mouse plus texts only the application uses.
#include <array>
#include <cstdint>
#include <string>

#include "base/Text.h"
#include "profile/MacroKey.h"

namespace orvane {

class LanguageTable;

// Colours are 0x00BBGGRR: red in the low byte.
using Colour = uint32_t;

// Indices of the 19 setting pairs. The names in a record are stored, not fixed (a file may rename them).
enum class ProfilePair : int {
    ProfileName = 0,
    GameFile0,
    GameFile1,
    GameFile2,
    DoubleClickSpeed,
    PointerSpeed,
    AccelerationEnable,
    ScrollWheelSpeed,
    ScrollWheelPageEnable,
    TiltSpeed,
    Sensitivity_X,
    Sensitivity_Y,
    XYSynchronous,
    X_DPI,
    Y_DPI,
    MoveLightingOnOffMode,
    PowerDownTime,
    LiftDetectionHeight,
    KeyDebounce,
};
inline constexpr int kProfilePairCount = 19;
inline constexpr int kKeyCount = 6;
inline constexpr int kDpiLevelCount = 8;
inline constexpr int kLightingEffectCount = 10;
inline constexpr int kProfileCount = 5;

struct SettingPair {
    Text name;
    Text value;
    bool operator==(const SettingPair&) const = default;
};

struct KeyAssignment {
    Text KeyName;
    std::array<uint8_t, 3> KeyValue{};  // type, parameter 1, parameter 2
    MacroKey KeyMacro;                  // the button's own copy of its macro
    bool operator==(const KeyAssignment&) const = default;
};

struct Profile {
    // Pair access by number: an index of 19 or more yields an empty text / is ignored.
    [[nodiscard]] const Text& GetPairName(int n) const;
    [[nodiscard]] const Text& GetPairValue(int n) const;
    [[nodiscard]] const Text& GetPairValue(ProfilePair p) const { return GetPairValue(int(p)); }
    void SetPairValue(ProfilePair p, Text value) { pairs[size_t(p)].value = std::move(value); }
    // Decimal value of a pair, conversion stopping at the first non-digit (0 when there is none).
    [[nodiscard]] int GetPairInt(ProfilePair p) const;

    void SetPowerDownTime(int v) { SetPairDecimal(ProfilePair::PowerDownTime, v); }
    void SetLiftDetectionHeight(int v) { SetPairDecimal(ProfilePair::LiftDetectionHeight, v); }
    void SetKeyDebounce(int v) { SetPairDecimal(ProfilePair::KeyDebounce, v); }
    void SetAccelerationEnable(int v) { SetPairValue(ProfilePair::AccelerationEnable, v != 0 ? u"1" : u"0"); }
    void SetMoveLightingOnOffMode(int v) {
        SetPairValue(ProfilePair::MoveLightingOnOffMode, v > 0 ? u"1" : u"0");
    }

    [[nodiscard]] const Text& GetProfileName() const { return GetPairValue(ProfilePair::ProfileName); }
    void SetProfileName(Text name) { SetPairValue(ProfilePair::ProfileName, std::move(name)); }

    // None for k above 5.
    [[nodiscard]] KeyAssignment* GetKeyAssignment(int k);
    [[nodiscard]] const KeyAssignment* GetKeyAssignment(int k) const;

    bool operator==(const Profile&) const = default;

    // Field defaults are the ones a record has before it is loaded or reset.
    std::array<SettingPair, kProfilePairCount> pairs;
    std::array<KeyAssignment, kKeyCount> keys;

    Text PollingRateName;
    std::array<uint8_t, 3> PollingRateValue{};

    uint8_t Lighting1OffOn = 1;
    Text Lighting1Name;
    std::array<uint8_t, 3> Lighting1ModeValue{};  // byte 0: current effect 0-9
    std::array<uint8_t, kLightingEffectCount> Lighting1Speed{};
    std::array<uint8_t, kLightingEffectCount> Lighting1Brightness{};
    std::array<std::array<uint8_t, 10>, kLightingEffectCount> Lighting1ColorSelected{};  // [effect][slot]
    std::array<std::array<Colour, 10>, kLightingEffectCount> Lighting1FixedColor{};      // [effect][slot]
    std::array<uint8_t, kLightingEffectCount> Lighting1Direction{};

    uint8_t Lighting2OffOn = 1;
    Text Lighting2Name;
    std::array<uint8_t, 3> Lighting2ModeValue{};
    uint8_t Lighting2Speed = 2;
    uint8_t Lighting2Brightness = 100;
    Colour Lighting2FixedColor = 0;

    uint8_t DPIOffOnFlagValue = 0x7F;                  // bit i = level i enabled
    std::array<uint16_t, kDpiLevelCount> XYSetting{};  // DPI step index per level
    uint8_t CurrentDPILevelValue = 0;                  // counted among the enabled levels
    std::array<Colour, kDpiLevelCount> DPILevelIndication{};
    uint8_t AngleSnapValue = 0;
    uint8_t LiftDetectionValue = 0;

private:
    void SetPairDecimal(ProfilePair p, int v) { SetPairValue(p, fromUtf8(std::to_string(v))); }
};

// Default name of profile `index`: the language entry for 0-4, "Profile<index+1>" otherwise.
Text DefaultProfileName(int index, const LanguageTable& language);

// Every field back to its default, the default names taken from the language table,
// then ApplySensorDefaults. Writes no file.
void ResetProfileToDefaults(Profile& profile, int index, const LanguageTable& language, uint16_t sensorId);

// DPI levels, step indices (only for sensors we know), colours, angle snap and lift detection.
void ApplySensorDefaults(Profile& profile, uint16_t sensorId);

// One of the five sensors the mouse can report.
bool IsKnownSensor(uint16_t sensorId);
// The default DPI step indices of a known sensor; none for any other value.
const std::array<uint16_t, kDpiLevelCount>* DefaultDpiSteps(uint16_t sensorId);

// Copies the source's name and leading actions into the button's macro (none: just empties it).
// Loop settings are not copied and slots beyond the new count keep their contents.
void AssignMacro(KeyAssignment& key, const MacroKey* source);

}  // namespace orvane
