#include "platform/video/quad_raster.h"

#include <immintrin.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "platform/video/format_tables.h"
#include "platform/video/kernel_choice.h"
#include "platform/video/sampling.h"

namespace platform {

bool IsSupportedTextureOp(int op) {
  switch (static_cast<TextureOp>(op)) {
    case TextureOp::Disable:
    case TextureOp::SelectArg1:
    case TextureOp::SelectArg2:
    case TextureOp::Modulate:
    case TextureOp::Add:
    case TextureOp::Subtract:
    case TextureOp::BlendFactorAlpha: return true;
  }
  return false;
}

namespace {

// ---- Pixel loads and stores, one type per format ---------------------------------------------

// The shared conversion tables, looked up once rather than for every draw.
struct SharedTables {
  const std::uint32_t* rgb565 = ArgbTable16(PixelFormat::Rgb565);
  const std::uint32_t* xrgb1555 = ArgbTable16(PixelFormat::Xrgb1555);
  const std::uint32_t* argb1555 = ArgbTable16(PixelFormat::Argb1555);
  const ComponentPackTable* pack = &PackTable();
};
const SharedTables& Shared() {
  static const SharedTables tables;
  return tables;
}

struct Tables {
  const std::uint32_t* rgb565 = Shared().rgb565;
  const std::uint32_t* xrgb1555 = Shared().xrgb1555;
  const std::uint32_t* argb1555 = Shared().argb1555;
  const ComponentPackTable* pack = Shared().pack;
  // Texel alpha times the constant alpha, for scaled-alpha spans: written by ChooseMode when it
  // picks them, read by nothing else.
  std::uint8_t alphaScale[256];
};

inline std::uint32_t Read32(const std::uint8_t* p) {
  std::uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}
inline void Write32(std::uint8_t* p, std::uint32_t v) { std::memcpy(p, &v, 4); }
inline std::uint16_t Read16(const std::uint8_t* p) {
  std::uint16_t v;
  std::memcpy(&v, p, 2);
  return v;
}
inline void Write16(std::uint8_t* p, std::uint32_t v) {
  const auto w = static_cast<std::uint16_t>(v);
  std::memcpy(p, &w, 2);
}

struct IoArgb8888 {
  static constexpr int kBytes = 4;
  static std::uint32_t Load(const Tables&, const std::uint8_t* p) { return Read32(p); }
  static void Store(const Tables&, std::uint8_t* p, std::uint32_t c) { Write32(p, c); }
};
struct IoXrgb8888 {
  static constexpr int kBytes = 4;
  static std::uint32_t Load(const Tables&, const std::uint8_t* p) { return Read32(p) | 0xFF000000u; }
  static void Store(const Tables&, std::uint8_t* p, std::uint32_t c) { Write32(p, c & 0xFFFFFFu); }
};
struct IoRgb565 {
  static constexpr int kBytes = 2;
  static std::uint32_t Load(const Tables& t, const std::uint8_t* p) { return t.rgb565[Read16(p)]; }
  static void Store(const Tables& t, std::uint8_t* p, std::uint32_t c) {
    Write16(p, t.pack->near5[(c >> 16) & 0xFF] << 11 | t.pack->near6[(c >> 8) & 0xFF] << 5 | t.pack->near5[c & 0xFF]);
  }
};
struct IoXrgb1555 {
  static constexpr int kBytes = 2;
  static std::uint32_t Load(const Tables& t, const std::uint8_t* p) { return t.xrgb1555[Read16(p)]; }
  static void Store(const Tables& t, std::uint8_t* p, std::uint32_t c) {
    Write16(p, t.pack->near5[(c >> 16) & 0xFF] << 10 | t.pack->near5[(c >> 8) & 0xFF] << 5 | t.pack->near5[c & 0xFF]);
  }
};
struct IoArgb1555 {
  static constexpr int kBytes = 2;
  static std::uint32_t Load(const Tables& t, const std::uint8_t* p) { return t.argb1555[Read16(p)]; }
  static void Store(const Tables& t, std::uint8_t* p, std::uint32_t c) {
    Write16(p, static_cast<std::uint32_t>(t.pack->near1[c >> 24]) << 15 | t.pack->near5[(c >> 16) & 0xFF] << 10 |
                   t.pack->near5[(c >> 8) & 0xFF] << 5 | t.pack->near5[c & 0xFF]);
  }
};
// Sampling with no texture set gives opaque black.
struct IoNoTexture {
  static constexpr int kBytes = 0;
  static std::uint32_t Load(const Tables&, const std::uint8_t*) { return 0xFF000000u; }
};

// ---- Colour arithmetic ------------------------------------------------------------------------

inline std::uint32_t Div255(std::uint32_t x) { return (x + 127) / 255; }

inline std::uint32_t Mix(std::uint32_t s, std::uint32_t d, std::uint32_t a) {
  const std::uint32_t ia = 255 - a;
  std::uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    out |= Div255(((s >> shift) & 0xFF) * a + ((d >> shift) & 0xFF) * ia) << shift;
  }
  return out;
}

template <class Dst>
inline void BlendStore(const Tables& t, std::uint8_t* p, std::uint32_t c) {
  const std::uint32_t a = c >> 24;
  if (a == 255) {
    Dst::Store(t, p, c);
  } else if (a != 0) {
    Dst::Store(t, p, Mix(c, Dst::Load(t, p), a));
  }
}

// An argument of the texture stage: the texel row, or one constant colour.
struct Arg {
  const std::uint32_t* values;
  int stride;  // 1 for texels, 0 for a constant
};

template <class Op>
void ApplyColor(Arg a, Arg b, int n, std::uint32_t* out, Op op) {
  for (int i = 0; i < n; ++i) {
    const std::uint32_t x = a.values[i * a.stride];
    const std::uint32_t y = b.values[i * b.stride];
    out[i] = op((x >> 16) & 0xFF, (y >> 16) & 0xFF) << 16 | op((x >> 8) & 0xFF, (y >> 8) & 0xFF) << 8 |
             op(x & 0xFF, y & 0xFF);
  }
}

template <class Op>
void ApplyAlpha(Arg a, Arg b, int n, std::uint32_t* out, Op op) {
  for (int i = 0; i < n; ++i) out[i] |= op(a.values[i * a.stride] >> 24, b.values[i * b.stride] >> 24) << 24;
}

template <class Apply>
void ApplyOp(TextureOp op, Arg a, Arg b, Arg current, std::uint32_t factorAlpha, int n, std::uint32_t* out,
             Apply apply) {
  switch (op) {
    case TextureOp::Disable: apply(current, current, n, out, [](std::uint32_t x, std::uint32_t) { return x; }); return;
    case TextureOp::SelectArg1: apply(a, b, n, out, [](std::uint32_t x, std::uint32_t) { return x; }); return;
    case TextureOp::SelectArg2: apply(a, b, n, out, [](std::uint32_t, std::uint32_t y) { return y; }); return;
    case TextureOp::Modulate:
      apply(a, b, n, out, [](std::uint32_t x, std::uint32_t y) { return Div255(x * y); });
      return;
    case TextureOp::Add:
      apply(a, b, n, out, [](std::uint32_t x, std::uint32_t y) { return std::min<std::uint32_t>(x + y, 255); });
      return;
    case TextureOp::Subtract:
      apply(a, b, n, out, [](std::uint32_t x, std::uint32_t y) { return x > y ? x - y : 0; });
      return;
    case TextureOp::BlendFactorAlpha:
      apply(a, b, n, out, [factorAlpha](std::uint32_t x, std::uint32_t y) {
        return Div255(x * factorAlpha + y * (255 - factorAlpha));
      });
      return;
  }
}

// ---- Span painters ----------------------------------------------------------------------------

enum class Mode { IdentityBlend, IdentityReplace, ScaledAlphaBlend, General };

struct Painter;
// target: first pixel; source: first texel (contiguous) or the texture's first byte (offsets).
using PaintFn = void (*)(Painter&, std::uint8_t* target, int count, const std::uint8_t* source,
                         const std::int32_t* offsets);
// Rows of contiguous texels one under the other, drawn in one call: the 1:1 quad.
struct PaintRect {
  std::uint8_t* target;
  std::ptrdiff_t targetPitch;
  const std::uint8_t* source;
  std::ptrdiff_t sourcePitch;
  int count;
  int rows;
};
using PaintRectFn = void (*)(const PaintRect&);

struct Painter {
  Painter(std::vector<std::uint32_t>& texelRow, std::vector<std::uint32_t>& colorRow)
      : texels(texelRow), colors(colorRow) {}

