#include "gfx/colour_fade.h"

#include <cstring>

#include "core/report_log.h"
#include "gfx/dd_state.h"
#include "gfx/fade_rows.h"
#include "gfx/surface_lock.h"

namespace {

// One 16-bit channel: widened to 0..255, mixed, narrowed back to the field.
struct Channel16 {
  int shift;
  int maximum;
  int colourTerm;  // the colour byte times (256 - weight), formed once per call
  std::uint32_t Mix(std::uint32_t s, int weight) const {
    if (maximum == 0) return 0;
    const int c = static_cast<int>((s >> shift) & static_cast<std::uint32_t>(maximum)) * 255 / maximum;
    const int mixed = (c * weight + colourTerm) >> 8;
    return static_cast<std::uint32_t>(mixed * maximum / 255) << shift;
  }
};

template <typename Pixel, typename Mix>
void FadeRows(const cSurfaceLock& dst, const cSurfaceLock& src, Mix mix) {
  const int w = dst.m_lpSD->nWidth, h = dst.m_lpSD->nHeight;
  const int sw = src.m_lpSD->nWidth, sh = src.m_lpSD->nHeight;
  for (int y = 0; y < h && y < sh; ++y) {
    Pixel* to = reinterpret_cast<Pixel*>(dst.m_lpBits + static_cast<std::ptrdiff_t>(y) * dst.m_nPitch * sizeof(Pixel));
    const Pixel* from =
        reinterpret_cast<const Pixel*>(src.m_lpBits + static_cast<std::ptrdiff_t>(y) * src.m_nPitch * sizeof(Pixel));
    for (int x = 0; x < w && x < sw; ++x) to[x] = mix(from[x]);
  }
}

}  // namespace

int DDFade_UnPal(DDSURFACEDATA* lpDst, int nWeight, BYTE cbRed, BYTE cbGreen, BYTE cbBlue, DDSURFACEDATA* lpSrc) {
  if (lpDTCon != nullptr) {
    ErrLogf("D3DではDDFade_UnPalは未対応");
    return 1;
  }
  cSurfaceLock dst(lpDst);
  if (dst.m_lpBits == nullptr) return 0;
  cSurfaceLock src(lpSrc);
  if (src.m_lpBits == nullptr) return 0;
  if (DDFadeFast(dst, src, nWeight, cbRed, cbGreen, cbBlue)) return 1;
  const int rest = 256 - nWeight;
  if (DDBpp == 16) {
    const DDPixelLayout& f = DDPixelFormat;
    const Channel16 r{f.nRedShift, f.nRedMax, cbRed * rest};
    const Channel16 g{f.nGreenShift, f.nGreenMax, cbGreen * rest};
    const Channel16 b{f.nBlueShift, f.nBlueMax, cbBlue * rest};
    FadeRows<std::uint16_t>(dst, src, [&](std::uint16_t s) {
      return static_cast<std::uint16_t>(r.Mix(s, nWeight) | g.Mix(s, nWeight) | b.Mix(s, nWeight));
    });
  } else if (DDBpp == 32) {
    const int rt = cbRed * rest, gt = cbGreen * rest, bt = cbBlue * rest;
    FadeRows<std::uint32_t>(dst, src, [&](std::uint32_t s) {
      const auto mix = [&](int shift, int term) {
        return static_cast<std::uint32_t>((static_cast<int>((s >> shift) & 0xFF) * nWeight + term) >> 8) << shift;
      };
      return (s & 0xFF000000u) | mix(16, rt) | mix(8, gt) | mix(0, bt);
    });
  }
  return 1;
}
