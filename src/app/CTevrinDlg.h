#pragma once
// The main window: the skinned dialog with the button rows, battery and profile panels on the
// left, the mouse picture in the middle and the column of collapsible sections on the right.
// It owns the device link and is its host: changes the user makes go to the link's change
// pipeline, and what the mouse reports comes back as page refreshes, battery updates and the
// window showing or hiding itself.
#include <functional>
#include <memory>
#include <set>

#include "app/ButtonAssignmentPanel.h"
#include "app/ConfigSync.h"
#include "app/DesktopIntegration.h"
#include "app/DpiIndicator.h"
#include "app/DpiSection.h"
#include "app/LanguageMenu.h"
#include "app/PerformanceSections.h"
#include "app/ProfileBar.h"
#include "app/ProgramFollowing.h"
#include "app/SectionLayout.h"
#include "app/SupportKeySequence.h"
#include "app/UndeliveredChanges.h"
#include "app/WindowPresence.h"
#include "device/AccessAdvice.h"
#include "device/DeviceLink.h"
#include "platform/FocusWatcher.h"
#include "platform/TrayIcon.h"
#include "profile/AppData.h"
#include "ui/CDlgBase.h"

namespace orvane {

namespace dialogs {
class CAttentionDlg;
class CProgressBarDlg;
}

class CTevrinDlg : public ui::CDlgBase, public LinkHost {
public:
    struct Services {
        hid::Transport& transport;
        std::unique_ptr<platform::TrayIcon> tray;     // none: no notification area
        std::function<bool()> openMouseSettings;       // the desktop's own mouse settings
        std::unique_ptr<platform::Notifier> notifier = nullptr;  // none: no desktop notifications
        std::optional<Autostart> autostart = std::nullopt;       // none: no "start with the session" item
        std::function<void()> macroManager = {};       // none: RunMacroManager
        StartKind start = StartKind::User;             // Session: hidden until the mouse is online
        bool virtualMouse = false;                     // --simulate: the window says so
        // Where the advice for a mouse this user may not open looks for the udev rule.
        std::vector<std::filesystem::path> udevRuleFolders = UdevRuleFolders();
        // none: the desktop's focus is not followed
        std::unique_ptr<platform::FocusWatcher> focusWatcher = nullptr;
        // none: the configuration folder is looked at once a second for other programs' changes
        ConfigSync::FolderWatcher watchFolder = {};
    };

    CTevrinDlg(platform::Platform& platform, AppData& app, Services services);
    ~CTevrinDlg() override;

    // ---- Window life ----
    bool OnInitDialog() override;
    // Pending save, device handles, tray icon: what must happen before the process ends.
    void Shutdown();
    // Ends the main loop (exit control, tray exit, last device gone).
    void Quit();
    bool QuitRequested() const { return quit_; }
    // For --screenshot: the battery panel as the mouse reported it, once it reports itself online.
    void ShowAsOnline();
    // Paints the whole window as it would appear on screen.
    void Render(platform::Painter& p) { DrawWindow(p, ClientRect()); }
    int Highlight() const { return buttons_.Highlight(); }
    ButtonAssignmentPanel& Buttons() { return buttons_; }
    ProfileBar& Profiles() { return profiles_; }
    ProgramFollowing& Following() { return following_; }
    // As laid out: the title bar, the left column, the middle, then the right column's sections
    // (each header, then its contents) and Reset (ReaderNames.cpp).
    std::vector<ui::CControlBase*> ReadingOrder() const override;

    // ---- Pages and the change pipeline ----
    // Every page shows the current profile again: refreshPages(), under LinkHost below.
    // Copies the value of the control the user changed into the current profile; the other
    // controls' values stay as the profile has them.
    void CollectPageSettings(uint32_t changedControl);
    void MarkDirty(SyncGroup group);
    void ArmSync();
    // The current profile's values were replaced as a whole (another profile chosen, an import):
    // every group goes out, and the link sends only what differs from what the mouse holds.
    void SendCurrentProfile();

    // ---- Sections ----
    const OpenSections& Open() const { return open_; }
    bool LiftOffShown() const { return liftOffShown_; }
    void ApplySectionVisibility();
    // Header and content rectangles in device pixels, from the current open states.
    platform::Rect HeaderRect(Section s) const;
    platform::Point ContentOrigin(Section s) const;
    platform::Rect Scaled(int32_t left, int32_t top, int32_t right, int32_t bottom) const;