  Tables tables;
  StageState stage;
  bool blend = false;
  std::uint32_t diffuse = 0xFFFFFFFF;
  std::uint32_t factor = 0xFFFFFFFF;
  // Scratch rows of the general path, kept by the thread between draws.
  std::vector<std::uint32_t>& texels;
  std::vector<std::uint32_t>& colors;
  PaintFn contiguous = nullptr;
  PaintFn gathered = nullptr;
  PaintRectFn rect = nullptr;  // the fast painters only
};

template <class Src, bool Gather>
inline std::uint32_t Fetch(const Tables& t, const std::uint8_t* source, const std::int32_t* offsets, int i) {
  if constexpr (Gather) {
    return Src::Load(t, source + offsets[i]);
  } else {
    return Src::Load(t, source + i * Src::kBytes);
  }
}

Arg ResolveArg(TextureArg arg, const Painter& p) {
  switch (arg) {
    case TextureArg::Texture: return {p.texels.data(), 1};
    case TextureArg::TFactor: return {&p.factor, 0};
    case TextureArg::Diffuse:
    case TextureArg::Current: break;
  }
  return {&p.diffuse, 0};
}

void Combine(Painter& p, int n) {
  const Arg current{&p.diffuse, 0};
  const std::uint32_t factorAlpha = p.factor >> 24;
  std::uint32_t* out = p.colors.data();
  ApplyOp(p.stage.colorOp, ResolveArg(p.stage.colorArg1, p), ResolveArg(p.stage.colorArg2, p), current, factorAlpha, n,
          out, [](Arg a, Arg b, int count, std::uint32_t* o, auto op) { ApplyColor(a, b, count, o, op); });
  ApplyOp(p.stage.alphaOp, ResolveArg(p.stage.alphaArg1, p), ResolveArg(p.stage.alphaArg2, p), current, factorAlpha, n,
          out, [](Arg a, Arg b, int count, std::uint32_t* o, auto op) { ApplyAlpha(a, b, count, o, op); });
}

template <class Src, class Dst, bool Gather>
void PaintIdentityBlend(Painter& p, std::uint8_t* target, int count, const std::uint8_t* source,
                        const std::int32_t* offsets) {
  for (int i = 0; i < count; ++i) {
    BlendStore<Dst>(p.tables, target + i * Dst::kBytes, Fetch<Src, Gather>(p.tables, source, offsets, i));
  }
}

template <class Src, class Dst, bool Gather>
void PaintIdentityReplace(Painter& p, std::uint8_t* target, int count, const std::uint8_t* source,
                          const std::int32_t* offsets) {
  for (int i = 0; i < count; ++i) {
    Dst::Store(p.tables, target + i * Dst::kBytes, Fetch<Src, Gather>(p.tables, source, offsets, i));
  }
}

template <class Src, class Dst, bool Gather>
void PaintScaledAlphaBlend(Painter& p, std::uint8_t* target, int count, const std::uint8_t* source,
                           const std::int32_t* offsets) {
  for (int i = 0; i < count; ++i) {
    const std::uint32_t c = Fetch<Src, Gather>(p.tables, source, offsets, i);
    const std::uint32_t a = p.tables.alphaScale[c >> 24];
    BlendStore<Dst>(p.tables, target + i * Dst::kBytes, (c & 0xFFFFFFu) | a << 24);
  }
}

template <class Src, class Dst, bool Gather>
void PaintGeneral(Painter& p, std::uint8_t* target, int count, const std::uint8_t* source,
                  const std::int32_t* offsets) {
  if (p.texels.size() < static_cast<std::size_t>(count)) {
    p.texels.resize(static_cast<std::size_t>(count));
    p.colors.resize(static_cast<std::size_t>(count));
  }
  for (int i = 0; i < count; ++i)
    p.texels[static_cast<std::size_t>(i)] = Fetch<Src, Gather>(p.tables, source, offsets, i);
  Combine(p, count);
  const std::uint32_t* colors = p.colors.data();
  if (p.blend) {
    for (int i = 0; i < count; ++i) BlendStore<Dst>(p.tables, target + i * Dst::kBytes, colors[i]);
  } else {
    for (int i = 0; i < count; ++i) Dst::Store(p.tables, target + i * Dst::kBytes, colors[i]);
  }
}

// Keyed A1R5G5B5 texels onto a 16-bit target of the same format or R5G6B5: the alpha bit
// decides, so a texel is either stored as it is (converted by shifts) or left out. The same
// result as the general path, without widening every texel. (A texture is never the target
// here: RasterStrip draws from a copy then.)
// The six-bit green of a five-bit one, as widening to 8 bits (g * 255 / 31) and packing to the
// nearest 6-bit value gives it: twice g, plus one for g in 18-20 and 23-31 (not a plain bit
// copy: 16 becomes 32, not 33). Compares of 16-bit lanes, which vectorise.
[[gnu::always_inline]] inline std::uint16_t Green5To6(std::uint16_t g) {
  const bool up = static_cast<std::uint16_t>(g - 18u) < 3u || g >= 23u;
  return static_cast<std::uint16_t>(g * 2u + (up ? 1u : 0u));
}

// A1R5G5B5 as the nearest R5G6B5, alpha dropped: red and blue keep their fields.
[[gnu::always_inline]] inline std::uint16_t Argb1555To565(std::uint16_t s) {
  return static_cast<std::uint16_t>((s & 0x7C00u) << 1 | Green5To6(static_cast<std::uint16_t>(s >> 5 & 31u)) << 5 |
                                    (s & 31u));
}

// The same conversion sixteen texels at a time, with the green bump looked up rather than
// compared: it is zero below 16, so a byte shuffle indexed by g - 16 (negative bytes give zero)
// finds it, already at bit 5. Red and green's top five bits come from one shift and mask.
[[gnu::target("avx2")]] inline __m256i Argb1555To565x16(__m256i s) {
  const __m256i bump = _mm256_setr_epi8(0, 0, 32, 32, 32, 0, 0, 32, 32, 32, 32, 32, 32, 32, 32, 32, 0, 0, 32, 32, 32, 0,
                                        0, 32, 32, 32, 32, 32, 32, 32, 32, 32);
  const __m256i g = _mm256_and_si256(_mm256_srli_epi16(s, 5), _mm256_set1_epi16(31));
  const __m256i up = _mm256_shuffle_epi8(bump, _mm256_sub_epi8(g, _mm256_set1_epi16(16)));
  const __m256i redGreen = _mm256_and_si256(_mm256_slli_epi16(s, 1), _mm256_set1_epi16(static_cast<short>(0xFFC0)));
  const __m256i blue = _mm256_and_si256(s, _mm256_set1_epi16(31));
  return _mm256_or_si256(_mm256_or_si256(redGreen, blue), up);
}

// Contiguous keyed 1555 texels onto 5-6-5 by sixteens; the rest as the shared body does them.
[[gnu::target("avx2")]] inline void PaintKeyed1555To565Avx2Row(std::uint8_t* __restrict target, int count,
                                                               const std::uint8_t* __restrict source) {
  int i = 0;
  for (; i + 16 <= count; i += 16) {
    const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(source + 2 * i));
    __m256i* to = reinterpret_cast<__m256i*>(target + 2 * i);
    const __m256i opaque = _mm256_srai_epi16(s, 15);
    _mm256_storeu_si256(to, _mm256_blendv_epi8(_mm256_loadu_si256(to), Argb1555To565x16(s), opaque));
  }
  const auto* from = reinterpret_cast<const std::uint16_t*>(source);
  auto* out = reinterpret_cast<std::uint16_t*>(target);
  for (; i < count; ++i) {
    if ((from[i] & 0x8000) != 0) out[i] = Argb1555To565(from[i]);
  }
}

