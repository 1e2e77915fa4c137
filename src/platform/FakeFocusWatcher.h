#pragma once
// The focus of the in-memory platform: tests move the focus to a program, and the listener hears
// it at once, on the caller's thread, as a desktop's report would arrive on the UI thread.
#include "platform/FocusWatcher.h"

namespace orvane::platform {

class FakeFocusWatcher : public FocusWatcher {
public:
    explicit FakeFocusWatcher(bool available = true) : available_(available) {}

    bool available() const override { return available_; }
    void watch(std::function<void(const ProgramIdentity&)> onFocus) override;
    void stop() override { onFocus_ = nullptr; }
    std::vector<RunningProgram> runningPrograms() override { return running; }

    // Reported to the listener, if one watches (an empty identity: no window has focus).
    void focus(const ProgramIdentity& program);
    // Whether a listener is set (also on an unavailable watcher, so tests see who asked).
    bool watching() const { return bool(onFocus_); }
    const ProgramIdentity& focused() const { return focused_; }

    std::vector<RunningProgram> running;

private:
    bool available_;
    ProgramIdentity focused_;
    std::function<void(const ProgramIdentity&)> onFocus_;
};

}  // namespace orvane::platform
