// orvanectl's read-only commands on the devices: devices and status. Neither starts the device
// link, so neither can write to the mouse or to a file.
#include <cstdio>
#include <ostream>

#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "device/hid/InterfaceRole.h"
#include "device/StatusRead.h"
#include "profile/AppPaths.h"
#include "profile/SettingsFile.h"

namespace orvane::cli {

namespace {

// Three transfers, each of which a device that stops answering holds for the kernel's timeout.
constexpr int kStatusTimeoutMs = 30000;

std::string hexId(uint32_t v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%X", v);
    return buf;
}

// What config.ini says about the mouse, read without repairing anything.
struct Stored {
    std::optional<uint16_t> sensor;
    std::optional<uint32_t> macId;
    std::optional<uint16_t> dataChange;
};

Stored readStored(const std::filesystem::path& configDir) {
    Settings defaults;
    defaults.ResetToDefaults(configDir);
    auto read = ReadSettingsFile(configDir / "config.ini", defaults);
    if (!read) return {};
    // The default "0xFFFFFFFF" names no mouse.
    const int32_t mac = read->GetMacId();
    const std::optional<uint32_t> macId = mac >= 0 && mac <= 0xFFFFFF ? std::optional<uint32_t>(uint32_t(mac)) : std::nullopt;
    return Stored{read->GetSensor(), macId, read->GetDataChange()};
}

// The values a mouse reports only while it is online.
struct Reported {
    bool online = false;
    std::optional<bool> onlineKnown;  // absent without the signature
    std::optional<int> battery, chargeState, dpiLevel;
};

Reported reportedOf(const StatusReply& s) {
    Reported r;
    if (s.signature) r.onlineKnown = s.online;
    r.online = s.signature && s.online;
    if (r.online) {
        r.battery = s.batteryLevel;
        r.chargeState = s.chargeState;
        r.dpiLevel = s.dpiLevel() + 1;
    }
    return r;
}

template <typename T>
void optionalField(JsonWriter& json, const char* name, const std::optional<T>& v) {
    json.key(name);
    if (v) json.value(*v); else json.null();
}

void optionalHex(JsonWriter& json, const char* name, const std::optional<uint32_t>& v) {
    json.key(name);
    if (v) json.value(hexId(*v)); else json.null();
}

std::string unknownOr(const std::optional<int>& v, const std::string& suffix = {}) {
    return v ? std::to_string(*v) + suffix : "unknown (the mouse is not online)";
}

// " (stored: 0x3370)" when the stored value differs from what the mouse says.
std::string storedNote(const std::optional<uint32_t>& mouse, const std::optional<uint32_t>& stored) {
    if (!mouse || !stored || *mouse == *stored) return {};
    return " (differs from the stored " + hexId(*stored) + ")";
}

}  // namespace

Outcome devicesCommand(CommandContext& ctx) {
    if (!ctx.words().empty()) return Failure{kExitUsage, "devices takes no arguments"};
    if (auto f = ctx.openTransport()) return f;
    auto all = ctx.transport().enumerate();
    if (!all) return Failure{kExitFailure, all.error().message()};
    JsonWriter json;
    json.beginArray();
    std::string text;
    std::string problem;
    for (const hid::InterfaceInfo& info : all.value()) {
        const auto role = roleOf(info);
        if (!role) continue;
        const hid::InterfaceRole kind = hid::classifyInterface(info);
        const char* kindName = kind == hid::InterfaceRole::Input     ? "input"
                               : kind == hid::InterfaceRole::Feature ? "feature"
                                                                     : "ignored";
        std::string access = "-";
        if (kind != hid::InterfaceRole::Ignored) {
            auto opened = ctx.transport().open(info.path);
            access = opened ? "ok" : opened.error().message();
            if (!opened && problem.empty()) problem = openProblem(opened.error(), info.path, ctx.platform().udevRuleFolders);
        }
        json.beginObject();
        json.field("path", info.path);
        json.field("device", std::string(hid::roleName(*role)));
        json.field("role", kindName);
        json.field("inputReportLength", int(info.inputReportLength));
        json.field("featureReportLength", int(info.featureReportLength));
        json.field("open", access);
        json.endObject();
        char line[256];
        std::snprintf(line, sizeof line, "%-22s %-8s %-7s input %2d  feature %2d  %s\n", info.path.c_str(),
                      std::string(hid::roleName(*role)).c_str(), kindName, info.inputReportLength,
                      info.featureReportLength, access.c_str());
        text += line;
    }
    json.endArray();
    if (ctx.json())
        ctx.print(json.str());
    else
        ctx.print(text.empty() ? "no Velmira device found\n" : text);
    if (!problem.empty()) return Failure{kExitFailure, problem};
    return std::nullopt;
}

namespace {

void folderJson(JsonWriter& json, const Result<AppFolders>& folders) {
    json.key("configFolder");
    if (!folders) {
        json.null();
        return;
    }
    json.beginObject();
    json.field("path", folders->config.string());
    json.field("reason", ConfigFolderReason(folders.value()));
    json.endObject();
}

std::string folderLine(const Result<AppFolders>& folders) {
    return "files:       " +
           (folders ? DescribeConfigFolder(folders.value()) : "none (" + folders.error().message() + ")") + "\n";
}

// Without a mouse the folder in use is still worth knowing: it goes out beside the failure.
Outcome statusFailure(CommandContext& ctx, const Result<AppFolders>& folders, Failure failure) {
    if (ctx.json()) {
        JsonWriter json;
        json.beginObject();
        json.field("ok", false);
        json.field("exitCode", failure.code);
        json.field("error", failure.message);
        folderJson(json, folders);
        json.endObject();
        ctx.print(json.str());
    } else {
        ctx.print(folderLine(folders));
    }
    return failure;
}

}  // namespace

Outcome statusCommand(CommandContext& ctx) {
    if (!ctx.words().empty()) return Failure{kExitUsage, "status takes no arguments"};
    // The folder is only looked at: status creates, seeds and repairs nothing.
    const auto folders = ctx.resolveFolders();
    const Stored stored = folders ? readStored(folders->config) : Stored{};
    if (auto f = ctx.openTransport()) return statusFailure(ctx, folders, *f);
    Connection connection(ctx.transport());
    connection.detect();
    if (!connection.anyPresent())
        return statusFailure(ctx, folders, {kExitFailure, "no mouse found: neither the wired mouse nor the receiver is plugged in"});
    if (!connection.anyOpen()) {
        for (DeviceRole r : kDeviceRoles)
            if (const auto& e = connection.openError(r))
                return statusFailure(ctx, folders, {kExitFailure, openProblem(*e, e->context, ctx.platform().udevRuleFolders)});
        return statusFailure(ctx, folders, {kExitFailure, "the mouse was found but its command interface could not be opened"});
    }
    FrameIo io(connection, ctx.platform().loop);
    MouseReport mouse;
    bool answered = false;
    readMouseReport(connection, io, [&](MouseReport r) {
        mouse = std::move(r);
        answered = true;
    });
    if (!ctx.platform().runUntil([&] { return answered; }, kStatusTimeoutMs))
        return statusFailure(ctx, folders, {kExitFailure, "the mouse did not answer the status request in time"});
    if (!mouse.status) {
        const std::string why = mouse.error ? mouse.error->message() : std::string("no reply");
        return statusFailure(ctx, folders, {kExitFailure, "the mouse did not answer the status request: " + why});
    }
    const StatusReply& s = *mouse.status;
    const Reported r = reportedOf(s);
    const uint16_t sensor = sensorIdForCode(s.sensorCode);
    const std::optional<uint32_t> sensorId = sensor ? std::optional<uint32_t>(sensor) : std::nullopt;
    const std::optional<uint32_t> counter =
        mouse.dataChange ? std::optional<uint32_t>(*mouse.dataChange) : std::nullopt;
    const std::optional<uint32_t> storedSensor =
        stored.sensor ? std::optional<uint32_t>(*stored.sensor) : std::nullopt;
    const std::optional<uint32_t> storedCounter =
        stored.dataChange ? std::optional<uint32_t>(*stored.dataChange) : std::nullopt;
    const std::string via(hid::roleName(*mouse.via));

    if (ctx.json()) {
        JsonWriter json;
        json.beginObject();
        json.field("via", via);
        optionalField(json, "online", r.onlineKnown);
        optionalHex(json, "sensor", sensorId);
        json.field("sensorCode", hexId(s.sensorCode));
        optionalField(json, "battery", r.battery);
        optionalField(json, "charging", r.chargeState ? std::optional<bool>(*r.chargeState == 1) : std::nullopt);
        optionalField(json, "chargeState", r.chargeState);
        optionalField(json, "dpiLevel", r.dpiLevel);
        json.field("macId", hexId(s.macId));
        optionalHex(json, "dataChange", counter);
        folderJson(json, folders);
        json.key("stored").beginObject();
        optionalHex(json, "sensor", storedSensor);
        optionalHex(json, "macId", stored.macId);
        optionalHex(json, "dataChange", storedCounter);
        json.endObject();
        json.endObject();
        ctx.print(json.str());
        return std::nullopt;
    }
    std::string out;
    out += "via:         " + std::string(*mouse.via == DeviceRole::Wired ? "wired mouse" : "receiver") + "\n";
    out += "online:      " +
           std::string(!r.onlineKnown ? "unknown (the reply carried no signature)"
                       : *r.onlineKnown ? "yes"
                                        : "no (asleep, switched off or out of reach)") +
           "\n";
    out += "sensor:      " + (sensorId ? hexId(*sensorId) : "unknown code " + hexId(s.sensorCode)) +
           storedNote(sensorId, storedSensor) + "\n";
    out += "battery:     " + unknownOr(r.battery, "%") + "\n";
    out += "charging:    " +
           (r.chargeState ? std::string(*r.chargeState == 1 ? "yes" : "no") + " (state " +
                                std::to_string(*r.chargeState) + ")"
                          : unknownOr(std::nullopt)) +
           "\n";
    out += "DPI level:   " + unknownOr(r.dpiLevel) + "\n";
    out += "Mac_ID:      " + hexId(s.macId) + storedNote(s.macId, stored.macId) + "\n";
    out += "DataChange:  " + (counter ? hexId(*counter) : std::string("unknown (not reported)")) +
           storedNote(counter, storedCounter) + "\n";
    out += folderLine(folders);
    ctx.print(out);
    return std::nullopt;
}

}  // namespace orvane::cli
