#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/display_facts.h"
#include "platform/system_facts.h"

// What the drawing library knows of the screen once it is set up. Anything it cannot tell is
// left empty, and the report says "unknown" rather than making a figure up.
struct VideoReport {
  bool windowed = true;
  int bitsPerPixel = 0;
  bool directDrawActive = false;                 // the surface backend is in use
  std::optional<std::uint64_t> videoMemoryTotal;  // bytes for video-memory surfaces
  std::optional<std::uint64_t> videoMemoryFree;
  bool direct3DActive = false;                   // the 3D device backend is in use
  std::vector<platform::DisplayFacts> displays;  // the window's display first
};

// The start-up lines of the report log: OS, processor, memory and disk. False when the
// report log cannot be written.
bool LogSystemInfo();
bool LogSystemInfo(const platform::SystemFacts& facts);
// One entry per log call, each as the log receives it.
std::vector<std::string> SystemInfoLines(const platform::SystemFacts& facts);

// The screen lines written once the drawing library is up. False when the report log cannot
// be written.
bool LogVideoInfo(bool detailed, const VideoReport& video);
std::vector<std::string> VideoInfoLines(bool detailed, const VideoReport& video);

// Video memory in whole MB. Surfaces live in main memory here, so there is no such figure:
// both are 0, as when no surface backend exists.
void GetVideoMemoryMB(unsigned& totalMB, unsigned& freeMB);
// The display driver interface version; 99999 is the answer for "cannot tell".
int GetDdiVersion();
// Whether the system is at least major.minor in the numbering the game was written for.
bool IsWindowsAtLeast(int major, int minor);
