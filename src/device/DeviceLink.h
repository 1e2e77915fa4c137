#pragma once
// The device link: everything between the current profile and the mouse. It owns the
// connection, the sent images, the sequence number, the dirty groups and the link state, and
// runs the sync, save, watchdog and notice timers on the injected event loop. What a window
// would show in response goes to the LinkHost, and so does a report of every pass and reset.
#include <cstdint>
#include <memory>

#include "base/EventLoop.h"
#include "device/Connection.h"
#include "device/DpiTables.h"
#include "device/FrameIo.h"
#include "device/LinkHost.h"
#include "device/MacroUploader.h"
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
    // Writes a pending save, closes the handles and stops following devices.
    void shutdown();

    // The change pipeline: mark the group that carries a changed value, then arm the
    // 20 ms sync timer (re-arming restarts it, so bursts give one pass).
    void markDirty(SyncGroup group);
    void armSync();
    void syncToDevice();
    // A pass at once, replacing one the sync timer would run (the macro manager's return).
    void syncNow();
    [[nodiscard]] bool syncArmed() const { return loop_.timerActive(this, kSyncTimer); }
    void savePending();

    // Makes the next pass write the whole profile and all its macros, as for a new mouse.
    void forgetWhatTheMouseHolds();
    void markProfileAsHeld();
    void rebuildDpiTables();
    void detectDevices();
    void requestStatus();
    // Tray click, tray menu entry and a second start: show when online, else ask the mouse.
    void showOrPoll();
    // Returns false when the user did not confirm. The profile is reset only when the reset
    // frame reached the mouse; the host gets the report either way.
    bool factoryReset();

    // Entry points that the loop, the transport and the readers call; public for tests.
    void onDeviceChange(hid::HotplugAction action);
    void watchdogTick();
    void connectionNotice();
    void parseStatus(const Frame& reply, DeviceRole device);
    void checkDataChange(DeviceRole device);
    void applyDeviceNotification(DeviceRole device, uint8_t intervalByte, uint8_t levelByte);
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
    [[nodiscard]] int pollCounter() const { return pollCounter_; }
    [[nodiscard]] bool firstConnection() const { return firstConnection_; }

private:
    Profile& current() { return app_.Current(); }
    void registerForDeviceNotifications();
    void onSyncTimer();
    void onSaveTimer();
    void sendButtons();
    void sendPerformance();
    void sendPower();
    void uploadMacros();
    // Sends a settings frame, pauses, and reports whether the mouse may not hold it.
    bool sendSetting(const Frame& frame);
    // Records what became of a write in the pass being built and returns its fate.
    FrameFate record(const Frame& frame, const SendOutcome& out, int item = -1);
    FrameFate fateOf(const SendOutcome& out) const;
    void recordFile(FileKind kind, int profile, bool saved);
    void finishPass();
    // Whether the sent images match what the current profile would send now.
    [[nodiscard]] bool sentImagesMatchProfile();
    // The stored Mac_ID says the mouse holds the profile; once it may not, drop that claim so
    // the next connection (this program's or another's) sends the profile in full.
    void forgetStoredMouse();
    // The mouse is online again after frames missed it: send what it does not hold.
    void resyncIfOnlineAgain(bool wasOnline);
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
    PassReport pass_;  // the pass being built; handed to the host when it ends
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);

    std::array<bool, 4> dirty_{};
    bool sentSomething_ = false;
    bool quietSync_ = false;
    bool savePending_ = false;
    bool linkActive_ = false;
    bool mouseOnline_ = false;
    bool autoShown_ = false;
    bool batteryRefresh_ = true;
    bool firstConnection_ = true;
    bool newMacIdPending_ = false;
    bool undelivered_ = false;  // a frame missed the mouse since the last complete pass
    uint32_t newMacId_ = 0;
    int batteryLevel_ = 10;
    int chargeState_ = 0;
    int batteryPhase_ = 0;
    int currentDpiLevel_ = 2;
    int pollCounter_ = 0;
};

}  // namespace orvane
