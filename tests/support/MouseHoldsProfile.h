#pragma once
// The model tests' invariant: the virtual mouse's memory is what the profile encodes to. The
// expectation is a factory-fresh firmware model that was given every frame of the profile, as a
// whole write sends them, so the comparison does not restate the encoders.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/ButtonEncoder.h"
#include "device/DpiTables.h"
#include "device/MacroEncoder.h"
#include "device/SettingsEncoder.h"
#include "device/sim/FirmwareModel.h"
#include "profile/MacroLibrary.h"
#include "profile/Profile.h"

namespace orvane::test {

inline std::string hexBytes(const uint8_t* b, size_t n) {
    static const char* digits = "0123456789ABCDEF";
    std::string s;
    for (size_t i = 0; i < n; ++i) {
        if (i) s += ' ';
        s += digits[b[i] >> 4];
        s += digits[b[i] & 15];
    }
    return s;
}

inline sim::MouseMemory encodedProfile(const Profile& p, const DpiTables& tables) {
    sim::FirmwareModel model;
    auto put = [&](const Frame& f) { EXPECT_TRUE(model.handleSetFeature(hid::DeviceRole::Wired, f).ok()); };
    for (int i = 0; i < kKeyCount; ++i) put(buttonFrame(i, p.keys[size_t(i)].KeyValue));
    put(dpiFrame(buildDpiImage(p, tables)));
    put(dpiColourFrame(buildDpiColourImage(p)));
    put(pollingFrame(buildPollingImage(p)));
    put(liftOffFrame(buildLiftOffImage(p)));
    put(debounceFrame(buildDebounceImage(p)));
    put(lightingFrame(buildLightingImage(p)));
    put(powerFrame(buildPowerImage(p)));
    return model.memory();
}

// The settings and buttons of the profile; then every macro a button plays: macroSlots[j] is
// the device slot (0-based, -1 for none) of the first set's macro j, as the uploader assigned them.
inline void expectMouseHolds(const sim::MouseMemory& held, const Profile& p, const DpiTables& tables,
                             const MacroLibrary& library, const std::vector<int>& macroSlots,
                             const std::string& where) {
    const sim::MouseMemory want = encodedProfile(p, tables);
    for (int i = 0; i < kKeyCount; ++i)
        ASSERT_EQ(hexBytes(held.buttons[size_t(i)].data(), 3), hexBytes(want.buttons[size_t(i)].data(), 3))
            << "button " << i + 1 << ", " << where;
    ASSERT_EQ(hexBytes(held.dpi.data(), held.dpi.size()), hexBytes(want.dpi.data(), want.dpi.size()))
        << "DPI, " << where;
    ASSERT_EQ(hexBytes(held.dpiColours.data(), 18), hexBytes(want.dpiColours.data(), 18)) << "colours, " << where;
    ASSERT_EQ(held.pollingInterval, want.pollingInterval) << "polling, " << where;
    ASSERT_EQ(held.liftOff, want.liftOff) << "lift-off, " << where;
    ASSERT_EQ(held.debounce, want.debounce) << "debounce, " << where;
    ASSERT_EQ(held.sleepTime, want.sleepTime) << "sleep, " << where;
    ASSERT_EQ(held.movingLighting, want.movingLighting) << "moving lighting, " << where;
    const size_t lit = size_t(want.lighting[0]) + 1;
    ASSERT_EQ(hexBytes(held.lighting.data(), lit), hexBytes(want.lighting.data(), lit)) << "lighting, " << where;
    // Every macro a button plays, as its events.
    const MacroSet* set = library.FindSet(0);
    for (size_t j = 0; set && j < macroSlots.size() && j < set->KeyCount(); ++j) {
        if (macroSlots[j] < 0) continue;
        const uint8_t slot = uint8_t(macroSlots[j] + 1);
        const MacroKey& macro = *set->FindKey(uint32_t(j));
        const MacroImage image = encodeMacro(macro, slot);
        std::vector<uint8_t> events(size_t(3 * macro.CommandActionNum), 0);
        for (size_t k = 0; k < events.size() && kMacroHeaderSize + k < image.size(); ++k)
            events[k] = image[kMacroHeaderSize + k];
        const auto it = held.macros.find(slot);
        ASSERT_TRUE(it != held.macros.end()) << "macro slot " << int(slot) << ", " << where;
        ASSERT_EQ(hexBytes(it->second.data.data(), it->second.data.size()), hexBytes(events.data(), events.size()))
            << "macro slot " << int(slot) << ", " << where;
    }
    for (int i = 0; i < kKeyCount; ++i) {
        const auto& v = p.keys[size_t(i)].KeyValue;
        if (v[0] == 0x90) {
            ASSERT_TRUE(held.macros.count(uint8_t(v[1] & 0x0F))) << "button " << i + 1 << "'s macro, " << where;
        }
    }
}

}  // namespace orvane::test
