#pragma once
// The device link: everything between the current profile and the mouse. It owns the
// connection, the sequence number, the dirty groups and the job queue, decides the passes and
// reads the status; what a window would show in response goes to the LinkHost, and so does a
// report of every pass and reset. Around it, with names of their own: what the mouse is believed
// to hold and the frames that bring it to the profile (PassPlanner), whether what was sent
// reached the mouse (Delivery), whether the mouse answers and when the window shows itself
// (MousePresence), the deferred save (SaveScheduler), the notice when the mouse cannot be
// reached (ConnectionNotices), the battery gauge (BatteryGauge) and the watchdog that animates
// it and times the status reads (Watchdog).
//
// Nothing here waits for the mouse on the loop's thread. The traffic runs as jobs, one at a
// time (LinkJobs): a pass decides all its frames when it starts and sends them paced by
// timers (PacedSender); status reads and the factory reset wait for their turn the same way.
// A change made while a pass runs marks its group and goes out with the next pass.
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "base/EventLoop.h"
#include "device/BatteryGauge.h"
#include "device/Connection.h"
#include "device/ConnectionNotices.h"
#include "device/Delivery.h"
#include "device/DpiTables.h"
#include "device/FrameIo.h"
#include "device/LinkHost.h"
#include "device/LinkJobs.h"
#include "device/MousePresence.h"
#include "device/PacedSender.h"
#include "device/PassPlanner.h"
#include "device/SaveScheduler.h"
#include "device/StatusReply.h"
#include "device/Watchdog.h"
#include "profile/AppData.h"

namespace orvane {

// Sixteen one-line accessors end the public part and stay: they are how the window, the
// command line and the tests read the link's state and reach its collaborators.
class DeviceLink {
public:
    // The sync timer's identifier and delay on the loop.
    static constexpr int kSyncTimer = 30;
    static constexpr int kSyncDelayMs = 20;

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
    void markDirty(SyncGroup group) { dirty_[size_t(group)] = true; }
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
    void holdPasses(bool hold) { passesHeld_ = hold; }

    // Makes the next pass write the whole profile and all its macros, as for a new mouse.
    void forgetWhatTheMouseHolds() { planner_.forget(); }
    void rebuildDpiTables() { dpi_.rebuild(app_.SensorId); }
    // Both wait for the running job, as everything that touches the devices does.
    void detectDevices();
    void requestStatus();
    // Tray click, tray menu entry and a second start: show when online, else ask the mouse.
    void showOrPoll() {
        presence_.showOrPoll([this] { requestStatus(); });
    }
    // Returns false when the user did not confirm. The profile is reset only when the reset
    // frame reached the mouse; the host gets the report either way.
    bool factoryReset();

    // Entry points that the loop, the transport and the readers call; public for tests.
    // A removal of one of our devices (or of an unknown path) ends the pass that is sending.
    void onDeviceChange(hid::HotplugAction action, const std::string& path = {});
    void parseStatus(const Frame& reply, DeviceRole device);
    void applyDeviceNotification(DeviceRole device, const DeviceNotification& notification);

    // State.
    [[nodiscard]] bool syncArmed() const { return loop_.timerActive(this, kSyncTimer); }
    // No traffic running or waiting.
    [[nodiscard]] bool idle() const { return jobs_.idle(); }
    [[nodiscard]] bool passRunning() const { return sender_.running(); }
    [[nodiscard]] const Connection& connection() const { return connection_; }
    [[nodiscard]] const DpiTables& dpiTables() const { return dpi_; }
    [[nodiscard]] const SentImages& sentImages() const { return planner_.sent(); }
    // Buttons it had to disable at start (their macro is gone) are in macros().lastDisabled();
    // a pass reports its own in PassReport::macrosDisabled.
    [[nodiscard]] const MacroUploader& macros() const { return planner_.macros(); }
    [[nodiscard]] uint8_t nextSequence() const { return io_.sequence().peek(); }
    [[nodiscard]] bool dirty(SyncGroup g) const { return dirty_[size_t(g)]; }
    [[nodiscard]] int currentDpiLevel() const { return currentDpiLevel_; }
    [[nodiscard]] bool firstConnection() const { return firstConnection_; }
    [[nodiscard]] const Delivery& delivery() const { return delivery_; }
    [[nodiscard]] const MousePresence& presence() const { return presence_; }
    BatteryGauge& battery() { return battery_; }
    SaveScheduler& saves() { return saves_; }
    Watchdog& watchdog() { return watchdog_; }

private:
    void registerForDeviceNotifications();
    // A pass without the progress dialog that sends whatever differs from the beliefs.
    void syncEverythingQuietly();
    void redetect();
    void deviceChanged(hid::HotplugAction action);
    // The watchdog's tick that reads the status: readers that ended are restarted first.
    void statusDue();
    // The pass: decided at once, sent paced; done ends its job.
    void runPass(LinkJobs::Done done);
    void passSent(const PacedSender::Report& sent, bool quiet, bool showing, LinkJobs::Done done);
    // changesWaiting: groups were marked again while the pass was sending.
    void finishPass(bool changesWaiting = false);
    // The stored Mac_ID says the mouse holds the profile; once it may not, drop that claim so
    // the next connection (this program's or another's) sends the profile in full.
    void forgetStoredMouse();
    // The mouse is online again after frames missed it, or a refused write waits: send what it
    // does not hold.
    void resyncIfOnlineAgain(bool wasOnline);
    void applySensorChange(uint16_t sensorId);
    // Reads the counter as the next job, before those already waiting.
    void checkDataChange(DeviceRole device);

    AppData& app_;
    EventLoop& loop_;
    LinkHost& host_;
    hid::Transport& transport_;
    Connection connection_;
    FrameIo io_;
    DpiTables dpi_;
    MousePresence presence_{host_};
    Delivery delivery_{presence_};
    PassPlanner planner_{app_, dpi_, host_, delivery_};
    LinkJobs jobs_;
    PacedSender sender_{io_, loop_};
    SaveScheduler saves_{loop_, host_};
    ConnectionNotices notices_{loop_, host_, connection_, presence_};
    BatteryGauge battery_{host_, presence_};
    Watchdog watchdog_{loop_, host_, [this] { statusDue(); }, [this] { battery_.refresh(); }};
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);

    std::array<bool, 4> dirty_{};
    bool sentSomething_ = false;
    bool quietSync_ = false;
    bool passWaiting_ = false;
    bool passesHeld_ = false;
    bool firstConnection_ = true;
    bool newMacIdPending_ = false;
    uint32_t newMacId_ = 0;
    std::optional<uint32_t> reportedMacId_;  // by the last status reply of this connection
    int currentDpiLevel_ = 2;
};

}  // namespace orvane
