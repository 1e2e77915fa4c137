#pragma once
// Shell completion for orvanectl, generated from the command table: what each word of a
// command line may be, written out as a bash, zsh or fish script.
#include <string>
#include <vector>

namespace orvane::cli {

enum class CompletionAction {
    Words,  // the listed words
    Files,
    Folders,
    Macros,        // the names of the library's macros, of every set
    ButtonMacros,  // the names of the first set's macros, the ones a button can run
    Sets,          // the set numbers of the library
    DpiValues,     // the DPI values of the stored sensor
};

// One place on a command line: "PATH|N|PREVIOUS" for the N-th word (from 0) after the command
// path, PREVIOUS the positional word before it ("*" for any); "PATH|--option" for an option's value.
struct CompletionSlot {
    std::string key;
    CompletionAction action = CompletionAction::Words;
    std::vector<std::string> words;
};

std::vector<CompletionSlot> completionSlots();

// The script for "bash", "zsh" or "fish"; empty for another shell.
std::string completionScript(const std::string& shell);

}  // namespace orvane::cli
