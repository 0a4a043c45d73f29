#pragma once

#include <cstdint>

#include "platform/window_messages.h"

// The main window's handling of the game side's requests (main thread), installed into the
// main window by the program's registration.
std::intptr_t ServeGameRequest(const platform::Message& message);
