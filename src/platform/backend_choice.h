#pragma once

namespace platform {

// Which backend a platform family runs on. The null backends let the whole program run
// without a display, sound device or user: tests and CI always ask for them.
enum class Backend { Native, Null };

// KESTREL_HEADLESS=1 selects the null backend for every family at once.
Backend DialogBackend();
// Null: the frames stay in memory (tests read them back); Native: they go to an SDL window.
Backend VideoBackend();
// The main window: SDL2, or the null window (no display, always active).
Backend WindowBackend();
// The sound device: SDL2, or the null device that mixes in real time into an optional capture
// file. KESTREL_AUDIO=sdl or =null chooses regardless of KESTREL_HEADLESS.
Backend AudioBackend();

}  // namespace platform