template <bool Gather, bool To565>
[[gnu::always_inline]] inline void PaintKeyed1555Body(std::uint8_t* __restrict target, int count,
                                                      const std::uint8_t* __restrict source,
                                                      const std::int32_t* offsets) {
  // Rows start on 4-byte boundaries and pixels on 2-byte ones: the words can be read as such,
  // which lets the contiguous form vectorise.
  std::uint16_t* __restrict out = reinterpret_cast<std::uint16_t*>(target);
  for (int i = 0; i < count; ++i) {
    const std::uint16_t s = Gather ? Read16(source + offsets[i]) : reinterpret_cast<const std::uint16_t*>(source)[i];
    const std::uint16_t shown = To565 ? Argb1555To565(s) : s;
    out[i] = (s & 0x8000) != 0 ? shown : out[i];
  }
}

// A8R8G8B8 texels onto a 32-bit target. Opaque and transparent texels are a select, which
// vectorises; the rare texels in between are blended in a second pass over the same span
// (the first pass left their target pixels as they were). The same result as the general path.
template <bool Gather, bool TargetAlpha>
[[gnu::always_inline]] inline void PaintArgb8888Body(std::uint8_t* __restrict target, int count,
                                                     const std::uint8_t* __restrict source,
                                                     const std::int32_t* offsets) {
  std::uint32_t* __restrict out = reinterpret_cast<std::uint32_t*>(target);
  const auto texel = [&](int i) {
    return Gather ? Read32(source + offsets[i]) : reinterpret_cast<const std::uint32_t*>(source)[i];
  };
  std::uint32_t partial = 0;
  for (int i = 0; i < count; ++i) {
    const std::uint32_t c = texel(i);
    const std::uint32_t a = c >> 24;
    out[i] = a == 255 ? (TargetAlpha ? c : c & 0xFFFFFFu) : out[i];
    partial |= static_cast<std::uint32_t>(a - 1 < 254);
  }
  if (partial == 0) return;
  for (int i = 0; i < count; ++i) {
    const std::uint32_t c = texel(i);
    const std::uint32_t a = c >> 24;
    if (a == 0 || a == 255) continue;
    out[i] = TargetAlpha ? Mix(c, out[i], a) : Mix(c, out[i] | 0xFF000000u, a) & 0xFFFFFFu;
  }
}

