// The keyboard hook on Qt, offscreen (no X server: only this program's windows are heard), and
// the wheel reaching a window's host.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QWheelEvent>
#include <QWindow>

#include "platform/qt/QtKeyboardHook.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/QtWindow.h"
#include "support/QtPlatformOnce.h"

namespace orvane::platform {
namespace {

qt::QtPlatform& platform() {
    return test::QtPlatformOnce();
}

struct NullHost : WindowHost {
    std::vector<PointerEvent> pointer;
    void onPaint(Painter&, const Rect&) override {}
    void onPointer(const PointerEvent& e) override { pointer.push_back(e); }
    intptr_t onMessage(uint32_t, uintptr_t, intptr_t) override { return 0; }
};

struct QtHook : ::testing::Test {
    NullHost host;
    std::unique_ptr<Window> window;
    QWindow* handle = nullptr;
    void SetUp() override {
        WindowOptions o;
        o.geometry = Rect::fromSize(10, 10, 100, 60);
        window = platform().createWindow(host, o);
        window->show();
        QWidget* w = static_cast<qt::QtWindow*>(window.get())->widget();
        w->winId();
        handle = w->windowHandle();
    }
    // A key as the windowing system delivers it: to the window, with its X keycode.
    void key(QEvent::Type type, int qtKey, quint32 xkbKeycode, ulong time) {
        QKeyEvent e(type, qtKey, Qt::NoModifier, xkbKeycode, 0, 0, QString(), false, 1);
        e.setTimestamp(time);
        QApplication::sendEvent(handle, &e);
    }
};

TEST_F(QtHook, HearsTheProgramsKeysWithTheirPhysicalKeyOnlyWhileRunning) {
    auto hook = platform().createKeyboardHook();
    ASSERT_TRUE(hook);
    std::vector<HookKey> heard;
    key(QEvent::KeyPress, Qt::Key_Q, 24 + 0, 5);  // before: not heard
    EXPECT_EQ(hook->Start([&](const HookKey& k) { heard.push_back(k); }), HookReach::ProgramWindows);
    EXPECT_TRUE(hook->Running());
    // The A key of a US keyboard (evdev 30, X keycode 38), wherever the layout puts letters.
    key(QEvent::KeyPress, Qt::Key_Q, 38, 1000);
    key(QEvent::KeyRelease, Qt::Key_Q, 38, 1090);
    hook->Stop();
    key(QEvent::KeyPress, Qt::Key_B, 56, 2000);  // after: not heard
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_EQ(heard[0].physical, 30u);
    EXPECT_EQ(heard[0].vk, 0x41u);
    EXPECT_FALSE(heard[0].release);
    EXPECT_EQ(heard[0].timeMs, 1000u);
    EXPECT_TRUE(heard[1].release);
    EXPECT_EQ(heard[1].timeMs, 1090u);
    EXPECT_FALSE(hook->Running());
    hook->Stop();  // harmless twice
}

TEST_F(QtHook, TheWheelReachesTheHost) {
    QWidget* w = static_cast<qt::QtWindow*>(window.get())->widget();
    QWheelEvent e(QPointF(20, 30), w->mapToGlobal(QPointF(20, 30)), QPoint(), QPoint(0, -120), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &e);
    ASSERT_FALSE(host.pointer.empty());
    EXPECT_EQ(host.pointer.back().kind, PointerKind::Wheel);
    EXPECT_EQ(host.pointer.back().wheelDelta, -120);
    EXPECT_EQ(host.pointer.back().pos, (Point{20, 30}));
}

}  // namespace
}  // namespace orvane::platform
