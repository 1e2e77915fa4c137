#include "profile/MacroLibraryFile.h"

#include "profile/ActionText.h"
#include "profile/AtomicFile.h"
#include "profile/MacroCommands.h"
#include "profile/NameRules.h"
#include "profile/TextFile.h"
#include "profile/TextNumbers.h"

namespace orvane {
namespace {

class LibraryParser {
public:
    explicit LibraryParser(std::string_view bytes) : lines_(bytes) {}

    bool Header() {
        auto line = lines_.Next();
        if (line && *line == u"[MacroLibrary]") return true;
        return FailAt(1, "not the macro library header");
    }

    // The next line, which must hold "=" followed by at least one character.
    bool Entry(std::string_view what) {
        auto line = lines_.Next();
        if (!line) return FailAt(lines_.LineNumber() + 1, "file ends before " + std::string(what));
        line_ = std::move(*line);
        const size_t eq = line_.find(u'=');
        if (eq == Text::npos || eq + 1 == line_.size()) return Fail("malformed " + std::string(what));
        value_ = std::u16string_view(line_).substr(eq + 1);
        return true;
    }

    [[nodiscard]] std::u16string_view Value() const { return value_; }
    [[nodiscard]] int32_t Number() const { return ParseDecimal(value_); }
    [[nodiscard]] const std::string& ErrorText() const { return error_; }

    bool Fail(const std::string& what) { return FailAt(lines_.LineNumber(), what); }

