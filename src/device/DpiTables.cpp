#include "device/DpiTables.h"

#include <cstdlib>

namespace orvane {

namespace {

int valueFor(uint16_t sensor, int i) {
    switch (sensor) {
    case 0x3325: {
        static constexpr int kHigh[] = {5500, 6000, 6400, 7000, 7500, 8000, 8500, 9000, 9500, 10000};
        return i <= 48 ? 200 + 100 * i : kHigh[i - 49];
    }
    case 0x3327:
        if (i <= 60) return 200 + 100 * i;
        if (i <= 72) return 6500 + 500 * (i - 61);
        return 12400;
    case 0x3335:
        return 100 + 100 * i;
    case 0x3360:
        return i <= 119 ? 100 + 100 * i : 24000;
    case 0x3370:
        return i <= 199 ? 50 + 50 * i : 10100 + 100 * (i - 200);
    default:
        return 0;
    }
}

struct SensorShape {
    uint16_t id;
    int steps;
    int codeOffset;
    bool pageFlag;
};

constexpr SensorShape kSensors[] = {
    {0x3325, 59, 1, true}, {0x3327, 74, 1, false}, {0x3335, 160, 0, true},
    {0x3360, 121, 0, false}, {0x3370, 290, 0, true},
};

const SensorShape* find(uint16_t id) {
    for (const auto& s : kSensors)
        if (s.id == id) return &s;
    return nullptr;
}

}  // namespace

bool DpiTables::rebuild(uint16_t sensorId) {
    const SensorShape* shape = find(sensorId);
    if (!shape) return false;
    sensorId_ = sensorId;
    pageFlag_ = shape->pageFlag;
    value50_.resize(shape->steps);
    code_.resize(shape->steps);
    for (int i = 0; i < shape->steps; ++i) {
        value50_[i] = static_cast<uint16_t>(valueFor(sensorId, i) / 50);
        code_[i] = static_cast<uint16_t>(i + shape->codeOffset);
    }
    return true;
}

int DpiTables::clampIndex(int index) const {
    if (index < 0) return 0;
    return index < stepCount() ? index : stepCount() - 1;
}

int DpiTables::dpiValue(int index) const {
    if (value50_.empty()) return 0;
    return value50_[clampIndex(index)] * 50;
}

uint16_t DpiTables::dpiCode(int index) const {
    if (code_.empty()) return 0;
    return code_[clampIndex(index)];
}

int DpiTables::indexForDpi(int dpi) const {
    int best = 0;
    for (int i = 1; i < stepCount(); ++i)
        if (std::abs(dpiValue(i) - dpi) < std::abs(dpiValue(best) - dpi)) best = i;
    return best;
}

}  // namespace orvane
