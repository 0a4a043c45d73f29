#pragma once

// Connects the frame step's input step to the player's input state, and takes it away again.
void InstallInputLink();
void RemoveInputLink();
