#include "make_sample_game/contact_sheet.h"

#include <algorithm>
#include <vector>

#include "make_sample_game/bitmap_catalog.h"
#include "make_sample_game/sample_palette.h"
#include "platform/video/frame.h"
#include "platform/video/png_writer.h"

namespace sample {

namespace {

constexpr int kSheetWidth = 2600;
constexpr int kGap = 12;

std::uint32_t Xrgb(const Rgb& c) { return (std::uint32_t{c.r} << 16) | (std::uint32_t{c.g} << 8) | c.b; }

// Screen-sized pictures stay at their size, smaller sheets are doubled or tripled.
int ScaleFor(const BitmapEntry& entry) {
  if (entry.width >= 640) return 1;
  return entry.width * 3 <= 1300 && entry.height * 3 <= 1500 ? 3 : 2;
}

struct Placed {
  const BitmapEntry* entry;
  int x, y, scale;
};

}  // namespace

bool WriteContactSheet(const std::filesystem::path& png) {
  // Shelf packing: left to right, a new shelf when a picture does not fit.
  std::vector<Placed> placed;
  int x = kGap;
  int y = kGap;
  int shelf = 0;
  for (const BitmapEntry& entry : BitmapCatalog()) {
    const int s = ScaleFor(entry);
    if (x + entry.width * s + kGap > kSheetWidth) {
      x = kGap;
      y += shelf + kGap;
      shelf = 0;
    }
    placed.push_back({&entry, x, y, s});
    x += entry.width * s + kGap;
    shelf = std::max(shelf, entry.height * s);
  }
  platform::Frame frame;
  frame.width = kSheetWidth;
  frame.height = y + shelf + kGap;
  frame.pixels.assign(static_cast<std::size_t>(frame.width) * frame.height, 0x202028);
  const PaletteColors& palette = SamplePalette();
  for (const Placed& p : placed) {
    const Canvas canvas = p.entry->paint();
    for (int py = 0; py < canvas.Height() * p.scale; ++py) {
      for (int px = 0; px < canvas.Width() * p.scale; ++px) {
        const std::uint8_t index = canvas.At(px / p.scale, py / p.scale);
        std::uint32_t color = Xrgb(palette[index]);
        if (index == 0) color = ((px / 8 + py / 8) % 2 == 0) ? 0x505058 : 0x686870;
        frame.pixels[static_cast<std::size_t>(p.y + py) * frame.width + p.x + px] = color;
      }
    }
  }
  return platform::WritePng(png.string(), frame);
}

}  // namespace sample
