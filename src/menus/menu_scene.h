#pragma once

#include <cstdint>
#include <vector>

#include "core/checked_sequence.h"
#include "core/scene.h"
#include "data/sys_named_entry.h"

// What every menu scene does each frame before its state runs: the player's directions repeat
// while held, and the buttons of `ButtonMask` count only on the frame they go down.
class cMenuScene : public cScene {
 public:
  void Run() override;

 protected:
  // Buttons 1 and 2; the map and the stage select take buttons 3 and 4 too.
  virtual std::int32_t ButtonMask() const { return 3; }
};

// Asks for the menu music of usage slot `slot` unless it already plays: slot 0 asks every time
// its number is 0 (silence).
void RequestMenuMusic(int slot);

// The indices of the enabled entries, in list order, at most `maxRows`; entry 0 alone when
// none is enabled.
std::vector<int> EnabledRows(const cVector<cSysNamedEntry>& entries, int maxRows);

// The first player's words.
std::uint16_t MenuDirections();
bool MenuButton(int button);

// The cursor sound when a direction of the axes is held: 1 left and right, 2 up and down.
inline constexpr int kCursorAxisVertical = 2;
inline constexpr int kCursorAxesBoth = 3;
void MenuCursorSound(int axes);
