#include "profile/Settings.h"

#include <algorithm>

#include "profile/TextNumbers.h"

namespace orvane {
namespace {

constexpr const char16_t* kDefaultKeys[kSettingCount] = {
    u"NeedPassword",     u"Sensor",           u"PreST",
    u"Mac_ID",           u"DataChange",       u"CurrentProfile",
    u"ProfileShowCount", u"ProfileShowList0", u"ProfileShowList1",
    u"ProfileShowList2", u"ProfileShowList3", u"ProfileShowList4",
    u"ProfileSlot0URL",  u"ProfileSlot1URL",  u"ProfileSlot2URL",
    u"ProfileSlot3URL",  u"ProfileSlot4URL",
};

constexpr const char16_t* kDefaultValues[12] = {
    u"1", u"0x3370", u"0xCC8F", u"0xFFFFFFFF", u"0x1234", u"0", u"3", u"0", u"1", u"2", u"3", u"4",
};

int ShowListEntry(int position) {
    return int(SettingKey::ProfileShowList0) + position;
}

}  // namespace

Text FormatHexSetting(uint32_t value) {
    Text digits;
    bool started = false;
    for (int shift = 28; shift >= 0; shift -= 4) {
        const uint32_t d = (value >> shift) & 0xF;
        if (d != 0 || started || shift == 0) {
            started = true;
            digits += char16_t(d < 10 ? u'0' + d : u'A' + d - 10);
        }
    }
    Text out = u"0x";
    if (digits.size() < 4) out.append(4 - digits.size(), u' ');
    return out + digits;
}

const Text& Settings::GetEntry(int n, int part) const {
    static const Text empty;
    if (n < 0 || n >= kSettingCount) return empty;
    return part == 0 ? keys_[size_t(n)] : values_[size_t(n)];
}

void Settings::SetKey(int n, Text key) {
    if (n >= 0 && n < kSettingCount) keys_[size_t(n)] = std::move(key);
}

void Settings::SetValue(int n, Text value) {
    if (n >= 0 && n < kSettingCount) values_[size_t(n)] = std::move(value);
}

const Text* Settings::GetExtra(std::u16string_view key) const {
    for (const auto& [k, v] : extras_)
        if (k == key) return &v;
    return nullptr;
}

bool Settings::SetExtra(std::u16string_view key, Text value) {
    for (auto& [k, v] : extras_)
        if (k == key) {
            v = std::move(value);
            return true;
        }
    if (extras_.size() >= size_t(kMaxExtraSettings)) return false;
    extras_.emplace_back(Text(key), std::move(value));
    return true;
}

namespace {

bool toggleOn(const Settings& settings, std::u16string_view key) {
    const Text* value = settings.GetExtra(key);
    return !value || *value != u"0";
}

}  // namespace

bool DpiIndicatorEnabled(const Settings& settings) { return toggleOn(settings, extra_setting::kDpiIndicator); }

bool SetDpiIndicatorEnabled(Settings& settings, bool on) {
    return settings.SetExtra(extra_setting::kDpiIndicator, on ? u"1" : u"0");
}

bool FollowProgramsEnabled(const Settings& settings) { return toggleOn(settings, extra_setting::kFollowPrograms); }

bool SetFollowProgramsEnabled(Settings& settings, bool on) {
    return settings.SetExtra(extra_setting::kFollowPrograms, on ? u"1" : u"0");
}

std::filesystem::path Settings::DefaultSlotPath(const std::filesystem::path& configDir, int slot) {
    return configDir / ("default" + std::to_string(slot) + ".psf");
}

void Settings::ResetToDefaults(const std::filesystem::path& configDir) {
    for (int n = 0; n < kSettingCount; ++n) {
        keys_[size_t(n)] = kDefaultKeys[n];
        if (n < 12) {
            values_[size_t(n)] = kDefaultValues[n];
        } else {
            values_[size_t(n)] = fromUtf8(DefaultSlotPath(configDir, n - 12).string());
        }
    }
    extras_.clear();
}

uint16_t Settings::GetSensor() const {
    return uint16_t(ParseHexSigned(GetValue(SettingKey::Sensor)));
}
void Settings::SetSensor(uint16_t id) {
    SetValue(SettingKey::Sensor, FormatHexSetting(id));
}
uint16_t Settings::GetPreST() const {
    return uint16_t(ParseHexSigned(GetValue(SettingKey::PreST)));
}
void Settings::SetPreST(uint16_t v) {
    SetValue(SettingKey::PreST, FormatHexSetting(v));
}
int32_t Settings::GetMacId() const {
    return ParseHexSigned(GetValue(SettingKey::Mac_ID));
}
void Settings::SetMacId(uint32_t v) {
    SetValue(SettingKey::Mac_ID, FormatHexSetting(v));
}
bool Settings::MacIdNamesAMouse() const {
    const int32_t id = GetMacId();
    return id >= 0 && id <= 0xFFFFFF;
}
void Settings::ForgetMouse() {
    SetMacId(0xFFFFFFFFu);
}
uint16_t Settings::GetDataChange() const {
    return uint16_t(ParseHexSigned(GetValue(SettingKey::DataChange)));
}
void Settings::SetDataChange(uint16_t v) {
    SetValue(SettingKey::DataChange, FormatHexSetting(v));
}
int Settings::GetCurrentProfile() const {
    return ParseDecimal(GetValue(SettingKey::CurrentProfile));
}
void Settings::SetCurrentProfile(int i) {
    SetValue(SettingKey::CurrentProfile, DecimalText(i));
}
int Settings::GetProfileShowCount() const {
    return ParseDecimal(GetValue(SettingKey::ProfileShowCount));
}
void Settings::SetProfileShowCount(int n) {
    SetValue(SettingKey::ProfileShowCount, DecimalText(n));
}
bool Settings::GetNeedPassword() const {
    return ParseDecimal(GetValue(SettingKey::NeedPassword)) == 1;
}

int Settings::GetProfileShowList(int position) const {
    if (position < 0 || position > 4) return -1;
    return ParseDecimal(values_[size_t(ShowListEntry(position))]);
}

void Settings::SetProfileShowList(int position, int profile) {
    if (position >= 0 && position <= 4) values_[size_t(ShowListEntry(position))] = DecimalText(profile);
}

std::filesystem::path Settings::GetSlotPath(int slot) const {
    if (slot < 0 || slot > 4) return {};
    return std::filesystem::path(toUtf8(values_[size_t(int(SettingKey::ProfileSlot0URL) + slot)]));
}

bool Settings::IndicesAreValid() const {
    const int current = GetCurrentProfile();
    const int count = GetProfileShowCount();
    if (current < 0 || current > 4 || count < 0 || count > 5) return false;
    std::array<bool, 5> seen{};
    for (int pos = 0; pos < 5; ++pos) {
        const int p = GetProfileShowList(pos);
        if (p < 0 || p > 4 || seen[size_t(p)]) return false;
        seen[size_t(p)] = true;
    }
    return true;
}

}  // namespace orvane
