// The running screen effect over the finished field: slides, shakes, interlaces, waves, blinks,
// rotation, spotlight, zoom, iris and mosaic.
#include <algorithm>
#include <cmath>

#include "core/trunc_to_int.h"
#include "data/database.h"
#include "data/surface_defs.h"
#include "gfx/blur_mosaic.h"
#include "gfx/circle_lens.h"
#include "gfx/core_blit.h"
#include "gfx/dd_fill.h"
#include "gfx/dd_state.h"
#include "gfx/render_target.h"
#include "gfx/rotate_blit.h"
#include "gfx/screen_effects.h"
#include "gfx/surface_records.h"
#include "world/scene_play.h"

namespace {

constexpr int kWorkRow = play_rows::kWork;
constexpr int kSecondWorkRow = play_rows::kSecondWork;
constexpr int kFieldColour = 16;

enum ScrEffectKind : int {
  kNone = 0,
  kSlide = 1,
  kShakeX = 2,
  kShakeY = 3,
  kInterlaceX = 4,
  kInterlaceY = 5,
  kWaveX = 6,
  kWaveY = 7,
  kBlink = 8,
  kRotate = 9,
  kSpotlight = 10,
  kZoom = 11,
  kIris = 12,
  kMosaic = 13,
};

DDSURFACEDATA* Back() { return &SDBackBuffer; }

// The record's five parameters as the running direction reads them: the backwards run swaps
// its start and end.
struct Params {
  int n = 0, a = 0, b = 0, c = 0, d = 0;
};

Params ParamsOf(const cScrEffectRun& run) {
  Params p;
  const int index = run.entry.nIndex;
  if (index < 0 || index >= static_cast<int>(Database.ScrEffects.size())) return p;
  const cEdScrEffect& r = Database.ScrEffects[index];
  p = {r.nParam[0], r.nParam[1], r.nParam[2], r.nParam[3], r.nParam[4]};
  if (run.nDirection == 1) {
    if (r.nKind == kSlide) {
      std::swap(p.a, p.c);
      std::swap(p.b, p.d);
    } else if (r.nKind != kShakeX && r.nKind != kShakeY && r.nKind != kBlink) {
      std::swap(p.a, p.b);
    }
  }
  return p;
}

// The finished frame into the work surface and the back buffer cleared, for a handler to
// draw the copy back transformed.
DDSURFACEDATA* TakeFrame(int row, bool clear = true) {
  DDSURFACEDATA* work = &SurfaceRecords[row];
  DDBlt(work, 0, 0, 640, 480, Back(), 0, 0, DDBLT_OPAQUE);
  if (clear) DDFillRect(Back(), 0, 0, 640, 480, kFieldColour);
  return work;
}

}  // namespace

void cScenePlay::StartScreenEffect(int index, int mode, int repeat) {
  ScreenEffect.Start(index, mode, repeat);
  EffectWork = ScrEffectWork{};
  if (ScreenEffect.entry.nIndex == 0 && lpDTCon != nullptr && lpDTCon->bVirtualBackBuffer) DDSetVirtualBackBuffer(0);
}

void cScenePlay::RunScreenEffect(bool freeze) {
  if (ScreenEffect.entry.nIndex == 0) return;
  if (RunScreenEffectKind(freeze)) {
    ScreenEffect.entry.nIndex = 0;
    DDSetVirtualBackBuffer(0);
  }
}

