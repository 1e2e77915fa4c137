#pragma once
// The device link: everything between the current profile and the mouse. It owns the
// connection, the sent images, the sequence number, the dirty groups and the link state, and
// runs the sync, save, watchdog and notice timers on the injected event loop. What a window
// would show in response goes to the LinkHost, and so does a report of every pass and reset.
//
// Nothing here waits for the mouse on the loop's thread. The traffic runs as jobs, one at a
// time (LinkJobs): a pass decides all its frames when it starts and sends them paced by
// timers (PacedSender); status reads and the factory reset wait for their turn the same way.
// A change made while a pass runs marks its group and goes out with the next pass.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "base/EventLoop.h"
#include "device/Connection.h"
#include "device/DpiTables.h"
#include "device/FrameIo.h"
#include "device/FrameSchedule.h"
#include "device/LinkHost.h"
#include "device/LinkJobs.h"
#include "device/MacroUploader.h"
#include "device/PacedSender.h"
#include "device/PassReport.h"
#include "device/SentImages.h"
#include "device/StatusReply.h"
#include "profile/AppData.h"

namespace orvane {

class DeviceLink {
public:
    // Window timer identifiers.
    static constexpr int kSyncTimer = 30;
    static constexpr int kSaveTimer = 70;
    static constexpr int kNoticeTimer = 80;
    static constexpr int kWatchdogTimer = 110;
    static constexpr int kSyncDelayMs = 20;
    static constexpr int kSaveDelayMs = 10000;
    static constexpr int kNoticeDelayMs = 2000;
    static constexpr int kWatchdogMs = 1000;
    static constexpr int kNoDeviceNotice = 155;
    static constexpr int kMouseAsleepNotice = 156;

    DeviceLink(AppData& app, EventLoop& loop, LinkHost& host, hid::Transport& transport);
    ~DeviceLink();
    DeviceLink(const DeviceLink&) = delete;
    DeviceLink& operator=(const DeviceLink&) = delete;

    // Start-up, after the files are loaded: DPI tables, link state, device notifications,
    // the profile taken as held, detection, the first status read and the notice timer.
    void start();
    // Ends a pass still sending (the frame in flight is not waited for), writes a pending
    // save, closes the handles and stops following devices.
    void shutdown();

    // The change pipeline: mark the group that carries a changed value, then arm the
    // 20 ms sync timer (re-arming restarts it, so bursts give one pass).
    void markDirty(SyncGroup group);
    void armSync();
    // Queues a pass; it starts when the job before it has ended and sends what differs then.
    // While one waits, another is not queued: the waiting one takes every change.
    void syncToDevice();
    // A pass now (or as soon as the running job ends), replacing one the sync timer would run
    // (the macro manager's return).
    void syncNow();
    // The connection's own pass is left out: the command line changes the profile first and
    // then arms its own. While passes are held, what the status read finds (another mouse, a
    // changed macro counter) only marks what is to go, for the pass armed after the hold.
    void cancelSync() { loop_.killTimer(this, kSyncTimer); }
    void holdPasses(bool hold) { passesHeld_ = hold; }
    [[nodiscard]] bool syncArmed() const { return loop_.timerActive(this, kSyncTimer); }
    // No traffic running or waiting.
    [[nodiscard]] bool idle() const { return jobs_.idle(); }
    [[nodiscard]] bool passRunning() const { return sender_.running(); }
    void savePending();

    // Makes the next pass write the whole profile and all its macros, as for a new mouse.
    void forgetWhatTheMouseHolds();
    // Buttons it had to disable (their macro is gone) are in macros().lastDisabled() afterwards;
    // a pass reports its own in PassReport::macrosDisabled.
    void markProfileAsHeld();
    // At start: markProfileAsHeld() for the mouse the settings name, else forget everything.
    void assumeStoredMouseHoldsProfile();
    void rebuildDpiTables();
    // Both wait for the running job, as everything that touches the devices does.
    void detectDevices();
    void requestStatus();
    // Tray click, tray menu entry and a second start: show when online, else ask the mouse.
    void showOrPoll();
    // Returns false when the user did not confirm. The profile is reset only when the reset
    // frame reached the mouse; the host gets the report either way.
    bool factoryReset();

    // Entry points that the loop, the transport and the readers call; public for tests.
    // A removal of one of our devices (or of an unknown path) ends the pass that is sending.
    void onDeviceChange(hid::HotplugAction action, const std::string& path = {});
    void watchdogTick();
    // The battery gauge is in sight again (the window painted): a watchdog asleep since it was
    // hidden ticks every second again, from where its countdown to the status read is now.
    void batteryInSight();
    [[nodiscard]] bool watchdogAsleep() const { return watchdogAsleep_; }
    void connectionNotice();
    void parseStatus(const Frame& reply, DeviceRole device);
    // Reads the counter as the next job, before those already waiting.
    void checkDataChange(DeviceRole device);
    void applyDeviceNotification(DeviceRole device, const DeviceNotification& notification);
    void refreshBatteryDisplay();

