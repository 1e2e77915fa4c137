#include "app/MacroManagerLauncher.h"

namespace orvane {

// Until the macro manager window exists there is nothing to show: the main window still reads
// the library again and sends the buttons' macros, as after every return from the manager.
void RunMacroManager(ui::CDlgBase&, AppData&, int) {}

}  // namespace orvane
