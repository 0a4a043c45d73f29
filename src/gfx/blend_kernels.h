#pragma once

#include <cstdint>

#include "gfx/dd_types.h"

// The per-row pixel mixes of the translucent blits: t the target run, s the source run, n pixels.
// Each is a plain loop the vectoriser takes; keyed runs skip by select, never by branch.

// 8-bit palette indices: a table lookup of (target, source); a target index 0 takes the source.
void BlendRow8(BYTE* __restrict t, const BYTE* __restrict s, int n, const BYTE* __restrict table, bool keyed);

// Channel fields widened to 0..255 and narrowed back through per-call tables.
struct Blend16Tables {
  std::uint16_t shift[3];
  std::uint16_t mask[3];
  BYTE widen[3][64];      // field -> 0..255
  std::uint16_t narrow[3][256];  // 0..255 -> field << shift
};
void MakeBlend16Tables(Blend16Tables& tables, const DDPixelLayout& layout);
// DirectDraw 16 bits: half and half by widened channels; the key leaves out the source and a
// target holding the key takes the source unchanged.
void BlendRow16Key(WORD* __restrict t, const WORD* __restrict s, int n, const Blend16Tables& tables, WORD key,
                   bool keyed);
// The same for the 5-6-5 layout with its constants in the code, which the vectoriser can take.
void BlendRow16Key565(WORD* __restrict t, const WORD* __restrict s, int n, WORD key, bool keyed);
// DirectDraw 32 bits: bytes blue, green and red averaged, the fourth byte kept.
void BlendRow32Key(DWORD* __restrict t, const DWORD* __restrict s, int n, DWORD key, bool keyed);
// Direct3D 32 bits: the three colour bytes averaged, alpha 255; a keyed source of alpha 0 is left out.
void BlendRow32Alpha(DWORD* __restrict t, const DWORD* __restrict s, int n, bool keyed);
// Direct3D 16 bits onto a texture layout: each field averaged, plus the alpha bit; onto the
// full-screen back buffer: texture source over back-buffer target, green doubled to six bits.
void BlendRow16Texture(WORD* __restrict t, const WORD* __restrict s, int n, const DDPixelLayout& tex, bool keyed);
void BlendRow16Back(WORD* __restrict t, const WORD* __restrict s, int n, const DDPixelLayout& tex,
                    const DDPixelLayout& back, bool keyed);
