#pragma once

namespace platform {

// A request from outside to end the program (the termination signal another instance sends,
// or an interrupt from the terminal) becomes a flag that the main loop takes and turns into
// a close of its window, so the program ends in order.
void InstallTerminationHandler();
// True once per request.
bool TakeTerminationRequest();

}  // namespace platform
