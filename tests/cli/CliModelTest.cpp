// The mouse holds what orvanectl says it holds. A seeded random walk of orvanectl runs against
// one virtual mouse that lives on between them (each run its own link, as separate processes
// are), while the mouse falls asleep, loses its cable or its receiver, refuses writes, or meets
// the program through another receiver. After a run that exits 0 the mouse holds exactly the
// current profile as the files have it; a run that exits 1 named what it did not send, and the
// next healthy run must deliver it.
//
// ORVANE_MODEL_SEEDS (default 3) seeds of ORVANE_MODEL_STEPS (default 60) runs; ORVANE_MODEL_SEED=N
// replays one seed.
#include <random>

#include "SessionFixture.h"
#include "device/MacroUploader.h"
#include "profile/LanguageFile.h"
#include "profile/MacroLibraryFile.h"
#include "profile/Storage.h"
#include "support/MouseHoldsProfile.h"

namespace orvane::cli {
namespace {

using hid::DeviceRole;

int envInt(const char* name, int fallback) {
    const char* v = std::getenv(name);
    return v && *v ? std::atoi(v) : fallback;
}

// Hands each run the one virtual mouse; the run owns only this stand-in.
class BorrowedTransport : public hid::Transport {
public:
    explicit BorrowedTransport(hid::Transport& t) : t_(t) {}
    Result<std::vector<hid::InterfaceInfo>> enumerate() override { return t_.enumerate(); }
    Result<std::unique_ptr<hid::Device>> open(const std::string& path) override { return t_.open(path); }
    Status watch(std::function<void(const hid::HotplugEvent&)> onEvent) override { return t_.watch(std::move(onEvent)); }

private:
    hid::Transport& t_;
};

class CliModel : public SessionTest {
protected:
    int orvanectl(std::vector<std::string> argv) {
        argv.insert(argv.begin(), {"--app-dir", dir.string(), "--simulate"});
        auto args = parseCliArgs(argv);
        EXPECT_TRUE(args.ok());
        if (!args) return -1;
        Platform platform{loop,
                          [this](const std::function<bool()>& done, int timeoutMs) {
                              for (int t = 0; t < timeoutMs && !done(); ++t) loop.advanceMs(1);
                              return done();
                          },
                          [this]() -> Result<std::unique_ptr<hid::Transport>> {
                              return std::unique_ptr<hid::Transport>(std::make_unique<BorrowedTransport>(mouse));
                          }};
        out.str("");
        err.str("");
        Session session(std::move(args.value()), std::move(platform), out, err);
        const int status = session.run();
        loop.runPending();
        loop.killTimer(this, kCutTimer);
        return status;
    }

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }

    std::vector<std::string> randomCommand() {
        static const std::vector<std::vector<std::string>> buttonFunctions = {
            {"disable"}, {"right"}, {"middle"}, {"back"}, {"dpi-up"}, {"volume-up"}, {"key", "Ctrl+C"},
            {"fire", "50", "3"}, {"macro", "Copy"}, {"macro", "Paste"}, {"macro", "Double click"}};
        switch (pick(10)) {
        case 0: return {"set", "polling", std::vector<std::string>{"125", "500", "1000"}[size_t(pick(3))]};
        case 1: return {"set", "dpi", std::to_string(1 + pick(4)), std::to_string(400 * (1 + pick(8)))};
        case 2: {
            char colour[8];
            std::snprintf(colour, sizeof colour, "%06X", unsigned(rng() & 0xFFFFFF));
            return {"set", "dpi-colour", std::to_string(1 + pick(4)), colour};
        }
        case 3: return {"set", "debounce", std::to_string(2 * pick(9))};
        case 4: return {"set", "sleep", std::to_string(1 + pick(10))};
        case 5: return {"set", "lift-off", std::to_string(1 + pick(2))};
        case 6: return {"profile", "select", std::to_string(1 + pick(5))};
        case 7: return {"apply"};
        default: {
            std::vector<std::string> c{"set", "button", std::to_string(2 + pick(5))};
            const auto& f = buttonFunctions[size_t(pick(int(buttonFunctions.size())))];
            c.insert(c.end(), f.begin(), f.end());
            return c;
        }
        }
    }

    // The mouse's life between two runs.
    void mouseEvent() {
        mouse.clearFaults(DeviceRole::Wired);
        mouse.clearFaults(DeviceRole::Receiver);
        mouse.setOnline(true);
        mouse.plug(DeviceRole::Wired);
        mouse.plug(DeviceRole::Receiver);
        switch (pick(8)) {
        case 0: mouse.injectFault(pick(2) ? DeviceRole::Wired : DeviceRole::Receiver, sim::Fault::WriteFails, sim::kFaultAlways);
            [[fallthrough]];
        case 1: mouse.injectFault(DeviceRole::Wired, sim::Fault::WriteFails, sim::kFaultAlways);
            mouse.injectFault(DeviceRole::Receiver, sim::Fault::WriteFails, sim::kFaultAlways);
            state = "failing writes";
            break;
        case 2:
            mouse.unplug(DeviceRole::Wired);
            mouse.setOnline(false);
            state = "asleep behind the receiver";
            break;
        case 3:
            mouse.unplug(pick(2) ? DeviceRole::Wired : DeviceRole::Receiver);
            state = "one device";
            break;
        case 4:  // the user brings another mouse of this model: factory-fresh, another id
            mouse.setMacId(uint32_t(rng() & 0xFFFFFF));
            mouse.withModel([](sim::FirmwareModel& m) { m.factoryReset(); });
            if (pick(2)) mouse.unplug(DeviceRole::Receiver);
            state = "another mouse";
            break;
        case 5: {
            // Both devices go while the run is under way: before it finds the mouse, during its
            // status read or in the middle of its pass. The mouse keeps what it had taken.
            const int64_t at = pick(2) ? pick(40) : pick(900);
            loop.setTimer(this, kCutTimer, int(at), [this] {
                loop.killTimer(this, kCutTimer);
                mouse.unplug(DeviceRole::Wired);
                mouse.unplug(DeviceRole::Receiver);
            });
            state = "unplugged after " + std::to_string(at) + " ms";
            break;
        }
        default: state = "healthy"; break;
        }
    }

