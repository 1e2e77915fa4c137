// The interface language in the window: the tray's language submenu and the button names.
#include "MainWindowFixture.h"
#include "app/LanguageMenu.h"
#include "device/ButtonEncoder.h"
#include "profile/LanguageChoice.h"
#include "profile/LanguageFile.h"
#include "ui/CComboButton.h"

namespace orvane::test {
namespace {

using namespace mainwnd;

int ItemOf(std::u16string_view code) {
    const auto languages = ShippedLanguages();
    for (size_t i = 0; i < languages.size(); ++i)
        if (languages[i].code == code) return int(i);
    return -1;
}
const int kSystemItem = int(ShippedLanguages().size());

class LanguageWindow : public MainWindowTest {
protected:
    std::filesystem::path Selector() const { return dir_ / "config" / kLanguageSelectorFile; }
    Text Entry(int i) const { return app_->language.LanguageText(i); }
    Text ComboText(int row) { return control<ui::CComboButton>(kFirstCombo + uint32_t(row))->GetText(); }
};

TEST_F(LanguageWindow, TheTrayOffersEveryLanguageAndAChoiceIsWrittenForTheNextStart) {
    Start();
    const platform::TrayChoices& menu = tray_->menu_.language;
    EXPECT_EQ(menu.title, Entry(language::kTextMenu));
    ASSERT_EQ(menu.items.size(), ShippedLanguages().size() + 1);
    for (size_t i = 0; i < ShippedLanguages().size(); ++i) EXPECT_EQ(menu.items[i], ShippedLanguages()[i].ownName);
    EXPECT_EQ(menu.items.back(), Entry(language::kTextSystem));
    // Nobody chose: the locale decides, and the system item is the checked one.
    EXPECT_EQ(tray_->languageChecked_, kSystemItem);

    tray_->chooseLanguage(ItemOf(u"ZH"));
    Settle();
    const LanguageChoice chosen = ReadLanguageChoice(dir_ / "config", {});
    EXPECT_TRUE(chosen.fromSelector);
    EXPECT_EQ(chosen.code, u"ZH");
    EXPECT_EQ(tray_->languageChecked_, ItemOf(u"ZH"));
    ASSERT_EQ(dlg().Notices().size(), 1u);
    EXPECT_EQ(dlg().Notices()[0]->Message(), Entry(language::kTextNextStart));
    EXPECT_EQ(Entry(0), u"English") << "the texts stay until the next start";

    tray_->chooseLanguage(kSystemItem);
    Settle();
    EXPECT_FALSE(std::filesystem::exists(Selector()));
    EXPECT_EQ(tray_->languageChecked_, kSystemItem);
}

TEST_F(LanguageWindow, TheLanguageTheUserChoseIsCheckedAtStart) {
    WindowSetup setup;
    setup.create = false;
    Start(setup);
    ASSERT_TRUE(WriteLanguageSelector(dir_ / "config", u"EN").ok());
    ASSERT_TRUE(dlg().Create());
    Settle();
    EXPECT_EQ(tray_->languageChecked_, ItemOf(u"EN"));
}

TEST_F(LanguageWindow, AChoiceThatCannotBeSavedIsReportedAndTheCheckMarkStays) {
    Start();
    // A folder in the selector's place: the file cannot be replaced.
    std::filesystem::create_directory(Selector());
    tray_->chooseLanguage(ItemOf(u"EN"));
    Settle();
    EXPECT_EQ(tray_->languageChecked_, kSystemItem);
    ASSERT_EQ(dlg().Notices().size(), 1u);
    const Text& message = dlg().Notices()[0]->Message();
    EXPECT_EQ(message.substr(0, Entry(language::kTextNotSaved).size()), Entry(language::kTextNotSaved));
}

TEST_F(LanguageWindow, FixedButtonNamesStoredInChineseShowInEnglishWhileUserNamesStay) {
    WindowSetup setup;
    setup.create = false;
    Start(setup);
    LanguageTable chinese;
    ASSERT_TRUE(ReadLanguageFile(dir_ / "config" / "Lan.txt", chinese).status.ok());
    (void)LoadSettingsAndProfiles(*app_);
    MacroKey& macro = app_->library.AddSet(u"Set").AddKey(u"我的宏");
    ASSERT_TRUE(macro.InsertAction(0, 0x00000041u));
    ASSERT_TRUE(SaveLibraryFile(*app_, app_->library).ok());
    Profile& p = app_->Current();
    p.keys[0].KeyName = chinese.LanguageText(20);
    p.keys[0].KeyValue = keyvalue::kLeft;
    p.keys[1].KeyName = chinese.LanguageText(40);
    p.keys[1].KeyValue = keyvalue::kDpiUp;
    p.keys[2].KeyName = chinese.LanguageText(kMacroPrefixEntry) + u"我的宏";
    p.keys[2].KeyValue = {keyvalue::kMacro, 0, 0};
    AssignMacro(p.keys[2], &macro);
    p.keys[3].KeyName = u"Ctrl+C";  // typed in the shortcut dialog; the office menu's Copy has these bytes
    p.keys[3].KeyValue = {0x70, 0x01, 0x06};
    ASSERT_TRUE(SaveProfile(*app_, app_->CurrentIndex()).ok());

    ASSERT_TRUE(dlg().Create());
    Settle();
    ASSERT_EQ(Entry(0), u"English");
    EXPECT_EQ(ComboText(0), Entry(20));
    EXPECT_EQ(ComboText(1), Entry(40));
    EXPECT_EQ(ComboText(2), Entry(kMacroPrefixEntry) + u"我的宏");
    EXPECT_EQ(ComboText(3), u"Ctrl+C");
    // Only what is shown follows the language: the profile keeps its names and functions.
    EXPECT_EQ(current().keys[0].KeyName, chinese.LanguageText(20));
    EXPECT_EQ(current().keys[2].KeyName, chinese.LanguageText(kMacroPrefixEntry) + u"我的宏");
    EXPECT_EQ(current().keys[2].KeyValue[0], keyvalue::kMacro);
}

}  // namespace
}  // namespace orvane::test
