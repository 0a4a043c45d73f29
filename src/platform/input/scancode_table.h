#pragma once

namespace platform {

// The virtual key of a physical key, by its position (the USB usage number SDL reports as the
// scancode): the letters, digits and punctuation of the US layout stay where they are on every
// layout, so Z X C V are the same four keys for every player. 0 for keys the game never knew.
int VirtualKeyFromScancode(int scancode);

}  // namespace platform