    // Macros for the buttons: a tap with a long delay, a press without its release, a long one.
    void writeLibrary() {
        MacroLibrary lib;
        MacroSet& set = lib.AddSet(u"Model");
        MacroKey& click = set.AddKey(u"Double click");
        for (uint32_t a : {0x000000E0u, 0x32000003u, 0x000080E0u, 0x2C010003u, 0x000000E0u, 0x000080E0u})
            click.InsertAction(click.ActionCount, a);
        click.CommandActionNum = 4;
        set.AddKey(u"Copy").InsertAction(0, 0x000000A2u);
        set.FindKey(1)->CommandActionNum = 1;
        MacroKey& paste = set.AddKey(u"Paste");
        for (int i = 0; i < 40; ++i) {
            paste.InsertAction(paste.ActionCount, 0x00000041u + uint32_t(i % 20));
            paste.InsertAction(paste.ActionCount, 0x05000003u);
            paste.InsertAction(paste.ActionCount, 0x00008041u + uint32_t(i % 20));
        }
        paste.CommandActionNum = 80;
        fs::create_directories(dir / "config");
        ASSERT_TRUE(WriteLibraryFile(lib, dir / "config" / "MacroLibraryFile.mlf").ok());
    }

    void expectMouseHoldsStoredProfile(const std::string& where) {
        AppData app{ConfigFolder{dir / "config"}};
        (void)LoadLanguage(app, 1.0);
        (void)LoadLibraryFile(app);
        LoadSettingsAndProfiles(app);
        DpiTables tables;
        tables.rebuild(app.SensorId);
        Profile p = app.Current();
        MacroUploader uploader;
        uploader.assignSlots(p, app.library, app.language);
        test::expectMouseHolds(mouse.memory(), p, tables, app.library, uploader.slotTable(), where);
    }

    static constexpr int kCutTimer = 1;
    VirtualEventLoop loop;
    sim::SimTransport mouse{{}, &loop};
    std::mt19937 rng;
    std::string state;
};

TEST_F(CliModel, AfterEveryRunThatSaysDoneTheMouseHoldsTheStoredProfile) {
    const int steps = envInt("ORVANE_MODEL_STEPS", 60);
    const int replay = envInt("ORVANE_MODEL_SEED", -1);
    const int seeds = replay >= 0 ? 1 : envInt("ORVANE_MODEL_SEEDS", 3);
    const fs::path base = dir;
    for (int s = 0; s < seeds; ++s) {
        const uint32_t seed = replay >= 0 ? uint32_t(replay) : uint32_t(2000 + s);
        rng.seed(seed);
        dir = base / std::to_string(seed);
        mouse.withModel([](sim::FirmwareModel& m) { m.factoryReset(); });
        writeLibrary();
        std::string trail;
        for (int step = 0; step < steps; ++step) {
            mouseEvent();
            const auto command = randomCommand();
            std::string line;
            for (const auto& w : command) line += w + " ";
            trail += "\n  [" + state + "] " + line;
            const int status = orvanectl(command);
            const std::string where = "seed " + std::to_string(seed) + ", step " + std::to_string(step) +
                                      "; replay with ORVANE_MODEL_SEED=" + std::to_string(seed) + trail + "\n" +
                                      out.str() + err.str();
            ASSERT_TRUE(status == kExitOk || status == kExitFailure) << where;
            if (status == kExitFailure) {
                // It said what it did not send, or which file it could not save.
                ASSERT_TRUE(out.str().find("not sent") != std::string::npos ||
                            out.str().find("NOT") != std::string::npos)
                    << where;
                continue;
            }
            ASSERT_NO_FATAL_FAILURE(expectMouseHoldsStoredProfile(where));
        }
        // Healthy at last: one more run delivers whatever is still missing.
        mouse.clearFaults(DeviceRole::Wired);
        mouse.clearFaults(DeviceRole::Receiver);
        mouse.setOnline(true);
        mouse.plug(DeviceRole::Wired);
        mouse.plug(DeviceRole::Receiver);
        ASSERT_EQ(orvanectl({"set", "lift-off", "2"}), kExitOk) << err.str();
        ASSERT_NO_FATAL_FAILURE(expectMouseHoldsStoredProfile("seed " + std::to_string(seed) + ", healed" + trail));
    }
    dir = base;
}

}  // namespace
}  // namespace orvane::cli
