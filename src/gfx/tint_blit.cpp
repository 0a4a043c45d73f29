#include "gfx/tint_blit.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "core/report_log.h"
#include "gfx/blend_table.h"
#include "gfx/clip_blt.h"
#include "gfx/dd_palette.h"
#include "gfx/dd_state.h"
#include "gfx/pixel_pairs.h"
#include "gfx/quad_state.h"
#include "gfx/render_target.h"
#include "gfx/tint_kernels.h"

namespace {

using platform::Succeeded;

struct LockedPair {
  LockedPair(DDSURFACEDATA* lpDst, DDSURFACEDATA* lpSrc) : dst(lpDst), src(lpSrc) {}
  bool ok() const { return dst.m_lpBits != nullptr && src.m_lpBits != nullptr; }
  cSurfaceLock dst;
  cSurfaceLock src;
};

// Per channel, the tinted value of every source value: the float weights are applied once per
// call, so the pixel loops only look values up.
struct TintTables {
  std::array<std::array<std::uint32_t, 256>, 3> out{};
};

void TintQuad(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int sx, int sy, int sw, int sh,
              const PALETTEENTRY& p, int nLevel) {
  DTTEXTUREDATA& src = *lpSrc->lpDT;
  if (src.lpVB == nullptr) return;
  DTVERTEX* v = nullptr;
  if (!Succeeded(src.lpVB->Lock(0, 4, v))) return;
  DDWriteSpriteQuad(v, lpSrc, x, y, w, h, sx, sy, sw, sh, 0xFFFFFFFFu);
  src.lpVB->Unlock();
  if (!DDBeginScene() || !DDSetRenderTarget(0, lpDst)) return;
  static constexpr int kWeights[5] = {0, 128, 80, 48, 16};
  const D3DCOLOR weight = nLevel >= 1 && nLevel <= 4 ? static_cast<D3DCOLOR>(kWeights[nLevel]) : 0;
  lpDevice->SetTextureFactor(weight << 24 | D3DCOLOR{p.peRed} << 16 | D3DCOLOR{p.peGreen} << 8 | p.peBlue);
  platform::StageState stage;
  stage.colorOp = platform::TextureOp::BlendFactorAlpha;
  stage.colorArg1 = platform::TextureArg::Texture;
  stage.colorArg2 = platform::TextureArg::TFactor;
  stage.alphaOp = platform::TextureOp::SelectArg1;
  stage.alphaArg1 = platform::TextureArg::Texture;
  lpDevice->SetStageState(stage);
  lpDevice->SetTexture(src.lpTexture);
  lpDevice->SetStreamSource(src.lpVB);
  lpDevice->DrawPrimitive(0, 2);
  DDSetRenderTarget(0, lpDTCon->lpRestRT);
}

void TintSoftwareD3D(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int sx, int sy,
                     bool mirrored, bool keyed, const PALETTEENTRY& p, int nLevel) {
  const bool toBack = DDIsFullScreenBackBuffer(lpDst) != 0;
  LockedPair l(lpDst, lpSrc);
  if (!l.ok()) return;
  static constexpr int kWeights[5] = {0, 128, 64, 32, 16};
  const int weight = nLevel >= 1 && nLevel <= 4 ? kWeights[nLevel] : 0;
  const float a = static_cast<float>(weight) * 0.003921569f;
  const DDPixelLayout& f = DDPixelFormat;
  const int masks[3] = {DDBpp == 32 ? 255 : f.nRedMax, DDBpp == 32 ? 255 : f.nGreenMax, DDBpp == 32 ? 255 : f.nBlueMax};
  const int tint[3] = {p.peRed * masks[0] / 255, p.peGreen * masks[1] / 255, p.peBlue * masks[2] / 255};
  float rest[3];
  for (int c = 0; c < 3; ++c) rest[c] = static_cast<float>(tint[c]) * (1.0f - a);
  if (DDBpp == 32) {
    const TintWeights weights{nLevel == 1, a, {rest[0], rest[1], rest[2]}, {tint[0], tint[1], tint[2]}};
    DDWalkPixelPairs<DWORD>(l.dst, l.src, x, y, w, h, sx, sy, mirrored,
                            [&](DWORD* d, const DWORD* s, int n) { TintRow32Weighted(d, s, n, weights, keyed); });
  } else if (DDBpp == 16) {
    TintTables t;
    for (int c = 0; c < 3; ++c) {
      for (int s = 0; s < 256; ++s) {
        t.out[c][s] = nLevel == 1 ? static_cast<std::uint32_t>((s + tint[c]) >> 1)
                                  : static_cast<std::uint32_t>(std::trunc(static_cast<float>(s) * a + rest[c]));
      }
    }
    const DDPixelLayout& b = DDBackPixelFormat;
    const int shifts[3] = {f.nRedShift, f.nGreenShift, f.nBlueShift};
    FieldMap16 map{};
    for (int c = 0; c < 3; ++c) {
      map.shift[c] = shifts[c];
      map.mask[c] = static_cast<unsigned>(masks[c]);
    }
    for (unsigned v = 0; v < 64; ++v) {
      if (toBack) {
        const unsigned green = nLevel == 1 ? v + static_cast<unsigned>(tint[1]) : 2 * t.out[1][v];
        map.word[0][v] = static_cast<WORD>(t.out[0][v] << b.nRedShift);
        map.word[1][v] = static_cast<WORD>(green << b.nGreenShift);
        map.word[2][v] = static_cast<WORD>(t.out[2][v] << b.nBlueShift);
      } else {
        for (int c = 0; c < 3; ++c) {
          map.word[c][v] = static_cast<WORD>((t.out[c][v] & static_cast<unsigned>(masks[c])) << shifts[c]);
        }
      }
    }
    map.constant = toBack ? WORD{0} : static_cast<WORD>((static_cast<unsigned>(f.nAlphaMax) & 1) << f.nAlphaShift);
    map.keyMask = 0xA000;
    map.keyValue = 0;
    const FieldMapRows16 rows(map);
    DDWalkPixelPairs<WORD>(l.dst, l.src, x, y, w, h, sx, sy, mirrored,
                           [&](WORD* d, const WORD* s, int n) { rows.Map(d, s, n, keyed); });
  }
}

// Iterates a map of 256 values n times (by squaring, so any count is cheap).
std::array<BYTE, 256> Iterate(const std::array<BYTE, 256>& step, int n) {
  std::array<BYTE, 256> result;
  for (int v = 0; v < 256; ++v) result[static_cast<std::size_t>(v)] = static_cast<BYTE>(v);
  std::array<BYTE, 256> power = step;
  while (n > 0) {
    if (n & 1) {
      for (BYTE& v : result) v = power[v];
    }
    std::array<BYTE, 256> squared;
    for (int v = 0; v < 256; ++v) squared[static_cast<std::size_t>(v)] = power[power[static_cast<std::size_t>(v)]];
    power = squared;
    n >>= 1;
  }
  return result;
}

bool TintSoftwareDD(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int sx, int sy, bool keyed,
                    const PALETTEENTRY& p, int ci, int nLevel) {
  LockedPair l(lpDst, lpSrc);
  if (!l.ok()) return false;
  const int steps = std::max(nLevel, 0);
  if (DDBpp == 8) {
    std::array<BYTE, 256> step;
    for (int v = 0; v < 256; ++v) step[static_cast<std::size_t>(v)] = DDBlendTable[v * 256 + ci];
    const std::array<BYTE, 256> map = Iterate(step, steps);
    const auto key = static_cast<BYTE>(DDTransmitKey);
    DDWalkPixelPairs<BYTE>(l.dst, l.src, x, y, w, h, sx, sy, false, [&](BYTE* d, const BYTE* s, int n) {
      for (int i = 0; i < n; ++i) d[i] = keyed && s[i] == key ? d[i] : map[s[i]];
    });
    return true;
  }
  if (DDBpp == 16) {
    const DDPixelLayout& f = DDPixelFormat;
    const int shifts[3] = {f.nRedShift, f.nGreenShift, f.nBlueShift};
    const int masks[3] = {std::max(f.nRedMax, 1), std::max(f.nGreenMax, 1), std::max(f.nBlueMax, 1)};
    const int pal[3] = {p.peRed, p.peGreen, p.peBlue};
    FieldMap16 map{};
    for (int c = 0; c < 3; ++c) {
      map.shift[c] = shifts[c];
      map.mask[c] = static_cast<unsigned>(masks[c]);
      const int tint = pal[c] * 255 / masks[c];
      for (int v = 0; v <= masks[c] && v < 64; ++v) {
        map.word[c][v] =
            static_cast<WORD>((HalveToward(v * 255 / masks[c], tint, steps) * masks[c] / 255) << shifts[c]);
      }
    }
    map.keyMask = 0xFFFF;
    map.keyValue = static_cast<WORD>(DDTransmitKey);
    const FieldMapRows16 rows(map);
    DDWalkPixelPairs<WORD>(l.dst, l.src, x, y, w, h, sx, sy, false,
                           [&](WORD* d, const WORD* s, int n) { rows.Map(d, s, n, keyed); });
  } else if (DDBpp == 32) {
    const TintHalving halving{steps, {p.peRed, p.peGreen, p.peBlue}};
    DDWalkPixelPairs<DWORD>(l.dst, l.src, x, y, w, h, sx, sy, false, [&](DWORD* d, const DWORD* s, int n) {
      TintRow32Halving(d, s, n, halving, DDTransmitKey, keyed);
    });
  }
  return true;
}

// The quad's arithmetic on a record without a texture of its own (the device back buffer) drawn
// onto itself: every pixel is read before it is written.
void ChangeColourInPlace(DDSURFACEDATA* lpSD, int nAlpha, BYTE bRed, BYTE bGreen, BYTE bBlue) {
  cSurfaceLock lock(lpSD);
  if (lock.m_lpBits == nullptr || lock.m_lpSD->lpDT == nullptr || lock.m_lpSD->lpDT->lpSurface == nullptr) return;
  const platform::PixelFormat format = lock.m_lpSD->lpDT->lpSurface->Format();
  const std::uint32_t alpha = 255u - static_cast<std::uint32_t>(nAlpha);
  const std::uint32_t colour[3] = {bRed, bGreen, bBlue};
  auto div255 = [](std::uint32_t v) { return (v + 127) / 255; };
  for (int y = 0; y < lock.m_lpSD->nHeight; ++y) {
    for (int x = 0; x < lock.m_lpSD->nWidth; ++x) {
      BYTE* p = lock.m_lpBits + (static_cast<std::ptrdiff_t>(y) * lock.m_nPitch + x) * lock.m_nBytes;
      std::uint32_t pixel = 0;
      std::memcpy(&pixel, p, static_cast<std::size_t>(lock.m_nBytes));
      const std::uint32_t argb = platform::UnpackArgb(pixel, format);
      const std::uint32_t texelAlpha = argb >> 24;
      const std::uint32_t a = div255(texelAlpha * alpha);
      std::uint32_t out = 0xFF000000u & argb;
      for (int c = 0; c < 3; ++c) {
        const int shift = 16 - 8 * c;
        const std::uint32_t d = (argb >> shift) & 0xFF;
        const std::uint32_t m = div255(d * colour[c]);
        out |= div255(m * a + d * (255 - a)) << shift;
      }
      const std::uint32_t packed = platform::PackArgbNearest(out, format);
      std::memcpy(p, &packed, static_cast<std::size_t>(lock.m_nBytes));
    }
  }
}

}  // namespace