    // State.
    [[nodiscard]] const Connection& connection() const { return connection_; }
    [[nodiscard]] const DpiTables& dpiTables() const { return dpi_; }
    [[nodiscard]] const SentImages& sentImages() const { return sent_; }
    [[nodiscard]] const MacroUploader& macros() const { return macros_; }
    [[nodiscard]] uint8_t nextSequence() const { return io_.sequence().peek(); }
    [[nodiscard]] bool dirty(SyncGroup g) const { return dirty_[size_t(g)]; }
    [[nodiscard]] bool linkActive() const { return linkActive_; }
    [[nodiscard]] bool mouseOnline() const { return mouseOnline_; }
    [[nodiscard]] int batteryLevel() const { return batteryLevel_; }
    [[nodiscard]] int chargeState() const { return chargeState_; }
    [[nodiscard]] int currentDpiLevel() const { return currentDpiLevel_; }
    [[nodiscard]] bool savePendingFlag() const { return savePending_; }
    [[nodiscard]] bool firstConnection() const { return firstConnection_; }
    // A frame missed the mouse since the last pass that delivered everything it had to send.
    [[nodiscard]] bool undelivered() const { return undelivered_; }
    // Frames went through the receiver alone since the last status the receiver gave: whether
    // the mouse was awake to take them is known only once the next one comes.
    [[nodiscard]] bool awaitingConfirmation() const { return unconfirmedThroughReceiver_; }

private:
    class PassChannel;
    Profile& current() { return app_.Current(); }
    void registerForDeviceNotifications();
    void markEveryGroup();
    // A pass without the progress dialog that sends whatever differs from the beliefs.
    void syncEverythingQuietly();
    void onSyncTimer();
    void onSaveTimer();
    void redetect();
    // The watchdog ticks every second to animate the battery gauge. With nothing showing it, it
    // sleeps until the tick that reads the status (the only one the mouse needs), every 21 s.
    void armWatchdog();
    void sleepWatchdog();
    // A pass or a reset talked to the mouse: the next status read is a full period away.
    void restartStatusCountdown();
    void deviceChanged(hid::HotplugAction action);
    // The pass: decided at once, sent paced; done ends its job.
    void runPass(LinkJobs::Done done);
    void passSent(const PacedSender::Report& sent, bool quiet, bool showing, LinkJobs::Done done);
    void scheduleButtons(FrameSchedule& s);
    void schedulePerformance(FrameSchedule& s);
    void schedulePower(FrameSchedule& s);
    void scheduleMacros(FrameSchedule& s);
    // A settings frame and its pause when image differs from what the mouse is believed to hold;
    // the belief goes back when the mouse did not get the frame.
    template <typename Image>
    void scheduleSetting(FrameSchedule& s, Belief<Image>& sent, const Image& image, const Frame& frame);
    // Records what became of a write in the pass being built and whether the mouse holds it now.
    bool held(Command command, const FrameResult& result, int item = -1);
    FrameFate record(Command command, const SendOutcome& out, int item = -1);
    FrameFate fateOf(const SendOutcome& out);
    void recordFile(FileKind kind, int profile, bool saved);
    // changesWaiting: groups were marked again while the pass was sending.
    void finishPass(bool changesWaiting = false);
    // Whether the sent images match what the current profile would send now.
    [[nodiscard]] bool sentImagesMatchProfile();
    // The stored Mac_ID says the mouse holds the profile; once it may not, drop that claim so
    // the next connection (this program's or another's) sends the profile in full.
    void forgetStoredMouse();
    // The mouse is online again after frames missed it, or a refused write waits: send what it
    // does not hold.
    void resyncIfOnlineAgain(bool wasOnline);
    // A status of the mouse: frames sent through the receiver alone since the last one arrived
    // if it is online now; if not, they may not have, and nothing is taken as held any more.
    void confirmThroughReceiver(DeviceRole device);
    std::optional<DeviceRole> statusDevice() const;
    void applySensorChange(uint16_t sensorId);

    AppData& app_;
    EventLoop& loop_;
    LinkHost& host_;
    hid::Transport& transport_;
    Connection connection_;
    FrameIo io_;
    DpiTables dpi_;
    SentImages sent_;
    MacroUploader macros_;
    LinkJobs jobs_;
    PacedSender sender_{io_, loop_};
    PassReport pass_;  // the running pass or reset; handed to the host when it ends
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);

    std::array<bool, 4> dirty_{};
    bool sentSomething_ = false;
    bool quietSync_ = false;
    bool passWaiting_ = false;
    bool passesHeld_ = false;
    bool savePending_ = false;
    bool linkActive_ = false;
    bool mouseOnline_ = false;
    bool autoShown_ = false;
    bool batteryRefresh_ = true;
    bool firstConnection_ = true;
    bool newMacIdPending_ = false;
    bool undelivered_ = false;  // a frame missed the mouse since the last complete pass
    // Frames went to the mouse through the receiver alone since the last status said online.
    bool unconfirmedThroughReceiver_ = false;
    uint32_t newMacId_ = 0;
    std::optional<uint32_t> reportedMacId_;  // by the last status reply of this connection
    int batteryLevel_ = 10;
    int chargeState_ = 0;
    int batteryPhase_ = 0;
    int currentDpiLevel_ = 2;
    int pollCounter_ = 0;
    bool watchdogAsleep_ = false;
    int64_t watchdogSleptAtMs_ = 0;
};

}  // namespace orvane
