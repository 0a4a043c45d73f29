#pragma once

namespace platform {

// Which keys (and mouse buttons 1 and 2) are down now, by virtual-key number: set by the main
// thread from the window's events or by the headless input script, read by the game thread.
// A sided modifier also moves its generic key: the generic key is down while either side is.
void SetKeyDown(int virtualKey, bool down);
// Stands for the asynchronous key state: a number outside 1..255 is never down.
bool IsKeyDown(int virtualKey);
// The window lost the focus: no key stays held in the game's eyes.
void ReleaseAllKeys();

}  // namespace platform
