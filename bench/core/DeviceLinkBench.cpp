// CPU time of a full synchronisation pass: six buttons, every performance frame, power, and six
// macros of 168 commands. Time is virtual, so the 60 ms pauses (timers on the loop) cost nothing
// and what remains is the link's own work, the pass's schedule and its timers included (and, in
// the second case, the virtual mouse taking the frames).
#include <benchmark/benchmark.h>

#include "base/VirtualEventLoop.h"
#include "device/DeviceLink.h"
#include "device/sim/SimTransport.h"

namespace orvane {
namespace {

// Two devices that take every frame and answer nothing: the link's cost alone.
class NullDevice : public hid::Device {
public:
    explicit NullDevice(hid::InterfaceInfo info) : info_(std::move(info)) {}
    const hid::InterfaceInfo& info() const override { return info_; }
    Status setFeature(std::span<const uint8_t>) override { return {}; }
    Result<size_t> getFeature(std::span<uint8_t> report) override { return report.size(); }
    Result<size_t> readInput(std::span<uint8_t>) override { return makeError(EIO, "no input"); }
    void interruptRead() override {}

private:
    hid::InterfaceInfo info_;
};

class NullTransport : public hid::Transport {
public:
    Result<std::vector<hid::InterfaceInfo>> enumerate() override { return interfaces_; }
    Result<std::unique_ptr<hid::Device>> open(const std::string& path) override {
        for (const auto& i : interfaces_)
            if (i.path == path) return std::unique_ptr<hid::Device>(std::make_unique<NullDevice>(i));
        return makeError(ENOENT, path);
    }
    Status watch(std::function<void(const hid::HotplugEvent&)>) override { return {}; }

private:
    std::vector<hid::InterfaceInfo> interfaces_{
        {"null:wired", hid::kVendorId, hid::kWiredProductId, 8, 33},
        {"null:receiver", hid::kVendorId, hid::kReceiverProductId, 8, 33}};
};

void fillApp(AppData& app) {
    app.settings.ResetToDefaults("/nonexistent");
    app.settings.SetValue(SettingKey::NeedPassword, u"0");
    app.SensorId = 0x3370;
    app.language.SetText(190, u"Macro:");
    for (int i = 0; i < kProfileCount; ++i) app.ResetProfileToDefaults(i);
    MacroSet& set = app.library.AddSet(u"Set");
    for (int m = 0; m < kKeyCount; ++m) {
        const Text name = u"M" + Text(1, char16_t(u'0' + m));
        MacroKey& key = set.AddKey(name);
        // 168 keys, each followed by a delay: 168 commands, the most a macro may have.
        for (uint32_t a = 0; a < 336; ++a)
            key.InsertAction(a, (a % 2) ? 0x05000003u : (uint32_t(0x41 + m) | ((a % 4) ? 0x8000u : 0u)));
        key.CommandActionNum = 168;
        app.Current().keys[size_t(m)].KeyName = u"Macro:" + name;
        app.Current().keys[size_t(m)].KeyValue = {0x90, 0, 0};
    }
}

template <typename TransportT>
void fullPass(benchmark::State& state, TransportT& transport, VirtualEventLoop& loop) {
    AppData app;
    fillApp(app);
    LinkHost host;
    DeviceLink link(app, loop, host, transport);
    link.start();
    loop.advanceMs(DeviceLink::kSyncDelayMs);
    for (auto _ : state) {
        link.forgetWhatTheMouseHolds();
        link.markDirty(SyncGroup::Buttons);
        link.markDirty(SyncGroup::Performance);
        link.markDirty(SyncGroup::Power);
        link.syncNow();
        // The pass's pauses are timers: virtual time runs through them at once.
        loop.runUntil([&] { return link.idle(); }, 60000);
    }
    link.shutdown();
}

void BM_FullPassLinkOnly(benchmark::State& state) {
    VirtualEventLoop loop;
    NullTransport transport;
    fullPass(state, transport, loop);
}
BENCHMARK(BM_FullPassLinkOnly)->Unit(benchmark::kMicrosecond);

void BM_FullPassWithVirtualMouse(benchmark::State& state) {
    VirtualEventLoop loop;
    sim::SimTransport transport({}, &loop);
    fullPass(state, transport, loop);
}
BENCHMARK(BM_FullPassWithVirtualMouse)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace orvane
