#pragma once

// The game thread's procedure: the frame loop over the scene manager while the application
// is active, until the thread's quit or a frame step that ends the program. Returns 1.
unsigned GameLoop(void* argument);

// Starts thGame on GameLoop and makes the start handshake; false when the thread cannot be
// started (a start-up failure).
bool StartGameThread();
