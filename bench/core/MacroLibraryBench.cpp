// Load and save of a large macro library: 1 000 keys with all 336 actions in use.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>

#include "profile/AtomicFile.h"
#include "profile/MacroLibraryFile.h"
#include "support/TempFolder.h"

namespace {

using namespace orvane;

MacroLibrary LargeLibrary() {
    MacroLibrary lib;
    for (int s = 0; s < 4; ++s) {
        MacroSet& set = lib.AddSet(u"Set " + fromUtf8(std::to_string(s)));
        for (int k = 0; k < 250; ++k) {
            MacroKey& key = set.AddKey(u"Macro " + fromUtf8(std::to_string(k)));
            // Keys with a delay after each: 168 commands, the most a macro may have.
            for (uint32_t a = 0; a < MacroKey::kSlotCount; ++a)
                key.InsertAction(a, (a % 2) ? 0x05000003u : (0x9E3779B9u * (a + 1) + k) | 0x08u);
        }
    }
    return lib;
}

void MacroLibraryLoadAndSave(benchmark::State& state) {
    const test::TempFolder dir("orvane-bench");
    const std::filesystem::path file = dir / "MacroLibraryFile.mlf";
    if (!WriteLibraryFile(LargeLibrary(), file)) state.SkipWithError("cannot write the library");
    MacroLibrary lib;
    for (auto _ : state) {
        if (!ReadLibraryFile(lib, file)) state.SkipWithError("cannot read the library");
        if (!WriteLibraryFile(lib, file)) state.SkipWithError("cannot write the library");
    }
    state.counters["bytes"] = double(std::filesystem::file_size(file));
}
BENCHMARK(MacroLibraryLoadAndSave)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same without the disk: parsing and formatting alone.
void MacroLibraryParseAndFormat(benchmark::State& state) {
    const std::string bytes = FormatLibraryFile(LargeLibrary());
    for (auto _ : state) {
        auto lib = ParseLibraryFile(bytes);
        benchmark::DoNotOptimize(FormatLibraryFile(*lib));
    }
}
BENCHMARK(MacroLibraryParseAndFormat)->Unit(benchmark::kMillisecond);

}  // namespace
