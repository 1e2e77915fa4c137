#pragma once
// The whole main window on the in-memory platform, with virtual time and the virtual mouse.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "app/CTevrinDlg.h"
#include "app/MacroManagerLauncher.h"
#include "app/MainIds.h"
#include "device/sim/SimTransport.h"
#include "dialogs/CAttentionDlg.h"
#include "dialogs/PopupWindowTable.h"
#include "platform/FakeFocusWatcher.h"
#include "platform/FakePlatform.h"
#include "profile/Languages.h"
#include "profile/Storage.h"
#include "support/TempFolder.h"
#include "ui/CSliderControl.h"

namespace orvane::test {

class FakeTray : public platform::TrayIcon {
public:
    bool add(const platform::Image&, const Text& tip, const platform::TrayMenuTexts& menu,
             std::function<void(platform::TrayEvent)> onEvent) override {
        if (!available_) return false;  // a desktop without a notification area
        tip_ = tip;
        menu_ = menu;
        languageChecked_ = menu.language.checked;
        onEvent_ = std::move(onEvent);
        added_ = true;
        return true;
    }
    void remove() override { added_ = false; }
    bool added() const override { return added_; }
    void fire(platform::TrayEvent e) { onEvent_(e); }
    void setToolTip(const Text& tip) override { liveTip_ = tip; }
    void setAutostartChecked(bool checked) override { autostartChecked_ = checked; }
    void setLanguageChecked(int item) override { languageChecked_ = item; }
    // The user picks item i of the language submenu.
    void chooseLanguage(int i) { menu_.language.chosen(i); }
    platform::TrayMenuTexts menu_;  // as added
    int languageChecked_ = -1;      // as added or updated since
    void setDpiIndicatorChecked(bool checked) override { dpiIndicatorChecked_ = checked; }
    void setFollowProgramsChecked(bool checked) override { followProgramsChecked_ = checked; }
    Text tip_;      // as added
    Text liveTip_;  // as updated since
    bool autostartChecked_ = false;
    bool dpiIndicatorChecked_ = false;
    bool followProgramsChecked_ = false;
    bool available_ = true;

private:
    std::function<void(platform::TrayEvent)> onEvent_;
    bool added_ = false;
};

class FakeNotifier : public platform::Notifier {
public:
    struct Shown {
        Text summary, body;
        platform::Urgency urgency;
    };
    void notify(const Text& summary, const Text& body, platform::Urgency urgency) override {
        shown.push_back({summary, body, urgency});
    }
    void hint(const Text& summary, const Text& body) override { hints.push_back({summary, body, platform::Urgency::Normal}); }
    std::vector<Shown> shown;
    std::vector<Shown> hints;
};

struct WindowSetup {
    static WindowSetup Sim(std::string options) {
        WindowSetup s;
        s.sim = std::move(options);
        return s;
    }
    // Started by the login entry (--autostart), with or without a tray to hide in.
    static WindowSetup AtLogin(std::string options, bool tray = true) {
        WindowSetup s = Sim(std::move(options));
        s.start = StartKind::Session;
        s.tray = tray;
        return s;
    }
    std::string sim;           // --simulate options
    int needPassword = 1;      // the start-up setting
    float scale = 1.0f;
    bool create = true;        // start the window in the constructor
    StartKind start = StartKind::User;
    bool tray = true;          // the desktop has a notification area
    bool virtualMouse = false; // the window says it talks to the virtual mouse
    bool focusKnown = true;    // the desktop tells which program has the focus
    // When set, the application folder also holds the built skins/ and pictures are read from
    // there with this decoder (else tests register the pictures they look at).
    platform::ImageCache::Decoder pictures;
};

// Every shipped language's file (with no selector and no locale the window speaks English).
inline std::vector<std::string> ShippedConfigFiles() {
    std::vector<std::string> files;
    for (const ShippedLanguage& language : ShippedLanguages()) files.emplace_back(language.file);
    return files;
}

class MainWindowTest : public ::testing::Test {
protected:
    void Start(const WindowSetup& setup = {}) {
        dir_ = test::MakeTempFolder("orvane-window");
        std::filesystem::create_directories(dir_ / "config");
        // The shipped language files, so notices and captions carry real texts.
        if (const char* runtime = std::getenv("ORVANE_RUNTIME_DIR"))
            for (const auto& f : ShippedConfigFiles()) {
                std::error_code ec;
                std::filesystem::copy_file(std::filesystem::path(runtime) / "config" / f, dir_ / "config" / f, ec);
            }
        platform::ScreenInfo screen;
        if (setup.scale > 1.0f) screen.fullScreen = {3840, 2100};
        screen.displayScale = setup.scale;
        if (setup.pictures) {
            const char* runtime = std::getenv("ORVANE_RUNTIME_DIR");
            ASSERT_NE(runtime, nullptr);
            std::filesystem::create_directory_symlink(std::filesystem::path(runtime) / "skins", dir_ / "skins");
            platform_ = std::make_unique<platform::FakePlatform>(screen, dir_.string(), setup.pictures);
        } else {
            platform_ = std::make_unique<platform::FakePlatform>(screen);
        }
        auto options = sim::parseSimOptions(setup.sim);
        ASSERT_TRUE(options.ok());
        sim_ = std::make_unique<sim::SimTransport>(options.value(), &platform_->clock());
        app_ = std::make_unique<AppData>(dir_);
        if (setup.needPassword != 1) WriteNeedPassword(setup.needPassword);
        auto tray = std::make_unique<FakeTray>();
        tray_ = tray.get();
        tray_->available_ = setup.tray;
        auto notifier = std::make_unique<FakeNotifier>();
        notifier_ = notifier.get();
        auto focus = std::make_unique<platform::FakeFocusWatcher>(setup.focusKnown);
        focus_ = focus.get();
        dialogs::PopupWindowTable::instance().clear();
        dlg_ = std::make_unique<CTevrinDlg>(*platform_, *app_,
                                            CTevrinDlg::Services{*sim_, std::move(tray),
                                                                 [this] {
                                                                     ++settingsOpened_;
                                                                     return true;
                                                                 },
                                                                 std::move(notifier),
                                                                 Autostart(dir_ / "autostart" / "orvane.desktop",
                                                                           {"/usr/bin/orvane"}),
                                                                 [this] {
                                                                     if (macroManager_)
                                                                         macroManager_();
                                                                     else
                                                                         RunMacroManager(*dlg_, *app_, dlg_->Files(), 1, macroKeyRemembered_);
                                                                 },
                                                                 setup.start, setup.virtualMouse,
                                                                 {dir_ / "udev"}, std::move(focus)});
        if (setup.create) {
            ASSERT_TRUE(dlg_->Create());
        }
        Settle();
    }

