// Any bytes as a file given to `macro import`: read the way the import reads it; whatever the
// import accepts is written as the library file, and that file reads back to the same library.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "profile/AtomicFile.h"
#include "profile/MacroLibraryFile.h"

namespace {

// A folder of its own for each input, removed afterwards: the fuzzer ends without running
// exit handlers, so nothing may be left for the end.
struct Folder {
    Folder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "orvane-import-fuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        path = pattern;
    }
    ~Folder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::filesystem::path path;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orvane;
    const Folder folder;
    const std::filesystem::path given = folder.path / "imported.mlf";
    const std::filesystem::path written = folder.path / "MacroLibraryFile.mlf";
    if (!WriteFileAtomically(given, std::string_view(reinterpret_cast<const char*>(data), size))) std::abort();
    MacroLibrary imported;
    if (!ReadLibraryFile(imported, given)) return 0;
    if (!CheckImportedLibrary(imported)) return 0;
    // Accepted: the write may not refuse it, and the next command must read what was imported.
    if (!WriteLibraryFile(imported, written)) std::abort();
    MacroLibrary back;
    if (!ReadLibraryFile(back, written)) std::abort();
    if (!(back == imported)) std::abort();
    return 0;
}