template <class Row>
[[gnu::always_inline]] inline void ForEachRow(const PaintRect& r, Row row) {
  std::uint8_t* to = r.target;
  const std::uint8_t* from = r.source;
  const std::ptrdiff_t toPitch = r.targetPitch, fromPitch = r.sourcePitch;
  const int count = r.count, rows = r.rows;
  for (int y = 0; y < rows; ++y, to += toPitch, from += fromPitch) row(to, count, from);
}

// Each fast painter twice: baseline x86-64 and AVX2 (kernel_choice.h picks).
template <bool Gather, bool To565>
void PaintKeyed1555(Painter&, std::uint8_t* target, int count, const std::uint8_t* source, const std::int32_t* offsets) {
  PaintKeyed1555Body<Gather, To565>(target, count, source, offsets);
}
template <bool Gather, bool To565>
[[gnu::target("avx2")]] void PaintKeyed1555Avx2(Painter&, std::uint8_t* target, int count, const std::uint8_t* source,
                                                const std::int32_t* offsets) {
  if constexpr (!Gather && To565) {
    PaintKeyed1555To565Avx2Row(target, count, source);
  } else {
    PaintKeyed1555Body<Gather, To565>(target, count, source, offsets);
  }
}
template <bool To565>
void PaintKeyed1555Rect(const PaintRect& r) {
  ForEachRow(r, [](std::uint8_t* to, int count, const std::uint8_t* from) {
    PaintKeyed1555Body<false, To565>(to, count, from, nullptr);
  });
}
template <bool To565>
[[gnu::target("avx2")]] void PaintKeyed1555RectAvx2(const PaintRect& r) {
  ForEachRow(r, [](std::uint8_t* to, int count, const std::uint8_t* from) [[gnu::always_inline]] {
    if constexpr (To565) {
      PaintKeyed1555To565Avx2Row(to, count, from);
    } else {
      PaintKeyed1555Body<false, To565>(to, count, from, nullptr);
    }
  });
}
template <bool TargetAlpha>
void PaintArgb8888Rect(const PaintRect& r) {
  ForEachRow(r, [](std::uint8_t* to, int count, const std::uint8_t* from) {
    PaintArgb8888Body<false, TargetAlpha>(to, count, from, nullptr);
  });
}
template <bool TargetAlpha>
[[gnu::target("avx2")]] void PaintArgb8888RectAvx2(const PaintRect& r) {
  ForEachRow(r, [](std::uint8_t* to, int count, const std::uint8_t* from) [[gnu::always_inline]] {
    PaintArgb8888Body<false, TargetAlpha>(to, count, from, nullptr);
  });
}
template <bool Gather, bool TargetAlpha>
void PaintArgb8888(Painter&, std::uint8_t* target, int count, const std::uint8_t* source, const std::int32_t* offsets) {
  PaintArgb8888Body<Gather, TargetAlpha>(target, count, source, offsets);
}
template <bool Gather, bool TargetAlpha>
[[gnu::target("avx2")]] void PaintArgb8888Avx2(Painter&, std::uint8_t* target, int count, const std::uint8_t* source,
                                               const std::int32_t* offsets) {
  PaintArgb8888Body<Gather, TargetAlpha>(target, count, source, offsets);
}

template <class Src, class Dst, bool Gather>
PaintFn PaintFor(Mode mode) {
  switch (mode) {
    case Mode::IdentityBlend: return &PaintIdentityBlend<Src, Dst, Gather>;
    case Mode::IdentityReplace: return &PaintIdentityReplace<Src, Dst, Gather>;
    case Mode::ScaledAlphaBlend: return &PaintScaledAlphaBlend<Src, Dst, Gather>;
    case Mode::General: break;
  }
  return &PaintGeneral<Src, Dst, Gather>;
}

