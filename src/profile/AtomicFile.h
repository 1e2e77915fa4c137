#pragma once
// File access for the config folder. A write never leaves a half-written file behind: the bytes go
// to a temporary file in the same folder, which is flushed to disk and then renamed over the
// target, so a failed or interrupted write leaves the previous file as it was.
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "base/Result.h"

namespace orvane {

// The whole file. A file that does not exist gives an error whose isGone() is true.
Result<std::string> ReadFileBytes(const std::filesystem::path& path);

Status WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// Copies the file to "<path>.bak" (atomically) before something replaces it.
Status KeepBackupCopy(const std::filesystem::path& path);

// Tests make a write fail at a chosen step to check that nothing is lost.
enum class WriteStep { Create, Write, Sync, Rename };
using WriteFaultHook = std::function<bool(WriteStep step, const std::filesystem::path& target)>;
void SetWriteFaultHookForTesting(WriteFaultHook hook);

}  // namespace orvane
