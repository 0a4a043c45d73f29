#pragma once

#include <cstdint>

// Frame pacing and measurement for the thread that presents frames, over the program's
// 32-bit millisecond clock (platform::TimeMs). The state is process-wide and unlocked: only
// one thread at a time presents frames.

// The program's millisecond clock.
std::uint32_t ClockMs();
// Stores the clock as the frame start and returns it.
std::uint32_t TimerStart();
// flag non-zero: milliseconds since TimerStart, stored and returned; 0: the stored value.
std::uint32_t TimerElapsed(int flag);

// Mode 0 resets the counter (result 0); mode 2 tells whether it is at 0; any other mode
// counts, and returns 1 (back at 0) each time the count reaches n (an unsigned compare).
int FrameCounter(int mode, int n);

// flag non-zero counts this frame. Returns the frames of the last whole second.
int FpsCounter(int flag);

// KESTREL_UNPACED=1: frames follow each other as fast as they are made (whole-program tests
// count frames, never time). Read once.
bool FramesUnpaced();

// The DirectDraw pace: true when the next frame may start, then the next one may start
// 1000 / fps whole milliseconds later (no catching up after a late frame). fps <= 0: always.
bool FrameGate(int fps);

// The Direct3D pace while vertical sync is off: frame k of each group of fps frames shows no
// earlier than k * 1000 / fps ms after the group began. Always true while the Direct3D
// backend is not running, and for fps <= 0.
bool FpsLimiter(int fps);
// The drawing library tells the limiter whether the Direct3D backend runs.
void SetFpsLimiterActive(bool active);

// Every piece of timing state back to its value at process start (tests).
void ResetTiming();