    // ---- Shared with the sections ----
    AppData& App() { return app_; }
    DeviceLink& Link() { return *link_; }
    const LanguageTable& Language() const { return app_.language; }
    int CurrentDpiLevel() const { return currentDpiLevel_; }
    void SetCurrentDpiLevel(int level) { currentDpiLevel_ = level; }
    bool OpenMouseSettings() { return services_.openMouseSettings && services_.openMouseSettings(); }
    // Runs the macro manager modally (startMode as the manager knows it).
    void OpenMacroManager(int startMode);
    // Closes every open popup menu of the window.
    void ClosePopups();
    // Runs an attention dialog modally with a message.
    intptr_t ShowAttention(const Text& message);
    void SetSliderDragged() { sliderDragged_ = true; }
    platform::TrayIcon* Tray() const { return services_.tray.get(); }
    DesktopIntegration& Desktop() { return desktop_; }
    // Every save of the configuration folder goes through here (one writer at a time).
    ConfigSync& Files() { return files_; }
    // The modeless notices that are open (tests look at them).
    const std::vector<std::unique_ptr<dialogs::CAttentionDlg>>& Notices() const { return notices_; }

    // ---- LinkHost ----
    void refreshPages() override;
    // The indicator of the new level, unless the user turned it off.
    void dpiLevelChangedByMouse(int level) override;
    const DpiIndicator& Indicator() const { return indicator_; }
    void showWindow() override;
    void hideWindow() override;
    void showProgress() override;
    void progressMade(int percent) override;
    // The progress dialog while it is up (tests look at it).
    dialogs::CProgressBarDlg* Progress() const;
    void showConnectionNotice(int languageEntry) override;
    void showAccessProblem(const std::string& what) override;
    void updateBattery(const BatteryView& view) override;
    // The gauge is on screen while the window is shown and not minimised.
    bool batteryShown() const override;
    void sensorChanged(bool sensorPageFlag, int dpiStepCount) override;
    bool confirmFactoryReset() override;
    void lastDeviceRemoved() override;
    bool writeSettings() override;
    bool writeProfile(int index) override;
    void saveAll() override;
    // The notice of what the mouse has not taken yet follows every pass.
    void passFinished(const PassReport& report) override;

protected:
    void CreateControls(const platform::Rect& client) override;
    void DrawWindow(platform::Painter& p, const platform::Rect& client) override;
    intptr_t OnMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) override;
    intptr_t OnResult(uint32_t msg, uintptr_t wParam, const ui::PopupResult& result) override;
    void OnTimer(int id) override;
    bool OnKeyDown(uint32_t vk) override;
    void OnMouseMove(uint32_t flags, platform::Point pt) override;

private:
    void CreatePermanentControls();
    void PlaceControls();
    // Names the controls that show no text of their own, for screen readers (ReaderNames.cpp).
    void NameControlsForReaders();
    void DrawPanelFrames(platform::Painter& p, int showCount);
    void ToggleSection(uint32_t headerId);
    void ShowOrPoll();
    void ToggleDpiIndicator();
    void ToggleFollowPrograms();
    void OnTray(platform::TrayEvent event);
    void AddTrayIcon();
    void ApplyStartHidden();
    // Starts the check that hides the window while the link is inactive, unless it runs or the
    // user asked for the window.
    void WatchForAbsence();
    // Hides or minimises the window as presence_ decides (a tray to come back from or not).
    void Conceal(WindowPresence::Conceal how);
    bool TrayShown() const { return services_.tray && services_.tray->added(); }
    // The strip below the mouse: the connection, then what the mouse has not taken yet.
    void UpdateNoticeStrip();
    void OnFilesMerged(const SharedConfig::Merged& merged);
    // A modeless, topmost attention window (the connection notices).
    void showNotice(const Text& message);

    static constexpr int kFinalSaveWaitMs = 20000;

    AppData& app_;
    Services services_;
    std::unique_ptr<DeviceLink> link_;
    DesktopIntegration desktop_;
    LanguageMenu languageMenu_;
    ConfigSync files_;
    DpiSection dpi_;
    PerformanceSections performance_;
    ButtonAssignmentPanel buttons_;
    ProfileBar profiles_;
    ProgramFollowing following_;
    SupportKeySequence keys_;
    UndeliveredChanges undelivered_;
    DpiIndicator indicator_;
    WindowPresence presence_;
    std::set<SyncGroup> marked_;  // groups marked since the last pass that went through them
    std::vector<std::unique_ptr<dialogs::CAttentionDlg>> notices_;
    std::unique_ptr<dialogs::CProgressBarDlg> progress_;
    OpenSections open_{};
    bool liftOffShown_ = false;
    bool sliderDragged_ = false;
    bool quit_ = false;
    bool watchingForAbsence_ = false;  // the 100 ms check that hides the window while the link is inactive
    bool shutDown_ = false;
    bool controlsCreated_ = false;
    int currentDpiLevel_ = 2;
};

}  // namespace orvane
