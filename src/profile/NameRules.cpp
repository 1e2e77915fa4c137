#include "profile/NameRules.h"

namespace orvane {
namespace {

bool IsLineBreak(char16_t c) {
    return c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f' || c == u'\u0085' || c == u'\u2028' ||
           c == u'\u2029';
}

bool IsControl(char16_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

// Line breaks first: they are what breaks a file; the other problems only spoil the name.
NameProblem FindProblem(std::u16string_view text) {
    NameProblem found = NameProblem::None;
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (IsLineBreak(c)) return NameProblem::LineBreak;
        if (found != NameProblem::None) continue;
        if (IsControl(c)) {
            found = NameProblem::ControlCharacter;
        } else if (c >= 0xD800 && c <= 0xDBFF) {
            if (i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
                ++i;
            else
                found = NameProblem::BrokenText;
        } else if (c >= 0xDC00 && c <= 0xDFFF) {
            found = NameProblem::BrokenText;
        }
    }
    return found;
}

NameCheck CheckName(std::u16string_view name, size_t maxLength) {
    if (name.empty()) return {NameProblem::Empty, maxLength};
    if (const NameProblem p = FindProblem(name); p != NameProblem::None) return {p, maxLength};
    if (name.size() > maxLength) return {NameProblem::TooLong, maxLength};
    return {NameProblem::None, maxLength};
}

}  // namespace

std::string NameCheck::Describe(std::string_view what) const {
    const std::string subject = "the " + std::string(what);
    switch (problem) {
        case NameProblem::None: return subject + " is fine";
        case NameProblem::Empty: return subject + " is empty";
        case NameProblem::TooLong:
            return subject + " is longer than " + std::to_string(maxLength) + " characters";
        case NameProblem::LineBreak: return subject + " holds a line break";
        case NameProblem::ControlCharacter: return subject + " holds a control character";
        case NameProblem::BrokenText: return subject + " is not valid text (an unpaired surrogate)";
    }
    return subject + " is not allowed";
}

NameCheck CheckProfileName(std::u16string_view name) { return CheckName(name, kProfileNameMaxLength); }

NameCheck CheckMacroName(std::u16string_view name) { return CheckName(name, kMacroNameMaxLength); }

NameCheck CheckProgramName(std::u16string_view name) { return CheckName(name, kProgramNameMaxLength); }

NameCheck CheckImportedProfileName(std::u16string_view name) {
    if (name.empty()) return {NameProblem::None, kProfileNameMaxLength};
    return CheckProfileName(name);
}

NameCheck CheckFileText(std::u16string_view text, bool mayBeEmpty) {
    if (text.empty() && !mayBeEmpty) return {NameProblem::Empty, 0};
    // Only a line feed ends a line for the readers; anything else on the line reads back as written.
    if (text.find(u'\n') != std::u16string_view::npos) return {NameProblem::LineBreak, 0};
    return {};
}

}  // namespace orvane
