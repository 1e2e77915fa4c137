#pragma once
// Per-sensor DPI step tables: a profile stores step indices; the pages show the step's DPI
// value and the mouse receives the step's DPI code.
#include <cstdint>
#include <vector>

namespace orvane {

class DpiTables {
public:
    // Fills the tables for one of the five known sensors; for any other id nothing changes
    // and false is returned.
    bool rebuild(uint16_t sensorId);

    [[nodiscard]] uint16_t sensorId() const { return sensorId_; }
    [[nodiscard]] int stepCount() const { return static_cast<int>(value50_.size()); }
    // Sensors with the flag get the lift-off section.
    [[nodiscard]] bool sensorPageFlag() const { return pageFlag_; }

    // Indices beyond the table (a hand-edited profile, or one written for another sensor)
    // read the last step, so a frame never carries a code the sensor does not have; with
    // no table at all both read 0.
    [[nodiscard]] int dpiValue(int index) const;
    [[nodiscard]] uint16_t dpiCode(int index) const;
    // Nearest step index for a DPI value (for the command line, which takes DPI values).
    [[nodiscard]] int indexForDpi(int dpi) const;

private:
    [[nodiscard]] int clampIndex(int index) const;

    uint16_t sensorId_ = 0;
    bool pageFlag_ = false;
    std::vector<uint16_t> value50_;  // every DPI value is a multiple of 50
    std::vector<uint16_t> code_;
};

}  // namespace orvane
