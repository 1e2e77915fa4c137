#include "cli/CommandContext.h"

#include <cstring>
#include <ostream>

#include "cli/JsonWriter.h"
#include "cli/TerminalText.h"
#include "device/AccessAdvice.h"
#include "device/Connection.h"
#include "profile/AppPaths.h"
#include "profile/ConfigFolderLoad.h"
#include "profile/ConfigLock.h"
#include "profile/LanguageFile.h"
#include "profile/Storage.h"

namespace orvane::cli {

namespace {

constexpr int kPassTimeoutMs = 60000;
constexpr int kFolderWaitMs = 30000;

}  // namespace

std::string fileProblem(const std::string& path, const Error& error) {
    if (error.code == ENOENT) return path + ": no such file";
    if (error.isPermission()) return path + ": permission denied";
    // These say what was wrong in their own words ("... is not a regular file"), most with the path.
    if (error.code == 0 || error.code == EFBIG) {
        if (error.context.rfind(path, 0) == 0) return error.context;
        return path + ": " + error.context;
    }
    return path + ": " + std::strerror(error.code);
}

std::string openProblem(const Error& error, const std::string& path,
                        const std::vector<std::filesystem::path>& udevRuleFolders) {
    if (error.isPermission()) return AdviseOnDeniedAccess(path, udevRuleFolders).text;
    return error.message();
}

CommandContext::CommandContext(CliArgs args, Platform platform, std::ostream& out, std::ostream& err)
    : args_(std::move(args)), platform_(std::move(platform)), out_(out), err_(err) {}

CommandContext::~CommandContext() {
    if (link_) link_->shutdown();
    link_.reset();
}

void CommandContext::print(const std::string& text) {
    // JSON escapes what it carries itself; plain text gets names from files, which must not
    // reach the terminal as control sequences.
    out_ << (args_.json ? text : terminalText(text));
    printed_ = true;
}

int profileNumber(const std::string& word) {
    if (word.size() != 1 || word[0] < '1' || word[0] > '5') return -1;
    return word[0] - '1';
}

Result<AppFolders> CommandContext::resolveFolders() const {
    return ResolveFolders(FolderRequest{args_.appDir, args_.simulate.has_value()});
}

std::string CommandContext::configDir() const { return app_ ? app_->configDir.string() : std::string(); }

Outcome CommandContext::loadFiles() {
    // A fresh folder is created and seeded so that the defaults can be written there.
    auto folders = resolveFolders();
    if (folders) {
        if (Status prepared = PrepareConfigFolder(*folders); !prepared) folders = prepared.error();
    }
    if (!folders) return Failure{kExitFailure, "cannot " + folders.error().message()};
    folders_ = *folders;
    // One writer at a time: from this read to the last save, a running window keeps its own
    // saves back and takes in ours afterwards.
    auto lock = ConfigLock::Acquire(folders_.config, kFolderWaitMs);
    if (!lock) {
        if (lock.error().code == EWOULDBLOCK)
            return Failure{kExitFailure,
                           "another program kept " + folders_.config.string() + " busy; try again"};
        return Failure{kExitFailure, "cannot " + lock.error().message()};
    }
    lock_.emplace(std::move(lock.value()));
    app_ = std::make_unique<AppData>(ConfigFolder{folders->config});
    app_->languageSources = {folders->shipped / "config", platform_.environment};
    host_ = std::make_unique<CliHost>(*app_);
    // Missing or damaged files are replaced by defaults, as the application does at start-up.
    // What went wrong on the way is said on standard error, so it reaches the user whatever
    // --json makes of the output.
    for (const std::string& problem : LoadConfigFolder(*app_, 1.0))
        err_ << "orvanectl: warning: " << terminalText(problem) << "\n";
    for (const ProfileRepair& r : app_->profileRepairs)
        err_ << "orvanectl: warning: profile " << r.profile + 1 << " as stored: " << terminalText(r.problem.Describe())
             << "\n";
    for (const auto& [path, trouble] : app_->fileTroubles) {
        const std::string what = trouble.damaged ? " is damaged" : " could not be read";
        const std::string done = trouble.keptAs.empty()
                                     ? "defaults are used and the file is left as it is"
                                     : "kept as " + trouble.keptAs.string() + " and replaced by defaults";
        err_ << "orvanectl: warning: " << terminalText(fileProblem(path.string(), trouble.error)) << " (the file" << what
             << "); " << terminalText(done) << "\n";
    }
    return std::nullopt;
}

Outcome CommandContext::requireReadable(const std::filesystem::path& file) const {
    const auto found = app_->fileTroubles.find(file);
    if (found == app_->fileTroubles.end() || found->second.damaged) return std::nullopt;
    // Showing defaults in its place would pass them off as what the file holds.
    return Failure{kExitFailure, fileProblem(file.string(), found->second.error) + "; nothing to show"};
}

Outcome CommandContext::openTransport() {
    if (transport_) return std::nullopt;
    auto made = platform_.makeTransport();
    if (!made) return Failure{kExitFailure, made.error().message()};
    transport_ = std::move(made.value());
    return std::nullopt;
}

std::optional<CommandContext::Unreachable> CommandContext::connect() {
    if (auto f = openTransport()) return Unreachable{NotSentReason::NoDevice, f->message};
    link_ = std::make_unique<DeviceLink>(*app_, platform_.loop, *host_, *transport_);
    // The status read (and the checks that follow it) runs to its end without a pass of its
    // own, however long it takes: the command changes the profile first and then arms its own
    // pass, which takes what the read found (all of it for another mouse, the macros for a
    // changed counter) after the command's change, in one order.
    link_->holdPasses(true);
    link_->start();
    awaitLink();
    link_->holdPasses(false);
    // Taking the stored profile as held may already have disabled buttons whose macro is gone.
    if (report_) report_->addDisabled(link_->macros().lastDisabled());
    const Connection& c = link_->connection();
    if (!c.anyPresent())
        return Unreachable{NotSentReason::NoDevice, "no mouse found: neither the wired mouse nor the receiver is plugged in"};
    if (!c.anyOpen()) {
        for (DeviceRole r : kDeviceRoles)
            if (const auto& e = c.openError(r))
                return Unreachable{e->isPermission() ? NotSentReason::NoAccess : NotSentReason::NoDevice,
                                   openProblem(*e, e->context, platform_.udevRuleFolders)};
        return Unreachable{NotSentReason::NoDevice, "the mouse was found but its command interface could not be opened"};
    }
    return std::nullopt;
}

void CommandContext::awaitLink() {
    if (!platform_.runUntil([this] { return link_->idle(); }, kPassTimeoutMs))
        report_->fail("the mouse took too long to answer");
}

void CommandContext::settle() {
    if (!link_) return;
    if (!platform_.runUntil([this] { return !link_->syncArmed() && link_->idle(); }, kPassTimeoutMs))
        report_->fail("the mouse took too long to take the settings");
}

void CommandContext::save() {
    if (link_ && link_->saves().pending())
        link_->saves().writePending();
    else
        host_->saveAll();
}

CommandReport& CommandContext::beginReport(std::string command, std::string change) {
    return report_.emplace(std::move(command), std::move(change));
}

Outcome CommandContext::changeAndSend(const std::function<void()>& change, const std::vector<SyncGroup>& groups,
                                        bool whole) {
    // The link starts from the profile as stored, which it takes the mouse to hold; the
    // change comes after, so that it differs.
    report_->setChangeGroups(groups, args_.command == "set");
    const auto unreachable = connect();
    change();
    if (unreachable) {
        report_->holdBack(groups, unreachable->reason, unreachable->detail);
        // The files are saved with a change the mouse has not got: the mouse must not stay
        // named as holding them, so that the next connection sends it everything.
        if (!groups.empty()) app_->settings.ForgetMouse();
    } else {
        if (whole) link_->forgetWhatTheMouseHolds();
        for (SyncGroup g : groups) link_->markDirty(g);
        if (whole)
            link_->syncNow();
        else
            link_->armSync();
        settle();
    }
    save();
    return conclude();
}

Outcome CommandContext::conclude() {
    for (const PassReport& pass : host_->passes()) report_->addPass(pass);
    for (const FileWrite& w : host_->writes()) report_->addFile(w.path, w.saved, w.error);
    if (args_.json) {
        JsonWriter json;
        report_->writeJson(json);
        print(json.str());
    } else {
        print(report_->text(configDir()));
    }
    if (report_->complete()) return std::nullopt;
    return Failure{kExitFailure, report_->errorMessage()};
}

}  // namespace orvane::cli