    void TearDown() override {
        dlg_.reset();
        sim_.reset();
        platform_.reset();
        if (!dir_.empty()) std::filesystem::remove_all(dir_);
    }

    // Settings with another start-up mode, written before the window reads them.
    void WriteNeedPassword(int value) {
        LoadSettingsAndProfiles(*app_);
        app_->settings.SetValue(SettingKey::NeedPassword, fromUtf8(std::to_string(value)));
        ASSERT_TRUE(WriteSettings(*app_).ok());
    }

    // Lets the reader threads hand over what the mouse sent (however slowly a busy machine runs
    // them: up to 10 s), runs what is due now, and lets the link's traffic that is under way (a
    // status read, a pass) end, moving time as it needs.
    void Settle() {
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        clock().runPending();
        while (sim_ && !sim_->inputHandedOver() && std::chrono::steady_clock::now() < giveUp) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            clock().runPending();
        }
        clock().runPending();
        if (dlg_) {
            ASSERT_TRUE(clock().runUntil([&] { return link().idle(); }, 600000));
        }
    }
    void Advance(int64_t ms) {
        Settle();
        clock().advanceMs(ms);
        Settle();
    }
    // Start-up's own pass and its save are over; the log starts empty.
    void StartQuiet(const WindowSetup& setup = {}) {
        Start(setup);
        Advance(SaveScheduler::kDelayMs + 500);
        sim_->log().clear();
    }
    // A click on step `step` of the polling slider.
    void ClickPollingStep(int step) {
        auto* s = control<ui::CSliderControl>(mainwnd::kPollingSlider);
        window().click(s->Steps()[size_t(step)], (s->GetRect().top + s->GetRect().bottom) / 2);
    }

    VirtualEventLoop& clock() { return platform_->clock(); }
    platform::FakeWindow& window() { return *static_cast<platform::FakeWindow*>(dlg_->GetWindow()); }
    CTevrinDlg& dlg() { return *dlg_; }
    DeviceLink& link() { return dlg_->Link(); }
    Profile& current() { return app_->Current(); }
    template <class T>
    T* control(uint32_t id) {
        return dlg_->FindControlAs<T>(id);
    }
    platform::Point centre(uint32_t id) {
        const auto r = dlg_->FindControl(id)->GetRect();
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    void click(uint32_t id) {
        const auto c = centre(id);
        window().click(c.x, c.y);
    }
    // Feature writes of one command to the wired mouse since the log was last cleared.
    size_t framesSent(uint8_t command, hid::DeviceRole device = hid::DeviceRole::Wired) {
        size_t n = 0;
        for (uint8_t c : sim_->log().commands(device)) n += c == command;
        return n;
    }
    size_t allFramesSent() {
        return sim_->log().commands(hid::DeviceRole::Wired).size() + sim_->log().commands(hid::DeviceRole::Receiver).size();
    }
    std::string fileText(const std::string& name) {
        std::ifstream in(dir_ / "config" / name, std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
    // The UTF-16 file as plain ASCII (every other byte), for simple searches.
    std::string fileAscii(const std::string& name) {
        std::string raw = fileText(name), out;
        for (size_t i = 2; i < raw.size(); i += 2) out.push_back(raw[i]);
        return out;
    }

    std::filesystem::path dir_;
    int32_t macroKeyRemembered_ = -1;  // the window's, for the macro manager it opens
    std::unique_ptr<platform::FakePlatform> platform_;
    std::unique_ptr<sim::SimTransport> sim_;
    std::unique_ptr<AppData> app_;
    std::unique_ptr<CTevrinDlg> dlg_;
    FakeTray* tray_ = nullptr;
    FakeNotifier* notifier_ = nullptr;
    platform::FakeFocusWatcher* focus_ = nullptr;
    int settingsOpened_ = 0;
    std::function<void()> macroManager_;  // stands in for the macro manager; none: the real one
};

}  // namespace orvane::test