bool DDBltTint(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int sx, int sy, int nFlags,
               const PALETTEENTRY* lpPalette, const BYTE* /*lpTable*/, int nColorIndex, int nLevel) {
  if (lpDst == nullptr || lpSrc == nullptr || lpPalette == nullptr) return true;
  const int ci = nColorIndex & 0xFF;
  const PALETTEENTRY p = lpPalette[ci];
  const bool keyed = nFlags == 1;
  if (lpDTCon != nullptr) {
    if (nLevel <= 0) return true;
    int sw = w, sh = h;
    DDMirrorCellRect(lpSrc, &sx, &sy, &sw, &sh);
    DDResolveAlias(&lpDst);
    DDResolveAlias(&lpSrc);
    DDRedirectBackBuffer(&lpDst);
    DDRedirectBackBuffer(&lpSrc);
    if (lpDst->lpDT == nullptr || lpSrc->lpDT == nullptr) return true;
    if (lpDst->lpDT->bRenderTarget && lpSrc->lpDT->nMemoryType != DTMEMORYTYPE_SYSTEM) {
      TintQuad(lpDst, x, y, w, h, lpSrc, sx, sy, sw, sh, p, nLevel);
    } else {
      TintSoftwareD3D(lpDst, x, y, w, h, lpSrc, sx, sy, sw < 0, keyed, p, nLevel);
    }
    return true;
  }
  if (DDCtx == nullptr || nLevel == 0) return true;
  return TintSoftwareDD(lpDst, x, y, w, h, lpSrc, sx, sy, keyed, p, ci, nLevel);
}

