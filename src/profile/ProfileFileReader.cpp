// Reading of the profile file: every line in its place, names never compared.
#include "profile/ActionText.h"
#include "profile/ProfileFile.h"
#include "profile/TextFile.h"
#include "profile/TextNumbers.h"

namespace orvane {
namespace {

class ProfileParser {
public:
    explicit ProfileParser(std::string_view bytes) : lines_(bytes) {}

    // The next line with "=" at position 1 or later; the value starts after the first "=".
    bool Named(std::u16string_view what) { return Take(what, 1, 0); }
    // "=" anywhere, including first.
    bool AnyEquals(std::u16string_view what) { return Take(what, 0, 0); }
    // "=" anywhere with at least one character after it.
    bool ValueRequired(std::u16string_view what) { return Take(what, 0, 1); }

    bool Header() {
        auto line = lines_.Next();
        if (line && *line == u"[Setting]") return true;
        error_ = "line 1: not the profile header";
        return false;
    }

    [[nodiscard]] const Text& Line() const { return line_; }
    [[nodiscard]] std::u16string_view Value() const { return std::u16string_view(line_).substr(p_); }
    [[nodiscard]] std::u16string_view Name() const { return std::u16string_view(line_).substr(0, p_ - 1); }
    [[nodiscard]] uint8_t Byte(size_t at = 0) const { return uint8_t(HexField(line_, p_ + at, 2)); }
    [[nodiscard]] uint16_t Word() const { return uint16_t(HexField(line_, p_, 4)); }
    [[nodiscard]] Colour ColourAt(size_t at) const {
        return Colour(Byte(at)) | Colour(Byte(at + 2)) << 8 | Colour(Byte(at + 4)) << 16;
    }
    [[nodiscard]] std::array<uint8_t, 3> Bytes3() const { return {Byte(0), Byte(2), Byte(4)}; }
    void List(std::array<uint8_t, 10>& out, size_t first = 0) const {
        for (size_t k = 0; k < out.size(); ++k) out[k] = Byte(3 * (first + k));
    }
    [[nodiscard]] const std::string& ErrorText() const { return error_; }
    bool Fail(std::string_view what) {
        error_ = "line " + std::to_string(lines_.LineNumber()) + ": " + std::string(what);
        return false;
    }

private:
    bool Take(std::u16string_view what, size_t minPos, size_t minAfter) {
        auto line = lines_.Next();
        if (!line) {
            error_ = "line " + std::to_string(lines_.LineNumber() + 1) + ": file ends before " + toUtf8(what);
            return false;
        }
        line_ = std::move(*line);
        const size_t eq = line_.find(u'=');
        if (eq == Text::npos || eq < minPos || line_.size() - eq - 1 < minAfter) {
            error_ = "line " + std::to_string(lines_.LineNumber()) + ": malformed " + toUtf8(what);
            return false;
        }
        p_ = eq + 1;
        return true;
    }

    LineReader lines_;
    Text line_;
    size_t p_ = 0;
    std::string error_;
};

bool ParseSettingsPart(ProfileParser& in, Profile& p) {
    for (int n = 0; n < kProfilePairCount; ++n) {
        if (!in.Named(u"setting pair")) return false;
        p.pairs[size_t(n)] = {Text(in.Name()), Text(in.Value())};
    }
    if (!in.Named(u"DPIOffOnFlagValue")) return false;
    p.DPIOffOnFlagValue = in.Byte();
    for (auto& step : p.XYSetting) {
        if (!in.Named(u"XYSetting")) return false;
        step = in.Word();
    }
    if (!in.Named(u"CurrentDPILevelValue")) return false;
    p.CurrentDPILevelValue = in.Byte();
    for (auto& colour : p.DPILevelIndication) {
        if (!in.Named(u"DPILevelIndication")) return false;
        colour = in.ColourAt(0);
    }
    if (!in.Named(u"AngleSnapValue")) return false;
    p.AngleSnapValue = in.Byte();
    if (!in.Named(u"LiftDetectionValue")) return false;
    p.LiftDetectionValue = in.Byte();
    if (!in.Named(u"PollingRateName")) return false;
    p.PollingRateName = in.Value();
    if (!in.Named(u"PollingRateValue")) return false;
    p.PollingRateValue = in.Bytes3();
    return true;
}

bool ParseLightingPart(ProfileParser& in, Profile& p) {
    if (!in.Named(u"Lighting1Name")) return false;
    p.Lighting1Name = in.Value();
    if (!in.Named(u"Lighting1ModeValue")) return false;
    p.Lighting1ModeValue = in.Bytes3();
    if (!in.Named(u"Lighting1OffOn")) return false;
    p.Lighting1OffOn = in.Byte();
    if (!in.Named(u"Lighting1Speed")) return false;
    in.List(p.Lighting1Speed);
    if (!in.Named(u"Lighting1Brightness")) return false;
    in.List(p.Lighting1Brightness);
    if (!in.Named(u"Lighting1ColorSelected")) return false;
    for (size_t effect = 0; effect < p.Lighting1ColorSelected.size(); ++effect) {
        in.List(p.Lighting1ColorSelected[effect], effect * 10);
    }
    if (!in.Named(u"Lighting1FixedColor")) return false;
    for (size_t k = 0; k < 100; ++k) p.Lighting1FixedColor[k / 10][k % 10] = in.ColourAt(7 * k);
    if (!in.Named(u"Lighting1Direction")) return false;
    in.List(p.Lighting1Direction);

    if (!in.Named(u"Lighting2Name")) return false;
    p.Lighting2Name = in.Value();
    if (!in.Named(u"Lighting2ModeValue")) return false;
    p.Lighting2ModeValue = in.Bytes3();
    if (!in.Named(u"Lighting2OffOn")) return false;
    p.Lighting2OffOn = in.Byte();
    if (!in.Named(u"Lighting2Speed")) return false;
    p.Lighting2Speed = in.Byte();
    if (!in.Named(u"Lighting2Brightness")) return false;
    p.Lighting2Brightness = in.Byte();
    if (!in.Named(u"Lighting2FixedColor")) return false;
    p.Lighting2FixedColor = in.ColourAt(0);
    return true;
}

bool ParseKeyBlock(ProfileParser& in, KeyAssignment& key) {
    if (!in.Named(u"KeyName")) return false;
    key.KeyName = in.Value();
    if (!in.Named(u"KeyValue")) return false;
    key.KeyValue = in.Bytes3();
    if (!in.AnyEquals(u"MacroKeyName")) return false;
    key.KeyMacro.Name = in.Value();
    if (!in.ValueRequired(u"MacroActionNum")) return false;
    key.KeyMacro.ActionCount = ParseUnsigned32(in.Value());
    if (!in.AnyEquals(u"AllAction")) return false;
    if (in.Value().size() != kAllActionLength) return in.Fail("AllAction is not 2688 hex digits");
    ParseAllActions(in.Value(), key.KeyMacro);
    return true;
}

}  // namespace

Result<Profile> ParseProfileFile(std::string_view bytes, const Profile& base) {
    Profile p = base;
    ProfileParser in(bytes);
    bool ok = in.Header() && ParseSettingsPart(in, p) && ParseLightingPart(in, p);
    for (auto& key : p.keys) ok = ok && ParseKeyBlock(in, key);
    if (!ok) return makeError(0, in.ErrorText());
    return p;
}

}  // namespace orvane
