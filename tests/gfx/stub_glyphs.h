#pragma once

#include <cstdint>
#include <memory>

#include "platform/text/glyph_source.h"

namespace gfxtest {

// A rasteriser whose every glyph is a box that spells its CP932 code: 8 x 4 pixels (16 wide for
// a double-byte code), row 0 and row 3 solid, row 1 the code's low byte and row 2 its high byte,
// bit i at column i. A 16-dot cell (ascent 12, descent 4). Renders are counted.
class StubGlyphs : public platform::GlyphSource {
 public:
  explicit StubGlyphs(int* renders) : renders_(renders) {}
  platform::GlyphMetrics Metrics() const override { return {12, 4, 8}; }
  bool Render(std::uint16_t code, platform::GlyphBitmap& out) override {
    ++*renders_;
    out = platform::GlyphBitmap{};
    out.width = 8;
    out.height = 4;
    out.advance = code > 0xFF ? 16 : 8;
    out.bits.assign(32, 0);
    for (int x = 0; x < 8; ++x) {
      out.bits[static_cast<std::size_t>(x)] = 1;
      out.bits[static_cast<std::size_t>(8 + x)] = (code >> x) & 1;
      out.bits[static_cast<std::size_t>(16 + x)] = (code >> (8 + x)) & 1;
      out.bits[static_cast<std::size_t>(24 + x)] = 1;
    }
    return true;
  }

 private:
  int* renders_;
};

// Installs the stub for the lifetime of the holder.
class ScopedStubGlyphs {
 public:
  ScopedStubGlyphs() {
    platform::SetGlyphSourceMaker([this](std::string_view, int, int) -> std::unique_ptr<platform::GlyphSource> {
      return std::make_unique<StubGlyphs>(&renders);
    });
  }
  ~ScopedStubGlyphs() { platform::SetGlyphSourceMaker(nullptr); }
  ScopedStubGlyphs(const ScopedStubGlyphs&) = delete;
  ScopedStubGlyphs& operator=(const ScopedStubGlyphs&) = delete;
  int renders = 0;
};

}  // namespace gfxtest
