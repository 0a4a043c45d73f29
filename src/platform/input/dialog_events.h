#pragma once

#include <string>
#include <vector>

namespace platform {

// What the user does while a dialog of the game is open. The dialog owns the keyboard and
// the mouse then: its events come here instead of becoming the window's key messages.
struct DialogEvent {
  enum class Kind { KeyDown, KeyUp, Text, Composition, MouseMove, MouseDown, MouseUp, Close };
  DialogEvent() = default;
  explicit DialogEvent(Kind what) : kind(what) {}
  Kind kind = Kind::KeyDown;
  int virtualKey = 0;   // keys; 1 left or 2 right for the mouse buttons
  bool repeat = false;  // a key held down repeating
  bool control = false; // Ctrl held with the key or the button
  bool shift = false;   // Shift held with the key or the button
  std::string text;     // UTF-8: committed text, or the composition being typed ("" ends it)
  int x = 0;            // the pointer in frame pixels (640 × 480)
  int y = 0;
};

// Opened and closed by the dialog's modal run on the main thread.
void SetDialogCapture(bool capture);
bool DialogCaptureActive();
void PushDialogEvent(DialogEvent event);
// Takes everything queued since the last call.
std::vector<DialogEvent> TakeDialogEvents();

}  // namespace platform

namespace platform {

// Text entry (with the input method's composition) runs only while a dialog's edit field has
// the focus; the rectangle (frame pixels) is where the caret stands, for the candidate list.
void StartTextEntry(int x, int y, int width, int height);
void StopTextEntry();

}  // namespace platform
