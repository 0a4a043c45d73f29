#include "platform/video/texture_loader.h"

#include <algorithm>
#include <vector>

#include "platform/video/format_tables.h"

namespace platform {

VideoResult CreateTextureFromBitmap(RenderDevice& device, const BmpImage& bitmap, int width, int height,
                                    PixelFormat format, TextureUsage usage, MemoryPool pool,
                                    std::optional<std::uint32_t> colorKey, std::shared_ptr<Texture>& out) {
  out.reset();
  if (bitmap.width <= 0 || bitmap.height <= 0) return VideoResult::InvalidCall;
  std::shared_ptr<Texture> texture;
  if (const VideoResult made = device.CreateTexture(width, height, format, usage, pool, texture); !Succeeded(made)) {
    return made;
  }
  PixelBuffer& texels = texture->Level()->Pixels();
  const int columns = std::min(width, bitmap.width);
  const int rows = std::min(height, bitmap.height);
  const std::uint32_t key = colorKey.value_or(0);
  std::vector<std::uint32_t> colors(static_cast<std::size_t>(columns));
  for (int y = 0; y < rows; ++y) {
    for (int x = 0; x < columns; ++x) {
      const std::uint32_t argb = 0xFF000000u | bitmap.ColorAt(x, y);
      colors[static_cast<std::size_t>(x)] = colorKey.has_value() && argb == key ? 0 : argb;
    }
    PackRowFromArgb(colors.data(), columns, format, texels.Row(y));
  }
  out = std::move(texture);
  return VideoResult::Ok;
}

}  // namespace platform
