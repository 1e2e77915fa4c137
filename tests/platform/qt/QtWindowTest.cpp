// Windows of the Qt platform, offscreen: messages, timers, modal runs, activation, painting.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <atomic>
#include <thread>

#include "platform/qt/QtPlatform.h"
#include "support/QtPlatformOnce.h"

namespace orvane::platform {
namespace {

qt::QtPlatform& platform() {
    return test::QtPlatformOnce();
}

// Runs the loop until done() or the time is up.
bool spin(const std::function<bool()>& done, int ms = 2000) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms) {
        platform().processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return done();
}

struct Host : WindowHost {
    std::function<intptr_t(uint32_t, uintptr_t, intptr_t)> handler;
    std::vector<uint32_t> messages;
    std::vector<int> timers;
    std::vector<bool> activations;
    int paints = 0;
    Size paintedSize;
    void onPaint(Painter& p, const Rect&) override {
        ++paints;
        paintedSize = p.size();
    }
    void onPointer(const PointerEvent&) override {}
    intptr_t onMessage(uint32_t msg, uintptr_t w, intptr_t l) override {
        messages.push_back(msg);
        return handler ? handler(msg, w, l) : 0;
    }
    void onTimer(int id) override { timers.push_back(id); }
    void onActivate(bool a) override { activations.push_back(a); }
};

std::unique_ptr<Window> make(Host& h, WindowKind kind = WindowKind::TopLevel, Window* parent = nullptr) {
    WindowOptions o;
    o.kind = kind;
    o.parent = parent;
    o.geometry = Rect::fromSize(10, 20, 120, 80);
    return platform().createWindow(h, o);
}

TEST(QtWindows, GeometryIsTheClientRectangleOnScreen) {
    Host h;
    auto w = make(h);
    EXPECT_EQ(w->geometry(), Rect::fromSize(10, 20, 120, 80));
    w->resize({200, 100});
    w->move({5, 6});
    EXPECT_EQ(w->geometry(), Rect::fromSize(5, 6, 200, 100));
}

TEST(QtWindows, SentMessagesAreHandledAtOncePostedOnesByTheLoopEvenFromOtherThreads) {
    Host h;
    h.handler = [](uint32_t msg, uintptr_t w, intptr_t) -> intptr_t { return intptr_t(msg + w); };
    auto w = make(h);
    EXPECT_EQ(w->sendMessage(2000, 5), 2005);
    std::thread t([&] { w->postMessage(3000); w->postMessage(3001); });
    t.join();
    EXPECT_EQ(h.messages, (std::vector<uint32_t>{2000}));
    ASSERT_TRUE(spin([&] { return h.messages.size() == 3; }));
    EXPECT_EQ(h.messages, (std::vector<uint32_t>{2000, 3000, 3001}));
}

TEST(QtWindows, PostsToADestroyedWindowAreDropped) {
    Host h;
    auto w = make(h);
    w->postMessage(3000);
    w.reset();
    platform().processEvents();
    EXPECT_TRUE(h.messages.empty());
}

TEST(QtWindows, TimersRepeatUntilKilled) {
    Host h;
    auto w = make(h);
    w->setTimer(110, 5);
    ASSERT_TRUE(spin([&] { return h.timers.size() >= 3; }));
    w->killTimer(110);
    EXPECT_FALSE(w->timerActive(110));
    const size_t n = h.timers.size();
    spin([] { return false; }, 30);
    EXPECT_EQ(h.timers.size(), n);
}

TEST(QtWindows, ModalRunEndsFromAHandlerWithItsResult) {
    Host h;
    auto w = make(h);
    h.handler = [&](uint32_t msg, uintptr_t, intptr_t) -> intptr_t {
        if (msg == 4000) w->endModal(77);
        return 0;
    };
    w->show();
    w->postMessage(4000);
    EXPECT_EQ(w->runModal(), 77);
    EXPECT_FALSE(w->inModal());
}

TEST(QtWindows, InvalidatedWindowIsPaintedAtItsSize) {
    Host h;
    auto w = make(h);
    w->show();
    spin([&] { return h.paints > 0; });
    const int before = h.paints;
    w->invalidate({0, 0, 10, 10});
    w->update();
    EXPECT_GT(h.paints, before);
    EXPECT_EQ(h.paintedSize, (Size{120, 80}));
}

TEST(QtWindows, PopupReportsWhenItStopsBeingActive) {
    Host owner, menu;
    auto main = make(owner);
    main->show();
    main->activate();
    spin([&] { return main->isActive(); }, 500);
    auto popup = make(menu, WindowKind::Popup, main.get());
    popup->show();
    popup->activate();
    ASSERT_TRUE(spin([&] { return popup->isActive(); }));
    main->activate();
    ASSERT_TRUE(spin([&] { return !menu.activations.empty() && !menu.activations.back(); }));
}

TEST(QtWindows, MinimiseAndShowRestore) {
    Host h;
    auto w = make(h);
    w->show();
    EXPECT_TRUE(w->isVisible());
    w->minimize();
    EXPECT_TRUE(w->isMinimized());
    w->show();
    EXPECT_FALSE(w->isMinimized());
    w->hide();
    EXPECT_FALSE(w->isVisible());
}

}  // namespace
}  // namespace orvane::platform
