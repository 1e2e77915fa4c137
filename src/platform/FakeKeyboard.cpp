#include "platform/FakeKeyboard.h"

#include <algorithm>

namespace orvane::platform {

class FakeKeyboard::Hook : public KeyboardHook {
public:
    explicit Hook(FakeKeyboard& keyboard) : keyboard_(keyboard) { keyboard_.hooks_.push_back(this); }
    ~Hook() override { std::erase(keyboard_.hooks_, this); }

    HookReach Start(std::function<void(const HookKey&)> sink) override {
        reach_ = keyboard_.reach_;
        if (reach_ == HookReach::None) return reach_;
        sink_ = std::move(sink);
        ++keyboard_.starts_;
        return reach_;
    }
    void Stop() override { sink_ = nullptr; }
    bool Running() const override { return bool(sink_); }
    bool ProgramHasKeyboard() const override { return keyboard_.programHasKeyboard_; }

    void deliver(const HookKey& k) {
        if (!sink_) return;
        if (reach_ == HookReach::ProgramWindows && !keyboard_.programHasKeyboard_) return;
        auto sink = sink_;  // the sink may stop the hook
        sink(k);
    }
    void focusChanged(bool has) {
        if (sink_ && onProgramKeyboard) onProgramKeyboard(has);
    }

private:
    FakeKeyboard& keyboard_;
    HookReach reach_ = HookReach::None;
    std::function<void(const HookKey&)> sink_;
};

void FakeKeyboard::setProgramHasKeyboard(bool has) {
    if (programHasKeyboard_ == has) return;
    programHasKeyboard_ = has;
    const auto hooks = hooks_;
    for (Hook* h : hooks)
        if (std::find(hooks_.begin(), hooks_.end(), h) != hooks_.end()) h->focusChanged(has);
}

void FakeKeyboard::key(uint32_t vk, bool release, uint32_t timeMs, uint32_t physical, bool autoRepeat) {
    const HookKey k{vk, physical, release, autoRepeat, timeMs};
    // A hook may be stopped or destroyed by what another one does with the key.
    const auto hooks = hooks_;
    for (Hook* h : hooks)
        if (std::find(hooks_.begin(), hooks_.end(), h) != hooks_.end()) h->deliver(k);
}

std::unique_ptr<KeyboardHook> FakeKeyboard::createHook() { return std::make_unique<Hook>(*this); }

size_t FakeKeyboard::runningHooks() const {
    return size_t(std::count_if(hooks_.begin(), hooks_.end(), [](const Hook* h) { return h->Running(); }));
}

}  // namespace orvane::platform
