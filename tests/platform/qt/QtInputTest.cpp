// Input through the Qt windows, offscreen: dragging by the background, pointer leave, keys.
#include <gtest/gtest.h>

#include <QApplication>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include "platform/qt/QtPlatform.h"
#include "platform/qt/QtWindow.h"
#include "support/QtPlatformOnce.h"

namespace orvane::platform {
namespace {

qt::QtPlatform& platform() {
    return test::QtPlatformOnce();
}

// Drags the window from any press, as a dialog does from its background.
struct DragHost : WindowHost {
    Window* window = nullptr;
    std::vector<PointerKind> pointer;
    std::vector<uint32_t> keys;
    std::vector<KeyEvent> events;
    void onPaint(Painter&, const Rect&) override {}
    void onPointer(const PointerEvent& e) override {
        pointer.push_back(e.kind);
        if (e.kind == PointerKind::Move) window->trackPointer(1);
        if (e.kind == PointerKind::LeftDown) window->startDragMove();
    }
    bool onKey(const KeyEvent& e) override {
        if (e.down) keys.push_back(e.vk);
        events.push_back(e);
        return true;
    }
    intptr_t onMessage(uint32_t, uintptr_t, intptr_t) override { return 0; }
};

struct QtInput : ::testing::Test {
    DragHost host;
    std::unique_ptr<Window> window;
    QWidget* widget = nullptr;
    void SetUp() override {
        WindowOptions o;
        o.geometry = Rect::fromSize(100, 100, 120, 80);
        window = platform().createWindow(host, o);
        host.window = window.get();
        window->show();
        widget = static_cast<qt::QtWindow*>(window.get())->widget();
    }
    void mouse(QEvent::Type type, QPoint local, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent e(type, QPointF(local), QPointF(widget->mapToGlobal(local)), button, held, Qt::NoModifier);
        QApplication::sendEvent(widget, &e);
    }
};

TEST_F(QtInput, PressOnTheBackgroundDragsTheWindowUntilRelease) {
    mouse(QEvent::MouseMove, {10, 10}, Qt::NoButton, Qt::NoButton);
    mouse(QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseMove, {50, 30}, Qt::NoButton, Qt::LeftButton);  // 40 right, 20 down
    EXPECT_EQ(window->geometry(), Rect::fromSize(140, 120, 120, 80));
    mouse(QEvent::MouseButtonRelease, {10, 10}, Qt::LeftButton, Qt::NoButton);
    // The drag took the moves and the release.
    EXPECT_EQ(host.pointer, (std::vector<PointerKind>{PointerKind::Move, PointerKind::LeftDown}));
    mouse(QEvent::MouseMove, {20, 20}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(window->geometry(), Rect::fromSize(140, 120, 120, 80));
    EXPECT_EQ(host.pointer.back(), PointerKind::Move);
}

TEST_F(QtInput, LeaveArrivesOnlyWhenAskedFor) {
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(widget, &leave);
    EXPECT_TRUE(host.pointer.empty());
    mouse(QEvent::MouseMove, {10, 10}, Qt::NoButton, Qt::NoButton);
    QApplication::sendEvent(widget, &leave);
    ASSERT_EQ(host.pointer.size(), 2u);
    EXPECT_EQ(host.pointer[1], PointerKind::Leave);
}

TEST_F(QtInput, KeysArriveAsVirtualKeyCodes) {
    for (int key : {int(Qt::Key_Escape), int(Qt::Key_Return), int(Qt::Key_A), int(Qt::Key_F5), int(Qt::Key_Exclam)}) {
        QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(widget, &e);
    }
    QKeyEvent pad(QEvent::KeyPress, Qt::Key_3, Qt::KeypadModifier);
    QApplication::sendEvent(widget, &pad);
    EXPECT_EQ(host.keys, (std::vector<uint32_t>{0x1B, 0x0D, 0x41, 0x74, 0x31, 0x63}));
}

TEST_F(QtInput, AKeyWithItsPhysicalKeyIsNamedByPositionNotByLayout) {
    // A German layout prints Z on the key in the Y position (xkb keycode 29): the key is Y.
    QKeyEvent z(QEvent::KeyPress, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, 29, 0, 0, QStringLiteral("z"));
    QApplication::sendEvent(widget, &z);
    // The right Alt key, which Qt reports only as Alt.
    QKeyEvent altGr(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier, 108, 0, 0);
    QApplication::sendEvent(widget, &altGr);
    ASSERT_EQ(host.events.size(), 2u);
    EXPECT_EQ(host.events[0].vk, uint32_t('Y'));
    EXPECT_EQ(host.events[0].physical, 21u);
    EXPECT_EQ(host.events[0].mods, kKeyModCtrl | kKeyModShift);
    EXPECT_EQ(host.events[0].text, u"z");
    EXPECT_TRUE(host.events[0].down);
    EXPECT_EQ(host.events[1].vk, 0xA5u);
    EXPECT_FALSE(host.events[1].down);
    // A key the table does not know falls back to what the layout produced.
    QKeyEvent unknown(QEvent::KeyPress, Qt::Key_Z, Qt::NoModifier, 8 + 225, 0, 0);
    QApplication::sendEvent(widget, &unknown);
    EXPECT_EQ(host.events.back().vk, uint32_t('Z'));
}

}  // namespace
}  // namespace orvane::platform
