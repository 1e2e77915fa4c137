// orvanectl's macro commands: list, show, export, import and delete, on the macro library file.
#include <cstdlib>
#include <ostream>

#include "cli/Commands.h"
#include "cli/CommandTable.h"
#include "cli/Dump.h"
#include "cli/JsonWriter.h"
#include "device/KeyTables.h"
#include "device/MacroUploader.h"
#include "profile/MacroCommands.h"
#include "profile/MacroLibraryFile.h"
#include "profile/Storage.h"

namespace orvane::cli {

namespace {

constexpr const char* kLibraryFile = "MacroLibraryFile.mlf";
constexpr int kTextMacroPrefix = 190;  // what a button's name puts before its macro's name

std::string loopText(const MacroKey& m) {
    switch (m.LoopType) {
        case 1: return "repeats while held";
        case 4: return "repeats until pressed again";
        case 2: return "runs " + std::to_string(m.LoopNum) + (m.LoopNum == 1 ? " time" : " times");
        default: return "loop type " + std::to_string(m.LoopType);
    }
}

const char* loopName(uint8_t type) {
    switch (type) {
        case 1: return "while-held";
        case 4: return "until-pressed-again";
        case 2: return "count";
        default: return "unknown";
    }
}

struct ActionView {
    std::string kind;  // press, release, delay, move-x, move-y, wheel
    std::string key;   // the key's name, for presses and releases
    int64_t amount = 0;  // ms for a delay, the signed amount for moves and the wheel
};

ActionView describe(const std::array<uint8_t, 4>& b) {
    if (IsDelayCode(b[0])) return {"delay", "", int64_t(b[1]) << 16 | int64_t(b[2]) << 8 | b[3]};
    const int8_t amount = int8_t(b[3]);
    if (b[0] == 0xE5) return {"move-x", "", amount};
    if (b[0] == 0xE6) return {"move-y", "", amount};
    if (b[0] == 0xE7) return {"wheel", "", amount};
    return {(b[1] & 0x80) ? "release" : "press", toUtf8(keyName(b[0])), 0};
}

std::string actionText(const ActionView& a) {
    if (a.kind == "delay") {
        const uint32_t played = PlayedDelayMs(uint32_t(a.amount));
        return std::to_string(a.amount) + " ms" +
               (played != a.amount ? " (the mouse waits " + std::to_string(played) + " ms)" : "");
    }
    if (a.kind == "press" || a.kind == "release") return a.kind + " " + a.key;
    if (a.kind == "move-x") return (a.amount < 0 ? "move left " : "move right ") + std::to_string(std::abs(a.amount));
    if (a.kind == "move-y") return (a.amount < 0 ? "move up " : "move down ") + std::to_string(std::abs(a.amount));
    return (a.amount < 0 ? "wheel up " : "wheel down ") + std::to_string(std::abs(a.amount));
}

void writeMacroSummary(JsonWriter& json, uint32_t index, const MacroKey& m) {
    json.beginObject();
    json.field("macro", index + 1);
    json.field("name", m.GetName());
    json.field("actions", m.UsableActionCount());
    json.field("commands", int(m.CommandActionNum));
    json.key("loop").beginObject();
    json.field("type", loopName(m.LoopType));
    json.field("count", int(m.LoopNum));
    json.endObject();
    json.endObject();
}

// A set number as given (1 = the first set) checked against the library: its index, or a
// failure to report.
std::variant<uint32_t, Failure> macroSet(const MacroLibrary& library, const std::string& word) {
    uint32_t n = 0;
    for (char c : word) {
        if (c < '0' || c > '9' || n > 100000) return Failure{kExitUsage, "macro sets are numbered from 1"};
        n = n * 10 + uint32_t(c - '0');
    }
    if (word.empty() || n == 0) return Failure{kExitUsage, "macro sets are numbered from 1"};
    if (n > library.SetCount())
        return Failure{kExitFailure, "the macro library has " + std::to_string(library.SetCount()) +
                                         " set(s); there is no set " + word};
    return n - 1;
}

Outcome macroList(CommandContext& ctx) {
    const auto& w = ctx.words();
    if (w.size() > 2) return Failure{kExitUsage, "macro list takes at most a set number"};
    if (auto f = ctx.loadFiles()) return f;
    if (auto f = ctx.requireReadable(ctx.app().Config(kLibraryFile))) return f;
    const MacroLibrary& lib = ctx.app().library;
    uint32_t first = 0, last = lib.SetCount();
    if (w.size() == 2) {
        auto set = macroSet(lib, w[1]);
        if (auto* f = std::get_if<Failure>(&set)) return *f;
        first = std::get<uint32_t>(set);
        last = first + 1;
    }
    if (ctx.json()) {
        JsonWriter json;
        json.beginObject();
        json.key("sets").beginArray();
        for (uint32_t s = first; s < last; ++s) {
            const MacroSet& set = *lib.FindSet(s);
            json.beginObject();
            json.field("set", s + 1);
            json.field("name", set.GetName());
            json.field("buttons", s == 0);
            json.key("macros").beginArray();
            for (uint32_t k = 0; k < set.KeyCount(); ++k) writeMacroSummary(json, k, *set.FindKey(k));
            json.endArray();
            json.endObject();
        }
        json.endArray();
        json.endObject();
        ctx.print(json.str());
        return std::nullopt;
    }
    std::string text;
    if (lib.SetCount() == 0) text = "the macro library is empty\n";
    for (uint32_t s = first; s < last; ++s) {
        const MacroSet& set = *lib.FindSet(s);
        text += "set " + std::to_string(s + 1) + ": " + toUtf8(set.GetName()) +
                (s == 0 ? " (offered to the buttons)" : "") + "\n";
        if (set.KeyCount() == 0) text += "  (no macros)\n";
        for (uint32_t k = 0; k < set.KeyCount(); ++k) {
            const MacroKey& m = *set.FindKey(k);
            text += "  " + std::to_string(k + 1) + "  " + toUtf8(m.GetName()) + ": " +
                    std::to_string(m.UsableActionCount()) + " actions, " + std::to_string(m.CommandActionNum) +
                    " commands, " + loopText(m) + "\n";
        }
    }
    ctx.print(text);
    return std::nullopt;
}

// The macro NAME in set SET (default: the first set), found case-sensitively.
std::variant<std::pair<uint32_t, uint32_t>, Failure> findMacro(const MacroLibrary& library, const std::string& name,
                                                               const std::string* setWord) {
    uint32_t set = 0;
    if (setWord) {
        auto s = macroSet(library, *setWord);
        if (auto* f = std::get_if<Failure>(&s)) return *f;
        set = std::get<uint32_t>(s);
    }
    const MacroSet* macros = library.FindSet(set);
    const Text wanted = fromUtf8(name);
    for (uint32_t k = 0; macros && k < macros->KeyCount(); ++k)
        if (macros->FindKey(k)->GetName() == wanted) return std::pair{set, k};
    return Failure{kExitFailure, "no macro named \"" + name + "\" in set " + std::to_string(set + 1) +
                                     " (orvanectl macro list shows them)"};
}

Outcome macroShow(CommandContext& ctx) {
    const auto& w = ctx.words();
    if (w.size() < 2 || w.size() > 3) return Failure{kExitUsage, "macro show takes NAME and optionally a set number"};
    if (auto f = ctx.loadFiles()) return f;
    if (auto f = ctx.requireReadable(ctx.app().Config(kLibraryFile))) return f;
    auto found = findMacro(ctx.app().library, w[1], w.size() == 3 ? &w[2] : nullptr);
    if (auto* f = std::get_if<Failure>(&found)) return *f;
    const auto [s, k] = std::get<std::pair<uint32_t, uint32_t>>(found);
    const MacroKey& m = *ctx.app().library.FindSet(s)->FindKey(k);
    if (ctx.json()) {
        JsonWriter json;
        json.beginObject();
        json.field("set", s + 1);
        json.field("setName", ctx.app().library.FindSet(s)->GetName());
        json.field("macro", k + 1);
        json.field("name", m.GetName());
        json.field("commands", int(m.CommandActionNum));
        json.key("loop").beginObject();
        json.field("type", loopName(m.LoopType));
        json.field("count", int(m.LoopNum));
        json.endObject();
        json.key("actions").beginArray();
        for (uint32_t i = 0; i < m.UsableActionCount(); ++i) {
            const auto b = m.GetActionBytes(i);
            const ActionView a = describe(b);
            json.beginObject();
            json.key("bytes").hex(b.data(), b.size());
            json.field("kind", a.kind);
            if (!a.key.empty()) json.field("key", a.key);
            if (a.kind == "delay") {
                json.field("ms", a.amount);
                json.field("playedMs", int64_t(PlayedDelayMs(uint32_t(a.amount))));
            }
            if (a.kind != "delay" && a.key.empty()) json.field("amount", a.amount);
            json.endObject();
        }
        json.endArray();
        json.endObject();
        ctx.print(json.str());
        return std::nullopt;
    }
    std::string text = "macro " + std::to_string(k + 1) + " of set " + std::to_string(s + 1) + ": " +
                       toUtf8(m.GetName()) + "\n  " + std::to_string(m.CommandActionNum) + " commands, " +
                       loopText(m) + "\n";
    if (m.UsableActionCount() == 0) text += "  (no actions)\n";
    for (uint32_t i = 0; i < m.UsableActionCount(); ++i) {
        const auto b = m.GetActionBytes(i);
        text += "  " + std::to_string(i + 1) + "  " + actionText(describe(b)) + "  [" + hexString(b.data(), 4) + "]\n";
    }
    ctx.print(text);
    return std::nullopt;
}

Outcome macroExport(CommandContext& ctx) {
    const auto& w = ctx.words();
    if (w.size() != 2) return Failure{kExitUsage, "macro export takes FILE"};
    if (auto f = ctx.loadFiles()) return f;
    ctx.beginReport("macro export", "macro library exported to " + w[1]);
    const Status st = ExportLibraryFile(ctx.app().library, w[1]);
    ctx.report().addFile(w[1], st.ok(), st.ok() ? std::string() : st.error().message());
    return ctx.conclude();
}

Outcome macroImport(CommandContext& ctx) {
    const auto& w = ctx.words();
    if (w.size() != 2) return Failure{kExitUsage, "macro import takes FILE"};
    if (auto f = ctx.loadFiles()) return f;
    // Read apart from the library in use: a file that is not a library changes nothing.
    MacroLibrary imported;
    const Status read = ReadLibraryFile(imported, w[1]);
    if (!read) {
        const Error& e = read.error();
        // The system's reason ("Input/output error") when the file could not be read at all.
        if (e.code != 0 && e.code != EFBIG) return Failure{kExitFailure, fileProblem(w[1], e) + "; nothing changed"};
        std::string why = e.context;
        if (why.rfind(w[1] + ": ", 0) == 0) why = why.substr(w[1].size() + 2);
        return Failure{kExitFailure, w[1] + ": not a macro library (" + why + "); nothing changed"};
    }
    // Names the dialogs would refuse, or a library too large to be read back, refuse it as a whole.
    if (const Status fits = CheckImportedLibrary(imported); !fits)
        return Failure{kExitFailure, w[1] + ": not imported (" + fits.error().context + "); nothing changed"};
    ctx.app().library = std::move(imported);
    ctx.beginReport("macro import", w[1] + " imported as the macro library");
    const std::string path = ctx.app().Config(kLibraryFile).string();
    const Status st = SaveLibraryFile(ctx.app(), ctx.app().library);
    ctx.report().addFile(path, st.ok(), st.ok() ? std::string() : st.error().message());
    if (profileHasMacro(ctx.app().Current())) ctx.report().setNote("the mouse gets the macros with 'orvanectl apply'");
    return ctx.conclude();
}

Outcome macroDelete(CommandContext& ctx) {
    const auto& w = ctx.words();
    if (w.size() < 2 || w.size() > 3) return Failure{kExitUsage, "macro delete takes NAME and optionally a set number"};
    if (auto f = ctx.loadFiles()) return f;
    auto found = findMacro(ctx.app().library, w[1], w.size() == 3 ? &w[2] : nullptr);
    if (auto* f = std::get_if<Failure>(&found)) return *f;
    const auto [s, k] = std::get<std::pair<uint32_t, uint32_t>>(found);
    ctx.app().library.FindSet(s)->DeleteKey(k);
    ctx.beginReport("macro delete", "macro \"" + w[1] + "\" deleted from set " + std::to_string(s + 1));
    const std::string path = ctx.app().Config(kLibraryFile).string();
    const Status st = SaveLibraryFile(ctx.app(), ctx.app().library);
    ctx.report().addFile(path, st.ok(), st.ok() ? std::string() : st.error().message());
    if (s == 0) {
        // Buttons name their macro; one naming a macro that is gone is disabled at the next pass.
        const Text prefix = ctx.app().language.LanguageText(kTextMacroPrefix);
        std::string buttons;
        for (int p = 0; p < kProfileCount; ++p)
            for (int b = 0; b < kKeyCount; ++b) {
                const KeyAssignment& key = ctx.app().profiles[size_t(p)].keys[size_t(b)];
                if (key.KeyValue[0] == 0x90 && key.KeyName.size() > prefix.size() &&
                    key.KeyName.substr(prefix.size()) == fromUtf8(w[1]))
                    buttons += (buttons.empty() ? "" : ", ") + std::string("profile ") + std::to_string(p + 1) +
                               " button " + std::to_string(b + 1);
            }
        if (!buttons.empty()) ctx.report().setNote("used by " + buttons + ": disabled when the profile is next sent");
    }
    return ctx.conclude();
}

}  // namespace

Outcome macroCommand(CommandContext& ctx) {
    const auto& w = ctx.words();
    const std::string sub = w.empty() ? "" : w[0];
    if (sub == "list") return macroList(ctx);
    if (sub == "show") return macroShow(ctx);
    if (sub == "export") return macroExport(ctx);
    if (sub == "import") return macroImport(ctx);
    if (sub == "delete") return macroDelete(ctx);
    return Failure{kExitUsage, "macro takes " + listWords(subcommandsOf("macro"))};
}

}  // namespace orvane::cli
