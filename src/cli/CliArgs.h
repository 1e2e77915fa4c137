#pragma once
// orvanectl's command line: global options, then a command and its words.
#include <optional>
#include <string>
#include <vector>

#include "base/Result.h"

namespace orvane::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;  // a device or file error
inline constexpr int kExitUsage = 2;

struct CliArgs {
    std::optional<std::string> appDir;
    std::optional<std::string> simulate;  // the option list; empty text for plain --simulate
    bool json = false;
    bool help = false;
    bool version = false;
    std::string command;
    std::vector<std::string> words;  // what follows the command
};

// Fails with a usage message for an unknown option or a missing value.
Result<CliArgs> parseCliArgs(const std::vector<std::string>& argv);

std::string usageText();

}  // namespace orvane::cli
