// Writes one well-formed file per reader into the fuzzers' starting corpus, beside the inputs kept
// in fuzz/corpus: a whole profile or library file does not fit the byte budget of those.
#include <cstdio>
#include <filesystem>

#include "profile/AtomicFile.h"
#include "profile/LanguageTable.h"
#include "profile/MacroLibraryFile.h"
#include "profile/ProfileFile.h"
#include "profile/SettingsFile.h"
#include "profile/TextFile.h"

int main(int argc, char** argv) {
    using namespace orvane;
    if (argc != 2) {
        std::fprintf(stderr, "usage: orvane-fuzz-seeds CORPUS_ROOT\n");
        return 2;
    }
    const std::filesystem::path root = argv[1];
    auto put = [&](const char* fuzzer, const std::string& bytes) {
        std::filesystem::create_directories(root / fuzzer);
        return WriteFileAtomically(root / fuzzer / "seed", bytes).ok();
    };
    LanguageTable names;
    names.SetText(85, u"Profile 1");
    Profile profile;
    ResetProfileToDefaults(profile, 0, names, 0x3370);
    profile.keys[1].KeyMacro.InsertAction(0, 0x32000003);
    profile.keys[1].KeyMacro.Name = u"m";
    Settings settings;
    settings.ResetToDefaults("/opt/orvane");
    MacroLibrary library;
    library.AddSet(u"Set").AddKey(u"Key").InsertAction(0, 0xE0);
    TextFileWriter language;
    language.Line(u"[Setting]");
    language.Line(u"0=中文");
    language.Line(u"7=text");
    TextFileWriter selector;
    selector.Line(u"[ChangeLanguage]");
    selector.Line(u"Language=EN");
    const bool ok = put("ProfileFileFuzzer", FormatProfileFile(profile)) &&
                    put("SettingsFileFuzzer", FormatSettingsFile(settings)) &&
                    put("MacroLibraryFuzzer", FormatLibraryFile(library)) &&
                    put("ImportedLibraryFuzzer", FormatLibraryFile(library)) &&
                    put("LanguageFileFuzzer", language.Bytes()) &&
                    put("LanguageSelectorFuzzer", selector.Bytes());
    return ok ? 0 : 1;
}
