#pragma once
// Which program owns the focused window, and which programs have windows now: what lets a
// profile follow the program the user works in. The Qt backend asks the X server (EWMH) or the
// compositor's list of toplevel windows; tests use a fake. Events arrive on the UI thread.
#include <functional>
#include <vector>

#include "base/Text.h"
#include "platform/Image.h"

namespace orvane::platform {

// A program as the desktop knows it. Any part may be unknown (empty).
struct ProgramIdentity {
    Text executable;   // full path of the window's process image, "/usr/bin/firefox-esr"
    Text name;         // the executable's file name, else the window class
    Text windowClass;  // X11 WM_CLASS class part, Wayland app_id
    bool empty() const { return executable.empty() && name.empty() && windowClass.empty(); }
};

struct RunningProgram {
    ProgramIdentity id;
    Text title;  // the title of one of its windows
    Image icon;  // empty when the window shows none
};

class FocusWatcher {
public:
    virtual ~FocusWatcher() = default;
    // False where the desktop tells no client which window has focus (GNOME on Wayland, or no
    // window manager): automatic switching is then not available.
    virtual bool available() const = 0;
    // From now on onFocus hears every change of the program owning the focused window; an empty
    // identity when no window has focus. A second call replaces the listener.
    virtual void watch(std::function<void(const ProgramIdentity&)> onFocus) = 0;
    virtual void stop() = 0;
    // The programs that have windows now, one entry per program, in no particular order.
    virtual std::vector<RunningProgram> runningPrograms() = 0;
};

}  // namespace orvane::platform