bool cScenePlay::RunScreenEffectKind(bool freeze) {
  cScrEffectRun& run = ScreenEffect;
  ScrEffectWork& w = EffectWork;
  const Params p = ParamsOf(run);
  const double progress = run.entry.dValue;
  const int kind = run.entry.nKind;
  const auto advance = [&] { return freeze ? false : run.Step(); };
  // A kind the list does not know is no effect.
  if (kind <= kNone || kind > kMosaic) {
    if (lpDTCon != nullptr && lpDTCon->bVirtualBackBuffer) DDSetVirtualBackBuffer(0);
    return false;
  }
  // Without steps the effect has nothing to run (a repeat would restart it every frame).
  if (p.n <= 0) return true;
  if (kind == kBlink) {
    if (w.blinkOff == 0) {
      DrawBackgrounds(Back(), 0);
      DrawBackgrounds(Back(), 1);
    }
    if (freeze) return false;
    if (p.a > 0 && ++w.counter >= p.a) {
      w.counter = 0;
      w.blinkOff ^= 1;
    }
    // A period of 0 would never flip: the effect ends rather than blink forever.
    return p.a <= 0 || run.Step();
  }
  if (kind == kShakeX || kind == kShakeY) {
    DDSURFACEDATA* work = TakeFrame(kWorkRow, false);
    const int offset = TruncToInt(w.offset);
    if (kind == kShakeX) {
      if (offset > 0) DDFillRect(Back(), 0, 0, TruncToInt(w.offset + 1), 480, kFieldColour);
      if (offset < 0) DDFillRect(Back(), TruncToInt(640 + w.offset), 0, TruncToInt(1 - w.offset), 480, kFieldColour);
    } else {
      if (offset > 0) DDFillRect(Back(), 0, 0, 640, TruncToInt(w.offset + 1), kFieldColour);
      if (offset < 0) DDFillRect(Back(), 0, TruncToInt(480 + w.offset), 640, TruncToInt(1 - w.offset), kFieldColour);
    }
    DDSetAlphaOp(D3DTOP_DISABLE);
    DDBlt(Back(), kind == kShakeX ? offset : 0, kind == kShakeY ? offset : 0, 640, 480, work, 0, 0, DDBLT_OPAQUE);
    DDResetAlphaOp();
    if (freeze) return false;
    // An amplitude of 0 has no swing to make.
    if (p.a <= 0) return true;
    const double v = static_cast<double>(p.b) * p.a * 4 / (static_cast<double>(p.n) * 6);
    if (w.direction == 0) {
      w.offset += v;
      if (w.offset >= p.a) {
        w.offset = p.a;
        w.direction = 1;
      }
    } else {
      w.offset -= v;
      if (w.offset <= -p.a) {
        w.offset = -p.a;
        w.direction = 0;
      }
    }
    return run.Step();
  }
  if (kind == kZoom) {
    DDSURFACEDATA* work = TakeFrame(kWorkRow);
    const double z = progress * 0.0015625;
    if (z >= 1.0) {
      const int ww = TruncToInt(640 / z);
      const int wh = TruncToInt(480 / z);
      const cPlayer& hero = Hero();
      const int cx = hero.Rect.left + hero.Rect.width / 2;
      const int cy = hero.Rect.top + hero.Rect.height / 2;
      const int sx = std::clamp(cx - ww / 2, 0, std::max(0, 640 - ww));
      const int sy = std::clamp(cy - wh / 2, 0, std::max(0, 480 - wh));
      DDBltStretch(Back(), 0, 0, 640, 480, work, sx, sy, ww, wh, DDBLT_OPAQUE);
    } else if (z > 0.0) {
      const int ww = TruncToInt(640 * z);
      const int wh = TruncToInt(480 * z);
      DDBltStretch(Back(), (640 - ww) / 2, (480 - wh) / 2, ww, wh, work, 0, 0, 640, 480, DDBLT_OPAQUE);
    }
    return advance();
  }
  const bool second = kind == kRotate || kind == kIris || kind == kMosaic;
  DDSURFACEDATA* work = TakeFrame(second ? kSecondWorkRow : kWorkRow);
  DDSetAlphaOp(D3DTOP_DISABLE);
  switch (kind) {
    case kSlide: {
      DDBlt(Back(), w.dx, w.dy, 640, 480, work, 0, 0, DDBLT_OPAQUE);
      if (p.n > 0) {
        w.dx = TruncToInt(static_cast<double>(p.c - p.a) / p.n * progress + p.a);
        w.dy = TruncToInt(static_cast<double>(p.d - p.b) / p.n * progress + p.b);
      }
      break;
    }
    case kInterlaceX:
    case kInterlaceY: {
      const bool vertical = kind == kInterlaceY;
      const int divisions = std::max(p.c, 1);
      const int band = ((vertical ? 640 : 480) + divisions - 1) / divisions;
      DDInterlaceBlt(Back(), 0, 0, 640, 480, band, TruncToInt(progress), work, 0, 0, DDBLT_OPAQUE, vertical ? 1 : 0);
      break;
    }
    case kWaveX:
    case kWaveY:
      DDWaveBlt(Back(), 0, 0, 640, 480, p.c, progress, w.phase, std::max(p.d, 1), work, 0, 0, DDBLT_OPAQUE,
                kind == kWaveY ? 1 : 0);
      if (!freeze && ++w.phase >= 360) w.phase = 0;
      break;
    case kRotate:
      DDBltRotate(Back(), 320, 240, 640, 480, 320, 240, TruncToInt(progress), work, 0, 0, DDBLT_OPAQUE);
      break;
    case kSpotlight: {
      const cPlayer& hero = Hero();
      const int cx = hero.Rect.left + hero.Rect.width / 2;
      const int cy = hero.Rect.top + hero.Rect.height / 2;
      DDBltCircle(Back(), cx, cy, std::max(cx, 640 - cx), std::max(cy, 480 - cy), TruncToInt(progress),
                  std::max(p.c, 1), work, cx, cy, DDBLT_OPAQUE);
      break;
    }
    case kIris: {
      // A lens about a point near the hero, wide enough to reach every corner of the screen,
      // its depth the progress.
      const cPlayer& hero = Hero();
      const int cx = hero.Rect.left + hero.Rect.width / 2 + p.c;
      const int cy = hero.Rect.top + hero.Rect.height / 2 + p.d;
      const int farthest = std::max(std::max(cx, 640 - cx), std::max(cy, 480 - cy));
      const int radius = TruncToInt(1.4142135623730951 * farthest);
      if (!DDBltLens(Back(), cx, cy, radius, TruncToInt(progress), work, cx, cy, DDBLT_OPAQUE, 0)) {
        DDBlt(Back(), 0, 0, 640, 480, work, 0, 0, DDBLT_OPAQUE);
      }
      break;
    }
    case kMosaic:
      // Blocks of no size end the effect.
      if (TruncToInt(progress) <= 0) {
        DDBlt(Back(), 0, 0, 640, 480, work, 0, 0, DDBLT_OPAQUE);
        DDResetAlphaOp();
        return true;
      }
      DDMosaicBlt(Back(), 0, 0, 640, 480, TruncToInt(progress), work, 0, 0, DDBLT_OPAQUE);
      break;
    default:
      break;
  }
  DDResetAlphaOp();
  return advance();
}
