#include "device/SettingsEncoder.h"

#include <bit>

namespace orvane {

namespace {

// A profile text read as a decimal number, low byte used; anything else reads as 0.
uint8_t pairByte(const Profile& p, ProfilePair pair) { return static_cast<uint8_t>(p.GetPairInt(pair)); }

void putColour(uint8_t* out, Colour c) {
    out[0] = static_cast<uint8_t>(c & 0xFF);
    out[1] = static_cast<uint8_t>((c >> 8) & 0xFF);
    out[2] = static_cast<uint8_t>((c >> 16) & 0xFF);
}

}  // namespace

DpiImage buildDpiImage(const Profile& p, const DpiTables& tables) {
    DpiImage img{};
    const int count = std::popcount(p.DPIOffOnFlagValue);
    img[0] = static_cast<uint8_t>(((p.CurrentDPILevelValue + 1) << 4) | (count & 0x0F));
    img[1] = p.DPIOffOnFlagValue;
    for (int j = 0; j < 4; ++j) {
        const uint16_t code = tables.dpiCode(p.XYSetting[j]);
        img[2 + 2 * j] = img[14 + 2 * j] = static_cast<uint8_t>(code & 0xFF);
        img[3 + 2 * j] = img[15 + 2 * j] = static_cast<uint8_t>(code >> 8);
    }
    return img;
}

DpiColourImage buildDpiColourImage(const Profile& p) {
    DpiColourImage img{};
    for (int j = 0; j < 6; ++j) putColour(&img[3 * j], p.DPILevelIndication[j]);
    return img;
}

uint8_t buildPollingImage(const Profile& p) {
    switch (p.PollingRateValue[0]) {
    case 0: return 8;
    case 1: return 4;
    case 2: return 2;
    default: return 1;
    }
}

uint8_t buildLiftOffImage(const Profile& p) {
    return p.GetPairInt(ProfilePair::LiftDetectionHeight) == 1 ? 1 : 2;
}

uint8_t buildDebounceImage(const Profile& p) { return pairByte(p, ProfilePair::KeyDebounce); }

LightingImage buildLightingImage(const Profile& p) {
    LightingImage img{};
    const uint8_t e = p.Lighting1ModeValue[0];
    // Effects 10 and above have no per-effect settings; the firmware ignores their nibbles.
    const uint8_t brightness = e < kLightingEffectCount ? p.Lighting1Brightness[e] : 0;
    const uint8_t speed = e < kLightingEffectCount ? p.Lighting1Speed[e] : 0;
    img[1] = e;
    img[2] = static_cast<uint8_t>(((brightness + 1) << 4) | ((speed + 1) & 0x0F));
    switch (e) {
    case 0: case 4: case 5: case 8: case 9:
        img[0] = 2;
        break;
    case 1:
        img[0] = 3;
        img[3] = p.Lighting1Direction[1];
        break;
    case 2: {
        img[0] = 0x18;
        uint8_t written = 0;
        for (int s = 0; s < 7; ++s) {
            const Colour c = p.Lighting1FixedColor[2][s];
            if (p.Lighting1ColorSelected[2][s] == 0 || c == 0) continue;
            putColour(&img[4 + 3 * s], c);
            ++written;
        }
        img[3] = written;
        break;
    }
    case 3:
        img[0] = 5;
        putColour(&img[3], p.Lighting1FixedColor[3][0]);
        break;
    case 6:
        img[0] = 0x17;
        for (int s = 0; s < 7; ++s)
            if (p.Lighting1ColorSelected[6][s] != 0) putColour(&img[3 + 3 * s], p.Lighting1FixedColor[6][s]);
        break;
    case 7:
        img[0] = 0x17;
        for (int s = 0; s < 2; ++s)
            if (p.Lighting1ColorSelected[7][s] != 0) putColour(&img[3 + 3 * s], p.Lighting1FixedColor[7][s]);
        break;
    default:
        img[0] = 0;
        break;
    }
    return img;
}

PowerImage buildPowerImage(const Profile& p) {
    return {pairByte(p, ProfilePair::PowerDownTime), pairByte(p, ProfilePair::MoveLightingOnOffMode)};
}

Frame dpiFrame(const DpiImage& image) {
    const uint8_t length = static_cast<uint8_t>(4 * (image[0] & 0x0F) + 2);
    return makeFrame(Command::Dpi, 0, 1, length, image);
}

Frame dpiColourFrame(const DpiColourImage& image) { return makeFrame(Command::DpiColours, 0, 1, 18, image); }

Frame pollingFrame(uint8_t image) { return makeFrame(Command::Polling, 0, 1, 1, std::span(&image, 1)); }

Frame liftOffFrame(uint8_t image) {
    const uint8_t payload[2] = {image, 0};
    return makeFrame(Command::LiftOff, 0, 1, 2, payload);
}

Frame debounceFrame(uint8_t image) { return makeFrame(Command::Debounce, 0, 1, 1, std::span(&image, 1)); }

Frame lightingFrame(const LightingImage& image) {
    return makeFrame(Command::Lighting, 0, 1, image[0], std::span(image).subspan(1, 24));
}

Frame powerFrame(const PowerImage& image) { return makeFrame(Command::Power, 0, 1, 2, image); }

}  // namespace orvane
