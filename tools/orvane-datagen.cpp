// Builds the run-time files of the config folder from the UTF-8 sources under data/config, so the
// repository holds no UTF-16 files:
//   orvane-datagen text SOURCE TARGET     UTF-8 lines to a UTF-16 text file ("\s" stands for a space,
//                                         for texts that end in one, since editors trim them)
//   orvane-datagen macros SOURCE TARGET   a compact macro description to a macro library file
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "profile/AtomicFile.h"
#include "profile/MacroLibraryFile.h"
#include "profile/NameRules.h"
#include "profile/TextFile.h"
#include "profile/TextNumbers.h"

namespace {

using namespace orvane;

bool ReadLines(const char* path, std::vector<std::string>& lines) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::string line;
    // A checkout with CR LF line ends must give the same files: a CR left on a line would end up
    // in every text and fail every reader.
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return true;
}

std::string Unescape(std::string line) {
    for (size_t at = line.find("\\s"); at != std::string::npos; at = line.find("\\s", at + 1)) {
        line.replace(at, 2, " ");
    }
    return line;
}

int Fail(const std::string& what) {
    std::fprintf(stderr, "orvane-datagen: %s\n", what.c_str());
    return 1;
}

int ConvertText(const char* source, const char* target) {
    std::vector<std::string> lines;
    if (!ReadLines(source, lines)) return Fail(std::string("cannot read ") + source);
    TextFileWriter w;
    for (const auto& line : lines) w.Line(fromUtf8(Unescape(line)));
    Status s = WriteFileAtomically(target, w.Bytes());
    return s ? 0 : Fail(s.error().message());
}

int ConvertMacros(const char* source, const char* target) {
    std::vector<std::string> lines;
    if (!ReadLines(source, lines)) return Fail(std::string("cannot read ") + source);
    MacroLibrary library;
    MacroSet* set = nullptr;
    MacroKey* key = nullptr;
    for (size_t n = 0; n < lines.size(); ++n) {
        const std::string& line = lines[n];
        const std::string where = std::string(source) + ":" + std::to_string(n + 1) + ": ";
        if (line.empty() || line[0] == '#') continue;
        const size_t eq = line.find('=');
        if (eq == std::string::npos) return Fail(where + "expected name=value");
        const std::string name = line.substr(0, eq);
        const std::string value = line.substr(eq + 1);
        if (name == "set") {
            set = &library.AddSet(fromUtf8(value));
            key = nullptr;
        } else if (name == "key" && set != nullptr) {
            const NameCheck check = CheckMacroName(fromUtf8(value));
            if (!check) return Fail(where + check.Describe("macro name"));
            key = &set->AddKey(fromUtf8(value));
        } else if (name == "loop" && key != nullptr) {
            unsigned type = 0, count = 0;
            if (std::sscanf(value.c_str(), "%u %u", &type, &count) != 2)
                return Fail(where + "loop=TYPE COUNT");
            key->LoopType = uint8_t(type);
            key->LoopNum = uint8_t(count);
        } else if (name == "commands" && key != nullptr) {
            key->CommandActionNum = uint8_t(std::stoul(value));
        } else if (name == "actions" && key != nullptr) {
            std::istringstream words(value);
            std::string word;
            while (words >> word) {
                if (word.size() != 8) return Fail(where + "an action is eight hex digits");
                const std::u16string hex = fromUtf8(word);
                std::array<uint8_t, 4> bytes{};
                for (size_t b = 0; b < 4; ++b) bytes[b] = uint8_t(HexField(hex, 2 * b, 2));
                const uint32_t value32 = bytes[0] | bytes[1] << 8 | bytes[2] << 16 | uint32_t(bytes[3]) << 24;
                if (!key->InsertAction(key->ActionCount, value32))
                    return Fail(where + "more than 336 actions");
            }
        } else {
            return Fail(where + "unexpected '" + name + "'");
        }
    }
    Status s = WriteLibraryFile(library, target);
    return s ? 0 : Fail(s.error().message());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "text") return ConvertText(argv[2], argv[3]);
    if (argc == 4 && std::string(argv[1]) == "macros") return ConvertMacros(argv[2], argv[3]);
    std::fprintf(stderr, "usage: orvane-datagen text|macros SOURCE TARGET\n");
    return 2;
}
