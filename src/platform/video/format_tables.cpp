#include "platform/video/format_tables.h"

#include <array>
#include <cstring>
#include <memory>

#include "platform/video/field_scale.h"
#include "platform/video/kernel_choice.h"
#include "platform/video/pixel_buffer.h"

namespace platform {
namespace {

using Table16 = std::array<std::uint32_t, 65536>;

std::unique_ptr<Table16> BuildTable16(PixelFormat format) {
  auto table = std::make_unique<Table16>();
  for (std::uint32_t v = 0; v < 65536; ++v) (*table)[v] = UnpackArgb(v, format);
  return table;
}

ComponentPackTable BuildPackTable() {
  ComponentPackTable table{};
  for (int c = 0; c < 256; ++c) {
    table.to1[c] = static_cast<std::uint8_t>(ComponentToField(c, 1));
    table.to5[c] = static_cast<std::uint8_t>(ComponentToField(c, 31));
    table.to6[c] = static_cast<std::uint8_t>(ComponentToField(c, 63));
    table.near1[c] = static_cast<std::uint8_t>(ComponentToFieldNearest(c, 1));
    table.near5[c] = static_cast<std::uint8_t>(ComponentToFieldNearest(c, 31));
    table.near6[c] = static_cast<std::uint8_t>(ComponentToFieldNearest(c, 63));
  }
  return table;
}

void Store16(std::uint8_t* out, int i, std::uint32_t v) {
  const auto word = static_cast<std::uint16_t>(v);
  std::memcpy(out + 2 * i, &word, 2);
}

}  // namespace

const ComponentPackTable& PackTable() {
  static const ComponentPackTable table = BuildPackTable();
  return table;
}

const std::uint32_t* ArgbTable16(PixelFormat format) {
  static const std::unique_ptr<Table16> rgb565 = BuildTable16(PixelFormat::Rgb565);
  static const std::unique_ptr<Table16> xrgb1555 = BuildTable16(PixelFormat::Xrgb1555);
  static const std::unique_ptr<Table16> argb1555 = BuildTable16(PixelFormat::Argb1555);
  switch (format) {
    case PixelFormat::Rgb565: return rgb565->data();
    case PixelFormat::Xrgb1555: return xrgb1555->data();
    case PixelFormat::Argb1555: return argb1555->data();
    default: return nullptr;
  }
}

namespace {

// A 16-bit pixel widened field by field (field_scale.h), which vectorises where a 64K table
// lookup would not.
template <int RedShift, bool SixBitGreen>
[[gnu::always_inline]] inline void Row16ToXrgb(const std::uint16_t* __restrict words, int count,
                                               std::uint32_t* __restrict out) {
  for (int i = 0; i < count; ++i) {
    const std::uint16_t v = words[i];
    const std::uint32_t r = Widen5(static_cast<std::uint16_t>(v >> RedShift & 31u));
    const std::uint32_t g = SixBitGreen ? Widen6(static_cast<std::uint16_t>(v >> 5 & 63u))
                                        : Widen5(static_cast<std::uint16_t>(v >> 5 & 31u));
    const std::uint32_t b = Widen5(static_cast<std::uint16_t>(v & 31u));
    out[i] = 0xFF000000u | r << 16 | g << 8 | b;
  }
}

// Rows start on 4-byte boundaries, so 16- and 32-bit pixels are read as words.
[[gnu::always_inline]] inline void RowToXrgb(const std::uint8_t* __restrict source, PixelFormat format, int count,
                                             const std::uint32_t* palette, std::uint32_t* __restrict out) {
  switch (format) {
    case PixelFormat::Indexed8:
      for (int i = 0; i < count; ++i) out[i] = 0xFF000000u | palette[source[i]];
      return;
    case PixelFormat::Rgb565:
      Row16ToXrgb<11, true>(reinterpret_cast<const std::uint16_t*>(source), count, out);
      return;
    case PixelFormat::Xrgb1555:
    case PixelFormat::Argb1555:
      Row16ToXrgb<10, false>(reinterpret_cast<const std::uint16_t*>(source), count, out);
      return;
    case PixelFormat::Rgb888:
      for (int i = 0; i < count; ++i) out[i] = 0xFF000000u | LoadPixel24(source + 3 * i);
      return;
    case PixelFormat::Xrgb8888:
    case PixelFormat::Argb8888: {
      const auto* words = reinterpret_cast<const std::uint32_t*>(source);
      for (int i = 0; i < count; ++i) out[i] = 0xFF000000u | words[i];
      return;
    }
  }
}

void RowToXrgbBaseline(const std::uint8_t* source, PixelFormat format, int count, const std::uint32_t* palette,
                       std::uint32_t* out) {
  RowToXrgb(source, format, count, palette, out);
}
[[gnu::target("avx2")]] void RowToXrgbAvx2(const std::uint8_t* source, PixelFormat format, int count,
                                           const std::uint32_t* palette, std::uint32_t* out) {
  RowToXrgb(source, format, count, palette, out);
}

}  // namespace

void ConvertRowToXrgb(const std::uint8_t* __restrict source, PixelFormat format, int count,
                      const std::uint32_t* palette, std::uint32_t* __restrict out) {
  if (Avx2Kernels()) {
    RowToXrgbAvx2(source, format, count, palette, out);
  } else {
    RowToXrgbBaseline(source, format, count, palette, out);
  }
}

void PackRowFromArgb(const std::uint32_t* argb, int count, PixelFormat format, std::uint8_t* out) {
  const ComponentPackTable& pack = PackTable();
  switch (format) {
    case PixelFormat::Indexed8: return;
    case PixelFormat::Rgb565:
      for (int i = 0; i < count; ++i) {
        const std::uint32_t c = argb[i];
        Store16(out, i, pack.to5[(c >> 16) & 0xFF] << 11 | pack.to6[(c >> 8) & 0xFF] << 5 | pack.to5[c & 0xFF]);
      }
      return;
    case PixelFormat::Xrgb1555:
    case PixelFormat::Argb1555: {
      const bool alpha = format == PixelFormat::Argb1555;
      for (int i = 0; i < count; ++i) {
        const std::uint32_t c = argb[i];
        const std::uint32_t a = alpha ? static_cast<std::uint32_t>(pack.to1[c >> 24]) << 15 : 0;
        Store16(out, i, a | pack.to5[(c >> 16) & 0xFF] << 10 | pack.to5[(c >> 8) & 0xFF] << 5 | pack.to5[c & 0xFF]);
      }
      return;
    }
    case PixelFormat::Rgb888:
      for (int i = 0; i < count; ++i) StorePixel24(out + 3 * i, argb[i] & 0xFFFFFF);
      return;
    case PixelFormat::Xrgb8888:
      for (int i = 0; i < count; ++i) {
        const std::uint32_t v = argb[i] & 0xFFFFFFu;
        std::memcpy(out + 4 * i, &v, 4);
      }
      return;
    case PixelFormat::Argb8888: std::memcpy(out, argb, static_cast<std::size_t>(count) * 4); return;
  }
}

}  // namespace platform
