#pragma once
// The profile file (".psf"): one Profile record as text, strictly positional. Pair names are taken
// from the file and written back as read; the key macros' loop settings are not stored.
#include <filesystem>
#include <string>
#include <string_view>

#include "base/Result.h"
#include "profile/Profile.h"

namespace orvane {

std::string FormatProfileFile(const Profile& profile);

// Parses a whole file into a copy of `base` (fields the file does not hold keep base's values).
// The error names the line that did not match; nothing outside the result is touched.
Result<Profile> ParseProfileFile(std::string_view bytes, const Profile& base);

// Whether the file of this profile would read back: no text holds a line feed, no setting name
// is empty or holds "=". WriteProfileFile refuses a profile that fails this.
Status CheckProfileFits(const Profile& profile);

Status WriteProfileFile(const Profile& profile, const std::filesystem::path& path);
// The same for a file the user chose (see WriteExportFile).
Status ExportProfileFile(const Profile& profile, const std::filesystem::path& path);

// Reads a file without side effects, for import and inspection: on failure no profile changes.
Result<Profile> ReadProfileFileInto(const std::filesystem::path& path, const Profile& base);

}  // namespace orvane
