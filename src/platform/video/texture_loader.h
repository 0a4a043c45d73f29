#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "platform/video/bmp_image.h"
#include "platform/video/render_device.h"

namespace platform {

// Makes a texture of the given size and format from a bitmap, as the device backend's image
// loader does: the bitmap lies at the texture's top-left corner without scaling (what does not
// fit is cut off) and the texels past it are transparent black. Every bitmap pixel is opaque,
// except that with a colour key (ARGB8888, alpha 255) a pixel of exactly that colour becomes
// transparent black (0). Colours enter the texture's format by the layer's component
// conversion.
VideoResult CreateTextureFromBitmap(RenderDevice& device, const BmpImage& bitmap, int width, int height,
                                    PixelFormat format, TextureUsage usage, MemoryPool pool,
                                    std::optional<std::uint32_t> colorKey, std::shared_ptr<Texture>& out);

}  // namespace platform