template <class Src>
void SelectForTarget(PixelFormat target, Mode mode, Painter& p) {
  switch (target) {
    case PixelFormat::Argb8888:
      p.contiguous = PaintFor<Src, IoArgb8888, false>(mode);
      p.gathered = PaintFor<Src, IoArgb8888, true>(mode);
      return;
    case PixelFormat::Xrgb8888:
      p.contiguous = PaintFor<Src, IoXrgb8888, false>(mode);
      p.gathered = PaintFor<Src, IoXrgb8888, true>(mode);
      return;
    case PixelFormat::Rgb565:
      p.contiguous = PaintFor<Src, IoRgb565, false>(mode);
      p.gathered = PaintFor<Src, IoRgb565, true>(mode);
      return;
    case PixelFormat::Xrgb1555:
      p.contiguous = PaintFor<Src, IoXrgb1555, false>(mode);
      p.gathered = PaintFor<Src, IoXrgb1555, true>(mode);
      return;
    case PixelFormat::Argb1555:
      p.contiguous = PaintFor<Src, IoArgb1555, false>(mode);
      p.gathered = PaintFor<Src, IoArgb1555, true>(mode);
      return;
    case PixelFormat::Indexed8:
    case PixelFormat::Rgb888: return;
  }
}

void SelectPainters(const PixelBuffer* texture, PixelFormat target, Mode mode, Painter& p) {
  if (texture != nullptr && texture->format() == PixelFormat::Argb8888 && mode == Mode::IdentityBlend &&
      (target == PixelFormat::Argb8888 || target == PixelFormat::Xrgb8888)) {
    const bool alpha = target == PixelFormat::Argb8888;
    if (Avx2Kernels()) {
      p.contiguous = alpha ? &PaintArgb8888Avx2<false, true> : &PaintArgb8888Avx2<false, false>;
      p.gathered = alpha ? &PaintArgb8888Avx2<true, true> : &PaintArgb8888Avx2<true, false>;
      p.rect = alpha ? &PaintArgb8888RectAvx2<true> : &PaintArgb8888RectAvx2<false>;
    } else {
      p.contiguous = alpha ? &PaintArgb8888<false, true> : &PaintArgb8888<false, false>;
      p.gathered = alpha ? &PaintArgb8888<true, true> : &PaintArgb8888<true, false>;
      p.rect = alpha ? &PaintArgb8888Rect<true> : &PaintArgb8888Rect<false>;
    }
    return;
  }
  if (texture != nullptr && texture->format() == PixelFormat::Argb1555 && mode == Mode::IdentityBlend &&
      (target == PixelFormat::Argb1555 || target == PixelFormat::Rgb565)) {
    const bool to565 = target == PixelFormat::Rgb565;
    if (Avx2Kernels()) {
      p.contiguous = to565 ? &PaintKeyed1555Avx2<false, true> : &PaintKeyed1555Avx2<false, false>;
      p.gathered = to565 ? &PaintKeyed1555Avx2<true, true> : &PaintKeyed1555Avx2<true, false>;
      p.rect = to565 ? &PaintKeyed1555RectAvx2<true> : &PaintKeyed1555RectAvx2<false>;
    } else {
      p.contiguous = to565 ? &PaintKeyed1555<false, true> : &PaintKeyed1555<false, false>;
      p.gathered = to565 ? &PaintKeyed1555<true, true> : &PaintKeyed1555<true, false>;
      p.rect = to565 ? &PaintKeyed1555Rect<true> : &PaintKeyed1555Rect<false>;
    }
    return;
  }
  if (texture == nullptr) {
    SelectForTarget<IoNoTexture>(target, mode, p);
    return;
  }
  switch (texture->format()) {
    case PixelFormat::Argb8888: SelectForTarget<IoArgb8888>(target, mode, p); return;
    case PixelFormat::Xrgb8888: SelectForTarget<IoXrgb8888>(target, mode, p); return;
    case PixelFormat::Rgb565: SelectForTarget<IoRgb565>(target, mode, p); return;
    case PixelFormat::Xrgb1555: SelectForTarget<IoXrgb1555>(target, mode, p); return;
    case PixelFormat::Argb1555: SelectForTarget<IoArgb1555>(target, mode, p); return;
    case PixelFormat::Indexed8:
    case PixelFormat::Rgb888: return;
  }
}

bool IsDirectColor16Or32(PixelFormat format) {
  return format != PixelFormat::Indexed8 && format != PixelFormat::Rgb888;
}

// The constant an argument stands for, when it is not the texture.
std::uint32_t ConstantOf(TextureArg arg, std::uint32_t diffuse, std::uint32_t factor) {
  return arg == TextureArg::TFactor ? factor : diffuse;
}

// A stage output that is the texel channel itself; `scale` gets the constant the texel is
// multiplied by (255 when it is passed unchanged).
bool TexelTimesConstant(TextureOp op, TextureArg a1, TextureArg a2, std::uint32_t diffuse, std::uint32_t factor,
                        int shift, std::uint32_t mask, std::uint32_t& scale) {
  if (op == TextureOp::SelectArg1 && a1 == TextureArg::Texture) {
    scale = 255;
    return true;
  }
  if (op == TextureOp::SelectArg2 && a2 == TextureArg::Texture) {
    scale = 255;
    return true;
  }
  if (op != TextureOp::Modulate || (a1 == TextureArg::Texture) == (a2 == TextureArg::Texture)) return false;
  const std::uint32_t constant = ConstantOf(a1 == TextureArg::Texture ? a2 : a1, diffuse, factor);
  const std::uint32_t channels = (constant >> shift) & mask;
  if (mask == 0xFFFFFF) {
    if (channels != 0xFFFFFF) return false;
    scale = 255;
    return true;
  }
  scale = channels;
  return true;
}

