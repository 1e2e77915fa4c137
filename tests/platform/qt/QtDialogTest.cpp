// A skinned dialog on the Qt platform, offscreen: painting through the window and pointer
// routing from Qt's events to the controls.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#include "platform/qt/QtPlatform.h"
#include "platform/qt/QtWindow.h"
#include "ui/CDlgBase.h"
#include "support/QtPlatformOnce.h"

namespace orvane::ui {
namespace {

platform::qt::QtPlatform& qtPlatform() {
    return test::QtPlatformOnce();
}

class Swatch : public CControlBase {
public:
    using CControlBase::CControlBase;
    void Draw(Painter& p, const Rect&) override { p.fillRect(rect_, bgr(pressed ? 0x00FFFF : 0xDEA035)); }
    bool OnLButtonDown(uint32_t, Point) override {
        pressed = true;
        Notify(kCodePressed);
        return true;
    }
    bool OnLButtonUp(uint32_t, Point pt) override {
        pressed = false;
        if (rect_.contains(pt)) Notify(kCodeClicked);
        return true;
    }
    bool pressed = false;
};

class SwatchDlg : public CDlgBase {
public:
    explicit SwatchDlg(platform::Platform& p) : CDlgBase(p) { SetWindowSize(200, 100); }
    void DrawWindow(Painter& p, const Rect& client) override {
        p.fillRect(client, bgr(0x202020));
        DrawControls(p, client);
    }
    void CreateControls(const Rect&) override { Add<Swatch>(0, 3100u, Rect{20, 20, 60, 60}, u""); }
    intptr_t OnMessage(uint32_t msg, uintptr_t w, intptr_t l) override {
        if (msg == 3100) codes.push_back(l);
        return CDlgBase::OnMessage(msg, w, l);
    }
    std::vector<intptr_t> codes;
};

struct QtDialog : ::testing::Test {
    SwatchDlg dlg{qtPlatform()};
    QWidget* widget = nullptr;
    void SetUp() override {
        ASSERT_TRUE(dlg.Create());
        widget = static_cast<platform::qt::QtWindow*>(dlg.GetWindow())->widget();
    }
    void mouse(QEvent::Type type, QPoint local, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent e(type, QPointF(local), QPointF(widget->mapToGlobal(local)), button, held, Qt::NoModifier);
        QApplication::sendEvent(widget, &e);
    }
    QColor pixel(int x, int y) { return widget->grab().toImage().pixelColor(x, y); }
};

TEST_F(QtDialog, PaintsItsControlsAndRoutesAClick) {
    EXPECT_EQ(pixel(5, 5), QColor(0x20, 0x20, 0x20));
    EXPECT_EQ(pixel(30, 30), QColor(0x35, 0xA0, 0xDE));
    mouse(QEvent::MouseMove, {30, 30}, Qt::NoButton, Qt::NoButton);
    mouse(QEvent::MouseButtonPress, {30, 30}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(pixel(30, 30), QColor(0xFF, 0xFF, 0x00));
    mouse(QEvent::MouseButtonRelease, {30, 30}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(dlg.codes, (std::vector<intptr_t>{kCodePressed, kCodeClicked}));
}

TEST_F(QtDialog, BackgroundPressMovesTheWindow) {
    const Rect before = dlg.GetWindow()->geometry();
    mouse(QEvent::MouseMove, {150, 80}, Qt::NoButton, Qt::NoButton);
    mouse(QEvent::MouseButtonPress, {150, 80}, Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseMove, {160, 85}, Qt::NoButton, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, {160, 85}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(dlg.GetWindow()->geometry(), before.translated(10, 5));
    EXPECT_TRUE(dlg.codes.empty());
}

}  // namespace
}  // namespace orvane::ui
