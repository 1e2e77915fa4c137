// Every shipped text drawn in its control with the real fonts (the Qt font machinery offscreen,
// fonts pinned by fonts.conf), at scale 1 and 2, in every shipped language: a text that needs
// more room than its control gives it is reported. Long names the user types are cut before the
// pictures beside them.
#include <gmock/gmock.h>

#include "MainWindowFixture.h"
#include "app/SectionLayout.h"
#include "dialogs/CAttentionDlg.h"
#include "dialogs/CFireKeyDlg.h"
#include "dialogs/CProgramsDlg.h"
#include "dialogs/CShortcutDlg.h"
#include "macro/CMacroManagerDlg.h"
#include "platform/qt/TextNeeds.h"
#include "platform/qt/QtPlatform.h"
#include "profile/MacroLibraryFile.h"
#include "profile/LanguageChoice.h"
#include "ui/CCheckButton.h"
#include "ui/CComboButton.h"
#include "ui/CDPIRadioButton.h"
#include "support/QtPlatformOnce.h"

namespace orvane::test {
namespace {

using ::testing::IsEmpty;
using platform::PaintOp;
using platform::RecordingPainter;

platform::qt::QtPlatform& qt() {
    return test::QtPlatformOnce();
}

struct Look {
    float scale;
    const ShippedLanguage* language;
};

class TextFit : public MainWindowTest, public ::testing::WithParamInterface<Look> {
protected:
    void SetUp() override {
        qt();
        WindowSetup setup = WindowSetup::Sim("");
        setup.needPassword = 0;
        setup.scale = GetParam().scale;
        setup.pictures = &platform::qt::QtPlatform::decodeFile;
        setup.create = false;
        setup.virtualMouse = true;  // its label beside the logo is checked with the rest
        Start(setup);
        const ShippedLanguage& language = *GetParam().language;
        WriteSelector(language.code);
        ASSERT_TRUE(dlg_->Create());
        Settle();
        ASSERT_EQ(app_->language.LanguageText(0), language.ownName);
    }

