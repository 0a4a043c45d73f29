// The draw effects of characters: one handler per effect kind, each drawing with its effect
// blit and stepping the running effect.
#include "world/chara_effect_draw.h"

#include <algorithm>
#include <cmath>

#include "data/database.h"
#include "gfx/alpha_blit.h"
#include "gfx/blend_table.h"
#include "gfx/blur_mosaic.h"
#include "gfx/circle_lens.h"
#include "gfx/core_blit.h"
#include "gfx/dd_fill.h"
#include "gfx/dd_palette.h"
#include "gfx/dd_state.h"
#include "gfx/render_target.h"
#include "gfx/rotate_blit.h"
#include "gfx/screen_effects.h"
#include "gfx/surface_records.h"
#include "gfx/tint_blit.h"
#include "world/chara_base.h"
#include "core/world_math.h"

namespace {

constexpr int kKeyed = DDBLT_KEYED;
constexpr double kRoot2 = 1.4142135623730951;
// The large work texture of the character draw effects: a render target under Direct3D, so
// that a draw state reaches the scaled copy.
constexpr int kWorkRow = 69;
// The large work texture in system memory: the lens's square, and the intermediate of a giant
// picture (whose copy already holds its draw state).
constexpr int kSystemWorkRow = 70;

DDSURFACEDATA* Row(int row) { return row >= 0 && row < kSurfaceRowCount ? &SurfaceRecords[row] : nullptr; }

int Param(const cCharaBase& c, int n) {
  const int index = c.Effect.entry.nIndex;
  if (index <= 0 || index >= static_cast<int>(Database.CharaEffects.size())) return 0;
  return Database.CharaEffects[index].nParam[n];
}

// A work record of at least w x h, or none.
DDSURFACEDATA* Work(int row, int w, int h) {
  DDSURFACEDATA* record = Row(row);
  return record != nullptr && record->nWidth >= w && record->nHeight >= h ? record : nullptr;
}

// Direct3D draws lens, mosaic and blur onto an intermediate of the given size (cleared), then
// copies it to the screen as a quad, which takes the picture's draw state; `at` is where the
// intermediate's top-left lands. Elsewhere the effect draws straight onto the target.
struct EffectTarget {
  DDSURFACEDATA* surface;
  int x, y;  // where the effect's own coordinates start on `surface`
};

EffectTarget BeginIntermediate(DDSURFACEDATA* target, const CharaPictureSource& s, int w, int h, int atX, int atY) {
  if (DDBackend != 1) return {target, 0, 0};
  DDSURFACEDATA* mid = Work(s.scaled ? kSystemWorkRow : kWorkRow, w, h);
  if (mid == nullptr || mid == s.surface) return {target, 0, 0};
  DDFillRect(mid, 0, 0, w, h, 0);
  return {mid, -atX, -atY};
}

void EndIntermediate(DDSURFACEDATA* target, const EffectTarget& e, int w, int h) {
  if (e.surface != target) DDBlt(target, -e.x, -e.y, w, h, e.surface, 0, 0, kKeyed);
}

void Plain(DDSURFACEDATA* target, int x, int y, const CharaPictureSource& s) {
  DDBlt(target, x, y, s.w, s.h, s.surface, s.sx, s.sy, kKeyed);
}

// DirectDraw's rotation of a scaled picture: the cell at its multiplier's size is turned into
// a cleared square that holds every angle, and the square is stretched onto one √2 times the
// drawn width, centred on the character.
void RotateThroughSquare(DDSURFACEDATA* target, const cCharaBase& c, const CharaPictureSource& s, int angle) {
  const int base = s.cellSize;
  const int side = TruncToInt(s.m * 32 * kRoot2);
  DDSURFACEDATA* work = Row(kWorkRow);
  if (work == nullptr || s.sheet == nullptr || work->nWidth < side || work->nHeight < side) return;
  DDFillRect(work, 0, 0, side, side, 0);
  DDBltRotate(work, side / 2, side / 2, base, base, base / 2, base / 2, angle, s.sheet, s.cellX, s.cellY, 0);
  const int drawn = TruncToInt(kRoot2 * s.w);
  const int left = c.Rect.left + s.w / 2 - drawn / 2;
  const int top = c.Rect.top + s.h / 2 - drawn / 2;
  DDBltStretch(target, left, top, drawn, drawn, work, 0, 0, side, side, kKeyed);
}

}  // namespace

