#include "device/DeviceLink.h"

#include <array>
#include <functional>

namespace orvane {

namespace {
// The groups whose frames a pass sends.
constexpr std::array kPassGroups{SyncGroup::Buttons, SyncGroup::Performance, SyncGroup::Power};
}  // namespace

DeviceLink::DeviceLink(AppData& app, EventLoop& loop, LinkHost& host, hid::Transport& transport)
    : app_(app), loop_(loop), host_(host), transport_(transport), connection_(transport), io_(connection_, loop) {
    std::weak_ptr<int> alive = alive_;
    // Readers hand notifications over to the loop's thread; nothing else is touched there.
    connection_.setInputHandler([this, alive, &loop](DeviceRole role, std::span<const uint8_t> report) {
        const auto notification = parseDeviceNotification(report);
        if (!notification) return;
        loop.post([this, alive, role, n = *notification] {
            if (alive.lock()) applyDeviceNotification(role, n);
        });
    });
}

DeviceLink::~DeviceLink() {
    (void)transport_.watch({});
    loop_.killTimer(this, kSyncTimer);
    jobs_.clear();
    alive_.reset();
}

void DeviceLink::start() {
    rebuildDpiTables();
    io_.sequence().reset(1);
    currentDpiLevel_ = app_.Current().CurrentDPILevelValue;
    dirty_ = {};
    presence_.start(app_.settings.GetNeedPassword());
    registerForDeviceNotifications();
    // Only a mouse this program configured in full is taken to hold the profile; a stored Mac_ID
    // that names no mouse (a new configuration, or one that a missed change made us forget)
    // leaves every belief unknown, so the first pass that reaches a mouse sends everything.
    if (!app_.settings.MacIdNamesAMouse())
        forgetWhatTheMouseHolds();
    else if (planner_.holdProfile())
        markDirty(SyncGroup::Buttons);  // a button that lost its macro must go out
    detectDevices();
    if (connection_.anyPresent() && firstConnection_) {
        firstConnection_ = false;
        requestStatus();
        host_.refreshPages();
    }
    notices_.arm();
}

void DeviceLink::shutdown() {
    // Nothing waiting starts any more; a pass still sending ends now, and what it had changed
    // is saved with the rest.
    jobs_.clear();
    sender_.abandon();
    io_.forgetPending();
    // A change still waiting for its pass is saved with the files; the mouse that has not got it
    // must not stay named as holding them, or the next start would never send it.
    if ((dirty(SyncGroup::Buttons) || dirty(SyncGroup::Performance) || dirty(SyncGroup::Power)) &&
        !planner_.matchesProfile())
        forgetStoredMouse();
    saves_.writePending();
    connection_.closeHandles();
    (void)transport_.watch({});
}

void DeviceLink::registerForDeviceNotifications() {
    connection_.closeHandles();
    firstConnection_ = true;
    std::weak_ptr<int> alive = alive_;
    EventLoop& loop = loop_;
    // Without a device monitor the watchdog still notices readers that ended.
    (void)transport_.watch([this, alive, &loop](const hid::HotplugEvent& event) {
        loop.post([this, alive, event] {
            if (alive.lock()) onDeviceChange(event.action, event.path);
        });
    });
}

void DeviceLink::detectDevices() {
    jobs_.add([this](LinkJobs::Done done) {
        redetect();
        done();
    });
}

// Reopens the devices: only ever run as a job, so no transfer is using the handles.
void DeviceLink::redetect() {
    connection_.detect();
    if (connection_.anyPresent()) watchdog_.arm();
    syncEverythingQuietly();
}

void DeviceLink::onDeviceChange(hid::HotplugAction action, const std::string& path) {
    // Writing on to a device that has gone only fails; what the pass had not sent goes out with
    // the detection's pass.
    if (action == hid::HotplugAction::Removed) {
        if (connection_.uses(path)) sender_.stop();
        connection_.inputRemoved(path);
    }
    jobs_.add([this, action](LinkJobs::Done done) {
        deviceChanged(action);
        done();
    });
}

void DeviceLink::deviceChanged(hid::HotplugAction action) {
    if (action == hid::HotplugAction::Added) {
        if (connection_.present(DeviceRole::Receiver) && connection_.present(DeviceRole::Wired)) return;
        redetect();
        watchdog_.readStatusSoon();
        if (connection_.anyPresent() && firstConnection_) {
            firstConnection_ = false;
            requestStatus();
            host_.refreshPages();
        }
        host_.refreshPages();
        return;
    }
    if (!connection_.present(DeviceRole::Receiver) && !connection_.present(DeviceRole::Wired)) return;
    redetect();
    watchdog_.readStatusSoon();
    if (!connection_.anyPresent()) {
        firstConnection_ = true;
        // Nothing is left to answer for the mouse: a window that stays shows it offline.
        presence_.mouseGone();
        battery_.refresh();
        presence_.deactivate();
        host_.lastDeviceRemoved();
    }
}

void DeviceLink::statusDue() {
    jobs_.add([this](LinkJobs::Done done) {
        for (DeviceRole r : kDeviceRoles) {
            if (connection_.present(r) && !connection_.readerRunning(r)) {
                redetect();
                watchdog_.readStatusSoon();
            }
        }
        done();
    });
    // Also while the link is inactive: that poll is how a mouse that wakes up after a
    // start with NeedPassword 1 gets the window shown.
    requestStatus();
}

void DeviceLink::syncEverythingQuietly() {
    for (SyncGroup g : kPassGroups) markDirty(g);
    quietSync_ = true;
    armSync();
}

void DeviceLink::armSync() {
    if (passesHeld_) return;
    loop_.setTimer(this, kSyncTimer, kSyncDelayMs, [this] { syncNow(); });
}

void DeviceLink::syncToDevice() {
    if (passWaiting_) return;
    passWaiting_ = true;
    jobs_.add([this](LinkJobs::Done done) {
        passWaiting_ = false;
        runPass(std::move(done));
    });
}

void DeviceLink::syncNow() {
    loop_.killTimer(this, kSyncTimer);
    syncToDevice();
}

// Everything the pass will send is decided here, from the profile as it is now: the sent
// images change as the frames are built, and each frame carries what to undo if the mouse does
// not get it. Changes made while it is sent mark their groups again for the next pass.
void DeviceLink::runPass(LinkJobs::Done done) {
    sentSomething_ = false;
    PassReport& pass = planner_.report();
    pass = PassReport{};
    if (!presence_.active()) {
        pass.blocked = PassBlock::LinkInactive;
        for (SyncGroup g : kPassGroups)
            if (dirty(g)) pass.heldBack.push_back(g);
        finishPass();
        return done();
    }
    if (!connection_.anyOpen()) {
        // The images are left alone without a device, so these wait for one.
        pass.blocked = PassBlock::NoDevice;
        for (SyncGroup g : kPassGroups)
            if (dirty(g)) pass.heldBack.push_back(g);
    }
    // A button that lost its macro must not keep playing the old slot on the mouse.
    if (planner_.assignMacroSlots()) markDirty(SyncGroup::Buttons);
    FrameSchedule schedule;
    if (connection_.anyOpen())
        for (SyncGroup g : kPassGroups)
            if (dirty(g)) planner_.scheduleGroup(schedule, g);
    dirty_ = {};
    planner_.scheduleMacros(schedule);
    pass.frames.reserve(size_t(schedule.frameCount()));
    const bool quiet = quietSync_;
    quietSync_ = false;
    // The progress dialog runs while the frames go out, its bar following them.
    const bool showing = !quiet && schedule.frameCount() > 0 && connection_.anyOpen();
    if (showing) host_.showProgress();
    sender_.run(
        std::move(schedule),
        [this, showing](int stepsDone, int steps) {
            if (showing) host_.progressMade(stepsDone * 100 / steps);
        },
        [this, quiet, showing, done = std::move(done)](const PacedSender::Report& sent) {
            passSent(sent, quiet, showing, done);
        });
}

void DeviceLink::passSent(const PacedSender::Report& sent, bool quiet, bool showing, LinkJobs::Done done) {
    sentSomething_ = sent.reachedDevice;
    if (sentSomething_ && !quiet) watchdog_.restartCountdown();
    if (showing) host_.progressMade(100);
    saves_.afterPass();
    // The new Mac_ID says "this mouse holds the profile": only true when all of it arrived (a
    // macro it cannot hold included) and the files that record it were written.
    if (newMacIdPending_ && sentSomething_ && planner_.report().complete()) {
        newMacIdPending_ = false;
        app_.settings.SetMacId(newMacId_);
        planner_.recordFile(FileKind::Settings, -1, host_.writeSettings());
    }
    host_.refreshPages();
    finishPass(dirty(SyncGroup::Buttons) || dirty(SyncGroup::Performance) || dirty(SyncGroup::Power));
    done();
}

void DeviceLink::finishPass(bool changesWaiting) {
    const PassReport& pass = planner_.report();
    if (pass.kind == PassKind::Sync) {
        // Whatever pass comes next tries again what this one lost, whichever group it is for.
        if (delivery_.passEnded(pass))
            for (SyncGroup g : kPassGroups) markDirty(g);
        // Changes made while the pass was sending differ from what it sent without having
        // missed the mouse: the next pass takes them.
        if (!changesWaiting && !planner_.matchesProfile()) forgetStoredMouse();
    }
    host_.passFinished(planner_.takeReport());
}

void DeviceLink::forgetStoredMouse() {
    if (!app_.settings.MacIdNamesAMouse()) return;
    // The id of the mouse at hand comes back once a later pass has delivered everything.
    if (!newMacIdPending_ && reportedMacId_) {
        newMacId_ = *reportedMacId_;
        newMacIdPending_ = true;
    }
    app_.settings.ForgetMouse();
    planner_.recordFile(FileKind::Settings, -1, host_.writeSettings());
}

}  // namespace orvane