    // Lines count from 1; a line that is missing is the one after the last.
    bool FailAt(int line, const std::string& what) {
        error_ = "line " + std::to_string(line) + ": " + what;
        return false;
    }

private:
    LineReader lines_;
    Text line_;
    std::u16string_view value_;
    std::string error_;
};

bool ParseKey(LibraryParser& in, MacroSet& set, int32_t setIndex) {
    if (!in.Entry("key name")) return false;
    MacroKey& key = set.AddKey(Text(in.Value()));
    if (!in.Entry("loop type")) return false;
    key.LoopType = uint8_t(in.Number());
    if (!in.Entry("loop count")) return false;
    key.LoopNum = uint8_t(in.Number());
    if (!in.Entry("action count")) return false;
    key.ActionCount = ParseUnsigned32(in.Value());
    if (!in.Entry("command action count")) return false;
    key.CommandActionNum = uint8_t(in.Number());
    if (!in.Entry("actions")) return false;
    if (in.Value().size() != kAllActionLength) return in.Fail("AllAction is not 2688 hex digits");
    ParseAllActions(in.Value(), key);
    // Taken in, such a macro would reach the mouse cut short or wrapped round: the file is
    // refused and says which macro.
    if (std::string why = MacroLimitProblem(key); !why.empty())
        return in.Fail("macro \"" + toUtf8(key.GetName()) + "\" of set " + std::to_string(setIndex + 1) +
                       " has " + why);
    // The count comes from the actions: a count written by other rules would have the mouse
    // run trailing empty events or leave the last ones out.
    RecountCommands(key);
    return true;
}

Status NameFits(const Text& name, const std::string& what) {
    const NameCheck check = CheckFileText(name, false);
    if (check) return {};
    return makeError(0, check.Describe(what) + ": the library file could not be read back");
}

Status NameAllowed(const Text& name, const std::string& what) {
    const NameCheck check = CheckMacroName(name);
    if (check) return {};
    return makeError(0, check.Describe(what));
}

// Applies `check` to every set's name and every macro's name, stopping at the first failure.
template <typename Check>
Status CheckNames(const MacroLibrary& library, Check check) {
    for (uint32_t s = 0; s < library.SetCount(); ++s) {
        const MacroSet& set = *library.FindSet(s);
        const std::string where = "macro set " + std::to_string(s + 1);
        if (Status st = check(set.GetName(), "name of " + where); !st) return st;
        for (uint32_t k = 0; k < set.KeyCount(); ++k) {
            const std::string key = "name of macro " + std::to_string(k + 1) + " in " + where;
            if (Status st = check(set.FindKey(k)->GetName(), key); !st) return st;
        }
    }
    return {};
}

Status SizeFits(size_t bytes) {
    if (bytes <= kMaxReadBytes) return {};
    return makeError(EFBIG, "the library file would take " + std::to_string(bytes) + " bytes, more than the " +
                                std::to_string(kMaxReadBytes >> 20) + " MiB this program reads back");
}

Status WriteChecked(const MacroLibrary& library, const std::filesystem::path& path,
                    Status (*write)(const std::filesystem::path&, std::string_view)) {
    if (Status s = CheckNames(library, NameFits); !s) return makeError(0, path.string() + ": " + s.error().context);
    const std::string bytes = FormatLibraryFile(library);
    if (Status s = SizeFits(bytes.size()); !s) return makeError(s.error().code, path.string() + ": " + s.error().context);
    return write(path, bytes);
}

}  // namespace

Status CheckLibraryFits(const MacroLibrary& library) {
    if (Status s = CheckNames(library, NameFits); !s) return s;
    return SizeFits(FormatLibraryFile(library).size());
}

Status CheckImportedLibrary(const MacroLibrary& library) {
    // Names are held to the rules a macro dialog applies, so an import cannot bring in a name
    // the window would never let the user type; then the file it makes must read back.
    if (Status s = CheckNames(library, NameAllowed); !s) return s;
    // A button plays its macro by name: two macros of one name in a set would leave which one
    // plays to chance, and the macro dialogs refuse a name the set already holds.
    for (uint32_t s = 0; s < library.SetCount(); ++s) {
        const MacroSet& set = *library.FindSet(s);
        for (uint32_t k = 1; k < set.KeyCount(); ++k)
            for (uint32_t j = 0; j < k; ++j)
                if (set.FindKey(k)->GetName() == set.FindKey(j)->GetName())
                    return makeError(0, "macro " + std::to_string(k + 1) + " in macro set " + std::to_string(s + 1) +
                                            " has the name of macro " + std::to_string(j + 1) +
                                            "; a set holds each name once");
    }
    return CheckLibraryFits(library);
}

std::string FormatLibraryFile(const MacroLibrary& library) {
    TextFileWriter w;
    Text& t = w.Current();
    w.Line(u"[MacroLibrary]");
    t += u"MacroSetNum=";
    AppendDecimal(t, library.SetCount());
    w.EndLine();
    for (uint32_t s = 0; s < library.SetCount(); ++s) {
        const MacroSet& set = *library.FindSet(s);
        t += u"\tMacroSet";
        AppendDecimal(t, s);
        t += u"Name=";
        t += set.GetName();
        w.EndLine();
        t += u"\t\tMacroKeyNum=";
        AppendDecimal(t, set.KeyCount());
        w.EndLine();
        for (uint32_t k = 0; k < set.KeyCount(); ++k) {
            const MacroKey& key = *set.FindKey(k);
            t += u"\t\tMacroKey";
            AppendDecimal(t, k);
            t += u"Name=";
            t += key.Name;
            w.EndLine();
            t += u"\t\t\tMacroKey";
            AppendDecimal(t, k);
            t += u"LoopType=";
            AppendDecimal(t, key.LoopType);
            w.EndLine();
            t += u"\t\t\tMacroKey";
            AppendDecimal(t, k);
            t += u"LoopNum=";
            AppendDecimal(t, key.LoopNum);
            w.EndLine();
            t += u"\t\t\tMacroActionNum=";
            AppendDecimal(t, key.ActionCount);
            w.EndLine();
            t += u"\t\t\tMacroCommandActionNum=";
            AppendDecimal(t, key.CommandActionNum);
            w.EndLine();
            t += u"\t\t\tAllAction=";
            AppendAllActions(t, key);
            w.EndLine();
        }
    }
    return w.Bytes();
}

Result<MacroLibrary> ParseLibraryFile(std::string_view bytes) {
    MacroLibrary library;
    LibraryParser in(bytes);
    if (!in.Header() || !in.Entry("set count")) return makeError(0, in.ErrorText());
    const int32_t setCount = in.Number();
    for (int32_t s = 0; s < setCount; ++s) {
        if (!in.Entry("set name")) return makeError(0, in.ErrorText());
        MacroSet& set = library.AddSet(Text(in.Value()));
        if (!in.Entry("key count")) return makeError(0, in.ErrorText());
        const int32_t keyCount = in.Number();
        for (int32_t k = 0; k < keyCount; ++k) {
            if (!ParseKey(in, set, s)) return makeError(0, in.ErrorText());
        }
    }
    return library;
}

Status WriteLibraryFile(const MacroLibrary& library, const std::filesystem::path& path) {
    return WriteChecked(library, path, WriteFileAtomically);
}

Status ExportLibraryFile(const MacroLibrary& library, const std::filesystem::path& path) {
    return WriteChecked(library, path, WriteExportFile);
}

Status ReadLibraryFile(MacroLibrary& library, const std::filesystem::path& path) {
    library.ClearLibrary();
    auto bytes = ReadFileBytes(path);
    if (!bytes) return bytes.error();
    auto parsed = ParseLibraryFile(*bytes);
    if (!parsed) return makeError(0, path.string() + ": " + parsed.error().context);
    library = std::move(parsed.value());
    return {};
}

}  // namespace orvane
