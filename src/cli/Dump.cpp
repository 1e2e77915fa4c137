#include "cli/Dump.h"

#include <cstdio>

#include "profile/ProfileLimits.h"

namespace orvane::cli {

namespace {

std::string colourHex(Colour c) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02X%02X%02X", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
    return buf;
}

void writeMacro(JsonWriter& json, const MacroKey& m) {
    json.beginObject();
    json.field("name", m.GetName());
    json.field("actionCount", m.ActionCount);
    json.field("loopType", int(m.LoopType));
    json.field("loopNum", int(m.LoopNum));
    json.field("commandActionNum", int(m.CommandActionNum));
    json.key("actions").beginArray();
    for (uint32_t i = 0; i < m.UsableActionCount(); ++i) {
        const auto b = m.GetActionBytes(i);
        json.hex(b.data(), b.size());
    }
    json.endArray();
    json.endObject();
}

}  // namespace

void writeProfile(JsonWriter& json, const Profile& p, const DpiTables* tables, int levels) {
    json.beginObject();
    json.key("pairs").beginObject();
    for (int n = 0; n < kProfilePairCount; ++n) json.field(toUtf8(p.GetPairName(n)), p.GetPairValue(n));
    json.endObject();
    json.key("keys").beginArray();
    for (int i = 0; i < kKeyCount; ++i) {
        const KeyAssignment& k = p.keys[size_t(i)];
        json.beginObject();
        json.field("button", i + 1);
        json.field("name", k.KeyName);
        json.key("value").hex(k.KeyValue.data(), 3);
        json.key("macro");
        writeMacro(json, k.KeyMacro);
        json.endObject();
    }
    json.endArray();
    json.field("pollingRateName", p.PollingRateName);
    json.key("pollingRateValue").hex(p.PollingRateValue.data(), 3);
    json.key("dpi").beginObject();
    json.field("enabledMask", int(p.DPIOffOnFlagValue));
    json.field("currentLevel", int(p.CurrentDPILevelValue) + 1);
    json.key("levels").beginArray();
    for (int i = 0; i < levels && i < kDpiLevelCount; ++i) {
        json.beginObject();
        json.field("level", i + 1);
        json.field("enabled", ((p.DPIOffOnFlagValue >> i) & 1) != 0);
        json.field("step", int(p.XYSetting[size_t(i)]));
        if (tables && tables->stepCount() > 0) json.field("dpi", tables->dpiValue(p.XYSetting[size_t(i)]));
        json.field("colour", colourHex(p.DPILevelIndication[size_t(i)]));
        json.endObject();
    }
    json.endArray();
    json.field("angleSnap", int(p.AngleSnapValue));
    json.field("liftDetectionValue", int(p.LiftDetectionValue));
    json.endObject();
    json.key("lighting1").beginObject();
    json.field("on", int(p.Lighting1OffOn));
    json.field("name", p.Lighting1Name);
    json.key("mode").hex(p.Lighting1ModeValue.data(), 3);
    json.key("speed").hex(p.Lighting1Speed.data(), p.Lighting1Speed.size());
    json.key("brightness").hex(p.Lighting1Brightness.data(), p.Lighting1Brightness.size());
    json.key("direction").hex(p.Lighting1Direction.data(), p.Lighting1Direction.size());
    json.key("effects").beginArray();
    for (int e = 0; e < kLightingEffectCount; ++e) {
        json.beginObject();
        json.key("selected").hex(p.Lighting1ColorSelected[size_t(e)].data(), 10);
        json.key("colours").beginArray();
        for (Colour c : p.Lighting1FixedColor[size_t(e)]) json.value(colourHex(c));
        json.endArray();
        json.endObject();
    }
    json.endArray();
    json.endObject();
    json.key("lighting2").beginObject();
    json.field("on", int(p.Lighting2OffOn));
    json.field("name", p.Lighting2Name);
    json.key("mode").hex(p.Lighting2ModeValue.data(), 3);
    json.field("speed", int(p.Lighting2Speed));
    json.field("brightness", int(p.Lighting2Brightness));
    json.field("colour", colourHex(p.Lighting2FixedColor));
    json.endObject();
    json.endObject();
}

void writeSettings(JsonWriter& json, const Settings& s) {
    json.beginObject();
    for (int n = 0; n < kSettingCount; ++n) json.field(toUtf8(s.GetEntry(n, 0)), s.GetEntry(n, 1));
    json.endObject();
}

void writeLibrary(JsonWriter& json, const MacroLibrary& library) {
    json.beginArray();
    for (uint32_t s = 0; s < library.SetCount(); ++s) {
        const MacroSet* set = library.FindSet(s);
        json.beginObject();
        json.field("name", set->GetName());
        json.key("macros").beginArray();
        for (uint32_t k = 0; k < set->KeyCount(); ++k) writeMacro(json, *set->FindKey(k));
        json.endArray();
        json.endObject();
    }
    json.endArray();
}

void writeLanguage(JsonWriter& json, const LanguageTable& language) {
    json.beginObject();
    for (int i = 0; i < LanguageTable::kSize; ++i)
        if (!language.LanguageText(i).empty()) json.field(std::to_string(i), language.LanguageText(i));
    json.endObject();
}

std::string profileText(const Profile& p, const DpiTables& tables) {
    std::string out;
    auto line = [&out](const std::string& k, const std::string& v) { out += k + ": " + v + "\n"; };
    line("name", toUtf8(p.GetProfileName()));
    for (int i = 0; i < kKeyCount; ++i) {
        const KeyAssignment& k = p.keys[size_t(i)];
        line("button " + std::to_string(i + 1), toUtf8(k.KeyName) + " [" + hexString(k.KeyValue.data(), 3) + "]");
    }
    line("polling", toUtf8(p.PollingRateName) + " [code " + std::to_string(p.PollingRateValue[0]) + "]");
    for (int i = 0; i < limits::kSentDpiLevels; ++i) {  // the levels the mouse has
        const bool on = (p.DPIOffOnFlagValue >> i) & 1;
        std::string v = std::string(on ? "on " : "off") + "  step " + std::to_string(p.XYSetting[size_t(i)]);
        if (tables.stepCount() > 0) v += " (" + std::to_string(tables.dpiValue(p.XYSetting[size_t(i)])) + " DPI)";
        v += "  colour " + colourHex(p.DPILevelIndication[size_t(i)]);
        line("dpi level " + std::to_string(i + 1), v);
    }
    line("current dpi level", std::to_string(p.CurrentDPILevelValue + 1) + " of the enabled levels");
    line("lift-off", toUtf8(p.GetPairValue(ProfilePair::LiftDetectionHeight)));
    line("debounce", toUtf8(p.GetPairValue(ProfilePair::KeyDebounce)) + " ms");
    line("sleep", toUtf8(p.GetPairValue(ProfilePair::PowerDownTime)));
    line("lighting effect", std::to_string(p.Lighting1ModeValue[0]));
    return out;
}

}  // namespace orvane::cli
