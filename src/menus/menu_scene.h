#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/checked_sequence.h"
#include "core/scene.h"
#include "data/sys_named_entry.h"
#include "gfx/surface_data.h"

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

// Whether the drawing library is up (without it, as in tests, the menus draw nothing and their
// fades end at once).
bool MenuDrawing();
// A step of the screen fade at the scene manager's speed; true once it is done.
bool MenuFadeIn();
bool MenuFadeOut();
// The end of a menu scene's exit: the screen cleared to colour 16, the cursor reset, the next
// scene made current with this one as the previous.
void LeaveMenuScene(int thisScene);
// The scene's own image as the one surface of its private list, emptied first; a close is asked
// when it cannot be made.
DDSURFACEDATA* CreateMenuImage(DDSurfaceList& images, SurfaceDefList& defs, int width, int height, int colourKey);
// A full-screen menu page into `image`: the 32-dot font's frame and the heading centred at y 32.
void DrawMenuPage(DDSURFACEDATA* image, const std::string& heading);

// Whether the private image must be drawn again: its surface was lost, or the scene is fading
// in at 8 bits, where the palette may have changed since it was drawn.
bool MenuImageStale(const DDSurfaceList& images, bool fadingIn);
// The full-screen private image on the back buffer, drawn again first when stale, then a step of
// the palette animation.
void ShowFullScreenImage(DDSurfaceList& images, bool fadingIn, const std::function<void()>& draw);
