#include "cli/Completion.h"

#include "cli/CommandTable.h"
#include "cli/CompletionScripts.h"

namespace orvane::cli {

namespace {

std::string joined(const std::vector<std::string>& words) {
    std::string out;
    for (const std::string& w : words) out += (out.empty() ? "" : " ") + w;
    return out;
}

CompletionSlot slotFor(std::string key, const ArgDef& arg) {
    switch (arg.kind) {
        case ArgKind::Choice:
        case ArgKind::Text:
        case ArgKind::ButtonFunction:
            return {std::move(key), CompletionAction::Words, arg.choices};
        case ArgKind::File:
            return {std::move(key), CompletionAction::Files, {}};
        case ArgKind::Folder:
            return {std::move(key), CompletionAction::Folders, {}};
        case ArgKind::Macro:
            return {std::move(key), CompletionAction::Macros, {}};
        case ArgKind::MacroSet:
            return {std::move(key), CompletionAction::Sets, {}};
        case ArgKind::Dpi:
            return {std::move(key), CompletionAction::DpiValues, {}};
    }
    return {std::move(key), CompletionAction::Words, {}};
}

const char* actionName(CompletionAction a) {
    switch (a) {
        case CompletionAction::Words:
            return "words";
        case CompletionAction::Files:
            return "files";
        case CompletionAction::Folders:
            return "folders";
        case CompletionAction::Macros:
            return "macros";
        case CompletionAction::ButtonMacros:
            return "button-macros";
        case CompletionAction::Sets:
            return "sets";
        case CompletionAction::DpiValues:
            return "dpi";
    }
    return "words";
}

// A key as a case pattern: quoted, with a trailing "*" left as the wildcard (fish's switch
// takes wildcards inside quotes; bash and zsh only outside).
std::string pattern(const std::string& key, bool fish = false) {
    if (!fish && !key.empty() && key.back() == '*') return "'" + key.substr(0, key.size() - 1) + "'*";
    return "'" + key + "'";
}

struct ShellData {
    std::vector<std::pair<std::string, std::vector<std::string>>> subs;  // command, its subcommands
    std::vector<const CommandDef*> withOptions;
    std::vector<CompletionSlot> slots;
};

ShellData shellData() {
    ShellData d;
    for (const std::string& c : commandNames())
        if (auto subs = subcommandsOf(c); !subs.empty()) d.subs.emplace_back(c, std::move(subs));
    for (const CommandDef& c : commandTable())
        if (!c.help.empty() && !c.options.empty()) d.withOptions.push_back(&c);
    d.slots = completionSlots();
    return d;
}

std::vector<std::string> optionNames(const std::vector<OptionDef>& options, bool valuedOnly) {
    std::vector<std::string> names;
    for (const OptionDef& o : options)
        if (!valuedOnly || o.takesValue) names.push_back(o.name);
    return names;
}

// bash and zsh share the syntax of these three functions.
std::string posixData(const ShellData& d, const std::string& prefix) {
    std::string s = prefix + "_subs() {\n    case $1 in\n";
    for (const auto& [command, subs] : d.subs)
        s += "        " + pattern(command) + ") subs='" + joined(subs) + "' ;;\n";
    s += "        *) subs='' ;;\n    esac\n}\n\n";
    s += prefix + "_options() {\n    case $1 in\n";
    for (const CommandDef* c : d.withOptions)
        s += "        " + pattern(c->joinedPath()) + ") opts='" + joined(optionNames(c->options, false)) +
             "' valued='" + joined(optionNames(c->options, true)) + "' ;;\n";
    s += "        *) opts='' valued='' ;;\n    esac\n}\n\n";
    s += prefix + "_slot() {\n    case $1 in\n";
    for (const CompletionSlot& slot : d.slots)
        s += "        " + pattern(slot.key) + ") action=" + actionName(slot.action) + " cands='" +
             joined(slot.words) + "' ;;\n";
    s += "        *) action='' cands='' ;;\n    esac\n}\n";
    return s;
}

std::string fishData(const ShellData& d) {
    std::string s = "function __orvanectl_subs\n    switch $argv[1]\n";
    for (const auto& [command, subs] : d.subs)
        s += "        case " + pattern(command) + "\n            printf '%s\\n' " + joined(subs) + "\n";
    s += "    end\nend\n\n";
    s += "function __orvanectl_options\n    switch $argv[1]\n";
    for (const CommandDef* c : d.withOptions) {
        s += "        case " + pattern(c->joinedPath()) + "\n";
        for (const OptionDef& o : c->options)
            s += "            echo " + o.name + (o.takesValue ? "=" : "") + "\n";
    }
    s += "    end\nend\n\n";
    s += "function __orvanectl_slot\n    switch $argv[1]\n";
    for (const CompletionSlot& slot : d.slots)
        s += "        case " + pattern(slot.key, true) + "\n            printf '%s\\n' " +
             actionName(slot.action) + (slot.words.empty() ? "" : " " + joined(slot.words)) + "\n";
    s += "    end\nend\n";
    return s;
}

std::string globalsWords() {
    return joined(optionNames(globalOptions(), false));
}

std::string replaceAll(std::string text, const std::string& what, const std::string& with) {
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + with.size()))
        text.replace(at, what.size(), with);
    return text;
}

}  // namespace

std::vector<CompletionSlot> completionSlots() {
    std::vector<CompletionSlot> slots;
    for (const CommandDef& c : commandTable()) {
        if (c.help.empty()) continue;
        const std::string path = c.joinedPath();
        for (size_t k = 0; k < c.args.size(); ++k) {
            const std::string at = path + "|" + std::to_string(k) + "|";
            // "macro NAME" as a button's function names a macro of the first set.
            if (c.args[k].kind == ArgKind::ButtonFunction)
                slots.push_back({at.substr(0, at.size() - 2) + std::to_string(k + 1) + "|macro",
                                 CompletionAction::ButtonMacros,
                                 {}});
            slots.push_back(slotFor(at + "*", c.args[k]));
        }
        for (const OptionDef& o : c.options)
            if (o.takesValue) slots.push_back(slotFor(path + "|" + o.name, o.value));
    }
    return slots;
}

std::string completionScript(const std::string& shell) {
    const ShellData d = shellData();
    std::string script;
    if (shell == "bash")
        script = bashScript() + "\n" + posixData(d, "_orvanectl");
    else if (shell == "zsh")
        script = zshScript() + "\n" + posixData(d, "_orvanectl");
    else if (shell == "fish")
        script = fishScript() + "\n" + fishData(d);
    else
        return {};
    script = replaceAll(script, "@COMMANDS@", joined(commandNames()));
    script = replaceAll(script, "@GLOBALS@", globalsWords());
    if (shell == "bash") script += "\ncomplete -F _orvanectl orvanectl\n";
    if (shell == "zsh")
        script +=
            "\nif [ \"$funcstack[1]\" = _orvanectl ]; then\n    _orvanectl \"$@\"\nelse\n"
            "    compdef _orvanectl orvanectl\nfi\n";
    if (shell == "fish")
        script += "\ncomplete -c orvanectl -e\ncomplete -c orvanectl -f -a '(__orvanectl_complete)'\n";
    return script;
}

}  // namespace orvane::cli
