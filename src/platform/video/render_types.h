#pragma once

#include <cstdint>

#include "platform/video/pixel_format.h"

namespace platform {

// The vertex of every quad the drawing library draws: an already transformed screen position,
// one colour and one texture coordinate pair (28 bytes).
struct DTVERTEX {
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;
  float rhw = 1.0f;
  std::uint32_t diffuse = 0;  // ARGB8888
  float u = 0.0f;
  float v = 0.0f;
};
static_assert(sizeof(DTVERTEX) == 28);

// Texture-stage operations, with the numbers the drawing library stores and passes.
enum class TextureOp : int {
  Disable = 1,  // the stage passes its input (for stage 0: the diffuse colour) through
  SelectArg1 = 2,
  SelectArg2 = 3,
  Modulate = 4,           // arg1 * arg2 / 255, rounded to nearest
  Add = 7,                // arg1 + arg2, saturated at 255
  Subtract = 10,          // arg1 - arg2, saturated at 0
  BlendFactorAlpha = 14,  // arg1 * f + arg2 * (255 - f), f the texture factor's alpha
};
bool IsSupportedTextureOp(int op);

enum class TextureArg : int { Diffuse = 0, Current = 1, Texture = 2, TFactor = 3 };

struct StageState {
  TextureOp colorOp = TextureOp::Modulate;
  TextureArg colorArg1 = TextureArg::Texture;
  TextureArg colorArg2 = TextureArg::Current;
  TextureOp alphaOp = TextureOp::SelectArg1;
  TextureArg alphaArg1 = TextureArg::Texture;
  TextureArg alphaArg2 = TextureArg::Current;
  bool operator==(const StageState&) const = default;
};

enum class BlendFactor : int { Zero = 1, One = 2, SrcAlpha = 5, InvSrcAlpha = 6 };

// Fixed device states the drawing library sets once; only these values are honoured.
struct BlendState {
  bool enabled = false;
  BlendFactor source = BlendFactor::One;
  BlendFactor destination = BlendFactor::Zero;
  bool operator==(const BlendState&) const = default;
};

enum class AddressMode : int { Wrap = 1, Clamp = 3 };

// Textures are always sampled at the nearest texel (point sampling): the layer has no filter.
struct SamplerState {
  AddressMode addressU = AddressMode::Wrap;
  AddressMode addressV = AddressMode::Wrap;
};

enum class MemoryPool { Default, Managed, SystemMemory };
enum class TextureUsage { None, RenderTarget, Dynamic };
enum class SwapEffect { Discard, Copy };

// What the device can do with textures. Tests and tools set them (see VideoSettings) so that
// the drawing library's sizing rules and warnings run.
struct RenderCaps {
  bool powerOfTwoTextures = false;
  bool squareOnlyTextures = false;
  int maxTextureWidth = 8192;
  int maxTextureHeight = 8192;
  bool alphaFullScreenFlipOrDiscard = true;
};

struct PresentParams {
  int backBufferWidth = 0;  // 0: the window's client size (640 x 480 here)
  int backBufferHeight = 0;
  PixelFormat backBufferFormat = PixelFormat::Xrgb8888;
  int backBufferCount = 1;
  SwapEffect swapEffect = SwapEffect::Discard;
  bool windowed = true;
  bool lockableBackBuffer = true;
  int refreshRate = 0;
  bool vsync = true;  // present in step with the display; false: at once
  bool operator==(const PresentParams&) const = default;
};

}  // namespace platform
