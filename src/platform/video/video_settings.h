#pragma once

#include <bitset>
#include <cstddef>

#include "platform/video/render_types.h"

namespace platform {

// Steps of the surface backend's set-up that a test can make fail.
enum class DrawFault {
  CreateObject,
  CooperativeLevel,
  DisplayMode,
  CreatePrimary,
  AttachedSurface,
  CreatePalette,
  AttachPalette,
  CreateClipper,
  ClipperWindow,
  AttachClipper,
  kCount
};

// Steps of the device backend that a test can make fail.
enum class RenderFault {
  CreateSystem,
  HardwareDevice,  // device creation with hardware vertex processing
  SoftwareDevice,  // device creation with software vertex processing
  DeviceCaps,
  VertexBuffer,
  IndexBuffer,
  kCount
};

// What the software devices are told before they are made: capabilities, memory and faults.
// Nothing here changes the pixels of a working device; it makes the drawing library's
// fallback and recovery paths reachable. Set on the main thread before the devices exist.
struct VideoSettings {
  std::bitset<static_cast<std::size_t>(DrawFault::kCount)> drawFaults;
  std::bitset<static_cast<std::size_t>(RenderFault::kCount)> renderFaults;
  RenderCaps caps;
  // Bytes of video memory for surfaces and textures kept there; 0 = no limit.
  std::size_t videoMemoryBytes = 0;
  // The display's refresh rate; 0 = what the display reports (60 without a display).
  int refreshRateHz = 0;
  // The depth the desktop is taken to have. The buffers are emulated in whatever format the
  // program asks for, so the program chooses it; 32 until told otherwise.
  int desktopBitsPerPixel = 32;

  void Fail(DrawFault step, bool on = true) { drawFaults.set(static_cast<std::size_t>(step), on); }
  void Fail(RenderFault step, bool on = true) { renderFaults.set(static_cast<std::size_t>(step), on); }
  bool Fails(DrawFault step) const { return drawFaults.test(static_cast<std::size_t>(step)); }
  bool Fails(RenderFault step) const { return renderFaults.test(static_cast<std::size_t>(step)); }
};

VideoSettings& CurrentVideoSettings();
void ResetVideoSettings();

}  // namespace platform
