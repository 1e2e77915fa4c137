// The desktop's line edit inside a skinned dialog, offscreen: typing reaches the text, the
// dialog's filter sees every key first, Enter and Escape go to the dialog once, and a modal
// run of another window leaves the field deaf.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include "platform/FileChooser.h"
#include "platform/qt/QtEditField.h"
#include "platform/qt/QtPlatform.h"
#include "ui/CDlgBase.h"
#include "ui/CEditControl.h"
#include "support/QtPlatformOnce.h"

namespace orvane::ui {
namespace {

platform::qt::QtPlatform& qtPlatform() {
    return test::QtPlatformOnce();
}

class FieldDlg : public CDlgBase {
public:
    explicit FieldDlg(platform::Platform& p) : CDlgBase(p) { SetWindowSize(300, 100); }
    void DrawWindow(Painter& p, const Rect& client) override { DrawControls(p, client); }
    void CreateControls(const Rect&) override { edit = Add<CEditControl>(0, 2017u, Rect{10, 10, 200, 32}, u"50"); }
    bool OnKeyDown(uint32_t vk) override {
        keys.push_back(vk);
        return true;
    }
    CEditControl* edit = nullptr;
    std::vector<uint32_t> keys;
};

QLineEdit* lineEdit(CEditControl& c) { return static_cast<platform::qt::QtEditField*>(c.Field())->lineEdit(); }

void typeInto(QLineEdit* e, int key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(e, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(e, &release);
}

TEST(QtEditField, TypingFilteringAndTheDialogsKeys) {
    FieldDlg dlg(qtPlatform());
    ASSERT_TRUE(dlg.Create());
    ASSERT_NE(dlg.edit->Field(), nullptr);
    EXPECT_EQ(dlg.edit->GetText(), u"50");
    std::vector<Text> seen;
    dlg.edit->SetKeyFilter([&](const platform::KeyEvent& e) {
        if (e.down) seen.push_back(e.text);
        return e.text == u"x";  // the filter may keep a key from the field
    });
    QLineEdit* e = lineEdit(*dlg.edit);
    typeInto(e, Qt::Key_7, QStringLiteral("7"));
    typeInto(e, Qt::Key_X, QStringLiteral("x"));
    EXPECT_EQ(dlg.edit->GetText(), u"507");
    EXPECT_EQ(seen, (std::vector<Text>{u"7", u"x"}));

    typeInto(e, Qt::Key_Return, QStringLiteral("\r"));
    typeInto(e, Qt::Key_Escape, QString());
    EXPECT_EQ(dlg.keys, (std::vector<uint32_t>{platform::kVkReturn, platform::kVkEscape}));

    dlg.edit->SetText(u"abc");
    EXPECT_EQ(e->text(), QStringLiteral("abc"));
    EXPECT_EQ(e->cursorPosition(), 3);
    dlg.DestroyWindow();
}

TEST(QtEditField, AnotherWindowsModalRunLeavesTheFieldDeaf) {
    FieldDlg dlg(qtPlatform());
    ASSERT_TRUE(dlg.Create());
    QLineEdit* e = lineEdit(*dlg.edit);
    FieldDlg modal(qtPlatform());
    qtPlatform().loop().post([&] {
        typeInto(e, Qt::Key_1, QStringLiteral("1"));
        modal.EndDialog(kIdOk);
    });
    EXPECT_EQ(modal.DoModal(), kIdOk);
    EXPECT_EQ(dlg.edit->GetText(), u"50");
    typeInto(e, Qt::Key_1, QStringLiteral("1"));
    EXPECT_EQ(dlg.edit->GetText(), u"501");
    dlg.DestroyWindow();
}

TEST(FileChooser, ANameWithoutExtensionGetsTheDefaultOne) {
    using platform::withDefaultSuffix;
    EXPECT_EQ(withDefaultSuffix("/tmp/mine", u"psf"), "/tmp/mine.psf");
    EXPECT_EQ(withDefaultSuffix("/tmp/mine.psf", u"psf"), "/tmp/mine.psf");
    EXPECT_EQ(withDefaultSuffix("/tmp/mine.txt", u"psf"), "/tmp/mine.txt");
    EXPECT_EQ(withDefaultSuffix("/tmp/.psf", u"psf"), "/tmp/.psf");
    EXPECT_EQ(withDefaultSuffix("/tmp/mine", u""), "/tmp/mine");
}

}  // namespace
}  // namespace orvane::ui
