#include "app/ProfileBar.h"

#include <algorithm>

#include "app/DesktopIntegration.h"
#include "app/MainIds.h"
#include "dialogs/CAddProfileDlg.h"
#include "dialogs/CEditProfileDlg.h"
#include "dialogs/CProgramsDlg.h"
#include "profile/ProfileFile.h"
#include "profile/ProfilePrograms.h"
#include "profile/Storage.h"
#include "ui/CImageButton.h"
#include "ui/CProfileRKeyPopup.h"
#include "ui/CTabControl.h"
#include "ui/Pictures.h"

namespace orvane {

using namespace mainwnd;
using platform::Point;
using platform::Rect;

namespace {

constexpr uint32_t kTabCount = ui::CTabControl::kTabCount;
// Design pixels at a tab's right end kept clear of its name: the current-profile dot (a circle
// of radius 3 centred 11 pixels from the edge) and a little air before it.
constexpr int kTabDotRoom = 18;

bool isTab(uintptr_t id) { return id >= kFirstTab && id < kFirstTab + kTabCount; }

platform::FileChooserOptions profileChooser(const Text& title) {
    platform::FileChooserOptions o;
    o.title = title;
    o.filters = {{u"psf file(*.psf)", u"*.psf"}};
    o.defaultSuffix = u"psf";
    o.initialName = u".psf";
    return o;  // starting in the current directory
}

}  // namespace

void ProfileBar::Create() {
    for (uint32_t p = 0; p < kTabCount; ++p) {
        auto* tab = dlg_.Add<ui::CTabControl>(0, kFirstTab + p, dlg_.Scaled(50, 552, 212, 573),
                                            app_.profiles[p].GetProfileName(), app_.currentProfile);
        tab->LoadImages(ui::pictures::kProfileSlotNr, ui::pictures::kProfileSlotOv, ui::pictures::kProfileSlotNr2,
                        ui::pictures::kProfileSlotOv2);
        // The name ends (with its ellipsis) before the dot at the tab's right end that marks the
        // current profile.
        tab->SetTextMargins(int32_t(10.0f * dlg_.Scale()), int32_t(float(kTabDotRoom) * dlg_.Scale()));
    }
    dlg_.Add<ui::CImageButton>(0, kAddProfile, dlg_.Scaled(50, 630, 96, 650), Text{})
        ->LoadImages({ui::pictures::kAddNr, ui::pictures::kAddOv});
}

void ProfileBar::Place() {
    const Settings& settings = app_.settings;
    const int count = std::clamp(settings.GetProfileShowCount(), 0, int(kTabCount));
    for (int i = 0; i < count; ++i) {
        const int p = settings.GetProfileShowList(i);
        if (auto* tab = dlg_.FindControl(kFirstTab + uint32_t(p)))
            tab->SetRect(dlg_.Scaled(50, 552 + 25 * i, 212, 573 + 25 * i));
    }
    // With fewer than three tabs the button keeps the place it has under three.
    const int32_t y = 555 + 25 * std::max(count, 3);
    if (auto* add = dlg_.FindControl(kAddProfile)) add->SetRect(dlg_.Scaled(50, y, 96, y + 20));
}

void ProfileBar::Refresh() {
    const AppData& app = app_;
    for (uint32_t t = 0; t < kTabCount; ++t)
        if (auto* tab = dlg_.FindControl(kFirstTab + t)) {
            tab->SetVisible(false);
            tab->SetText(app.profiles[t].GetProfileName());
        }
    const int count = std::clamp(app.settings.GetProfileShowCount(), 0, int(kTabCount));
    for (int i = 0; i < count; ++i)
        if (auto* tab = dlg_.FindControl(kFirstTab + uint32_t(app.settings.GetProfileShowList(i)))) tab->SetVisible(true);
    Place();
}

// ---- Messages ----

bool ProfileBar::Handles(uint32_t msg) const {
    return isTab(msg) || msg == kAddProfile || msg == kMsgProfileMenuResult || msg == ui::kMsgProfileRKeyPopupDeactivated;
}

void ProfileBar::OnMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) {
    if (isTab(msg)) {
        if (lParam == ui::kCodeClicked) {
            SwitchTo(int(msg - kFirstTab));
            following_.OnManualSwitch();
        }
        if (lParam == ui::kCodeRightReleased) OpenContextMenu(msg);
    } else if (msg == kAddProfile) {
        if (lParam == ui::kCodeClicked) Add();
    } else if (msg == ui::kMsgProfileRKeyPopupDeactivated) {
        MenuClosed(uint32_t(wParam));
    }
}

