#pragma once
// What the device link asks of whoever shows it: the main window in the application, a
// recorder in tests, nothing much in the command-line tool. Every call comes on the loop's
// thread. Defaults do nothing, so a host implements only what it shows.
#include <string>

#include "base/Text.h"
#include "device/PassReport.h"

namespace orvane {

struct BatteryView {
    int phase = 25;          // animation phase 25, 50, 75, 100
    int level = 0;           // percent; 0 while the mouse is offline
    int chargeState = 0;     // 0, 1 (charging) or 2
    bool textVisible = false;
    Text text;               // "57%"
};

class LinkHost {
public:
    virtual ~LinkHost() = default;

    // Profile values changed from outside the pages (device reports, reset, sync pass).
    virtual void refreshPages() {}
    // The mouse switched to another DPI level by itself (its DPI button); level is counted among
    // the enabled levels, as CurrentDPILevelValue. Pages are already refreshed.
    virtual void dpiLevelChangedByMouse(int level) { (void)level; }
    // The mouse came online while the window was not yet active: bring it to the front.
    virtual void showWindow() {}
    // The mouse went offline after such an automatic show.
    virtual void hideWindow() {}
    // A write to the mouse has begun (not the quiet passes after a connection): the progress
    // dialog with the "writing to the mouse" text. It must not wait for the dialog to close.
    virtual void showProgress() {}
    // How far the write has come, 0 to 100; 100 when it is over.
    virtual void progressMade(int percent) { (void)percent; }
    // Modeless, topmost attention window with the given language entry (155: no device,
    // 156: receiver present but the mouse is asleep or off).
    virtual void showConnectionNotice(int languageEntry) { (void)languageEntry; }
    // The mouse is plugged in but this user may not open it (what failed, e.g. "open /dev/hidraw3"):
    // an attention window that says how to allow it.
    virtual void showAccessProblem(const std::string& what) { (void)what; }
    virtual void updateBattery(const BatteryView& view) { (void)view; }
    // Whether the battery gauge is on screen; when it is not, the link wakes only for what the
    // mouse needs and, once it is again, is told with Watchdog::batteryInSight().
    [[nodiscard]] virtual bool batteryShown() const { return true; }
    // The mouse reported another sensor: the lift-off header's active state follows
    // sensorPageFlag and the DPI controls take the new step count; repaint everything.
    virtual void sensorChanged(bool sensorPageFlag, int dpiStepCount) {
        (void)sensorPageFlag;
        (void)dpiStepCount;
    }
    // The firmware-reset question; true only when the user confirmed.
    virtual bool confirmFactoryReset() { return false; }
    // The last device left: hide the window, close the secondary dialogs, quit.
    virtual void lastDeviceRemoved() {}
    // The end of every synchronisation pass and factory reset: what reached the mouse, what
    // did not and why, and which files were written.
    virtual void passFinished(const PassReport& report) { (void)report; }

    // Files. The link changes the in-memory settings and profiles, the host writes them.
    virtual bool writeSettings() { return true; }
    virtual bool writeProfile(int index) {
        (void)index;
        return true;
    }
    // The deferred save: the current profile index, the settings file and all five profiles.
    virtual void saveAll() {}
};

}  // namespace orvane
