#pragma once
// Every command of orvanectl with its words, in one place: --help prints its lines, the
// commands name their subcommands from it, and the shell completions are generated from it.
#include <string>
#include <vector>

namespace orvane::cli {

enum class ArgKind {
    Choice,  // one of the listed words
    File,
    Folder,
    Macro,           // the name of a macro of any set of the library
    MacroSet,        // a set of the library, numbered from 1
    Dpi,             // a DPI value of the stored sensor's table (or step:N)
    ButtonFunction,  // a function word; "macro" is followed by a macro of the first set
    Text,            // typed freely (a DPI value, a colour); the choices are suggestions
};

struct ArgDef {
    std::string name;  // as the help shows it
    ArgKind kind = ArgKind::Text;
    std::vector<std::string> choices;  // offered by completion
    bool optional = false;
    std::string example;  // a value that is taken, for the kinds without choices
};

struct OptionDef {
    std::string name;
    bool takesValue = false;
    ArgDef value;  // when takesValue
    bool required = false;
};

struct HelpLine {
    std::string usage;
    std::string text;  // lines after the first are indented under it
};

struct CommandDef {
    std::vector<std::string> path;  // {"set", "dpi-colour"}
    std::vector<ArgDef> args;
    std::vector<OptionDef> options;  // the command's own, after it
    std::vector<HelpLine> help;      // none for a command the help does not show
    std::string joinedPath() const;
};

const std::vector<CommandDef>& commandTable();
// The program's own options, taken anywhere on the line.
const std::vector<OptionDef>& globalOptions();

// The top-level commands the help shows, in its order.
std::vector<std::string> commandNames();
// The words that may follow `command` ("show", "export", ...); empty for a command without.
std::vector<std::string> subcommandsOf(const std::string& command);
// The codes of the shipped languages, then "system".
std::vector<std::string> languageWords();
// "a, b or c".
std::string listWords(const std::vector<std::string>& words);

// The "Commands:" part of --help.
std::string commandsHelp();

}  // namespace orvane::cli
