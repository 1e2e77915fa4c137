#pragma once
// What to tell a user whose mouse is plugged in but whose hidraw node this user may not open:
// the udev rule that gives the user at the seat access, whether it is installed, and the one
// command that fixes it. Shared by orvanectl and the window.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace orvane {

inline constexpr const char* kUdevRuleName = "70-orvane.rules";
// Where an administrator's rule goes (the package's own is in /usr/lib/udev/rules.d).
inline constexpr const char* kUdevRulesFolder = "/etc/udev/rules.d";

// The rule file's contents, as shipped in data/udev.
const char* UdevRuleText();

// The folders udev reads rules from, most specific first.
std::vector<std::filesystem::path> UdevRuleFolders();
// The installed rule file, if any of the folders holds one by our name.
std::optional<std::filesystem::path> InstalledUdevRule(const std::vector<std::filesystem::path>& folders);

// "orvanectl" when it is found on PATH, else the one beside the running program.
std::string OrvanectlCommand();

struct AccessAdvice {
    bool ruleInstalled = false;
    std::string command;  // the one command to run in a terminal
    std::string text;     // one paragraph for the command line
};
// For a permission failure on `path`, with the rule looked for in ruleFolders.
AccessAdvice AdviseOnDeniedAccess(const std::string& path,
                                  const std::vector<std::filesystem::path>& ruleFolders = UdevRuleFolders());

}  // namespace orvane
