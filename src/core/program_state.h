#pragma once

#include <atomic>
#include <cstdint>

// Process-wide state of the process entry. Each value has one writer (the main thread) and
// is read by the frame loops; a read that is a frame late costs a millisecond, never more,
// so relaxed atomics are all the order they need.

// 1 when the authoring tool started the program for a test play (show command 5).
extern std::atomic<int> FromEditor;
// 1 once the start-up succeeded: only then does the window paint and save its placement.
extern std::atomic<std::uint8_t> RunningFlag;
// 1 when a stage file named at start-up is played directly.
extern std::atomic<int> DirectPlayFlag;
// The application's activation; every loop idles while it is 0.
extern std::atomic<int> ActiveFlag;

// Sleeps a millisecond at a time until the application is active again; false when the
// waiting thread is asked to stop first.
bool WaitUntilActive();
