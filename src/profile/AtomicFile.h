#pragma once
// File access for the config folder and the files a user imports.
//
// Reading opens without blocking, accepts regular files only and stops at kMaxReadBytes, so a
// path that names a FIFO, a device or a huge file fails at once instead of hanging or eating
// memory. Writing never leaves a half-written file: the bytes go to a temporary file in the same
// folder, reach the disk, and only then replace the target by a rename. A target that is not a
// regular file, or that its owner made read-only, is never replaced.
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "base/Result.h"

namespace orvane {

// The largest file any reader accepts. The largest file of the folder is the macro library, and
// the largest library a button can use is one set of 256 macros (a button holds the macro's index
// in one byte). Each macro is six lines, at most (UTF-16 units, line feed included): its name
// line with 24 characters, loop type, loop count, action count, command count, and 336 actions
// of eight hex digits: 2 849 units, so such a set is about 1.5 MB. The bound takes ten of them;
// a profile file is about 38 KB.
inline constexpr size_t kLibraryKeyUnits = (2 + 8 + 3 + 5 + 24 + 1) + (3 + 8 + 3 + 9 + 3 + 1) +
                                           (3 + 8 + 3 + 8 + 3 + 1) + (3 + 15 + 3 + 1) + (3 + 22 + 3 + 1) +
                                           (3 + 10 + 336 * 8 + 1);
inline constexpr size_t kMaxReadBytes = size_t(16) << 20;
static_assert(kLibraryKeyUnits == 2849 && kMaxReadBytes > 10 * 256 * kLibraryKeyUnits * 2);

// The whole file. A file that does not exist gives an error whose isGone() is true.
Result<std::string> ReadFileBytes(const std::filesystem::path& path, size_t maxBytes = kMaxReadBytes);

// Refuses bytes that ReadFileBytes would refuse (more than kMaxReadBytes), so that no save
// leaves a file the next start would have to set aside.
Status WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);
// The same for a file written outside the config folder, where nothing removes what a killed
// save left: the bytes are written to a file without a name, which is named only when complete
// (or, replacing a file, given a locked temporary name just for the rename). A file system that
// cannot do that gets WriteFileAtomically.
Status WriteExportFile(const std::filesystem::path& path, std::string_view bytes);

// True when the file exists and may not be changed by us: no write permission for us, or no write
// permission bit at all (which root would otherwise ignore).
bool IsReadOnlyFile(const std::filesystem::path& path);

// Moves a file that could not be read out of the way of its replacement, keeping it as
// "NAME.bak"; when that exists, as the first free "NAME.bak.1" ... "NAME.bak.9", so earlier copies
// survive (with all ten taken, the newest copy, NAME.bak.9, gives way). Works for files we cannot
// read and for FIFOs or devices alike, since nothing is copied. Returns the copy's path.
inline constexpr int kBackupCopies = 10;
Result<std::filesystem::path> SetAside(const std::filesystem::path& path);
std::filesystem::path BackupPath(const std::filesystem::path& path, int n);  // n = 0: NAME.bak

// Temporary files are named ".NAME.orvane-XXXXXX" and locked while a save writes them; one that
// is not locked was left by a save that was killed. Removes those in `folder` and returns how
// many it removed.
bool IsTemporaryName(std::string_view fileName);
int RemoveStaleTemporaries(const std::filesystem::path& folder);

}  // namespace orvane
