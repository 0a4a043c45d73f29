#pragma once

#include <optional>
#include <string>
#include <string_view>

// Answers for the dialogs of a run without a user: a line per dialog, in the order they
// open, from the file KESTREL_DIALOG_SCRIPT names or from SetDialogScript. Each dialog passes
// its line through its own logic; only the drawing and the waiting are skipped. Lines:
//   boot start [direct3d|directdraw] [dontask]   boot stop
//   close   (the window's close button, for any dialog)
// Blank lines and lines starting with # are skipped. The file is UTF-8.

// Replaces the script (tests); an empty optional goes back to the environment's.
void SetDialogScript(std::optional<std::string> text);
// Whether the dialogs answer from a script instead of the screen.
bool DialogScriptActive();
// The next line, or nothing when the script is exhausted.
std::optional<std::string> NextDialogScriptLine();
