#include "platform/video/gdi_copy.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>
#include <vector>

#include "platform/video/format_tables.h"
#include "platform/video/sampling.h"

namespace platform {
namespace {

// A destination line of pixels and the source index each one reads (-1: outside the bitmap).
struct AxisMap {
  int first = 0;  // first destination index inside the target
  std::vector<int> source;
};

AxisMap MapAxis(int origin, int extent, int targetSize, int sourceOrigin, int sourceExtent, int sourceSize) {
  AxisMap map;
  if (extent == 0 || sourceExtent == 0) return map;
  const int n = extent > 0 ? extent : -extent;
  const int step = extent > 0 ? 1 : -1;
  const SampleRun run{sourceOrigin, sourceExtent > 0 ? 1 : -1, sourceExtent > 0 ? sourceExtent : -sourceExtent};
  // Destination pixels in increasing order: origin .. origin + n - 1, or origin - n + 1 .. origin.
  const long long low = step > 0 ? origin : static_cast<long long>(origin) - n + 1;
  const long long from = low < 0 ? 0 : low;
  const long long to = std::min<long long>(low + n, targetSize);
  if (from >= to) return map;
  map.first = static_cast<int>(from);
  map.source.reserve(static_cast<std::size_t>(to - from));
  for (long long d = from; d < to; ++d) {
    const int k = static_cast<int>(step > 0 ? d - origin : origin - d);
    const int s = SampleIndex(run, k, n);
    map.source.push_back(s >= 0 && s < sourceSize ? s : -1);
  }
  return map;
}

class IndexConverter {
 public:
  explicit IndexConverter(const Palette* palette) : palette_(palette) {}
  std::uint8_t operator()(std::uint32_t xrgb) {
    if (palette_ == nullptr) return 0;
    const auto found = cache_.find(xrgb);
    if (found != cache_.end()) return found->second;
    const std::uint8_t index = NearestPaletteIndex(*palette_, xrgb);
    cache_.emplace(xrgb, index);
    return index;
  }

 private:
  const Palette* palette_;
  std::unordered_map<std::uint32_t, std::uint8_t> cache_;
};

// Converts the row's mapped pixels into the target format, left to right.
void ConvertRow(const BmpImage& bitmap, int sourceRow, const std::vector<int>& columns, PixelFormat format,
                IndexConverter& toIndex, std::vector<std::uint32_t>& colors, std::vector<std::uint8_t>& packed) {
  const std::size_t count = columns.size();
  const int bytes = BytesPerPixel(format);
  packed.assign(count * static_cast<std::size_t>(bytes), 0);
  if (format == PixelFormat::Indexed8) {
    const std::uint8_t* row = bitmap.Row(sourceRow);
    for (std::size_t i = 0; i < count; ++i) {
      if (columns[i] < 0) continue;
      packed[i] = bitmap.bitsPerPixel == 8 ? row[columns[i]] : toIndex(bitmap.ColorAt(columns[i], sourceRow));
    }
    return;
  }
  colors.assign(count, 0);
  for (std::size_t i = 0; i < count; ++i) {
    if (columns[i] >= 0) colors[i] = 0xFF000000u | bitmap.ColorAt(columns[i], sourceRow);
  }
  PackRowFromArgb(colors.data(), static_cast<int>(count), format, packed.data());
}

bool Copy(DeviceContext& context, int x, int y, int w, int h, const BmpImage& bitmap, int sx, int sy, int sw, int sh) {
  if (context.pixels == nullptr || context.pixels->empty()) return false;
  PixelBuffer& target = *context.pixels;
  const AxisMap columns = MapAxis(x, w, target.width(), sx, sw, bitmap.width);
  const AxisMap rows = MapAxis(y, h, target.height(), sy, sh, bitmap.height);
  if (columns.source.empty() || rows.source.empty()) return true;

  const int bytes = target.bytesPerPixel();
  IndexConverter toIndex(context.palette);
  std::vector<std::uint32_t> colors;
  std::vector<std::uint8_t> packed;
  for (std::size_t r = 0; r < rows.source.size(); ++r) {
    if (rows.source[r] < 0) continue;
    ConvertRow(bitmap, rows.source[r], columns.source, target.format(), toIndex, colors, packed);
    std::uint8_t* out =
        target.Row(rows.first + static_cast<int>(r)) + static_cast<std::ptrdiff_t>(columns.first) * bytes;
    for (std::size_t c = 0; c < columns.source.size(); ++c) {
      if (columns.source[c] >= 0)
        std::memcpy(out + c * bytes, packed.data() + c * bytes, static_cast<std::size_t>(bytes));
    }
  }
  return true;
}

}  // namespace

std::uint8_t NearestPaletteIndex(const Palette& palette, std::uint32_t xrgb) {
  const int r = static_cast<int>((xrgb >> 16) & 0xFF);
  const int g = static_cast<int>((xrgb >> 8) & 0xFF);
  const int b = static_cast<int>(xrgb & 0xFF);
  int best = 0;
  int bestDistance = 1 << 30;
  for (int i = 0; i < Palette::kSize; ++i) {
    const PaletteEntry& e = palette.Entry(i);
    const int dr = e.red - r, dg = e.green - g, db = e.blue - b;
    const int distance = dr * dr + dg * dg + db * db;
    if (distance < bestDistance) {
      bestDistance = distance;
      best = i;
    }
  }
  return static_cast<std::uint8_t>(best);
}

bool GdiBitBlt(DeviceContext& context, int x, int y, int w, int h, const BmpImage& bitmap, int sx, int sy) {
  if (w <= 0 || h <= 0) return context.pixels != nullptr;
  return Copy(context, x, y, w, h, bitmap, sx, sy, w, h);
}

bool GdiStretchBlt(DeviceContext& context, int x, int y, int w, int h, const BmpImage& bitmap, int sx, int sy, int sw,
                   int sh) {
  return Copy(context, x, y, w, h, bitmap, sx, sy, sw, sh);
}

}  // namespace platform
