#pragma once
// The main window: the skinned dialog with the button rows, battery and profile panels on the
// left, the mouse picture in the middle and the column of collapsible sections on the right.
// It owns the device link and is its host: changes the user makes go to the link's change
// pipeline, and what the mouse reports comes back as page refreshes, battery updates and the
// window showing or hiding itself.
//
// The class is wider than our usual forty methods because it is the meeting point of three
// interfaces: the dialog's (ui::CDlgBase: creating, painting, messages, timers, keys, pointer),
// the link's (LinkHost, seventeen calls) and the sections' (SectionHost). What is not one of
// those is the window's life, its tray and the accessors the tests look through. The sections,
// the files, the tray's language menu, the notices' texts and the presence rules are classes of
// their own; the sections see the window only as a SectionHost and a dialog.
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/ButtonAssignmentPanel.h"
#include "app/ConfigSync.h"
#include "app/DesktopIntegration.h"
#include "app/DpiIndicator.h"
#include "app/DpiSection.h"
#include "app/LanguageMenu.h"
#include "app/PerformanceSections.h"
#include "app/ProfileBar.h"
#include "app/ProgramFollowing.h"
#include "app/SectionHost.h"
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

// The pictures the main window's first paint spends most of its decoding on (its background and
// the mouse): for ImageCache::prefetch, as soon as the display scale is known.
std::vector<std::string> MainWindowFirstPictures(const platform::ImageCache& images, float scale);

namespace dialogs {
class CAttentionDlg;
class CProgressBarDlg;
}

class CTevrinDlg : public ui::CDlgBase, public LinkHost, public SectionHost {
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
    ProgramFollowing& Following() { return following_; }
    // As laid out: the title bar, the left column, the middle, then the right column's sections
    // (each header, then its contents) and Reset (ReaderNames.cpp).
    std::vector<ui::CControlBase*> ReadingOrder() const override;

    // ---- SectionHost: what the sections ask of the window ----
    // refreshPages() and saveAll() serve the link and the sections alike (under LinkHost below).
    void CollectPageSettings(uint32_t changedControl) override;
    void MarkDirty(SyncGroup group) override;
    void ArmSync() override;
    void SyncNow() override;
    void SliderDragged() override { sliderDragged_ = true; }
    void SendCurrentProfile() override;
    intptr_t ShowAttention(const Text& message) override;
    void OpenMacroManager(int startMode) override;
    bool OpenMouseSettings() override { return services_.openMouseSettings && services_.openMouseSettings(); }

    // ---- Sections ----
    const OpenSections& Open() const { return column_.open; }
    bool LiftOffShown() const { return column_.liftOffShown; }
    const LanguageTable& Language() const { return app_.language; }
    // The records and the link, for tests and benchmarks (the sections are handed what they need).
    AppData& App() { return app_; }
    DeviceLink& Link() { return *link_; }
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
    void ApplySectionVisibility();
    // Header and content rectangles in device pixels, from the current open states.
    platform::Rect HeaderRect(Section s) const;
    platform::Point ContentOrigin(Section s) const;
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
    SectionColumn column_;
    int32_t macroKeyRemembered_ = -1;  // the macro manager's key selection, from one opening to the next
    DpiSection dpi_;
    PerformanceSections performance_;
    ButtonAssignmentPanel buttons_;
    ProgramFollowing following_;
    ProfileBar profiles_;
    SupportKeySequence keys_;
    UndeliveredChanges undelivered_;
    DpiIndicator indicator_;
    WindowPresence presence_;
    std::set<SyncGroup> marked_;  // groups marked since the last pass that went through them
    std::vector<std::unique_ptr<dialogs::CAttentionDlg>> notices_;
    std::unique_ptr<dialogs::CProgressBarDlg> progress_;
    bool sliderDragged_ = false;
    bool quit_ = false;
    bool watchingForAbsence_ = false;  // the 100 ms check that hides the window while the link is inactive
    bool shutDown_ = false;
    bool controlsCreated_ = false;
};

}  // namespace orvane
