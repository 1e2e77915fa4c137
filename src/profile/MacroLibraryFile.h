#pragma once
// The macro library file (".mlf"): sets and their keys in order, each key with all 336 slots.
#include <filesystem>
#include <string>
#include <string_view>

#include "base/Result.h"
#include "profile/MacroLibrary.h"

namespace orvane {

std::string FormatLibraryFile(const MacroLibrary& library);

// The whole file or an error naming the line that did not match; no partial result.
Result<MacroLibrary> ParseLibraryFile(std::string_view bytes);

// Whether the library's file would read back: every set and macro has a name without a line
// feed, and the file is no larger than the readers take. WriteLibraryFile refuses a library that
// fails this.
Status CheckLibraryFits(const MacroLibrary& library);
// For a library being imported: CheckLibraryFits, and every set and macro name follows the
// macro name rules (NameRules.h), as a name typed into a macro dialog does.
Status CheckImportedLibrary(const MacroLibrary& library);

Status WriteLibraryFile(const MacroLibrary& library, const std::filesystem::path& path);
// The same for a file the user chose (see WriteExportFile).
Status ExportLibraryFile(const MacroLibrary& library, const std::filesystem::path& path);

// The macro manager's reader: fills `library` (which is cleared first) or leaves it empty and
// reports why. Writes nothing.
Status ReadLibraryFile(MacroLibrary& library, const std::filesystem::path& path);

}  // namespace orvane
