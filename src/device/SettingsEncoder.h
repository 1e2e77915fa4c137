#pragma once
// Performance and power settings of a profile as the byte images the mouse takes, and the
// frames that carry them. Pure functions: the sync pass decides what to send.
#include <cstdint>

#include "device/CommandFrame.h"
#include "device/DpiTables.h"
#include "device/SentImages.h"
#include "profile/Profile.h"

namespace orvane {

DpiImage buildDpiImage(const Profile& p, const DpiTables& tables);
DpiColourImage buildDpiColourImage(const Profile& p);
uint8_t buildPollingImage(const Profile& p);
uint8_t buildLiftOffImage(const Profile& p);
uint8_t buildDebounceImage(const Profile& p);
LightingImage buildLightingImage(const Profile& p);
PowerImage buildPowerImage(const Profile& p);

// Number of bytes of a lighting image that take part in comparison: its length byte + 1.
inline size_t lightingCompareLength(const LightingImage& image) { return size_t(image[0]) + 1; }
// The image with the bytes past its length cleared: what the mouse is believed to hold of it.
inline LightingImage comparableLighting(LightingImage image) {
    for (size_t i = lightingCompareLength(image); i < image.size(); ++i) image[i] = 0;
    return image;
}

// Frames carry sequence number 0; the frame sender stamps the real one.
Frame dpiFrame(const DpiImage& image);
Frame dpiColourFrame(const DpiColourImage& image);
Frame pollingFrame(uint8_t image);
Frame liftOffFrame(uint8_t image);
Frame debounceFrame(uint8_t image);
Frame lightingFrame(const LightingImage& image);
Frame powerFrame(const PowerImage& image);

}  // namespace orvane