    void WriteSelector(std::u16string_view code) {
        ASSERT_TRUE(WriteLanguageSelector(dir_ / "config", code).ok());
    }
    int32_t scaled(int32_t v) const { return int32_t(float(v) * GetParam().scale); }
    platform::Size needs(const PaintOp& op) {
        return platform::qt::textNeeds(op.text, op.rect, op.font, op.format);
    }
    // The texts of paint that need more room than their rectangle, described.
    std::vector<std::string> overflows(const RecordingPainter& paint) {
        std::vector<std::string> out;
        for (const PaintOp& op : paint.opsOf(PaintOp::Kind::Text)) {
            const platform::Size need = needs(op);
            if (need.width <= op.rect.width() && need.height <= op.rect.height()) continue;
            out.push_back("\"" + toUtf8(op.text) + "\" needs " + std::to_string(need.width) + "x" +
                          std::to_string(need.height) + ", has " + std::to_string(op.rect.width()) + "x" +
                          std::to_string(op.rect.height()));
        }
        return out;
    }
    // The last text op drawn inside r.
    static const PaintOp* textIn(const RecordingPainter& paint, const platform::Rect& r) {
        const PaintOp* found = nullptr;
        for (const PaintOp& op : paint.ops())
            if (op.kind == PaintOp::Kind::Text && r.contains({op.rect.left, (op.rect.top + op.rect.bottom) / 2}))
                found = &op;
        return found;
    }
    // Draws a dialog that is given its window by Create.
    std::vector<std::string> dialogOverflows(ui::CDlgBase& d) {
        if (!d.Create()) return {"not created"};
        return overflows(static_cast<platform::FakeWindow*>(d.GetWindow())->paint());
    }
};

TEST_P(TextFit, TheMainWindowWithEverySectionOpenAndFiveDigitDpiValues) {
    // The widest values the DPI labels show, and every tab.
    for (auto& v : current().XYSetting) v = uint32_t(link().dpiTables().stepCount() - 1);
    app_->settings.SetProfileShowCount(5);
    for (int i = 0; i < 5; ++i) app_->settings.SetProfileShowList(i, i);
    dlg().refreshPages();
    EXPECT_THAT(overflows(window().paint()), IsEmpty());
    // Each section opened in turn (opening one may close its neighbour).
    for (const auto& info : kSections) {
        auto* header = control<ui::CCheckButton>(info.headerId);
        if (!header || !header->Active() || header->Checked()) continue;
        click(info.headerId);
        EXPECT_THAT(overflows(window().paint()), IsEmpty()) << "section " << info.headerId;
    }
}

TEST_P(TextFit, TheAssignmentMenuItsSubmenusAndTheProfileMenu) {
    click(mainwnd::kFirstCombo);
    Settle();
    ui::CWndPopup* main = dlg().Buttons().MainMenu();
    ASSERT_NE(main, nullptr);
    auto& menu = *static_cast<platform::FakeWindow*>(main->GetWindow());
    EXPECT_THAT(overflows(menu.paint()), IsEmpty());
    // The items that open a submenu of shipped texts: DPI, multimedia, office, windows.
    for (int item : {5, 10, 11, 12}) {
        const size_t before = platform_->windowCount();
        menu.moveTo(40, int32_t(float(1 + 22 * item + 11) * GetParam().scale));
        Settle();
        ASSERT_GT(platform_->windowCount(), before) << "item " << item;
        EXPECT_THAT(overflows(platform_->lastWindow()->paint()), IsEmpty()) << "item " << item;
    }
    window().key(platform::kVkEscape);
    Settle();
    const auto tab = centre(mainwnd::kFirstTab);
    window().moveTo(tab.x, tab.y);
    window().pointer(platform::PointerKind::RightUp, tab.x, tab.y);
    Settle();
    EXPECT_THAT(overflows(platform_->lastWindow()->paint()), IsEmpty());
}

TEST_P(TextFit, TheCaptureDialogsAndTheNotices) {
    dialogs::CFireKeyDlg fire(*platform_, &dlg(), app_->language, 1063);
    EXPECT_THAT(dialogOverflows(fire), IsEmpty());
    dialogs::CShortcutDlg shortcut(*platform_, &dlg(), app_->language, 1036);
    EXPECT_THAT(dialogOverflows(shortcut), IsEmpty());
    // Without a watcher the note that switching is unavailable shows too.
    dialogs::CProgramsDlg programs(*platform_, &dlg(), app_->language, {u"firefox-esr", u"", u""}, nullptr);
    EXPECT_THAT(dialogOverflows(programs), IsEmpty());
    for (int entry : {140, 145, 148, 151, 152, 153, 154, 155, 156, 173, 174, 175, 176, 232, 235, 237, 240, 241, 320,
                      325, 326, 361, 384, 385}) {
        dialogs::CAttentionDlg notice(*platform_, &dlg(), app_->language, app_->language.LanguageText(entry));
        EXPECT_THAT(dialogOverflows(notice), IsEmpty()) << "entry " << entry;
    }
}

TEST_P(TextFit, TheMacroManagerWithAMacroNameAsLongAsAllowed) {
    MacroLibrary lib;
    lib.AddSet(u"Set");
    // 24 characters, the most a macro name may have.
    lib.FindSet(0)->AddKey(u"Reload then switch guns!");
    ASSERT_TRUE(WriteLibraryFile(lib, app_->Config("MacroLibraryFile.mlf")).ok());
    std::vector<std::string> found{"not drawn"};
    platform_->onModal = [&](platform::FakeWindow& w) {
        if (!dynamic_cast<macro::CMacroManagerDlg*>(&w.host())) return;
        found = overflows(w.paint());
        w.endModal(ui::kIdCancel);
    };
    click(mainwnd::kMacroManager);
    platform_->onModal = nullptr;
    EXPECT_THAT(found, IsEmpty());
}

TEST_P(TextFit, LongNamesEndBeforeTheArrowAndTheCurrentProfileDot) {
    current().keys[0].KeyName = app_->language.LanguageText(190) + u"Hello macro";
    current().keys[1].KeyName = u"Ctrl+Shift+Alt+Win+PgDn";
    current().SetProfileName(u"A profile name long enough to run into the dot");
    dlg().refreshPages();
    const RecordingPainter& paint = window().paint();
    for (uint32_t id : {mainwnd::kFirstCombo, mainwnd::kFirstCombo + 1}) {
        // The skin's arrow square is 22 design pixels wide for the assignment boxes.
        const platform::Rect box = dlg().FindControl(id)->GetRect();
        const PaintOp* op = textIn(paint, box);
        ASSERT_NE(op, nullptr);
        EXPECT_LE(op->rect.right, box.right - scaled(ui::CComboButton::kArrowMax)) << toUtf8(op->text);
    }
    // The dot is a circle of radius 3 centred 11 design pixels from the tab's right edge.
    const int current = app_->currentProfile;
    const platform::Rect tab = dlg().FindControl(mainwnd::kFirstTab + uint32_t(current))->GetRect();
    const PaintOp* name = textIn(paint, tab);
    ASSERT_NE(name, nullptr);
    EXPECT_LT(name->rect.right, tab.right - scaled(14));
}

TEST_P(TextFit, WithFiveProfilesTheProfilesFrameEndsAboveTheVersionLine) {
    app_->settings.SetProfileShowCount(5);
    for (int i = 0; i < 5; ++i) app_->settings.SetProfileShowList(i, i);
    dlg().refreshPages();
    const RecordingPainter& paint = window().paint();
    const platform::Rect version = dlg().FindControl(mainwnd::kVersion)->GetRect();
    const PaintOp* frame = nullptr;
    for (const PaintOp& op : paint.ops())
        if (op.kind == PaintOp::Kind::Image && op.rect.left == scaled(36) && op.rect.top == scaled(545)) frame = &op;
    ASSERT_NE(frame, nullptr);
    EXPECT_LE(frame->rect.bottom, version.top);
    // The add button stays inside the frame.
    EXPECT_LE(dlg().FindControl(mainwnd::kAddProfile)->GetRect().bottom, frame->rect.bottom);
}

std::vector<Look> EveryLook() {
    std::vector<Look> looks;
    for (const ShippedLanguage& language : ShippedLanguages())
        for (float scale : {1.0f, 2.0f}) looks.push_back({scale, &language});
    return looks;
}

INSTANTIATE_TEST_SUITE_P(Looks, TextFit, ::testing::ValuesIn(EveryLook()),
                         [](const ::testing::TestParamInfo<Look>& info) {
                             return toUtf8(info.param.language->code) + "At" +
                                    std::to_string(int(info.param.scale));
                         });

}  // namespace
}  // namespace orvane::test
