// What a screen reader calls each dialog and its controls: the dialog's own title, or a name
// that says what it is for where it shows none, never just the program's name.
#include <gtest/gtest.h>

#include "dialogs/CAddProfileDlg.h"
#include "dialogs/CAttentionDlg.h"
#include "dialogs/CColorPaletteDlg.h"
#include "dialogs/CDPIValueSettingDlg.h"
#include "dialogs/CFirmwareResetDlg.h"
#include "dialogs/CFramedDlg.h"
#include "dialogs/CProgressBarDlg.h"
#include "platform/FakePlatform.h"
#include "ui/CDPIValueShowControl.h"

namespace orvane::dialogs {
namespace {

class Host : public ui::CDlgBase {
public:
    using CDlgBase::CDlgBase;
    void DrawWindow(Painter&, const Rect&) override {}
    void CreateControls(const Rect&) override {}
};

class DialogNames : public ::testing::Test {
protected:
    void SetUp() override {
        // Every entry a name may come from says its number.
        for (int i : {4, 5, 141, 273, 403, 406, 450, 451}) language_.SetText(i, u"T" + fromUtf8(std::to_string(i)));
        language_.SetText(403, u"Level %d colour");
        language_.SetText(391, u"%d DPI");
        ASSERT_TRUE(parent_.Create());
    }
    // The window's role and name, and that every control a reader is told of has a name.
    static Text NameOf(ui::CDlgBase& dlg) {
        if (!dlg.Create()) return u"(not created)";
        const platform::WindowHost& host = dlg;
        EXPECT_EQ(host.accessibleWindow().role, platform::AccessibleRole::Dialog);
        for (const auto& item : host.accessibleItems())
            EXPECT_FALSE(item.name.empty()) << "role " << int(item.role) << " at " << item.rect.left << ","
                                            << item.rect.top;
        const Text name = host.accessibleWindow().name;
        dlg.DestroyWindow();
        return name;
    }

    platform::FakePlatform platform_;
    LanguageTable language_;
    Host parent_{platform_};
    Profile profile_;
    Settings settings_;
};

TEST_F(DialogNames, DialogsWithoutATitleSayWhatTheyAreFor) {
    CAttentionDlg attention(platform_, &parent_, language_, u"Delete?");
    EXPECT_EQ(NameOf(attention), u"T450");
    CFirmwareResetDlg reset(platform_, &parent_, language_);
    EXPECT_EQ(NameOf(reset), u"T451");
    // The palette is named after the level whose colour it picks (the third here).
    CColorPaletteDlg palette(platform_, &parent_, language_, profile_, 2);
    EXPECT_EQ(NameOf(palette), u"Level 3 colour");
}

TEST_F(DialogNames, DialogsWithATitleAreNamedByIt) {
    Host gaugeOwner(platform_);
    ui::CDPIValueShowControl gauge(&gaugeOwner, 3300, {0, 0, 7, 132}, 10);
    CDPIValueSettingDlg value(platform_, &parent_, language_, gauge, 10, [](int step) { return 400 + 100 * step; });
    EXPECT_EQ(NameOf(value), u"T273");
    // Its slider is named by the title and reads the resolution, not the step.
    const auto* slider = value.FindControl(CDPIValueSettingDlg::kIdSlider);
    EXPECT_EQ(slider->Describe().name, u"T273");
    EXPECT_EQ(slider->Describe().value, u"400 DPI");
    CProgressBarDlg progress(platform_, &parent_, u"Applying");
    EXPECT_EQ(NameOf(progress), u"Applying");
    CAddProfileDlg add(platform_, &parent_, language_, profile_, settings_, 0x3370);
    EXPECT_EQ(NameOf(add), u"T141");
}

}  // namespace
}  // namespace orvane::dialogs