Mode ChooseMode(const RasterState& state, std::uint32_t diffuse, Painter& p) {
  const StageState& s = state.stage;
  std::uint32_t colorScale = 0;
  std::uint32_t alphaScale = 0;
  const bool colorIdentity =
      TexelTimesConstant(s.colorOp, s.colorArg1, s.colorArg2, diffuse, state.textureFactor, 0, 0xFFFFFF, colorScale);
  const bool alphaTimesConstant =
      TexelTimesConstant(s.alphaOp, s.alphaArg1, s.alphaArg2, diffuse, state.textureFactor, 24, 0xFF, alphaScale);
  if (!colorIdentity || !alphaTimesConstant) return Mode::General;
  if (alphaScale == 255) return p.blend ? Mode::IdentityBlend : Mode::IdentityReplace;
  if (!p.blend) return Mode::General;
  for (std::uint32_t a = 0; a < 256; ++a) p.tables.alphaScale[a] = static_cast<std::uint8_t>(Div255(a * alphaScale));
  return Mode::ScaledAlphaBlend;
}

// ---- Coverage ---------------------------------------------------------------------------------

constexpr double kSnap = 1.0 / 1024.0;

bool NearInteger(double value, int& out) {
  const double rounded = std::nearbyint(value);
  if (std::fabs(value - rounded) > kSnap || std::fabs(rounded) > 1e9) return false;
  out = static_cast<int>(rounded);
  return true;
}

int Address(int index, int size, AddressMode mode) {
  if (index >= 0 && index < size) return index;
  if (mode == AddressMode::Clamp) return std::clamp(index, 0, size - 1);
  const int r = index % size;
  return r < 0 ? r + size : r;
}

// Texel indices along one axis of an axis-aligned quad, for target pixels first..last-1.
struct AxisSampler {
  bool exact = false;
  int origin = 0;                                                // exact: target index of the quad's first pixel
  int count = 0;                                                 // exact: the quad's pixel count
  SampleRun run;                                                 // exact: the texel run
  double edge = 0.0, span = 1.0, texStart = 0.0, texSpan = 0.0;  // otherwise
  int size = 1;
  AddressMode mode = AddressMode::Wrap;

  int At(int pixel) const {
    int texel;
    if (exact && run.length == count) {
      texel = run.first + run.step * (pixel - origin);  // 1:1, the rule without its division
    } else if (exact) {
      texel = SampleIndex(run, pixel - origin, count);
    } else {
      const double t = texStart + (pixel - edge) / span * texSpan;
      texel = static_cast<int>(std::floor(t));
    }
    return Address(texel, size, mode);
  }
};

AxisSampler MakeAxis(double p0, double p1, float t0, float t1, int size, AddressMode mode) {
  AxisSampler axis;
  axis.size = std::max(size, 1);
  axis.mode = mode;
  int e0, e1, s0, s1;
  if (NearInteger(p0 + 0.5, e0) && NearInteger(p1 + 0.5, e1) && NearInteger(double(t0) * size, s0) &&
      NearInteger(double(t1) * size, s1) && e1 > e0) {
    axis.exact = true;
    axis.origin = e0;
    axis.count = e1 - e0;
    axis.run = RunFromEdges(s0, s1 - s0);
    return axis;
  }
  axis.edge = p0;
  axis.span = p1 - p0;
  axis.texStart = double(t0) * size;
  axis.texSpan = (double(t1) - double(t0)) * size;
  return axis;
}

struct Raster {
  PixelBuffer& target;
  const PixelBuffer* texture;
  const RasterState& state;
  Painter& painter;
  std::vector<std::int32_t>& offsets;
  std::vector<std::int32_t>& columnBytes;
};

// Scratch storage of a thread's draws, so that a draw allocates nothing once it has run.
struct RasterScratch {
  std::vector<std::uint32_t> texels;
  std::vector<std::uint32_t> colors;
  std::vector<std::int32_t> offsets;
  std::vector<std::int32_t> columnBytes;
};

bool AxisAlignedQuad(const DTVERTEX* v) {
  return v[0].x == v[1].x && v[2].x == v[3].x && v[0].y == v[2].y && v[1].y == v[3].y && v[0].u == v[1].u &&
         v[2].u == v[3].u && v[0].v == v[2].v && v[1].v == v[3].v;
}

// Target pixels left..right-1 x top..bottom-1 from the texels at (firstColumn, firstRow) on,
// one a pixel, all inside the texture. Always inlined: as a call it cost a layer of small
// tiles a tenth of its time.
[[gnu::always_inline]] inline void PaintOneToOne(Raster& r, int left, int top, int right, int bottom, int firstColumn, int firstRow) {
  const int bytes = r.target.bytesPerPixel();
  const int columnByte = firstColumn * r.texture->bytesPerPixel();
  if (r.painter.rect != nullptr) {
    r.painter.rect({r.target.Row(top) + left * bytes, r.target.pitch(), r.texture->Row(firstRow) + columnByte,
                    r.texture->pitch(), right - left, bottom - top});
    return;
  }
  for (int y = top; y < bottom; ++y) {
    r.painter.contiguous(r.painter, r.target.Row(y) + left * bytes, right - left,
                         r.texture->Row(firstRow + (y - top)) + columnByte, nullptr);
  }
}

// A whole number held exactly, in the range a pixel or texel index can take.
inline bool WholeNumber(double value, int& out) {
  if (!(value > -1e9 && value < 1e9)) return false;
  out = static_cast<int>(value);
  return out == value;
}

