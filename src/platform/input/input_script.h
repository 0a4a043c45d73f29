#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Player input read from a text file instead of a keyboard, so that the whole program can be
// played headless (KESTREL_INPUT_SCRIPT names the file). One line is one command:
//   down KEY...         keys go down (names as "Left", "Return", "Z", "F5", or a number)
//   up KEY...           keys come up
//   press KEY...        down for this step, up at the next
//   wait N              the step ends; N steps in all pass before the next line
//   pad ID X Y BUTTONS  joystick ID (0..15) reads X, Y (0..65535) and the button bits
//   unplug ID           joystick ID is gone
//   text WORDS          typed text (UTF-8) for an open dialog's edit field
//   compose WORDS       the input method's composition so far; "compose" alone ends it
//   shot FILE.png       a picture of what the window shows
// A key going down is also the window's key message (Escape closes the game), or, while a
// dialog is open, the dialog's key event.
// Blank lines and lines starting with # are skipped. Every loop that takes input takes one
// step per frame; after the last line the keys stay as they are.
class InputScript {
 public:
  struct Command {
    enum class Kind { Down, Up, Press, Wait, Pad, Unplug, Text, Compose, Shot } kind;
    std::vector<int> values;  // the keys, the wait, or the pad's id, x, y and buttons
    std::string text;         // the text, the composition or the file
  };

  // False with a message naming the line when a line cannot be understood; nothing is kept.
  bool Parse(std::string_view text, std::string& error);
  // Runs the commands of one step against the key flags and the pads. A shot asked by a step
  // after which a frame is drawn shows that frame; otherwise what the window shows next.
  void Step(bool drawsFrames = true);
  bool Finished() const { return next_ >= commands_.size() && waiting_ == 0; }

 private:
  std::vector<Command> commands_;
  std::size_t next_ = 0;
  long waiting_ = 0;
  std::vector<int> released_;  // pressed keys that come up at the next step
};

// The process's script from KESTREL_INPUT_SCRIPT, loaded at the first step; nothing without
// one. A file that cannot be read or understood is reported once and plays nothing.
// A caller that draws a frame after each step (the game's poll) lets a shot asked at the step
// before be taken first, so that it shows the frame that followed; the main thread's own loops
// (the dialogs), which serve the shots themselves, pass false.
void StepInputScript(bool drawsFrames = true);

}  // namespace platform
