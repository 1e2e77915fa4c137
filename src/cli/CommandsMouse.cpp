// orvanectl's commands that write to the mouse: apply, set and reset. Each loads the files,
// changes them, sends what changed and reports what reached the mouse and the files.
#include "cli/Commands.h"
#include "cli/SettingChange.h"
#include "device/DpiTables.h"

namespace orvane::cli {

namespace {

const std::vector<SyncGroup> kAllGroups{SyncGroup::Buttons, SyncGroup::Performance, SyncGroup::Power};

}  // namespace

Outcome applyCommand(CommandContext& ctx) {
    int index = -1;
    if (ctx.words().size() == 2 && ctx.words()[0] == "--profile") {
        index = profileNumber(ctx.words()[1]);
        if (index < 0) return Failure{kExitUsage, "--profile takes a profile number 1-5"};
    } else if (!ctx.words().empty()) {
        return Failure{kExitUsage, "apply takes only --profile N"};
    }
    if (auto f = ctx.loadFiles()) return f;
    // The mouse will hold this profile, so it becomes the current one.
    if (index >= 0) ctx.app().currentProfile = index;
    const int shown = ctx.app().CurrentIndex() + 1;
    ctx.beginReport("apply", "profile " + std::to_string(shown) + " (" + toUtf8(ctx.app().Current().GetProfileName()) +
                                 ") written to the mouse in full");
    ctx.report().setProfile(ctx.app().CurrentIndex());
    return ctx.changeAndSend([] {}, kAllGroups, true);
}

Outcome setCommand(CommandContext& ctx) {
    if (auto f = ctx.loadFiles()) return f;
    DpiTables tables;
    tables.rebuild(ctx.app().SensorId);
    auto change = parseSettingChange(ctx.words(), ctx.app(), tables);
    if (!change) return Failure{kExitUsage, change.error().context};
    ctx.beginReport("set", change->description);
    ctx.report().setProfile(ctx.app().CurrentIndex());
    AppData& app = ctx.app();
    const auto apply = change->apply;
    return ctx.changeAndSend([&app, apply] { apply(app); }, change->groups, false);
}

Outcome resetCommand(CommandContext& ctx) {
    if (ctx.words().size() != 1 || ctx.words()[0] != "--yes")
        return Failure{kExitUsage, "reset erases the mouse's settings; confirm with: reset --yes"};
    if (auto f = ctx.loadFiles()) return f;
    ctx.beginReport("reset", "factory reset of the mouse and of profile " + std::to_string(ctx.app().CurrentIndex() + 1));
    ctx.report().setProfile(ctx.app().CurrentIndex());
    if (const auto unreachable = ctx.connect()) {
        ctx.report().resetNotSent(unreachable->reason, unreachable->detail);
        return ctx.conclude();
    }
    ctx.host().confirmReset = true;
    if (!ctx.link().factoryReset()) return Failure{kExitFailure, "the reset was not confirmed; nothing was sent"};
    // Only the reset and its own profile write: the connection's pass has nothing to send
    // after it.
    ctx.awaitLink();
    return ctx.conclude();
}

}  // namespace orvane::cli
