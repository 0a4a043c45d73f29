#pragma once

#include <functional>
#include <optional>
#include <string_view>

#include "core/format.h"
#include "platform/message_box.h"

using platform::BoxAnswer;
using platform::BoxButtons;
using platform::BoxIcon;

// Caption of every error box.
inline constexpr const char* kErrorCaption = "エラー";

// A full-screen drawing device hides ordinary boxes; while one is live the drawing library
// connects a presenter that draws the box itself. It answers nothing when it cannot.
using FullScreenBoxPresenter =
    std::function<std::optional<BoxAnswer>(std::string_view text, std::string_view caption, BoxButtons buttons)>;
void SetFullScreenBoxPresenter(FullScreenBoxPresenter presenter);
// Otherwise a box is drawn in the game's window by the dialogs, once they are registered; the
// platform's own box stays for when they cannot (no window yet, another thread, headless).
void SetWindowBoxPresenter(FullScreenBoxPresenter presenter);
// The box in the game's window where it can be drawn, else the platform's: what the
// full-screen presenter shows once it has made the screen ready for a box.
BoxAnswer WindowMessageBox(std::string_view text, std::string_view caption, BoxButtons buttons,
                           BoxIcon icon = BoxIcon::None);

BoxAnswer AppMessageBox(std::string_view text, std::string_view caption, BoxButtons buttons,
                        BoxIcon icon = BoxIcon::None);
BoxAnswer ErrorBox(std::string_view text);
// The formatted text is cut to 1023 bytes on a character boundary.
BoxAnswer ErrorBoxF(const char* format, ...) KESTREL_PRINTF(1, 2);
// Shown only while the error log is switched on, which it never is in this program.
BoxAnswer DebugBoxF(const char* format, ...) KESTREL_PRINTF(1, 2);
// Reports exhausted memory and asks the main window to close; the caller carries on.
void OutOfMemoryExit();
