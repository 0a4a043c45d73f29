#pragma once

#include <cstdint>

#include "platform/video/pixel_buffer.h"
#include "platform/video/render_types.h"

namespace platform {

// Everything the device backend's rasteriser reads besides the vertices.
struct RasterState {
  StageState stage;
  BlendState blend;
  std::uint32_t textureFactor = 0xFFFFFFFF;
  SamplerState sampler;
};

// Whether the rasteriser can draw with this state into this target from this texture (null:
// none): the texture-stage operations of TextureOp, blending off, ONE/ZERO or
// SRCALPHA/INVSRCALPHA, 16- and 32-bit direct-colour targets and textures.
bool CanRaster(PixelFormat target, const PixelBuffer* texture, const RasterState& state);

// Draws a triangle strip of `primitiveCount` triangles into the target, clipped to it.
//
// Coverage: a pixel is drawn when its centre (x, y) lies inside a triangle, edges shared
// by two triangles belonging to the left and top one only, so a quad with corners at
// (x - 0.5, y - 0.5) and (x + w - 0.5, y + h - 0.5) covers exactly the pixels x..x+w-1 and
// y..y+h-1.
//
// Sampling: point sampling with the layer's one sampling rule (sampling.h). A quad whose sides
// run along the axes, whose corners sit on pixel corners and whose texture coordinates fall on
// texel edges is sampled with the rule's integer form, so 1:1 and mirrored quads are exact;
// any other triangle samples floor(u * width), floor(v * height) at each pixel centre.
// Addressing wraps or clamps as the sampler says.
//
// Colour: every quad of the library has one colour on all its corners, so the first vertex's
// colour stands for the whole primitive (no shading). The texture stage combines texel,
// diffuse colour and texture factor as TextureOp says; blending mixes each channel as
// (s * a + d * (255 - a) + 127) / 255. Colours enter a 16-bit target at the nearest field
// value (ComponentToFieldNearest), so a texel drawn 1:1 into a target of its own format, or of
// more bits, keeps its value.
//
// `setup`, when not 0, names the state: draws on one thread with the same non-zero value, the
// same diffuse colour of the first vertex and the same target and texture formats reuse the
// set-up (painters, mode) of the first, as a run of sprites with no state change between them.
void RasterStrip(PixelBuffer& target, const DTVERTEX* vertices, int primitiveCount, const PixelBuffer* texture,
                 const RasterState& state, std::uint64_t setup = 0);

}  // namespace platform
