#include "cli/Session.h"

#include <cstdio>
#include <ostream>

#include "cli/Dump.h"
#include "cli/JsonWriter.h"
#include "cli/SettingChange.h"
#include "device/Connection.h"
#include "device/hid/InterfaceRole.h"
#include "profile/AppPaths.h"
#include "profile/LanguageFile.h"
#include "profile/ProfileFile.h"
#include "profile/Storage.h"

namespace orvane::cli {

namespace {

constexpr int kPassTimeoutMs = 60000;

std::string permissionFix(const std::string& path) {
    return "permission denied on " + path +
           ": install the udev rule (sudo cp data/udev/70-orvane.rules /etc/udev/rules.d/ && "
           "sudo udevadm control --reload && sudo udevadm trigger) or run as root";
}

std::string hex4(uint32_t v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%X", v);
    return buf;
}

}  // namespace

Session::Session(CliArgs args, Platform platform, std::ostream& out, std::ostream& err)
    : args_(std::move(args)), platform_(std::move(platform)), out_(out), err_(err) {}

Session::~Session() {
    if (link_) link_->shutdown();
    link_.reset();
}

int Session::run() {
    const Outcome failed = dispatch();
    if (!failed) return kExitOk;
    err_ << "orvanectl: " << failed->message << "\n";
    return failed->code;
}

void Session::print(const std::string& text) { out_ << text; }

Session::Outcome Session::dispatch() {
    const std::string& c = args_.command;
    if (c == "devices") return devices();
    if (c == "status") return status();
    if (c == "apply") return apply();
    if (c == "set") return set();
    if (c == "profile") return profile();
    if (c == "dump") return dump();
    if (c == "reset") return reset();
    if (c.empty()) return Failure{kExitUsage, "no command given (try --help)"};
    return Failure{kExitUsage, "unknown command " + c + " (try --help)"};
}

Session::Outcome Session::loadFiles() {
    // A fresh folder is created and seeded so that the defaults can be written there.
    auto folders = ResolveFolders(FolderRequest{args_.appDir, args_.simulate.has_value()});
    if (folders) {
        if (Status prepared = PrepareConfigFolder(*folders); !prepared) folders = prepared.error();
    }
    if (!folders) return Failure{kExitFailure, "cannot " + folders.error().message()};
    folders_ = *folders;
    app_ = std::make_unique<AppData>(ConfigFolder{folders->config});
    host_ = std::make_unique<CliHost>(*app_);
    // Missing or damaged files are replaced by defaults, as the application does at start-up.
    (void)LoadLanguage(*app_, 1.0);
    (void)LoadLibraryFile(*app_);
    LoadSettingsAndProfiles(*app_);
    return std::nullopt;
}

Session::Outcome Session::openTransport() {
    if (transport_) return std::nullopt;
    auto made = platform_.makeTransport();
    if (!made) return Failure{kExitFailure, made.error().message()};
    transport_ = std::move(made.value());
    return std::nullopt;
}

Session::Outcome Session::connect(bool requireOnline) {
    if (auto f = openTransport()) return f;
    link_ = std::make_unique<DeviceLink>(*app_, platform_.loop, *host_, *transport_);
    link_->start();
    const Connection& c = link_->connection();
    if (!c.anyPresent()) return Failure{kExitFailure, "no mouse found: neither the wired mouse nor the receiver is plugged in"};
    if (!c.anyOpen()) {
        for (DeviceRole r : kDeviceRoles) {
            const auto& e = c.openError(r);
            if (e && e->isPermission()) return Failure{kExitFailure, permissionFix(e->context)};
            if (e) return Failure{kExitFailure, e->message()};
        }
        return Failure{kExitFailure, "the mouse was found but its command interface could not be opened"};
    }
    if (requireOnline && !link_->linkActive())
        return Failure{kExitFailure, "the mouse does not answer: it is asleep or switched off"};
    return std::nullopt;
}

Session::Outcome Session::fileFailure() const {
    if (host_ && host_->fileError()) return Failure{kExitFailure, host_->fileError()->message()};
    return std::nullopt;
}

Session::Outcome Session::finish() {
    if (link_) {
        if (!platform_.runUntil([this] { return !link_->syncArmed(); }, kPassTimeoutMs))
            return Failure{kExitFailure, "the mouse took too long to take the settings"};
        link_->shutdown();
    }
    return fileFailure();
}

int Session::profileIndex(const std::string& word) const {
    if (word.size() != 1 || word[0] < '0' || word[0] > '4') return -1;
    return word[0] - '0';
}

Session::Outcome Session::devices() {
    if (!args_.words.empty()) return Failure{kExitUsage, "devices takes no arguments"};
    if (auto f = openTransport()) return f;
    auto all = transport_->enumerate();
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
            auto opened = transport_->open(info.path);
            access = opened ? "ok" : opened.error().message();
            if (!opened && problem.empty())
                problem = opened.error().isPermission() ? permissionFix(info.path) : opened.error().message();
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
    if (args_.json)
        print(json.str());
    else
        print(text.empty() ? "no Velmira device found\n" : text);
    if (!problem.empty()) return Failure{kExitFailure, problem};
    return std::nullopt;
}

Session::Outcome Session::status() {
    if (!args_.words.empty()) return Failure{kExitUsage, "status takes no arguments"};
    if (auto f = loadFiles()) return f;
    if (auto f = connect(false)) return f;
    // A read only: the pass the connection armed is not run, so nothing is written.
    const auto& s = link_->lastStatus();
    std::optional<uint16_t> counter = link_->lastDataChange();
    if (!counter) counter = link_->readDataChange();
    const bool online = link_->mouseOnline();
    const Connection& c = link_->connection();
    const std::string via = c.isOpen(DeviceRole::Wired) ? "wired" : "receiver";
    if (args_.json) {
        JsonWriter json;
        json.beginObject();
        json.field("via", via);
        json.field("online", online);
        if (s) {
            json.field("sensor", hex4(sensorIdForCode(s->sensorCode) ? sensorIdForCode(s->sensorCode) : s->sensorCode));
            json.field("battery", int(s->batteryLevel));
            json.field("charging", s->chargeState == 1);
            json.field("chargeState", int(s->chargeState));
            json.field("dpiLevel", s->dpiLevel() + 1);
            json.field("macId", hex4(s->macId));
        } else {
            json.key("status").null();
        }
        if (counter) json.field("dataChange", hex4(*counter)); else json.key("dataChange").null();
        json.endObject();
        print(json.str());
    } else if (s) {
        const uint16_t sensor = sensorIdForCode(s->sensorCode);
        print("via:         " + via + "\n");
        print(std::string("online:      ") + (online ? "yes" : "no") + "\n");
        print("sensor:      " + (sensor ? hex4(sensor) : "unknown code " + hex4(s->sensorCode)) + "\n");
        print("battery:     " + std::to_string(s->batteryLevel) + "%\n");
        print(std::string("charging:    ") + (s->chargeState == 1 ? "yes" : "no") + " (state " +
              std::to_string(s->chargeState) + ")\n");
        print("DPI level:   " + std::to_string(s->dpiLevel() + 1) + "\n");
        print("Mac_ID:      " + hex4(s->macId) + "\n");
        print("DataChange:  " + (counter ? hex4(*counter) : std::string("unknown")) + "\n");
    }
    if (!s) return Failure{kExitFailure, "the mouse did not answer the status request"};
    link_->shutdown();
    return fileFailure();
}

Session::Outcome Session::apply() {
    int index = -1;
    if (args_.words.size() == 2 && args_.words[0] == "--profile") {
        index = profileIndex(args_.words[1]);
        if (index < 0) return Failure{kExitUsage, "--profile takes a profile number 0-4"};
    } else if (!args_.words.empty()) {
        return Failure{kExitUsage, "apply takes only --profile N"};
    }
    if (auto f = loadFiles()) return f;
    // The mouse will hold this profile, so it becomes the current one.
    if (index >= 0) app_->currentProfile = index;
    if (auto f = connect(true)) return f;
    link_->forgetWhatTheMouseHolds();
    link_->markDirty(SyncGroup::Buttons);
    link_->markDirty(SyncGroup::Performance);
    link_->markDirty(SyncGroup::Power);
    link_->syncNow();
    if (auto f = finish()) return f;
    if (!args_.json) print("profile " + std::to_string(app_->CurrentIndex()) + " (" + toUtf8(app_->Current().GetProfileName()) +
                           ") written to the mouse\n");
    return std::nullopt;
}

Session::Outcome Session::set() {
    if (auto f = loadFiles()) return f;
    DpiTables tables;
    tables.rebuild(app_->SensorId);
    auto change = parseSettingChange(args_.words, *app_, tables);
    if (!change) return Failure{kExitUsage, change.error().context};
    if (auto f = connect(true)) return f;
    change->apply(*app_);
    for (SyncGroup g : change->groups) link_->markDirty(g);
    link_->armSync();
    if (auto f = finish()) return f;
    if (!args_.json) print(change->description + ": sent\n");
    return std::nullopt;
}

Session::Outcome Session::reset() {
    if (args_.words.size() != 1 || args_.words[0] != "--yes")
        return Failure{kExitUsage, "reset erases the mouse's settings; confirm with: reset --yes"};
    if (auto f = loadFiles()) return f;
    if (auto f = connect(false)) return f;
    host_->confirmReset = true;
    link_->factoryReset();
    if (auto f = finish()) return f;
    if (!args_.json) print("the mouse and profile " + std::to_string(app_->CurrentIndex()) + " are back to their defaults\n");
    return std::nullopt;
}

}  // namespace orvane::cli
