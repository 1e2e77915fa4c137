#pragma once
// The hand-written walkers of the completion scripts, before the data from the command table
// is added (see Completion.h). @COMMANDS@ and @GLOBALS@ stand for the command names and the
// program's own options.
#include <string>

namespace orvane::cli {

std::string bashScript();
std::string zshScript();
std::string fishScript();

}  // namespace orvane::cli
