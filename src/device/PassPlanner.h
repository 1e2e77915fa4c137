#pragma once
// What the mouse is believed to hold, and the frames that bring it to the current profile. A
// pass's frames are decided at once from the profile as it is then: the sent images change as
// the frames are built, and each frame carries what to undo if the mouse does not get it. What
// became of every frame, and the files written on the way, go into the report of the pass (or
// factory reset) that is running, which the link hands to its host when it ends.
#include "device/Delivery.h"
#include "device/DpiTables.h"
#include "device/FrameIo.h"
#include "device/FrameSchedule.h"
#include "device/LinkHost.h"
#include "device/MacroUploader.h"
#include "device/PassReport.h"
#include "device/SentImages.h"
#include "profile/AppData.h"

namespace orvane {

class PassPlanner {
public:
    // delivery says what became of each frame for the mouse.
    PassPlanner(AppData& app, const DpiTables& dpi, LinkHost& host, Delivery& delivery)
        : app_(app), dpi_(dpi), host_(host), delivery_(delivery) {}
    PassPlanner(const PassPlanner&) = delete;
    PassPlanner& operator=(const PassPlanner&) = delete;

    // The report of the pass or reset that is running.
    PassReport& report() { return report_; }
    // Hands over the finished report; the next one starts empty.
    PassReport takeReport();

    // Gives the profile's macros their slots, recording the buttons disabled because their macro
    // is gone; true when there are any, as those buttons now differ from what the mouse plays.
    bool assignMacroSlots();
    // The group's frames for what differs from the beliefs, each with its pause.
    void scheduleGroup(FrameSchedule& s, SyncGroup group);
    // The macros that differ, and the counter after them if every chunk arrived.
    void scheduleMacros(FrameSchedule& s);
    // Records what became of a write in the running report.
    FrameFate record(Command command, const SendOutcome& out, int item = -1);
    void recordFile(FileKind kind, int profile, bool saved);

    // Whether the sent images match what the current profile would send now.
    [[nodiscard]] bool matchesProfile() const;
    // Takes the mouse to hold the current profile and its macros. True when a button lost its
    // macro, so that the next pass must send it.
    bool holdProfile();
    // Nothing is known to be held: the next pass writes the whole profile and all its macros.
    void forget();

    [[nodiscard]] const SentImages& sent() const { return sent_; }
    SentImages& sent() { return sent_; }
    [[nodiscard]] const MacroUploader& macros() const { return macros_; }
    MacroUploader& macros() { return macros_; }

private:
    class Channel;
    void scheduleButtons(FrameSchedule& s);
    void schedulePerformance(FrameSchedule& s);
    // A settings frame and its pause when image differs from what the mouse is believed to hold;
    // the belief goes back when the mouse did not get the frame.
    template <typename Image>
    void scheduleSetting(FrameSchedule& s, Belief<Image>& sent, const Image& image, const Frame& frame);
    // Records a scheduled frame's result; true when the mouse holds it now.
    bool held(Command command, const FrameResult& result, int item = -1);

    AppData& app_;
    const DpiTables& dpi_;
    LinkHost& host_;
    Delivery& delivery_;
    SentImages sent_;
    MacroUploader macros_;
    PassReport report_;
};

}  // namespace orvane
