#include "Commands.h"

#include <charconv>
#include <vector>

namespace orvane::vmouse {
namespace {

std::vector<std::string_view> words(std::string_view line) {
    std::vector<std::string_view> out;
    size_t pos = 0;
    while (pos < line.size()) {
        while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t' || line[pos] == '\r')) ++pos;
        size_t end = pos;
        while (end < line.size() && line[end] != ' ' && line[end] != '\t' && line[end] != '\r') ++end;
        if (end > pos) out.push_back(line.substr(pos, end - pos));
        pos = end;
    }
    return out;
}

Error usage(std::string_view line) {
    return makeError(EINVAL, "cannot understand '" + std::string(line) + "'; " + kCommandHelp);
}

bool number(std::string_view text, int lo, int hi, int& out) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && end == text.data() + text.size() && out >= lo && out <= hi;
}

}  // namespace

Result<Command> parseCommand(std::string_view line) {
    const auto w = words(line);
    Command c;
    if (w.empty() || w[0].front() == '#') return c;
    const std::string_view verb = w[0];
    auto noArgs = [&](Command::Kind kind) -> Result<Command> {
        if (w.size() != 1) return usage(line);
        c.kind = kind;
        return c;
    };
    auto oneNumber = [&](Command::Kind kind, int lo, int hi) -> Result<Command> {
        if (w.size() != 2 || !number(w[1], lo, hi, c.value)) return usage(line);
        c.kind = kind;
        return c;
    };
    if (verb == "plug" || verb == "unplug") {
        if (w.size() != 2) return usage(line);
        if (w[1] == "wired")
            c.device = hid::DeviceRole::Wired;
        else if (w[1] == "receiver")
            c.device = hid::DeviceRole::Receiver;
        else
            return usage(line);
        c.kind = verb == "plug" ? Command::Kind::Plug : Command::Kind::Unplug;
        return c;
    }
    if (verb == "sleep") return noArgs(Command::Kind::Sleep);
    if (verb == "wake") return noArgs(Command::Kind::Wake);
    if (verb == "cycle-dpi") return noArgs(Command::Kind::CycleDpi);
    if (verb == "reset") return noArgs(Command::Kind::Reset);
    if (verb == "status") return noArgs(Command::Kind::Status);
    if (verb == "quit") return noArgs(Command::Kind::Quit);
    if (verb == "battery") return oneNumber(Command::Kind::Battery, 0, 100);
    if (verb == "charging") return oneNumber(Command::Kind::Charging, 0, 2);
    if (verb == "dpi") {
        auto r = oneNumber(Command::Kind::Dpi, 1, 4);
        if (r) r->value -= 1;  // the mouse counts its levels from 1, the model from 0
        return r;
    }
    if (verb == "polling") {
        auto r = oneNumber(Command::Kind::Polling, 1, 8);
        if (r && r->value != 1 && r->value != 2 && r->value != 4 && r->value != 8) return usage(line);
        return r;
    }
    return usage(line);
}

}  // namespace orvane::vmouse