CharaPictureSource MakePictureSource(cCharaBase& c, int frame) {
  CharaPictureSource s;
  GraphicRef ref;
  int tint = -1;
  ref.Set(1, c.Def.nGraphicKind, c.Def.nPicture, c.PoseBase(&tint) + frame, c.nFacing, 0);
  if (tint >= 0 && tint < 256) {
    const PALETTEENTRY& e = DDPalette[tint];
    s.hasState = true;
    s.state.dwDiffuse = 0xFF000000u | static_cast<D3DCOLOR>(e.peRed) << 16 | static_cast<D3DCOLOR>(e.peGreen) << 8 |
                        static_cast<D3DCOLOR>(e.peBlue);
    s.state.nColorOp = D3DTOP_MODULATE;
  }
  const int k = std::max<int>(1, c.Def.nGiant);
  const int m = ref.nMultiplier;
  s.k = k;
  s.m = m;
  s.scaled = ref.bLargeCell != 0 ? k != m : k > 1;
  s.cellX = ref.nSrcX;
  s.cellY = ref.nSrcY;
  s.cellSize = 32 * m;
  s.second = ref.OtherSurface();
  DDSURFACEDATA* sheet = ref.Surface();
  s.sheet = sheet;
  if (!s.scaled) {
    s.surface = sheet;
    s.sx = ref.nSrcX;
    s.sy = ref.nSrcY;
    s.w = s.h = 32 * m;
    return s;
  }
  s.w = c.Rect.width;
  s.h = c.Rect.height;
  DDSURFACEDATA* work = Row(kWorkRow);
  if (work == nullptr || work->nWidth < s.w || work->nHeight < s.h) {
    // No work copy: the scaled picture is drawn straight from its cell.
    s.surface = sheet;
    s.sx = ref.nSrcX;
    s.sy = ref.nSrcY;
    s.w = s.h = 32 * m;
    s.scaled = false;
    return s;
  }
  DDFillRect(work, 0, 0, s.w, s.h, 0);
  DDBltStretchWithState(work, 0, 0, s.w, s.h, sheet, ref.nSrcX, ref.nSrcY, 32 * m, 32 * m, 0,
                        s.hasState ? &s.state : nullptr);
  s.surface = work;
  return s;
}

bool RunCharaEffectWithState(cCharaBase& c, DDSURFACEDATA* target, const CharaPictureSource& source, bool paused) {
  const bool around = source.hasState && !source.scaled;
  if (around) {
    DDSetDiffuse(source.state.dwDiffuse);
    DDSetColorOp(source.state.nColorOp);
  }
  const bool ended = RunCharaEffect(c, target, source, paused, true);
  if (around) {
    DDResetDiffuse();
    DDResetColorOp();
  }
  return ended;
}