void ProfileBar::SwitchTo(int profile) {
    // The tab has already made its profile current; config.ini hears of it with the next save.
    app_.currentProfile = profile;
    host_.refreshPages();
    // The new profile's sleep time too: orvanectl's profile select sends it, and the mouse must
    // hold what the window now shows.
    host_.SendCurrentProfile();
}

// ---- Context menu ----

void ProfileBar::OpenContextMenu(uint32_t tabId) {
    auto* tab = dlg_.FindControl(tabId);
    if (!tab) return;
    const float s = dlg_.Scale();
    const Rect r = tab->GetRect();
    const Rect window = dlg_.GetWindow() ? dlg_.GetWindow()->geometry() : Rect{};
    const int32_t screenHeight = dlg_.GetPlatform().screen().fullScreen.height;
    int32_t top = r.bottom - int32_t(20.0f * s);
    // Five items of 22 design pixels and the menu's frame.
    if (window.top + top + int32_t(116.0f * s) > screenHeight) top = screenHeight - window.top - int32_t(96.0f * s);
    const Point at{window.left + r.left + int32_t(161.0f * s), window.top + top};
    dlg_.ClosePopup(kProfileMenuSlot);
    auto menu = std::make_unique<ui::CProfileRKeyPopup>(app_.language);
    const int profileNumber = int(tabId - kFirstTab) + 1;
    menu->SetAccessibleTitle(FillNumber(app_.language.LanguageText(kTextReaderProfileMenu), profileNumber));
    menu->SetImages(ui::pictures::kMenuNr, ui::pictures::kMenuOv, ui::pictures::kMenusubNr, ui::pictures::kMenusubOv);
    auto* popup = dlg_.AdoptPopup(std::move(menu));
    dlg_.PopupSlot(kProfileMenuSlot) = popup;
    const int32_t size = int32_t(300.0f * s);
    if (!popup->Create(&dlg_, at.x, at.y, size, size, kMsgProfileMenuResult, tabId))
        dlg_.PopupSlot(kProfileMenuSlot) = nullptr;
}

void ProfileBar::MenuChosen(uint32_t tabId, const ui::PopupResult& result) {
    if (!isTab(tabId) || !dlg_.FindControl(tabId) || result.byteCount < 1) return;
    action_ = result.bytes[0];
    actionProfile_ = int(tabId - kFirstTab);
    dlg_.CloseAllPopups();
    // From the timer, so the menu is gone before a dialog opens.
    dlg_.SetTimer(kTimerProfileAction, 100);
}

void ProfileBar::MenuClosed(uint32_t tabId) {
    ui::CWndPopup* menu = dlg_.PopupSlot(kProfileMenuSlot);
    if (!menu || menu->Tracking()) return;
    if (auto* tab = dlg_.FindControl(tabId)) dlg_.InvalidateRect(tab->GetRect());
    dlg_.ClosePopup(kProfileMenuSlot);
    if (!buttons_.SubmenuOrListOpen()) dlg_.ClosePopup(ButtonAssignmentPanel::kSlotMain);
}

void ProfileBar::OnActionTimer() {
    dlg_.KillTimer(kTimerProfileAction);
    const int q = actionProfile_;
    const int action = action_;
    action_ = actionProfile_ = -1;
    if (q < 0 || q >= kProfileCount) return;
    switch (action) {
        case kImport: Import(q); break;
        case kExport: Export(q); break;
        case kRename: Rename(q); break;
        case kRemove: Remove(q); break;
        case kPrograms: Programs(q); break;
        default: break;
    }
}

// ---- The actions ----

void ProfileBar::SaveAndRefresh(int q) {
    host_.saveAll();
    host_.refreshPages();
    // What the window now shows of the current profile must be what the mouse holds.
    if (q == app_.CurrentIndex()) host_.SendCurrentProfile();
}

