#include "device/sim/SimOptions.h"

#include <cerrno>
#include <charconv>
#include <string>

namespace orvane::sim {
namespace {

Error invalid(std::string_view what) {
    return makeError(0, std::string(what));
}

// Decimal, or hexadecimal with a 0x prefix.
std::optional<uint32_t> parseNumber(std::string_view text) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    uint32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

Status applyFailWrites(SimOptions& o, std::string_view which) {
    if (which.empty() || which == "wired") o.faults.emplace_back(Link::Wired, Fault::WriteFails);
    if (which.empty() || which == "receiver") o.faults.emplace_back(Link::Receiver, Fault::WriteFails);
    if (!which.empty() && which != "wired" && which != "receiver")
        return invalid("fail-writes takes wired or receiver, not '" + std::string(which) + "'");
    return {};
}

Status applyValue(SimOptions& o, std::string_view key, std::string_view text) {
    if (key == "fail-writes") return applyFailWrites(o, text);
    const auto value = parseNumber(text);
    const std::string item = std::string(key) + "=" + std::string(text);
    if (!value) return invalid("not a number in '" + item + "'");
    if (key == "sensor") {
        // Either the sensor ID the settings use (0x33XX) or the code the status reply carries.
        if (*value <= 0xFF)
            o.condition.sensorCode = static_cast<uint8_t>(*value);
        else if ((*value & 0xFF00) == 0x3300 && *value <= 0xFFFF)
            o.condition.sensorCode = static_cast<uint8_t>(*value & 0xFF);
        else
            return invalid("sensor out of range in '" + item + "'");
    } else if (key == "battery") {
        if (*value > 100) return invalid("battery above 100 in '" + item + "'");
        o.condition.battery = static_cast<uint8_t>(*value);
    } else if (key == "mac") {
        if (*value > 0xFFFFFF) return invalid("mac wider than 24 bits in '" + item + "'");
        o.condition.macId = *value;
    } else if (key == "datachange") {
        if (*value > 0xFFFF) return invalid("datachange wider than 16 bits in '" + item + "'");
        o.dataChange = static_cast<uint16_t>(*value);
    } else {
        return invalid("unknown option '" + std::string(key) + "'");
    }
    return {};
}

Status applyFlag(SimOptions& o, std::string_view flag) {
    if (flag == "charging")
        o.condition.chargeState = 1;
    else if (flag == "charged")
        o.condition.chargeState = 2;
    else if (flag == "asleep")
        o.condition.online = false;
    else if (flag == "wired-only")
        o.receiver = false;
    else if (flag == "receiver-only")
        o.wired = false;
    else if (flag == "combined-input")
        o.combinedInput = true;
    else if (flag == "fail-writes")
        return applyFailWrites(o, {});
    else
        return invalid("unknown option '" + std::string(flag) + "'");
    return {};
}

}  // namespace

Result<SimOptions> parseSimOptions(std::string_view text) {
    SimOptions o;
    while (!text.empty()) {
        const size_t comma = text.find(',');
        const std::string_view item = text.substr(0, comma);
        text = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);
        if (item.empty()) continue;
        const size_t eq = item.find('=');
        const Status s = eq == std::string_view::npos
                             ? applyFlag(o, item)
                             : applyValue(o, item.substr(0, eq), item.substr(eq + 1));
        if (!s) return s.error();
    }
    if (!o.wired && !o.receiver) return invalid("wired-only and receiver-only exclude each other");
    return o;
}

}  // namespace orvane::sim