// One axis of the common sprite: pixel edges on half pixels, texel edges on whole texels, one
// texel a pixel, in order. What MakeAxis finds for such an axis, without its general work.
inline bool OneToOneAxis(float p0, float p1, float t0, float t1, int size, int& origin, int& end, int& first) {
  int last;
  return WholeNumber(double(p0) + 0.5, origin) && WholeNumber(double(p1) + 0.5, end) && end > origin &&
         WholeNumber(double(t0) * size, first) && WholeNumber(double(t1) * size, last) && last - first == end - origin;
}

// The common sprite drawn at once: true when the quad was one (drawn or wholly outside).
bool RasterOneToOneQuad(Raster& r, const DTVERTEX* v) {
  int x0, x1, sx, y0, y1, sy;
  if (!OneToOneAxis(v[0].x, v[2].x, v[0].u, v[2].u, r.texture->width(), x0, x1, sx) ||
      !OneToOneAxis(v[0].y, v[1].y, v[0].v, v[1].v, r.texture->height(), y0, y1, sy)) {
    return false;
  }
  const int left = std::max(0, x0), right = std::min(r.target.width(), x1);
  const int top = std::max(0, y0), bottom = std::min(r.target.height(), y1);
  if (left >= right || top >= bottom) return true;
  const int firstColumn = sx + (left - x0), firstRow = sy + (top - y0);
  // Texels outside the texture take the address rule: the general path.
  if (firstColumn < 0 || firstColumn + (right - left) > r.texture->width() || firstRow < 0 ||
      firstRow + (bottom - top) > r.texture->height()) {
    return false;
  }
  PaintOneToOne(r, left, top, right, bottom, firstColumn, firstRow);
  return true;
}

void RasterQuad(Raster& r, const DTVERTEX* v) {
  if (r.texture != nullptr && RasterOneToOneQuad(r, v)) return;
  double x0 = v[0].x, x1 = v[2].x, y0 = v[0].y, y1 = v[1].y;
  float u0 = v[0].u, u1 = v[2].u, t0 = v[0].v, t1 = v[1].v;
  if (x1 < x0) {
    std::swap(x0, x1);
    std::swap(u0, u1);
  }
  if (y1 < y0) {
    std::swap(y0, y1);
    std::swap(t0, t1);
  }
  const int left = std::max(0, static_cast<int>(std::ceil(x0)));
  const int right = std::min(r.target.width(), static_cast<int>(std::ceil(x1)));
  const int top = std::max(0, static_cast<int>(std::ceil(y0)));
  const int bottom = std::min(r.target.height(), static_cast<int>(std::ceil(y1)));
  if (left >= right || top >= bottom) return;
  const int count = right - left;
  const int bytes = r.target.bytesPerPixel();

  if (r.texture == nullptr) {
    for (int y = top; y < bottom; ++y) {
      r.painter.contiguous(r.painter, r.target.Row(y) + left * bytes, count, nullptr, nullptr);
    }
    return;
  }
  const int texelBytes = r.texture->bytesPerPixel();
  const AxisSampler columns = MakeAxis(x0, x1, u0, u1, r.texture->width(), r.state.sampler.addressU);
  const AxisSampler rows = MakeAxis(y0, y1, t0, t1, r.texture->height(), r.state.sampler.addressV);
  r.columnBytes.resize(static_cast<std::size_t>(count));
  // A 1:1 run inside the texture, the common case, is contiguous without looking at each column.
  const int firstTexel = columns.run.first + (left - columns.origin);
  if (columns.exact && columns.run.length == columns.count && columns.run.step == 1 && firstTexel >= 0 &&
      firstTexel + count <= columns.size) {
    const int firstRow = rows.run.first + (top - rows.origin);
    if (rows.exact && rows.run.length == rows.count && rows.run.step == 1 && firstRow >= 0 &&
        firstRow + (bottom - top) <= rows.size) {
      PaintOneToOne(r, left, top, right, bottom, firstTexel, firstRow);
      return;
    }
    for (int y = top; y < bottom; ++y) {
      r.painter.contiguous(r.painter, r.target.Row(y) + left * bytes, count,
                           r.texture->Row(rows.At(y)) + firstTexel * texelBytes, nullptr);
    }
    return;
  }
  bool contiguous = true;
  for (int i = 0; i < count; ++i) {
    const int texel = columns.At(left + i);
    r.columnBytes[static_cast<std::size_t>(i)] = texel * texelBytes;
    if (i > 0 &&
        r.columnBytes[static_cast<std::size_t>(i)] != r.columnBytes[static_cast<std::size_t>(i - 1)] + texelBytes) {
      contiguous = false;
    }
  }
  for (int y = top; y < bottom; ++y) {
    const std::uint8_t* texelRow = r.texture->Row(rows.At(y));
    std::uint8_t* out = r.target.Row(y) + left * bytes;
    if (contiguous) {
      r.painter.contiguous(r.painter, out, count, texelRow + r.columnBytes[0], nullptr);
    } else {
      r.painter.gathered(r.painter, out, count, texelRow, r.columnBytes.data());
    }
  }
}

double Edge(const DTVERTEX& a, const DTVERTEX& b, double px, double py) {
  return (double(b.x) - a.x) * (py - a.y) - (double(b.y) - a.y) * (px - a.x);
}

// Pixel centres on an edge belong to the triangle when the edge is a top or a left one.
bool TopLeft(const DTVERTEX& a, const DTVERTEX& b) {
  const double dx = double(b.x) - a.x, dy = double(b.y) - a.y;
  return dy < 0 || (dy == 0 && dx > 0);
}

