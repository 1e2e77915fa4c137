#include "platform/qt/QtKeyboardHook.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QSocketNotifier>
#include <cstdlib>
#include <cstring>

#include "platform/PhysicalKeys.h"
#include "platform/qt/QtWindow.h"
#include "platform/qt/XRawKeys.h"

namespace orvane::platform::qt {

namespace {
bool waylandSession() {
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    const char* type = std::getenv("XDG_SESSION_TYPE");
    return (wayland && *wayland) || (type && std::strcmp(type, "wayland") == 0);
}

// Events made up by a program carry no time; a steady clock keeps the delays meaningful.
uint32_t nowMs() {
    static QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return uint32_t(clock.elapsed());
}
}  // namespace

QtKeyboardHook::QtKeyboardHook() = default;

QtKeyboardHook::~QtKeyboardHook() { Stop(); }

bool QtKeyboardHook::SystemWideAvailable() {
    // Under Wayland the X server (Xwayland) sees only the keys of X programs: not system-wide.
    return QGuiApplication::platformName() == u"xcb" && !waylandSession();
}

HookReach QtKeyboardHook::Start(std::function<void(const HookKey&)> sink) {
    if (!QCoreApplication::instance()) return HookReach::None;
    const bool wasRunning = Running();
    sink_ = std::move(sink);
    if (wasRunning) return raw_ ? HookReach::System : HookReach::ProgramWindows;
    if (SystemWideAvailable()) raw_ = XRawKeys::open();
    if (raw_) {
        notifier_ = std::make_unique<QSocketNotifier>(raw_->fd(), QSocketNotifier::Read);
        QObject::connect(notifier_.get(), &QSocketNotifier::activated, this, [this] { ReadRawKeys(); });
        ReadRawKeys();  // anything Xlib already queued
        return HookReach::System;
    }
    // Keys of our own windows, seen once each at the window before any field or handler.
    QCoreApplication::instance()->installEventFilter(this);
    filtering_ = true;
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        stateWatch_ = QObject::connect(app, &QGuiApplication::applicationStateChanged, this,
                                       [this](Qt::ApplicationState state) {
                                           if (Running() && onProgramKeyboard)
                                               onProgramKeyboard(state == Qt::ApplicationActive);
                                       });
    return HookReach::ProgramWindows;
}

void QtKeyboardHook::Stop() {
    sink_ = nullptr;
    notifier_.reset();
    raw_.reset();
    if (filtering_ && QCoreApplication::instance()) QCoreApplication::instance()->removeEventFilter(this);
    filtering_ = false;
    if (stateWatch_) QObject::disconnect(stateWatch_);
    stateWatch_ = {};
}

bool QtKeyboardHook::ProgramHasKeyboard() const {
    return QGuiApplication::applicationState() == Qt::ApplicationActive;
}

void QtKeyboardHook::Deliver(const HookKey& key) {
    if (!sink_) return;
    auto sink = sink_;  // the sink may stop the hook
    sink(key);
}

void QtKeyboardHook::ReadRawKeys() {
    if (!raw_) return;
    raw_->drain([this](uint32_t keycode, bool release, uint32_t timeMs) {
        HookKey k;
        k.physical = PhysicalOfXkbKeycode(keycode);
        k.vk = VirtualKeyOfPhysical(k.physical);
        k.release = release;
        k.timeMs = timeMs;
        if (raw_) Deliver(k);
    });
}

bool QtKeyboardHook::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type t = event->type();
    if ((t != QEvent::KeyPress && t != QEvent::KeyRelease) || !watched->isWindowType() || !sink_) return false;
    const auto* e = static_cast<const QKeyEvent*>(event);
    const KeyEvent k = keyEventOf(*e);
    HookKey h;
    h.vk = k.vk;
    h.physical = k.physical;
    h.release = !k.down;
    h.autoRepeat = k.autoRepeat;
    h.timeMs = e->timestamp() ? uint32_t(e->timestamp()) : nowMs();
    Deliver(h);
    return false;
}

}  // namespace orvane::platform::qt
