#pragma once
// What a desktop says about a window, turned into a program's identity: the pure part of the
// focus watchers, free of any connection so that it can be tested on made-up data.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FocusWatcher.h"

namespace orvane::platform::qt {

// The program image of a process as <procRoot>/<pid>/exe names it ("/proc" on a live system),
// without the " (deleted)" the kernel appends once the file was replaced by an upgrade: the
// program is still the one at that path. Empty when the process is gone, is not ours to look
// at, or pid is 0 (the window did not say).
std::string executableOfProcess(const std::string& procRoot, uint32_t pid);

// The class part of an X11 WM_CLASS value ("instance\0Class\0"); the instance when the value
// holds only one string; empty for none.
std::string classFromWmClass(std::string_view value);

// Who owns a window: the executable's file name names the program; without one the window
// class does (a window of another machine, a sandbox, a Wayland app_id).
ProgramIdentity identityOf(const std::string& executable, const std::string& windowClass);

// Whether two identities name the same program.
bool sameProgram(const ProgramIdentity& a, const ProgramIdentity& b);

// One entry per program, in the order first seen; the first window with a title or an icon
// gives them to the program's entry.
std::vector<RunningProgram> onePerProgram(std::vector<RunningProgram> windows);

// The picture of an X11 _NET_WM_ICON value: a run of (width, height, width*height
// non-premultiplied ARGB values). Of the pictures it holds, the smallest one at least `wanted`
// pixels wide, else the largest. A value that ends early or gives absurd sizes yields the
// pictures before that point, or a null Image.
Image iconFromNetWmIcon(const uint32_t* values, size_t count, int32_t wanted);

// Whether a Wayland toplevel state array (uint32 entries) holds the "activated" state.
bool statesSayActivated(const uint32_t* states, size_t count);

}  // namespace orvane::platform::qt
