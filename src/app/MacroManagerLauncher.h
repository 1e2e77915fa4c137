#pragma once
// The macro manager as the main window opens it: one function, so the window needs nothing
// else from the macro editing code.
namespace orvane {

struct AppData;
namespace ui {
class CDlgBase;
}

// Runs the macro manager window modally over owner and returns once it has closed; the manager
// writes the macro library file itself. The main window reads the file again afterwards.
void RunMacroManager(ui::CDlgBase& owner, AppData& app, int startMode);

}  // namespace orvane
