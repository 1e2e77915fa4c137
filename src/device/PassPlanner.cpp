#include "device/PassPlanner.h"

#include "device/ButtonEncoder.h"
#include "device/SettingsEncoder.h"

namespace orvane {

PassReport PassPlanner::takeReport() {
    PassReport report = std::move(report_);
    report_ = PassReport{};
    return report;
}

bool PassPlanner::assignMacroSlots() {
    report_.macrosDisabled = macros_.assignSlots(app_.Current(), app_.library, app_.language);
    return !report_.macrosDisabled.empty();
}

void PassPlanner::scheduleGroup(FrameSchedule& s, SyncGroup group) {
    if (group == SyncGroup::Buttons) {
        scheduleButtons(s);
    } else if (group == SyncGroup::Performance) {
        schedulePerformance(s);
    } else if (group == SyncGroup::Power) {
        const PowerImage power = buildPowerImage(app_.Current());
        scheduleSetting(s, sent_.power, power, powerFrame(power));
    }
    // Pointer carries no frames.
}

void PassPlanner::scheduleButtons(FrameSchedule& s) {
    const Profile& p = app_.Current();
    for (int i = 0; i < kKeyCount; ++i) {
        Belief<KeyValue>& sent = sent_.buttons[size_t(i)];
        const KeyValue value = p.keys[size_t(i)].KeyValue;
        if (sent.differs(value)) {
            const std::optional<KeyValue> old = sent.get();
            sent.hold(value);
            s.send(buttonFrame(i, value), [this, i, old](const FrameResult& r) {
                // A button the mouse did not get keeps its old belief, so it goes out again.
                if (!held(Command::Button, r, i)) sent_.buttons[size_t(i)].set(old);
            });
        }
        s.pause(kFramePauseMs);
    }
}

template <typename Image>
void PassPlanner::scheduleSetting(FrameSchedule& s, Belief<Image>& sent, const Image& image,
                                  const Frame& frame) {
    if (!sent.differs(image)) return;
    // The belief changes as the frame is decided; a frame the mouse did not get puts it back.
    const std::optional<Image> old = sent.get();
    sent.hold(image);
    s.send(frame, [this, &sent, old, command = Command(frame[kCommandByte])](const FrameResult& r) {
        if (!held(command, r)) sent.set(old);
    });
    s.pause(kFramePauseMs);
}

void PassPlanner::schedulePerformance(FrameSchedule& s) {
    const Profile& p = app_.Current();
    const DpiImage dpi = buildDpiImage(p, dpi_);
    scheduleSetting(s, sent_.dpi, dpi, dpiFrame(dpi));
    const DpiColourImage colours = buildDpiColourImage(p);
    scheduleSetting(s, sent_.dpiColours, colours, dpiColourFrame(colours));
    const uint8_t polling = buildPollingImage(p);
    scheduleSetting(s, sent_.polling, polling, pollingFrame(polling));
    const uint8_t liftOff = buildLiftOffImage(p);
    scheduleSetting(s, sent_.liftOff, liftOff, liftOffFrame(liftOff));
    const uint8_t debounce = buildDebounceImage(p);
    scheduleSetting(s, sent_.debounce, debounce, debounceFrame(debounce));
    // Only the bytes up to the effect's length are compared and recorded.
    const LightingImage lighting = buildLightingImage(p);
    scheduleSetting(s, sent_.lighting, comparableLighting(lighting), lightingFrame(lighting));
}

// The uploader's frames join the pass's schedule; each is recorded in the pass report as it
// comes back. Without a device a macro counts as held, and the DataChange check at the next
// connection uploads it; a chunk that an open device lost, or that was never sent, is sent
// again with the next pass.
class PassPlanner::Channel : public FrameChannel {
public:
    Channel(PassPlanner& planner, FrameSchedule& schedule) : planner_(planner), schedule_(schedule) {}
    void send(const Frame& frame, const FrameReport& what) override {
        // Small enough to be kept inside the function object: a pass has over a hundred chunks.
        const uint8_t slot = uint8_t(what.item), chunk = uint8_t(what.chunk), chunks = uint8_t(what.chunks);
        schedule_.send(frame, [planner = &planner_, slot, chunk, chunks](const FrameResult& r) {
            FrameReport report;
            report.command = Command::MacroData;
            report.item = slot;
            report.chunk = chunk;
            report.chunks = chunks;
            if (r.reached) report.devices = r.outcome.devices;
            report.fate = planner->delivery_.fateOf(r.reached ? r.outcome : SendOutcome{});
            planner->report_.frames.push_back(report);
            if (!r.reached || (report.fate != FrameFate::Taken && report.fate != FrameFate::NoDevice))
                planner->macros_.chunkLost(slot);
        });
    }
    void pause(int ms) override { schedule_.pause(ms); }

private:
    PassPlanner& planner_;
    FrameSchedule& schedule_;
};

void PassPlanner::scheduleMacros(FrameSchedule& s) {
    Channel channel(*this, s);
    MacroUploader::Outcome out = macros_.upload(app_.library, &channel);
    for (auto& refused : out.refused) report_.refusedMacros.push_back(std::move(refused));
    if (!out.uploaded) return;
    const uint16_t v = static_cast<uint16_t>(app_.settings.GetDataChange() + 1);
    // Whether the counter goes out depends on how the chunks fared, known only at its turn.
    s.sendIf(
        dataChangeFrame(v), [this] { return !macros_.chunksLost(); },
        [this, v](const FrameResult& r) {
            // A pass that ended before it leaves the counter where the mouse has it; the macros it
            // did not send kept their old images and go out with the next pass.
            if (!r.reached) return;
            if (r.skipped) {
                // Telling the mouse the new counter would claim macros it did not get. The stored
                // counter still moves on, so the check at the next connection uploads them again.
                report_.counterWithheld = true;
            } else {
                (void)record(Command::DataChange, r.outcome);
            }
            app_.settings.SetDataChange(v);
            recordFile(FileKind::Settings, -1, host_.writeSettings());
        });
}

FrameFate PassPlanner::record(Command command, const SendOutcome& out, int item) {
    FrameReport r;
    r.command = command;
    r.item = item;
    r.devices = out.devices;
    r.fate = delivery_.fateOf(out);
    report_.frames.push_back(r);
    return r.fate;
}

bool PassPlanner::held(Command command, const FrameResult& result, int item) {
    // A frame the pass never got to is reported as having had no device to go to.
    return record(command, result.reached ? result.outcome : SendOutcome{}, item) == FrameFate::Taken;
}

void PassPlanner::recordFile(FileKind kind, int profile, bool saved) {
    report_.files.push_back(FileReport{kind, profile, saved});
}

bool PassPlanner::matchesProfile() const {
    const Profile& p = app_.Current();
    for (int i = 0; i < kKeyCount; ++i)
        if (sent_.buttons[size_t(i)].differs(p.keys[size_t(i)].KeyValue)) return false;
    return !sent_.polling.differs(buildPollingImage(p)) && !sent_.liftOff.differs(buildLiftOffImage(p)) &&
           !sent_.debounce.differs(buildDebounceImage(p)) && !sent_.dpi.differs(buildDpiImage(p, dpi_)) &&
           !sent_.dpiColours.differs(buildDpiColourImage(p)) && !sent_.power.differs(buildPowerImage(p)) &&
           !sent_.lighting.differs(comparableLighting(buildLightingImage(p)));
}

bool PassPlanner::holdProfile() {
    const Profile& p = app_.Current();
    for (int i = 0; i < kKeyCount; ++i) sent_.buttons[size_t(i)].hold(p.keys[size_t(i)].KeyValue);
    sent_.polling.hold(buildPollingImage(p));
    sent_.liftOff.hold(buildLiftOffImage(p));
    sent_.debounce.hold(buildDebounceImage(p));
    sent_.dpi.hold(buildDpiImage(p, dpi_));
    sent_.dpiColours.hold(buildDpiColourImage(p));
    sent_.lighting.hold(comparableLighting(buildLightingImage(p)));
    sent_.power.hold(buildPowerImage(p));
    const bool buttonsLostMacros = !macros_.assignSlots(app_.Current(), app_.library, app_.language).empty();
    (void)macros_.upload(app_.library, nullptr);
    return buttonsLostMacros;
}

void PassPlanner::forget() {
    sent_.clear();
    macros_.clearImages();
}

}  // namespace orvane
