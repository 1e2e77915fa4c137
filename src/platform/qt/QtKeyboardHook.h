#pragma once
// The keyboard hook on Qt. In an X11 session it hears every key typed into any program
// (XInput 2 raw events, no permission needed); elsewhere (Wayland, or an X server without
// XInput 2) it hears the keys typed into this program's windows, and tells when the keyboard
// is with another program.
#include <QObject>
#include <memory>

#include "platform/KeyboardHook.h"

class QSocketNotifier;

namespace orvane::platform::qt {

class XRawKeys;

class QtKeyboardHook : public QObject, public KeyboardHook {
public:
    QtKeyboardHook();
    ~QtKeyboardHook() override;

    HookReach Start(std::function<void(const HookKey&)> sink) override;
    void Stop() override;
    bool Running() const override { return bool(sink_); }
    bool ProgramHasKeyboard() const override;

    // Whether keys of other programs can be heard in this session at all.
    static bool SystemWideAvailable();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Deliver(const HookKey& key);
    void ReadRawKeys();

    std::function<void(const HookKey&)> sink_;
    std::unique_ptr<XRawKeys> raw_;
    std::unique_ptr<QSocketNotifier> notifier_;
    bool filtering_ = false;
    QMetaObject::Connection stateWatch_;
};

}  // namespace orvane::platform::qt
