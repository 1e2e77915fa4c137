#pragma once
// Finding the wired mouse and the receiver among the HID interfaces, keeping one feature
// handle per device for commands, and one input reader thread per device for notifications.
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "base/Result.h"
#include "device/hid/DeviceRole.h"
#include "device/hid/Transport.h"

namespace orvane {

using hid::DeviceRole;
inline constexpr std::array<DeviceRole, 2> kDeviceRoles{DeviceRole::Wired, DeviceRole::Receiver};

uint16_t productOf(DeviceRole role);

inline constexpr uint8_t kInputReportId = 5;
inline constexpr uint8_t kNotificationType = 6;
// Only the first 100 HID interfaces of the system are looked at.
inline constexpr size_t kMaxScannedInterfaces = 100;

std::optional<DeviceRole> roleOf(const hid::InterfaceInfo& info);

class Connection {
public:
    // Runs on a reader thread: the device, and the raw input report.
    using InputHandler = std::function<void(DeviceRole, std::span<const uint8_t>)>;

    explicit Connection(hid::Transport& transport) : transport_(transport) {}
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    void setInputHandler(InputHandler handler) { onInput_ = std::move(handler); }

    // Full re-detection: presence, readers, reopened feature handles, presence-changed flags.
    void detect();

    [[nodiscard]] bool present(DeviceRole r) const { return dev(r).present; }
    [[nodiscard]] bool anyPresent() const { return anyPresent_; }
    // Set by detect() when a device's presence changed; cleared by the status follow-up.
    [[nodiscard]] bool presenceChanged(DeviceRole r) const { return dev(r).presenceChanged; }
    void clearPresenceChanged(DeviceRole r) { dev(r).presenceChanged = false; }

    [[nodiscard]] hid::Device* feature(DeviceRole r) const { return dev(r).feature.get(); }
    // Shared with a transfer in flight, which keeps the handle open until it returns.
    [[nodiscard]] std::shared_ptr<hid::Device> featureHandle(DeviceRole r) const { return dev(r).feature; }
    [[nodiscard]] bool isOpen(DeviceRole r) const { return feature(r) != nullptr; }
    [[nodiscard]] bool anyOpen() const { return isOpen(DeviceRole::Wired) || isOpen(DeviceRole::Receiver); }
    // Why the feature handle could not be opened at the last detection, if it could not.
    [[nodiscard]] const std::optional<Error>& openError(DeviceRole r) const { return dev(r).openError; }
    [[nodiscard]] bool readerRunning(DeviceRole r) const { return dev(r).reader.running.load(); }

    // Whether a path is one of the interfaces in use; an empty path (a monitor that lost track)
    // may be any of them.
    [[nodiscard]] bool uses(const std::string& path) const;
    // An input interface was removed (an empty path: any may have been). Its reader is stopped
    // now: left to notice on its own thread, it could still be on its way out when the device
    // comes back, and the detection would take it for running and start none for the new one.
    void inputRemoved(const std::string& path);

    void closeHandles();

private:
    struct Reader {
        std::atomic<bool> running{false};
        std::thread thread;
        std::unique_ptr<hid::Device> device;
    };
    struct Device {
        bool present = false;
        bool lastPresence = false;
        bool presenceChanged = false;
        std::string inputPath;    // remembered across detections, overwritten when seen again
        std::string featurePath;
        std::shared_ptr<hid::Device> feature;
        std::optional<Error> openError;
        Reader reader;
    };

    Device& dev(DeviceRole r) { return devices_[size_t(r)]; }
    const Device& dev(DeviceRole r) const { return devices_[size_t(r)]; }
    void scan();
    void openFeature(DeviceRole r);
    void startReader(DeviceRole r);
    void runReader(DeviceRole r, hid::Device* device);
    void stopReader(Reader& reader);

    hid::Transport& transport_;
    InputHandler onInput_;
    std::array<Device, 2> devices_;
    bool anyPresent_ = false;
};

}  // namespace orvane
