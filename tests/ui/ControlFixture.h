#pragma once
// A dialog on the in-memory platform that records what its controls send, for driving single
// controls directly.
#include <gtest/gtest.h>

#include "TestDialog.h"

namespace orvane::ui::test {

inline platform::ScreenInfo screenAtScale(float scale) {
    return platform::ScreenInfo{{scale > 1.0f ? 3840 : 1920, 1040}, scale, 1.0f};
}

struct ControlFixture : ::testing::Test {
    explicit ControlFixture(float scale = 1.0f) : platform(screenAtScale(scale)) {}
    platform::FakePlatform platform;
    TestDialog dlg{platform};

    std::vector<Message> take() {
        auto m = std::move(dlg.messages);
        dlg.messages.clear();
        return m;
    }
    std::vector<intptr_t> codes() {
        std::vector<intptr_t> out;
        for (const auto& m : take()) out.push_back(m.lParam);
        return out;
    }
};

struct ScaleTwoFixture : ControlFixture {
    ScaleTwoFixture() : ControlFixture(2.0f) {}
};

}  // namespace orvane::ui::test