void RasterTriangle(Raster& r, DTVERTEX a, DTVERTEX b, DTVERTEX c) {
  double area = Edge(a, b, c.x, c.y);
  if (area == 0) return;
  if (area < 0) {
    std::swap(b, c);
    area = -area;
  }
  const bool edgeAB = TopLeft(a, b), edgeBC = TopLeft(b, c), edgeCA = TopLeft(c, a);
  const double minX = std::min({double(a.x), double(b.x), double(c.x)});
  const double maxX = std::max({double(a.x), double(b.x), double(c.x)});
  const double minY = std::min({double(a.y), double(b.y), double(c.y)});
  const double maxY = std::max({double(a.y), double(b.y), double(c.y)});
  const int left = std::max(0, static_cast<int>(std::ceil(minX)));
  const int right = std::min(r.target.width() - 1, static_cast<int>(std::floor(maxX)));
  const int top = std::max(0, static_cast<int>(std::ceil(minY)));
  const int bottom = std::min(r.target.height() - 1, static_cast<int>(std::floor(maxY)));
  const int bytes = r.target.bytesPerPixel();
  const int tw = r.texture != nullptr ? r.texture->width() : 1;
  const int th = r.texture != nullptr ? r.texture->height() : 1;
  const int texelBytes = r.texture != nullptr ? r.texture->bytesPerPixel() : 0;

  auto inside = [](double w, bool topLeft) { return w > 0 || (w == 0 && topLeft); };
  for (int y = top; y <= bottom; ++y) {
    int spanStart = -1;
    r.offsets.clear();
    for (int x = left; x <= right + 1; ++x) {
      bool covered = false;
      double wA = 0, wB = 0, wC = 0;
      if (x <= right) {
        wA = Edge(b, c, x, y);
        wB = Edge(c, a, x, y);
        wC = Edge(a, b, x, y);
        covered = inside(wA, edgeBC) && inside(wB, edgeCA) && inside(wC, edgeAB);
      }
      if (covered) {
        if (spanStart < 0) spanStart = x;
        const double u = (wA * a.u + wB * b.u + wC * c.u) / area;
        const double v = (wA * a.v + wB * b.v + wC * c.v) / area;
        const int tx = Address(static_cast<int>(std::floor(u * tw)), tw, r.state.sampler.addressU);
        const int ty = Address(static_cast<int>(std::floor(v * th)), th, r.state.sampler.addressV);
        r.offsets.push_back(ty * (r.texture != nullptr ? r.texture->pitch() : 0) + tx * texelBytes);
      } else if (spanStart >= 0) {
        const int count = static_cast<int>(r.offsets.size());
        const std::uint8_t* base = r.texture != nullptr ? r.texture->data() : nullptr;
        r.painter.gathered(r.painter, r.target.Row(y) + spanStart * bytes, count, base, r.offsets.data());
        spanStart = -1;
        r.offsets.clear();
      }
    }
  }
}

}  // namespace

bool CanRaster(PixelFormat target, const PixelBuffer* texture, const RasterState& state) {
  if (!IsDirectColor16Or32(target)) return false;
  if (texture != nullptr && !IsDirectColor16Or32(texture->format())) return false;
  if (!IsSupportedTextureOp(static_cast<int>(state.stage.colorOp)) ||
      !IsSupportedTextureOp(static_cast<int>(state.stage.alphaOp))) {
    return false;
  }
  const BlendState& blend = state.blend;
  if (!blend.enabled) return true;
  return (blend.source == BlendFactor::One && blend.destination == BlendFactor::Zero) ||
         (blend.source == BlendFactor::SrcAlpha && blend.destination == BlendFactor::InvSrcAlpha);
}

// The painter of the thread's last draw and what it was made for.
struct LastSetup {
  std::uint64_t setup = 0;
  std::uint32_t diffuse = 0;
  PixelFormat target = PixelFormat::Indexed8;
  int texture = -1;  // format, -1 for none
};

void RasterStrip(PixelBuffer& target, const DTVERTEX* vertices, int primitiveCount, const PixelBuffer* texture,
                 const RasterState& state, std::uint64_t setup) {
  if (primitiveCount <= 0) return;
  thread_local RasterScratch scratch;
  thread_local Painter painter(scratch.texels, scratch.colors);
  thread_local LastSetup last;
  const int textureFormat = texture != nullptr ? static_cast<int>(texture->format()) : -1;
  const bool reuse = setup != 0 && last.setup == setup && last.diffuse == vertices[0].diffuse &&
                     last.target == target.format() && last.texture == textureFormat;
  if (!reuse) {
    last.setup = 0;
    if (!CanRaster(target.format(), texture, state)) return;
    painter.stage = state.stage;
    painter.blend = state.blend.enabled && state.blend.source == BlendFactor::SrcAlpha;
    painter.diffuse = vertices[0].diffuse;
    painter.factor = state.textureFactor;
    painter.contiguous = painter.gathered = nullptr;
    painter.rect = nullptr;
    SelectPainters(texture, target.format(), ChooseMode(state, painter.diffuse, painter), painter);
    last = {setup, painter.diffuse, target.format(), textureFormat};
  }
  // A texture drawn into itself is read as it was before the draw.
  PixelBuffer selfCopy;
  if (texture == &target) {
    selfCopy = target;
    texture = &selfCopy;
  }
  Raster r{target, texture, state, painter, scratch.offsets, scratch.columnBytes};

  int drawn = 0;
  while (drawn < primitiveCount) {
    const DTVERTEX* v = vertices + drawn;
    if (primitiveCount - drawn >= 2 && drawn % 2 == 0 && AxisAlignedQuad(v)) {
      RasterQuad(r, v);
      drawn += 2;
      continue;
    }
    // Triangle k of a strip is (k, k+1, k+2); odd ones run the other way round, which the
    // coverage test does not mind.
    RasterTriangle(r, v[0], v[1], v[2]);
    ++drawn;
  }
}

}  // namespace platform
