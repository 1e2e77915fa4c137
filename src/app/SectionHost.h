#pragma once
// What the main window's sections and panels ask of the window that holds them: the change
// pipeline their handlers feed, and the few actions that belong to the whole window. Everything
// else they are handed directly: the dialog their controls and menus live in (ui::CDlgBase),
// the records (AppData) and what else a section needs of its own.
#include <cstdint>

#include "base/Text.h"
#include "device/PassReport.h"

namespace orvane {

class SectionHost {
public:
    virtual ~SectionHost() = default;

    // ---- The change pipeline ----
    // Copies the value of the control the user changed into the current profile; the other
    // controls' values stay as the profile has them.
    virtual void CollectPageSettings(uint32_t changedControl) = 0;
    // The group that carries a change goes out with the next pass,
    virtual void MarkDirty(SyncGroup group) = 0;
    // which starts once a burst of changes is over,
    virtual void ArmSync() = 0;
    // or at once (after the macro manager, whose edits the buttons may play).
    virtual void SyncNow() = 0;
    // A slider is being dragged: its change is marked but not armed, so dragging sends one pass;
    // the window arms it when the pointer next moves with the button up.
    virtual void SliderDragged() = 0;
    // The current profile's values were replaced as a whole (another profile chosen, an import):
    // every group goes out, and the link sends only what differs from what the mouse holds.
    virtual void SendCurrentProfile() = 0;
    // Every page shows the current profile again.
    virtual void refreshPages() = 0;
    // Writes every file now, through the window's files (one writer at a time).
    virtual void saveAll() = 0;

    // ---- The window's own actions ----
    // Runs an attention dialog modally with a message.
    virtual intptr_t ShowAttention(const Text& message) = 0;
    // Runs the macro manager modally (startMode as the manager knows it).
    virtual void OpenMacroManager(int startMode) = 0;
    // The desktop's own mouse settings; false when none could be opened.
    virtual bool OpenMouseSettings() = 0;
};

}  // namespace orvane