int DDBltChangeColor(DDSURFACEDATA* lpDst, int /*x*/, int /*y*/, int /*w*/, int /*h*/, DDSURFACEDATA* lpSrc,
                     int nAlpha, BYTE bRed, BYTE bGreen, BYTE bBlue) {
  if (lpDTCon == nullptr) {
    ErrLogf("DDrawでは DDChangeColor(DDSURFACEDATA *lpDstSD,int x,int y,int nWidth,int nHeight,int nAlpha,BYTE "
            "bRed,BYTE bGreen,BYTE bBlue) は未対応");
    return 1;
  }
  if (lpDst == nullptr || lpSrc == nullptr) return 1;
  nAlpha = std::clamp(nAlpha, 0, 255);
  DDResolveAlias(&lpDst);
  DDResolveAlias(&lpSrc);
  DDRedirectBackBuffer(&lpDst);
  DDRedirectBackBuffer(&lpSrc);
  if (lpSrc->lpDT == nullptr) return 1;
  if (lpSrc == lpDst && lpSrc->lpDT->lpTexture == nullptr) {
    ChangeColourInPlace(lpDst, nAlpha, bRed, bGreen, bBlue);
    return 1;
  }
  if (lpSrc->lpDT->lpVB == nullptr) return 1;
  const float W = static_cast<float>(lpDst->nWidth), H = static_cast<float>(lpDst->nHeight);
  const float TW = static_cast<float>(std::max(lpSrc->nTexWidth, 1)), TH = static_cast<float>(std::max(lpSrc->nTexHeight, 1));
  const D3DCOLOR diffuse = static_cast<D3DCOLOR>(255 - nAlpha) << 24 | D3DCOLOR{bRed} << 16 | D3DCOLOR{bGreen} << 8 | bBlue;
  const DTVERTEX quad[4] = {{-0.5f, -0.5f, 0.0f, 1.0f, diffuse, 0.0f, 0.0f},
                            {-0.5f, H - 0.5f, 0.0f, 1.0f, diffuse, 0.0f, H / TH},
                            {W - 0.5f, -0.5f, 0.0f, 1.0f, diffuse, W / TW, 0.0f},
                            {W - 0.5f, H - 0.5f, 0.0f, 1.0f, diffuse, W / TW, H / TH}};
  DTVERTEX* v = nullptr;
  if (!Succeeded(lpSrc->lpDT->lpVB->Lock(0, 4, v))) return 1;
  std::copy(std::begin(quad), std::end(quad), v);
  lpSrc->lpDT->lpVB->Unlock();
  if (!DDBeginScene() || !DDSetRenderTarget(0, lpDst)) return 1;
  DDSetQuadStage(D3DTOP_MODULATE, D3DTOP_MODULATE, lpSrc);
  lpDevice->SetStreamSource(lpSrc->lpDT->lpVB);
  lpDevice->DrawPrimitive(0, 2);
  DDSetRenderTarget(0, lpDTCon->lpRestRT);
  return 1;
}

int DDChangeColor(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, int nAlpha, BYTE bRed, BYTE bGreen,
                  BYTE bBlue) {
  return DDBltChangeColor(lpDstSD, x, y, nWidth, nHeight, lpDstSD, nAlpha, bRed, bGreen, bBlue);
}
