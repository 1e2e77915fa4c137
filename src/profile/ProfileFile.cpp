#include "profile/ProfileFile.h"

#include "profile/ActionText.h"
#include "profile/AtomicFile.h"
#include "profile/NameRules.h"
#include "profile/TextFile.h"
#include "profile/TextNumbers.h"

namespace orvane {
namespace {

void AppendColour(Text& out, Colour c) {
    AppendHex2(out, uint8_t(c));
    AppendHex2(out, uint8_t(c >> 8));
    AppendHex2(out, uint8_t(c >> 16));
}

void AppendBytes3(Text& out, const std::array<uint8_t, 3>& b) {
    for (uint8_t v : b) AppendHex2(out, v);
}

void AppendList(Text& out, const std::array<uint8_t, 10>& values, char16_t last) {
    for (size_t k = 0; k < values.size(); ++k) {
        AppendHex2(out, values[k]);
        if (k < 9)
            out += u'|';
        else if (last != 0)
            out += last;
    }
}

Status TextFits(std::u16string_view text, bool mayBeEmpty, const std::string& what) {
    const NameCheck check = CheckFileText(text, mayBeEmpty);
    if (check) return {};
    return makeError(0, check.Describe(what) + ": the profile file could not be read back");
}

}  // namespace

Status CheckProfileFits(const Profile& p) {
    for (int n = 0; n < kProfilePairCount; ++n) {
        const SettingPair& pair = p.pairs[size_t(n)];
        const std::string what = "setting " + toUtf8(pair.name);
        if (Status s = TextFits(pair.name, false, "name of setting " + std::to_string(n + 1)); !s) return s;
        if (pair.name.find(u'=') != Text::npos) return makeError(0, "the " + what + " holds \"=\"");
        if (Status s = TextFits(pair.value, true, what); !s) return s;
    }
    for (const auto& [text, what] : {std::pair{&p.PollingRateName, "polling rate name"},
                                     std::pair{&p.Lighting1Name, "lighting 1 name"},
                                     std::pair{&p.Lighting2Name, "lighting 2 name"}}) {
        if (Status s = TextFits(*text, true, what); !s) return s;
    }
    for (int k = 0; k < kKeyCount; ++k) {
        const KeyAssignment& key = p.keys[size_t(k)];
        const std::string button = "button " + std::to_string(k + 1);
        if (Status s = TextFits(key.KeyName, true, "function name of " + button); !s) return s;
        if (Status s = TextFits(key.KeyMacro.Name, true, "macro name of " + button); !s) return s;
    }
    return {};
}

std::string FormatProfileFile(const Profile& p) {
    TextFileWriter w;
    Text& t = w.Current();
    w.Line(u"[Setting]");
    for (const SettingPair& pair : p.pairs) {
        t += pair.name;
        t += u'=';
        t += pair.value;
        w.EndLine();
    }
    t += u"DPIOffOnFlagValue=";
    AppendHex2(t, p.DPIOffOnFlagValue);
    w.EndLine();
    for (int level = 0; level < kDpiLevelCount; ++level) {
        t += u"\tXYSetting";
        AppendDecimal(t, level + 1);
        t += u"Value=";
        AppendHex4(t, p.XYSetting[size_t(level)]);
        w.EndLine();
    }
    t += u"\tCurrentDPILevelValue=";
    AppendHex2(t, p.CurrentDPILevelValue);
    w.EndLine();
    for (int level = 0; level < kDpiLevelCount; ++level) {
        t += u"\tDPILevelIndication";
        AppendDecimal(t, level);
        t += u"Valuer=";
        AppendColour(t, p.DPILevelIndication[size_t(level)]);
        w.EndLine();
    }
    t += u"\tAngleSnapValue=";
    AppendHex2(t, p.AngleSnapValue);
    w.EndLine();
    t += u"\tLiftDetectionValue=";
    AppendHex2(t, p.LiftDetectionValue);
    w.EndLine();
    w.Line(u"PollingRateName=" + p.PollingRateName);
    t += u"\tPollingRateValue=";
    AppendBytes3(t, p.PollingRateValue);
    w.EndLine();

    w.Line(u"Lighting1Name=" + p.Lighting1Name);
    t += u"\tLighting1ModeValue=";
    AppendBytes3(t, p.Lighting1ModeValue);
    w.EndLine();
    t += u"\tLighting1OffOn=";
    AppendHex2(t, p.Lighting1OffOn);
    w.EndLine();
    t += u"\tLighting1Speed=";
    AppendList(t, p.Lighting1Speed, 0);
    w.EndLine();
    t += u"\tLighting1Brightness=";
    AppendList(t, p.Lighting1Brightness, 0);
    w.EndLine();
    t += u"\tLighting1ColorSelected=";
    for (const auto& group : p.Lighting1ColorSelected) AppendList(t, group, u';');
    w.EndLine();
    t += u"\tLighting1FixedColor=";
    for (const auto& group : p.Lighting1FixedColor) {
        for (size_t k = 0; k < group.size(); ++k) {
            AppendColour(t, group[k]);
            t += k < 9 ? u'|' : u';';
        }
    }
    w.EndLine();
    t += u"\tLighting1Direction=";
    AppendList(t, p.Lighting1Direction, 0);
    w.EndLine();

    w.Line(u"Lighting2Name=" + p.Lighting2Name);
    t += u"\tLighting2ModeValue=";
    AppendBytes3(t, p.Lighting2ModeValue);
    w.EndLine();
    t += u"\tLighting2OffOn=";
    AppendHex2(t, p.Lighting2OffOn);
    w.EndLine();
    t += u"\tLighting2Speed=";
    AppendHex2(t, p.Lighting2Speed);
    w.EndLine();
    t += u"\tLighting2Brightness=";
    AppendHex2(t, p.Lighting2Brightness);
    w.EndLine();
    t += u"\tLighting2FixedColor=";
    AppendColour(t, p.Lighting2FixedColor);
    w.EndLine();

    for (int k = 0; k < kKeyCount; ++k) {
        const KeyAssignment& key = p.keys[size_t(k)];
        t += u"Key";
        AppendDecimal(t, k);
        t += u"Name=";
        t += key.KeyName;
        w.EndLine();
        t += u"\tKey";
        AppendDecimal(t, k);
        t += u"Value=";
        AppendBytes3(t, key.KeyValue);
        w.EndLine();
        t += u"\tMacroKey";
        AppendDecimal(t, k);
        t += u"Name=";
        t += key.KeyMacro.Name;
        w.EndLine();
        t += u"\t\tMacroActionNum=";
        AppendDecimal(t, key.KeyMacro.ActionCount);
        w.EndLine();
        t += u"\t\tAllAction=";
        AppendAllActions(t, key.KeyMacro);
        w.EndLine();
    }
    return w.Bytes();
}

Status WriteProfileFile(const Profile& profile, const std::filesystem::path& path) {
    if (Status s = CheckProfileFits(profile); !s) return makeError(0, path.string() + ": " + s.error().context);
    return WriteFileAtomically(path, FormatProfileFile(profile));
}

Status ExportProfileFile(const Profile& profile, const std::filesystem::path& path) {
    if (Status s = CheckProfileFits(profile); !s) return makeError(0, path.string() + ": " + s.error().context);
    return WriteExportFile(path, FormatProfileFile(profile));
}

Result<Profile> ReadProfileFileInto(const std::filesystem::path& path, const Profile& base) {
    auto bytes = ReadFileBytes(path);
    if (!bytes) return bytes.error();
    auto parsed = ParseProfileFile(*bytes, base);
    if (!parsed) return makeError(0, path.string() + ": " + parsed.error().context);
    return parsed;
}

}  // namespace orvane
