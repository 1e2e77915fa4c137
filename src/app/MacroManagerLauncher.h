#pragma once
// The macro manager as the main window opens it: one function, so the window needs nothing
// else from the macro editing code.
#include <cstdint>

namespace orvane {

struct AppData;
class ConfigSync;
namespace ui {
class CDlgBase;
}

// Runs the macro manager window modally over owner and returns once it has closed. The manager
// saves the library through the window's files (under the folder's lock, taking in what other
// programs saved meanwhile); the main window reads it again afterwards. rememberedKey is the
// owner's: the key list's selection when its manager last closed, preselected in the next one.
void RunMacroManager(ui::CDlgBase& owner, AppData& app, ConfigSync& files, int startMode, int32_t& rememberedKey);

}  // namespace orvane
