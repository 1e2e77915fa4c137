#pragma once
// orvanectl's commands, one function for each word the command line starts with. Each takes
// the context it runs in and returns its outcome; Session runs the one the line names. A new
// command is a row of cli/CommandTable.cpp, a function here and its row in Session.cpp.
#include "cli/CommandContext.h"

namespace orvane::cli {

using Command = Outcome (*)(CommandContext&);

// CommandsMouse.cpp: what goes to the mouse.
Outcome applyCommand(CommandContext& c);
Outcome setCommand(CommandContext& c);
Outcome resetCommand(CommandContext& c);

// CommandsStatus.cpp: reads only, without the device link.
Outcome devicesCommand(CommandContext& c);
Outcome statusCommand(CommandContext& c);

// CommandsProfiles.cpp and CommandsPrograms.cpp.
Outcome profileCommand(CommandContext& c);
// The programs whose focused window makes a profile current ("profile programs").
Outcome profileProgramsCommand(CommandContext& c);
Outcome dumpCommand(CommandContext& c);

// CommandsMacros.cpp.
Outcome macroCommand(CommandContext& c);

// CommandsToggles.cpp: the tray's two switches.
Outcome followProgramsCommand(CommandContext& c);
Outcome dpiIndicatorCommand(CommandContext& c);

// CommandsLanguage.cpp.
Outcome languageCommand(CommandContext& c);

// CommandsSystem.cpp: about the system rather than the mouse.
Outcome udevRuleCommand(CommandContext& c);
Outcome completionCommand(CommandContext& c);

}  // namespace orvane::cli
