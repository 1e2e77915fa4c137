#pragma once
// What the mouse is believed to hold, per command. The mouse never acknowledges a write, so a
// frame goes out only when the image built from the profile differs from the belief. A belief
// can also be unknown (a mouse we never met, a receiver now paired with another mouse, a mouse
// that may have missed a change): unknown differs from every image, zeros included, so the next
// pass sends it whatever its value.
#include <array>
#include <cstdint>
#include <optional>

#include "profile/Profile.h"

namespace orvane {

using ButtonImage = std::array<uint8_t, 20>;
using DpiImage = std::array<uint8_t, 26>;
using DpiColourImage = std::array<uint8_t, 18>;
using LightingImage = std::array<uint8_t, 25>;
using PowerImage = std::array<uint8_t, 2>;
using KeyValueImage = std::array<uint8_t, 3>;

template <typename Image>
class Belief {
public:
    // Whether sending image would change what the mouse holds.
    [[nodiscard]] bool differs(const Image& image) const { return !held_ || *held_ != image; }
    [[nodiscard]] bool known() const { return held_.has_value(); }
    // Only meaningful when known().
    [[nodiscard]] const Image& value() const { return *held_; }
    [[nodiscard]] const std::optional<Image>& get() const { return held_; }
    void hold(const Image& image) { held_ = image; }
    void set(const std::optional<Image>& held) { held_ = held; }
    void forget() { held_.reset(); }

private:
    std::optional<Image> held_;
};

struct SentImages {
    std::array<Belief<KeyValueImage>, kKeyCount> buttons;
    Belief<DpiImage> dpi;
    Belief<DpiColourImage> dpiColours;
    Belief<uint8_t> polling;
    Belief<uint8_t> liftOff;
    Belief<uint8_t> debounce;
    // Only the bytes up to the effect's length: the rest is zero (see heldLighting()).
    Belief<LightingImage> lighting;
    Belief<PowerImage> power;

    // Everything unknown: the next pass sends the whole profile.
    void clear() { *this = SentImages{}; }
};

}  // namespace orvane