bool RunCharaEffect(cCharaBase& c, DDSURFACEDATA* target, const CharaPictureSource& s, bool paused, bool draw) {
  cCharaEffectRun& run = c.Effect;
  const int kind = run.entry.nKind >= 0 && run.entry.nKind <= 16 ? run.entry.nKind : 0;
  const double v = run.entry.dValue;
  const int k = s.scaled ? s.k : 1;
  const int L = c.Rect.left;
  const int T = c.Rect.top;
  const int pw = s.w;
  const int ph = s.h;
  draw = draw && target != nullptr && s.surface != nullptr;
  if (kind == 0) {
    if (draw) Plain(target, L, T, s);
    return false;
  }
  if (kind == 4 || kind == 5) {
    if (++run.entry.nWavePhase >= 360) run.entry.nWavePhase = 0;
  }
  if (kind == 6 || kind == 14) {
    if (run.nBlinkCount >= Param(c, 1)) {
      run.nBlinkCount = 0;
      run.bBlink ^= 1;
    }
    if (!paused) ++run.nBlinkCount;
  }
  if (draw) {
    const int p4 = Param(c, 3);
    const int p5 = Param(c, 4);
    switch (kind) {
      case 1:
        DDSplitBlt(target, L, T, pw, ph, s.surface, s.sx, s.sy, TruncToInt(k * v), kKeyed);
        break;
      case 2:
      case 3: {
        const int band = p4 > 0 ? std::max(1, (ph + p4 - 1) / p4) : ph;
        DDInterlaceBlt(target, L, T, pw, ph, band, TruncToInt(k * v), s.surface, s.sx, s.sy, kKeyed, kind == 3);
        break;
      }
      case 4:
      case 5:
        DDWaveBlt(target, L, T, pw, ph, p4, k * v, run.entry.nWavePhase, k * p5, s.surface, s.sx, s.sy, kKeyed,
                  kind == 5);
        break;
      case 6:
        if (run.bBlink == 1) Plain(target, L, T, s);
        break;
      case 7:
        if (DDBackend == 0 && s.scaled) {
          RotateThroughSquare(target, c, s, TruncToInt(v));
        } else {
          DDBltRotate(target, L + pw / 2, T + ph / 2, pw, ph, pw / 2, ph / 2, TruncToInt(v), s.surface, s.sx, s.sy,
                      kKeyed);
        }
        break;
      case 8:
        // The rotation's point is where the pivot, the picture's centre, lands.
        DDBltRotate(target, L + pw / 2, T + ph / 2, pw, ph, pw / 2, ph / 2, TruncToInt(v), s.surface, s.sx, s.sy,
                    kKeyed);
        break;
      case 9:
        DDFlipBlt(target, L, T, pw, ph, s.surface, s.sx, s.sy, s.second != nullptr ? s.second : s.surface, s.sx, s.sy,
                  pw, ph, kKeyed, TruncToInt(v), 0);
        break;
      case 10:
        DDBltCircle(target, L + pw / 2, T + ph / 2, pw / 2, ph / 2, TruncToInt(k * v), k * p4, s.surface,
                    s.sx + pw / 2, s.sy + ph / 2, kKeyed);
        break;
      case 11: {
        const int e = s.scaled ? TruncToInt((v - 32) * k) / 2 : TruncToInt(v - 32);
        if (e == 0) {
          Plain(target, L, T, s);
        } else {
          DDBltStretch(target, L - e / 2, T - e / 2, pw + e, ph + e, s.surface, s.sx, s.sy, pw, ph, kKeyed);
        }
        break;
      }
      case 12: {
        // The picture sits in a cleared square centred on the lens, so that the lens never
        // reads the sheet's neighbouring cells.
        const int dx = p4 * k;
        const int dy = p5 * k;
        const int g = TruncToInt(kRoot2 * (std::max(std::abs(dx), std::abs(dy)) + pw / 2));
        const int side = 2 * g;
        DDSURFACEDATA* square = Work(kSystemWorkRow, side, side);
        if (square == nullptr || square == s.surface) break;
        DDFillRect(square, 0, 0, side, side, 0);
        DDBlt(square, g - pw / 2 - dx, g - ph / 2 - dy, pw, ph, s.surface, s.sx, s.sy, 0);
        const int lensX = L + pw / 2 + dx;
        const int lensY = T + ph / 2 + dy;
        CharaPictureSource fromSquare = s;
        fromSquare.surface = square;
        fromSquare.scaled = true;  // the square is the intermediate's source now, not the sheet
        const EffectTarget e = BeginIntermediate(target, fromSquare, side, side, lensX - g, lensY - g);
        DDBltLens(e.surface, lensX + e.x, lensY + e.y, g, TruncToInt(v) * k, square, g, g, kKeyed, 0);
        EndIntermediate(target, e, side, side);
        break;
      }
      case 13:
        DDBltTint(target, L, T, pw, ph, s.surface, s.sx, s.sy, kKeyed, DDPalette, DDBlendTable, p4, TruncToInt(v));
        break;
      case 14:
        if (run.bBlink == 0) {
          DDBltHalf(target, L, T, pw, ph, s.surface, s.sx, s.sy, kKeyed, DDBlendTable);
        } else {
          Plain(target, L, T, s);
        }
        break;
      case 15:
      case 16: {
        if (kind == 16 && DDBpp == 8) {
          DDBltTint(target, L, T, pw, ph, s.surface, s.sx, s.sy, kKeyed, DDPalette, DDBlendTable, 31, TruncToInt(v));
          break;
        }
        // Twice the picture's size, the picture in its middle: room for what the blur spreads.
        const EffectTarget e = BeginIntermediate(target, s, 2 * pw, 2 * ph, L - pw / 2, T - ph / 2);
        if (kind == 15) {
          DDMosaicBlt(e.surface, L + e.x, T + e.y, pw, ph, TruncToInt(v), s.surface, s.sx, s.sy, kKeyed);
        } else {
          DDBlurBlt(e.surface, L + e.x, T + e.y, pw, ph, TruncToInt(v), TruncToInt(v), s.surface, s.sx, s.sy, kKeyed);
        }
        EndIntermediate(target, e, 2 * pw, 2 * ph);
        break;
      }
      default:
        break;
    }
  }
  if (paused) return false;
  return run.Step();
}