void ProfileBar::Import(int q) {
    auto path = dlg_.GetPlatform().fileChooser().openFile(
        dlg_.GetWindow(), profileChooser(app_.language.LanguageText(kTextImportTitle)));
    if (!path) return;
    AppData& app = app_;
    // A file that is not a profile changes nothing; the user hears why nothing happened.
    auto imported = ReadImportedProfile(*path, app.profiles[size_t(q)]);
    if (!imported) {
        host_.ShowAttention(app_.language.LanguageText(kTextImportFailed));
        return;
    }
    app.profiles[size_t(q)] = std::move(imported.value());
    // Saved through the window's files, so a command-line tool at work in the folder is waited
    // for; an import into the current profile goes to the mouse at once.
    SaveAndRefresh(q);
}

void ProfileBar::Export(int q) {
    auto path = dlg_.GetPlatform().fileChooser().saveFile(
        dlg_.GetWindow(), profileChooser(app_.language.LanguageText(kTextExportTitle)));
    if (!path) return;
    if (!ExportProfileFile(app_.profiles[size_t(q)], *path))
        host_.ShowAttention(app_.language.LanguageText(kTextExportFailed));
}

void ProfileBar::Rename(int q) {
    dialogs::CEditProfileDlg dlg(dlg_.GetPlatform(), &dlg_, app_.language, app_.profiles[size_t(q)]);
    if (dlg.DoModal() == ui::kIdOk) SaveAndRefresh(q);
}

void ProfileBar::Programs(int q) {
    Profile& profile = app_.profiles[size_t(q)];
    dialogs::ProgramSlots current;
    const std::vector<Text> listed = ProfilePrograms(profile);
    for (size_t i = 0; i < listed.size() && i < current.size(); ++i) current[i] = listed[i];
    const auto chosen =
        dialogs::CProgramsDlg::Choose(dlg_.GetPlatform(), &dlg_, app_.language, current, following_.Watcher());
    if (!chosen) return;
    // A program typed twice is followed once.
    std::vector<Text> names;
    for (const Text& name : *chosen)
        if (!name.empty() && std::none_of(names.begin(), names.end(),
                                          [&](const Text& n) { return SameProgramEntry(n, name); }))
            names.push_back(name);
    if (const ProgramListChange change = SetProfilePrograms(profile, names); !change.ok()) {
        host_.ShowAttention(fromUtf8(change.Describe({})));
        return;
    }
    SaveAndRefresh(q);
}

void ProfileBar::Remove(int q) {
    AppData& app = app_;
    if (q == app.CurrentIndex()) {
        host_.ShowAttention(app_.language.LanguageText(kTextCannotRemoveCurrent));
        return;
    }
    Settings& settings = app.settings;
    const int count = settings.GetProfileShowCount();
    int list[kTabCount];
    for (int i = 0; i < int(kTabCount); ++i) list[i] = settings.GetProfileShowList(i);
    const int at = int(std::find(list, list + kTabCount, q) - list);
    // Only a shown profile can be removed; the removed one becomes the last hidden profile.
    if (at >= count) return;
    for (int i = at; i < int(kTabCount) - 1; ++i) list[i] = list[i + 1];
    list[kTabCount - 1] = q;
    settings.SetProfileShowCount(count - 1);
    for (int i = 0; i < int(kTabCount); ++i) settings.SetProfileShowList(i, list[i]);
    SaveAndRefresh(q);
}

void ProfileBar::Add() {
    AppData& app = app_;
    const int count = app.settings.GetProfileShowCount();
    if (count > 4) {
        host_.ShowAttention(app_.language.LanguageText(kTextAllProfilesShown));
        return;
    }
    const int q = app.settings.GetProfileShowList(count);
    if (q < 0 || q >= kProfileCount) return;
    dialogs::CAddProfileDlg dlg(dlg_.GetPlatform(), &dlg_, app_.language, app.profiles[size_t(q)], app.settings,
                                app.SensorId);
    if (dlg.DoModal() == ui::kIdOk) SaveAndRefresh(q);
}

}  // namespace orvane
